/* Preloaded into the game by bench/pace: logs, on the monotonic clock, every
   buffer swap and every sleep, plus a few calls that mark where the game's
   sequences begin and end. With PACE_SYNC=1 each swap returns only at the next
   1/60 s, as a driver that syncs to a 60 Hz screen does.
   Log lines: "<what> <start> <end> [detail]", times in seconds. */
#define _GNU_SOURCE
#include <allegro5/allegro.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef struct _XDisplay Display;
typedef unsigned long GLXDrawable;

static FILE *log_file;
static int sync_swaps;

static double now(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static void note(const char *what, double start, double end, const char *detail) {
    if (!log_file) {
        const char *path = getenv("PACE_LOG");
        const char *sync = getenv("PACE_SYNC");
        sync_swaps = sync && sync[0] == '1';
        log_file = fopen(path ? path : "/dev/null", "w");
        if (!log_file) return;
        setvbuf(log_file, NULL, _IOLBF, 0);
    }
    fprintf(log_file, "%s %.6f %.6f %s\n", what, start, end, detail ? detail : "");
}

static void *real(const char *name) {
    void *f = dlsym(RTLD_NEXT, name);
    if (!f) {
        fprintf(stderr, "pace_wrapper: no %s\n", name);
        abort();
    }
    return f;
}

void glXSwapBuffers(Display *x, GLXDrawable drawable) {
    static void (*swap)(Display *, GLXDrawable);
    if (!swap) swap = (void (*)(Display *, GLXDrawable))real("glXSwapBuffers");
    double start = now();
    swap(x, drawable);
    if (sync_swaps) {
        /* Wait for the next refresh of a 60 Hz screen. */
        double next = ((long long)(now() * 60) + 1) / 60.0;
        struct timespec t = {(time_t)next, (long)((next - (time_t)next) * 1e9)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &t, NULL);
    }
    note("swap", start, now(), NULL);
}

void al_rest(double seconds) {
    static void (*rest)(double);
    if (!rest) rest = (void (*)(double))real("al_rest");
    double start = now();
    rest(seconds);
    char detail[32];
    snprintf(detail, sizeof detail, "%.4f", seconds);
    note("rest", start, now(), detail);
}

ALLEGRO_BITMAP *al_load_bitmap(const char *path) {
    static ALLEGRO_BITMAP *(*load)(const char *);
    if (!load) load = (ALLEGRO_BITMAP * (*)(const char *)) real("al_load_bitmap");
    double start = now();
    ALLEGRO_BITMAP *bitmap = load(path);
    note("load", start, now(), path);
    return bitmap;
}

/* Once per frame of the main loop. */
void al_get_keyboard_state(ALLEGRO_KEYBOARD_STATE *state) {
    static void (*get)(ALLEGRO_KEYBOARD_STATE *);
    if (!get) get = (void (*)(ALLEGRO_KEYBOARD_STATE *))real("al_get_keyboard_state");
    double start = now();
    get(state);
    note("frame", start, start, NULL);
}

/* The pointer poll: the intro's wait is the first to poll. */
void al_get_mouse_state(ALLEGRO_MOUSE_STATE *state) {
    static void (*get)(ALLEGRO_MOUSE_STATE *);
    if (!get) get = (void (*)(ALLEGRO_MOUSE_STATE *))real("al_get_mouse_state");
    double start = now();
    get(state);
    note("poll", start, start, NULL);
}

/* Once per playing frame for the selected cube's front, once more in a frame
   that draws a roll step. */
void al_draw_rotated_bitmap(ALLEGRO_BITMAP *bitmap, float cx, float cy, float dx, float dy,
                            float angle, int flags) {
    static void (*draw)(ALLEGRO_BITMAP *, float, float, float, float, float, int);
    if (!draw)
        draw = (void (*)(ALLEGRO_BITMAP *, float, float, float, float, float, int))real(
            "al_draw_rotated_bitmap");
    double start = now();
    draw(bitmap, cx, cy, dx, dy, angle, flags);
    note("turn", start, start, NULL);
}

/* The roll's cube square and the darkening of a fade. */
void al_draw_filled_rectangle(float x1, float y1, float x2, float y2, ALLEGRO_COLOR color) {
    static void (*draw)(float, float, float, float, ALLEGRO_COLOR);
    if (!draw)
        draw =
            (void (*)(float, float, float, float, ALLEGRO_COLOR))real("al_draw_filled_rectangle");
    double start = now();
    draw(x1, y1, x2, y2, color);
    note("rect", start, start, NULL);
}

/* Only the intro's fades draw the whole page tinted. */
void al_draw_tinted_bitmap(ALLEGRO_BITMAP *bitmap, ALLEGRO_COLOR tint, float dx, float dy,
                           int flags) {
    static void (*draw)(ALLEGRO_BITMAP *, ALLEGRO_COLOR, float, float, int);
    if (!draw)
        draw = (void (*)(ALLEGRO_BITMAP *, ALLEGRO_COLOR, float, float, int))real(
            "al_draw_tinted_bitmap");
    double start = now();
    draw(bitmap, tint, dx, dy, flags);
    note("tint", start, start, NULL);
}
