// The JPEG and PNG headers read from a file's first bytes, and its EXIF orientation.
#include "puzzle/picture_header.h"

#include <cstring>

namespace {

unsigned be16(const unsigned char *p) {
    return static_cast<unsigned>(p[0]) << 8 | p[1];
}

unsigned long be32(const unsigned char *p) {
    return static_cast<unsigned long>(be16(p)) << 16 | be16(p + 2);
}

// A header that needs bytes up to `end`; past the file's end it was cut short.
picture_header needs_up_to(picture_header header, long long end, long long file_size) {
    if (end > file_size) {
        header.wrong = "it is cut short";
    } else {
        // A little more, so the next marker or chunk comes with it.
        header.needs = end + 4096 < file_size ? end + 4096 : file_size;
    }
    return header;
}

picture_header read_jpeg(picture_header header, const unsigned char *bytes, long long length,
                         long long file_size) {
    long long at = 2;
    for (;;) {
        if (at + 4 > length) return needs_up_to(header, at + 4, file_size);
        if (bytes[at] != 0xFF) {
            header.wrong = "its JPEG header is garbled";
            return header;
        }
        // A marker may be preceded by any number of fill bytes.
        if (bytes[at + 1] == 0xFF) {
            at++;
            continue;
        }
        int marker = bytes[at + 1];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9) {
            header.wrong = "it holds no picture";
            return header;
        }
        if (marker == 0xDA) {
            if (header.width == 0) {
                header.wrong = "its JPEG header gives no size";
                return header;
            }
            header.data_start = at;
            return header;
        }
        long long end = at + 2 + be16(bytes + at + 2);
        if (end < at + 4) {
            header.wrong = "its JPEG header is garbled";
            return header;
        }
        if (end > length) return needs_up_to(header, end, file_size);
        const unsigned char *data = bytes + at + 4;
        long long data_length = end - at - 4;
        if (marker == 0xE1 && data_length >= 6 && memcmp(data, "Exif\0\0", 6) == 0) {
            header.orientation = exif_orientation(data + 6, data_length - 6);
        }
        bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            // Baseline, extended and progressive, Huffman or arithmetic coded;
            // lossless and hierarchical files are not read.
            bool readable = marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC9 ||
                            marker == 0xCA;
            if (!readable) {
                header.wrong = "it is a kind of JPEG the game cannot read";
                return header;
            }
            if (data_length < 6) {
                header.wrong = "its JPEG header is garbled";
                return header;
            }
            header.height = static_cast<int>(be16(data + 1));
            header.width = static_cast<int>(be16(data + 3));
            if (header.width == 0 || header.height == 0) {
                header.wrong = "its JPEG header gives no size";
                return header;
            }
        }
        at = end;
    }
}

picture_header read_png(picture_header header, const unsigned char *bytes, long long length,
                        long long file_size) {
    if (length < 33) return needs_up_to(header, 33, file_size);
    if (be32(bytes + 8) != 13 || memcmp(bytes + 12, "IHDR", 4) != 0) {
        header.wrong = "its PNG header is garbled";
        return header;
    }
    unsigned long width = be32(bytes + 16), height = be32(bytes + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        header.wrong = "its PNG header gives no size";
        return header;
    }
    // Kept as ints, the megapixel limit is checked on their product later.
    header.width = width > 1000000000 ? 1000000000 : static_cast<int>(width);
    header.height = height > 1000000000 ? 1000000000 : static_cast<int>(height);
    long long at = 33;
    for (;;) {
        if (at + 8 > length) return needs_up_to(header, at + 8, file_size);
        long long chunk_length = static_cast<long long>(be32(bytes + at));
        const unsigned char *type = bytes + at + 4;
        if (memcmp(type, "IDAT", 4) == 0) {
            header.data_start = at;
            return header;
        }
        if (memcmp(type, "IEND", 4) == 0) {
            header.wrong = "it holds no picture";
            return header;
        }
        long long end = at + 12 + chunk_length;
        if (memcmp(type, "eXIf", 4) == 0) {
            if (end > length) return needs_up_to(header, end, file_size);
            header.orientation = exif_orientation(bytes + at + 8, chunk_length);
        }
        at = end;
    }
}

}  // namespace

int exif_orientation(const unsigned char *tiff, long long length) {
    if (length < 8) return 1;
    bool little = tiff[0] == 'I' && tiff[1] == 'I';
    if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
    auto u16 = [&](long long at) {
        return little ? static_cast<unsigned>(tiff[at]) | static_cast<unsigned>(tiff[at + 1]) << 8
                      : be16(tiff + at);
    };
    auto u32 = [&](long long at) {
        return little ? static_cast<unsigned long>(u16(at)) |
                            static_cast<unsigned long>(u16(at + 2)) << 16
                      : be32(tiff + at);
    };
    if (u16(2) != 42) return 1;
    long long ifd = u32(4);
    if (ifd < 8 || ifd + 2 > length) return 1;
    int entries = static_cast<int>(u16(ifd));
    for (int i = 0; i < entries; i++) {
        long long entry = ifd + 2 + 12LL * i;
        if (entry + 12 > length) return 1;
        // The tag is a SHORT, its value in the entry's first two value bytes.
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3) {
            unsigned value = u16(entry + 8);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

picture_header read_picture_header(const unsigned char *bytes, long long length,
                                   long long file_size) {
    picture_header header = {not_a_picture, 0, 0, 1, 0, 0, nullptr};
    if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) {
        header.kind = jpeg_picture;
        return read_jpeg(header, bytes, length, file_size);
    }
    if (length >= 8 && memcmp(bytes, "\x89PNG\r\n\x1a\n", 8) == 0) {
        header.kind = png_picture;
        return read_png(header, bytes, length, file_size);
    }
    header.wrong = "it is not a JPEG or PNG picture";
    return header;
}

bool picture_ends_whole(int kind, const unsigned char *tail, long long length) {
    // The end marker may be followed by a few bytes of padding.
    const unsigned char jpeg_end[] = {0xFF, 0xD9};
    const unsigned char png_end[] = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
    const unsigned char *end = kind == jpeg_picture ? jpeg_end : png_end;
    long long end_length = kind == jpeg_picture ? 2 : 8;
    for (long long at = length - end_length; at >= 0; at--) {
        if (memcmp(tail + at, end, end_length) == 0) return true;
    }
    return false;
}

int upright_width(const picture_header &header) {
    return header.orientation >= 5 ? header.height : header.width;
}

int upright_height(const picture_header &header) {
    return header.orientation >= 5 ? header.width : header.height;
}
