#pragma once

// A decoded picture made a puzzle picture: turned upright by its EXIF
// orientation, cut to 4:3 about its centre and scaled to 600 x 450, averaging
// every source pixel an output pixel covers (or, where the cut is smaller,
// interpolating between neighbours). Done a band of rows at a time, so the
// work can be spread over frames.

// Rows of RGB bytes, three a pixel, as the file stores them.
struct stored_pixels {
    const unsigned char *rgb;
    int width;
    int height;
};

// Prepares to fit `stored`, turned by `orientation` (1 to 8). The pixels must
// stay in place until the last row is fitted.
void start_fit(const stored_pixels &stored, int orientation);

// Fits rows first .. first + count - 1 of the 600 x 450 result, as RGBA bytes
// (alpha 255), into `rgba`, which holds the whole result.
void fit_rows(int first, int count, unsigned char *rgba);

// How many rows to fit at a time so that each band reads about the same
// number of source pixels.
int fit_rows_per_step();
