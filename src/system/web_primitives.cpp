// The two primitives the game draws, made safe for WebGL (linked with --wrap).
#include <GLES2/gl2.h>
#include <allegro5/allegro_primitives.h>

// WebGL refuses to draw while the target bitmap's own texture is bound (a
// feedback loop), and Allegro's shader path leaves the last drawn bitmap's
// texture bound for untextured primitives: a rectangle drawn into the canvas
// right after the canvas was shown would silently go missing.
extern "C" {
void __real_al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color);
void __real_al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color,
                              float thickness);

void __wrap_al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color) {
    glBindTexture(GL_TEXTURE_2D, 0);
    __real_al_draw_filled_rectangle(x1, y1, x2, y2, color);
}

void __wrap_al_draw_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color,
                              float thickness) {
    glBindTexture(GL_TEXTURE_2D, 0);
    __real_al_draw_rectangle(x1, y1, x2, y2, color, thickness);
}
}
