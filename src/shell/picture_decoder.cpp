// Decoding JPEG and PNG bytes in steps, with libjpeg's suspending input and libpng's progressive
// reader.
#include "shell/picture_decoder.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on
#include <png.h>

#include <algorithm>
#include <csetjmp>

#include "puzzle/picture_header.h"

std::vector<unsigned char> decoded_rgb;
int decoded_width;
int decoded_height;

namespace {

// Both libraries leave by a long jump when they fail; no object with a
// destructor lives in the frames it crosses.
jmp_buf failed_at;
char failure[JMSG_LENGTH_MAX + 64];

int kind;
const unsigned char *bytes;
long long length;
long long given;  // bytes handed to the decoder so far
bool whole;

[[noreturn]] void fail(const char *what) {
    snprintf(failure, sizeof failure, "%s", what);
    longjmp(failed_at, 1);
}

// ---- JPEG ----

jpeg_decompress_struct jpeg;
jpeg_error_mgr jpeg_errors;
jpeg_source_mgr jpeg_source;
bool jpeg_made;
bool jpeg_started;
int jpeg_eighths;

void jpeg_failed(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    snprintf(failure, sizeof failure, "it cannot be decoded (%s)", message);
    longjmp(failed_at, 1);
}

// Damaged data would show as grey blocks; stray bytes between markers and
// odd metadata, which many cameras write, change nothing seen.
void jpeg_warned(j_common_ptr info, int level) {
    int code = info->err->msg_code;
    bool harmless = code == JWRN_EXTRANEOUS_DATA || code == JWRN_ADOBE_XFORM ||
                    code == JWRN_BOGUS_ICC || code == JWRN_JFIF_MAJOR;
    if (level < 0 && !harmless) jpeg_failed(info);
}

void jpeg_no_op(j_decompress_ptr) {}

// All of the bytes given so far are in the buffer: the decoder suspends
// until the next step gives more, and resumes where it stopped.
boolean jpeg_fill(j_decompress_ptr) {
    if (given >= length) fail("it is cut short");
    return FALSE;
}

void jpeg_skip(j_decompress_ptr info, long count) {
    if (count <= 0) return;
    // The pointer may run past what was given; the next step catches up.
    const unsigned char *end = bytes + given;
    info->src->next_input_byte += count;
    info->src->bytes_in_buffer = info->src->next_input_byte < end
                                     ? static_cast<size_t>(end - info->src->next_input_byte)
                                     : 0;
}

void give_jpeg(long long budget) {
    given = std::min(length, given + budget);
    const unsigned char *end = bytes + given;
    jpeg_source.bytes_in_buffer = jpeg_source.next_input_byte < end
                                      ? static_cast<size_t>(end - jpeg_source.next_input_byte)
                                      : 0;
}

void start_jpeg() {
    jpeg.err = jpeg_std_error(&jpeg_errors);
    jpeg_errors.error_exit = jpeg_failed;
    jpeg_errors.emit_message = jpeg_warned;
    jpeg_create_decompress(&jpeg);
    jpeg_made = true;
    jpeg_started = false;
    jpeg_source.next_input_byte = bytes;
    jpeg_source.bytes_in_buffer = 0;
    jpeg_source.init_source = jpeg_no_op;
    jpeg_source.fill_input_buffer = jpeg_fill;
    jpeg_source.skip_input_data = jpeg_skip;
    jpeg_source.resync_to_restart = jpeg_resync_to_restart;
    jpeg_source.term_source = jpeg_no_op;
    jpeg.src = &jpeg_source;
}

// Returns whether the picture is whole; false when it waits for more bytes.
bool decode_jpeg(long long budget) {
    give_jpeg(budget);
    // Each call below may stop for want of bytes; the next step calls it again.
    if (!jpeg_started) {
        if (jpeg_read_header(&jpeg, TRUE) == JPEG_SUSPENDED) return false;
        jpeg.out_color_space = JCS_RGB;
        jpeg.scale_num = jpeg_eighths;
        jpeg.scale_denom = 8;
        jpeg_started = true;
    }
    if (decoded_rgb.empty()) {
        if (!jpeg_start_decompress(&jpeg)) return false;
        decoded_width = static_cast<int>(jpeg.output_width);
        decoded_height = static_cast<int>(jpeg.output_height);
        decoded_rgb.assign(static_cast<size_t>(decoded_width) * decoded_height * 3, 0);
    }
    // A progressive file's rows need no more input: a step makes about as
    // many bytes of rows as it is given bytes to read.
    long long row_bytes = 3LL * decoded_width;
    long long rows_left = std::max(16LL, 4 * budget / row_bytes);
    while (jpeg.output_scanline < jpeg.output_height && rows_left > 0) {
        JSAMPROW rows[16];
        int count = static_cast<int>(std::min<long long>(
            {16, rows_left, static_cast<long long>(jpeg.output_height - jpeg.output_scanline)}));
        for (int i = 0; i < count; i++) {
            rows[i] = &decoded_rgb[(jpeg.output_scanline + i) * static_cast<size_t>(row_bytes)];
        }
        JDIMENSION read = jpeg_read_scanlines(&jpeg, rows, count);
        if (read == 0) return false;
        rows_left -= read;
    }
    if (jpeg.output_scanline < jpeg.output_height) return false;
    return jpeg_finish_decompress(&jpeg) == TRUE;
}

// ---- PNG ----

png_structp png;
png_infop png_about;
long long rows_made;  // bytes of rows made in this step

void png_failed(png_structp, png_const_charp message) {
    snprintf(failure, sizeof failure, "it cannot be decoded (%s)", message);
    longjmp(failed_at, 1);
}

// Warnings are about chunks the game does not use (colour profiles, text).
void png_warned(png_structp, png_const_charp) {}

void png_header_read(png_structp, png_infop info) {
    // Every kind of PNG becomes 8-bit RGB, its transparency laid over white.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_color_16 white = {0, 255, 255, 255, 255};
    png_set_background(png, &white, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    decoded_width = static_cast<int>(png_get_image_width(png, info));
    decoded_height = static_cast<int>(png_get_image_height(png, info));
    if (png_get_rowbytes(png, info) != static_cast<size_t>(decoded_width) * 3)
        fail("it is a kind of PNG the game cannot read");
    decoded_rgb.assign(static_cast<size_t>(decoded_width) * decoded_height * 3, 255);
}

void png_row_read(png_structp, png_bytep row, png_uint_32 number, int) {
    // An interlaced picture's passes are combined in place.
    if (row) png_progressive_combine_row(png, &decoded_rgb[number * 3ULL * decoded_width], row);
    rows_made += 3LL * decoded_width;
}

void png_end_read(png_structp, png_infop) {
    whole = true;
}

void start_png() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, png_failed, png_warned);
    png_about = png ? png_create_info_struct(png) : nullptr;
    if (!png_about) fail("there is not enough memory to decode it");
    // Its size was checked before: nothing the header says is refused again.
    png_set_user_limits(png, 0x7FFFFFFF, 0x7FFFFFFF);
    png_set_progressive_read_fn(png, nullptr, png_header_read, png_row_read, png_end_read);
}

