# Writes the package's machine-readable copyright file from media/CREDITS, so
# a picture replaced there is credited in the package too.
# Usage: cmake -DCREDITS=media/CREDITS -DOUTPUT=copyright -DHOMEPAGE=url -P copyright.cmake

set(media /usr/share/picture-cubes/media)

# Every licence a media file may carry: its name and where its full text is
# on the installed system. A licence not listed here stops the build, so no
# file goes out under a licence the copyright file does not explain.
set(licence_GPL-2+ "GNU General Public License, version 2 or later"
    /usr/share/common-licenses/GPL-2)
set(licence_GPL-3+ "GNU General Public License, version 3 or later"
    /usr/share/common-licenses/GPL-3)
set(licence_LGPL-2.1+ "GNU Lesser General Public License, version 2.1 or later"
    /usr/share/common-licenses/LGPL-2.1)
set(licence_LGPL-3 "GNU Lesser General Public License, version 3"
    /usr/share/common-licenses/LGPL-3)
set(licence_CC0-1.0 "Creative Commons CC0 1.0 Universal"
    /usr/share/common-licenses/CC0-1.0)
set(licence_CC-BY-4.0 "Creative Commons Attribution 4.0 International"
    ${media}/licenses/lomiri-wallpapers-16.04.copyright)
set(licence_CC-BY-SA-4.0 "Creative Commons Attribution-ShareAlike 4.0 International"
    ${media}/licenses/lomiri-wallpapers-16.04.copyright)
set(licence_OFL-1.1 "SIL Open Font License, version 1.1" ${media}/licenses/OFL-1.1)

file(STRINGS ${CREDITS} lines ENCODING UTF-8)

# The game's own code and the media made by its own tools.
string(APPEND text
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: picture-cubes\n"
  "Source: ${HOMEPAGE}\n"
  "Comment: ${media}/CREDITS names the source of every media file.\n"
  "\n"
  "Files: *\n"
  "Copyright: 2026 Picture Cubes maintainers\n"
  "License: GPL-3+\n"
  "Comment: Includes the background, the interface sheet and the sounds,\n"
  " made by the game's own tools.\n")
set(used GPL-3+)

# The fonts: "  arial.ttf   LiberationSans-Regular.ttf  from fonts-liberation2 2.1.5-1",
# followed by a "Copyright ...;" line.
set(fonts "")
foreach(line IN LISTS lines)
  if(line MATCHES "^  ([a-z0-9]+\\.ttf) +([^ ]+) +from (.+)$")
    list(APPEND fonts "media/${CMAKE_MATCH_1}")
    set(font_source "${CMAKE_MATCH_3}")
  elseif(fonts AND NOT font_copyright AND line MATCHES "^ +Copyright (.+);$")
    set(font_copyright "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT fonts OR NOT font_copyright OR NOT font_source)
  message(FATAL_ERROR "${CREDITS}: no font entry with its copyright line")
endif()
list(JOIN fonts " " fonts)
string(APPEND text "\nFiles: ${fonts}\n"
  "Copyright: ${font_copyright}\n"
  "License: OFL-1.1\n"
  "Comment: Liberation Sans from the Debian package ${font_source},\n"
  " renamed only.\n")
list(APPEND used OFL-1.1)

# The pictures: a line naming the file and its package, a line with its path
# in that package, then "author: ...; licence: ...".
set(picture "")
set(pictures 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^  ([bpw][0-9]+\\.jpg) +(.+)$")
    set(picture ${CMAKE_MATCH_1})
    set(package "${CMAKE_MATCH_2}")
    set(path "")
  elseif(picture AND NOT path AND line MATCHES "^ +(/[^ ]+)$")
    set(path "${CMAKE_MATCH_1}")
  elseif(picture AND line MATCHES "^ +author: (.+); licence: ([^ ]+)$")
    set(author "${CMAKE_MATCH_1}")
    set(licence "${CMAKE_MATCH_2}")
    if(NOT DEFINED licence_${licence})
      message(FATAL_ERROR "${CREDITS}: ${picture} is under '${licence}', "
                          "which ${CMAKE_CURRENT_LIST_FILE} does not know")
    endif()
    string(APPEND text "\nFiles: media/${picture}\n"
      "Copyright: ${author}\n"
      "License: ${licence}\n"
      "Comment: Cut and scaled from ${path}\n"
      " in the Debian package ${package}.\n")
    list(APPEND used ${licence})
    math(EXPR pictures "${pictures} + 1")
    set(picture "")
  endif()
endforeach()
if(NOT pictures EQUAL 30)
  message(FATAL_ERROR "${CREDITS}: ${pictures} of the 30 pictures are credited")
endif()

list(REMOVE_DUPLICATES used)
list(SORT used)
foreach(licence IN LISTS used)
  list(GET licence_${licence} 0 name)
  list(GET licence_${licence} 1 where)
  string(APPEND text "\nLicense: ${licence}\n"
    " ${name}.\n"
    " .\n"
    " On Debian systems, the complete text of this licence can be found in\n"
    " ${where}.\n")
endforeach()

file(WRITE ${OUTPUT} "${text}")
