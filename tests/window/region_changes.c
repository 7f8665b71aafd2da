/* Tells when a region of a window changes, as a roll's end changes the move
   counter: polls it every 2 ms and prints, on the realtime clock, the time of
   each change, until it has changed COUNT times (exit 0) or SECONDS have
   passed (exit 1). A change is at least 20 pixels that moved by more than a
   quarter of their range since the last change, so a badge that settles over
   a few frames is not one.
   Usage: region_changes WINDOW-ID X Y WIDTH HEIGHT COUNT SECONDS */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double now(int clock) {
    struct timespec t;
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

static int channel_moved(unsigned long a, unsigned long b, int shift) {
    int d = (int)((a >> shift) & 255) - (int)((b >> shift) & 255);
    return d > 64 || d < -64;
}

int main(int argc, char **argv) {
    if (argc != 8) {
        fprintf(stderr, "usage: region_changes WINDOW-ID X Y WIDTH HEIGHT COUNT SECONDS\n");
        return 2;
    }
    Display *x = XOpenDisplay(NULL);
    if (!x) {
        fprintf(stderr, "region_changes: no X display\n");
        return 1;
    }
    Window window = (Window)strtoul(argv[1], NULL, 0);
    int left = atoi(argv[2]), top = atoi(argv[3]), width = atoi(argv[4]), height = atoi(argv[5]);
    int count = atoi(argv[6]);
    double until = now(CLOCK_MONOTONIC) + atof(argv[7]);
    unsigned long *last = calloc((size_t)width * height, sizeof *last);
    int changes = -1; /* the first look is no change */
    while (changes < count) {
        if (now(CLOCK_MONOTONIC) > until) {
            fprintf(stderr, "region_changes: %d of %d changes seen\n", changes < 0 ? 0 : changes,
                    count);
            return 1;
        }
        XImage *image = XGetImage(x, window, left, top, width, height, AllPlanes, ZPixmap);
        if (image) {
            int moved = 0;
            for (int row = 0; row < height; row++) {
                for (int column = 0; column < width; column++) {
                    unsigned long pixel = XGetPixel(image, column, row);
                    unsigned long was = last[row * width + column];
                    moved += channel_moved(pixel, was, 0) || channel_moved(pixel, was, 8) ||
                             channel_moved(pixel, was, 16);
                }
            }
            if (changes < 0 || moved >= 20) {
                for (int row = 0; row < height; row++) {
                    for (int column = 0; column < width; column++) {
                        last[row * width + column] = XGetPixel(image, column, row);
                    }
                }
                if (changes >= 0) printf("%.3f\n", now(CLOCK_REALTIME));
                fflush(stdout);
                changes++;
            }
            XDestroyImage(image);
        }
        struct timespec pause = {0, 2000000};
        nanosleep(&pause, NULL);
    }
    XCloseDisplay(x);
    return 0;
}