bool decode_png(long long budget) {
    // In small pieces: a flat picture inflates a few bytes into many rows.
    long long until = std::min(length, given + budget);
    rows_made = 0;
    while (given < until && !whole && rows_made < 4 * budget) {
        long long piece = std::min<long long>(65536, until - given);
        png_process_data(png, png_about, const_cast<png_bytep>(bytes + given),
                         static_cast<size_t>(piece));
        given += piece;
    }
    if (!whole && given >= length) fail("it is cut short");
    return whole;
}

}  // namespace

void start_decoding(int picture_kind, const unsigned char *picture_bytes, long long byte_count,
                    int eighths) {
    end_decoding();
    kind = picture_kind;
    bytes = picture_bytes;
    length = byte_count;
    given = 0;
    whole = false;
    jpeg_eighths = std::clamp(eighths, 1, 8);
    decoded_rgb.clear();
    decoded_width = decoded_height = 0;
    failure[0] = 0;
}

int decode_more(long long budget) {
    if (failure[0]) return -1;
    if (setjmp(failed_at)) {
        end_decoding();
        return -1;
    }
    if (kind == jpeg_picture) {
        if (!jpeg_made) start_jpeg();
        whole = decode_jpeg(budget);
    } else {
        if (!png) start_png();
        decode_png(budget);
    }
    if (!whole) return 1;
    end_decoding();
    return 0;
}

const char *decoding_failure() {
    return failure;
}

void end_decoding() {
    if (jpeg_made) jpeg_destroy_decompress(&jpeg);
    jpeg_made = false;
    if (png) png_destroy_read_struct(&png, &png_about, nullptr);
    png = nullptr;
    png_about = nullptr;
}
