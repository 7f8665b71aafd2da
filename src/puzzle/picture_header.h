#pragma once

// What the first bytes of a JPEG or PNG file tell before anything is decoded:
// its kind, its stored size and how it must be turned to stand upright.

enum { not_a_picture = 0, jpeg_picture = 1, png_picture = 2 };

struct picture_header {
    int kind;   // jpeg_picture, png_picture, or not_a_picture
    int width;  // as stored, before turning
    int height;
    int orientation;  // the EXIF orientation, 1 to 8; 1 when the file has none
    // Where the compressed pixels begin (the first JPEG scan, the first PNG
    // IDAT chunk); nothing before it can be the file's end.
    long long data_start;
    // More than the bytes given are needed to tell: read this many from the
    // start and ask again. 0 when the answer is complete.
    long long needs;
    const char *wrong;  // null, or why the file cannot be played
};

// Reads the header from the first `length` bytes of a file of `file_size`.
picture_header read_picture_header(const unsigned char *bytes, long long length,
                                   long long file_size);

// The orientation tag of an EXIF block (a TIFF header and its first IFD):
// 1 to 8, or 1 when it holds none or holds nonsense.
int exif_orientation(const unsigned char *tiff, long long length);

// Whether the last `length` bytes of a file of this kind hold its end (the
// JPEG end-of-image marker, the PNG IEND chunk): a file without it was cut
// short.
bool picture_ends_whole(int kind, const unsigned char *tail, long long length);

// The size a picture of this stored size has once turned upright.
int upright_width(const picture_header &header);
int upright_height(const picture_header &header);
