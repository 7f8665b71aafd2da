# The libraries the browser version links, built for the web and installed in
# PICTURE_CUBES_WEB_LIBS (tools/build-web says where they come from).
# They stand in for the desktop's pkg-config target, so the game's own
# targets read the same on both.
set(PICTURE_CUBES_WEB_LIBS "" CACHE PATH "Prefix holding Allegro and its libraries built for the web")
set(web_libs ${PICTURE_CUBES_WEB_LIBS})
if(NOT EXISTS ${web_libs}/lib/liballegro-static.a)
  message(FATAL_ERROR "No web build of Allegro in '${web_libs}' (PICTURE_CUBES_WEB_LIBS)")
endif()
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
target_include_directories(PkgConfig::ALLEGRO INTERFACE ${web_libs}/include)
# Static libraries: each before what it uses.
set(web_archives)
foreach(name allegro_acodec-static allegro_audio-static allegro_ttf-static allegro_font-static
        allegro_primitives-static allegro_image-static allegro-static freetype png16 jpeg z SDL2)
  list(APPEND web_archives ${web_libs}/lib/lib${name}.a)
endforeach()
target_link_libraries(PkgConfig::ALLEGRO INTERFACE ${web_archives})
# The add-ons are linked in, not loaded: Allegro must know it is static.
target_compile_definitions(PkgConfig::ALLEGRO INTERFACE ALLEGRO_STATICLINK)
# The player's pictures' decoders are among those archives.
add_library(PkgConfig::PICTURE_DECODERS INTERFACE IMPORTED)
