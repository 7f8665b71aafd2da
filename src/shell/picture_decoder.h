#pragma once

// A JPEG or PNG file's bytes decoded into rows of RGB a step at a time, so
// the window can be repainted between steps. One picture at a time.

#include <vector>

// The picture decoded: rows of RGB bytes, three a pixel. A transparent PNG
// is laid over white.
extern std::vector<unsigned char> decoded_rgb;
extern int decoded_width;
extern int decoded_height;

// Starts decoding a picture of `kind` (see picture_header.h) from `bytes`,
// which must stay in place until the decoding ends. A JPEG is decoded at
// `eighths` eighths of its size (1 to 8): its decoder shrinks it far faster
// than it decodes it whole, averaging each block of pixels as it goes.
void start_decoding(int kind, const unsigned char *bytes, long long length, int eighths);

// Decodes about `budget` more bytes of the file. 1 while there is more to
// do, 0 once the picture is whole, -1 when it cannot be decoded: damaged,
// cut short or of a kind the decoder refuses; decoding_failure() says why.
int decode_more(long long budget);
const char *decoding_failure();

// Lets go of the decoder, finished or not (the decoded rows stay).
void end_decoding();
