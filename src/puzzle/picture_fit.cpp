// Turning a decoded picture upright, cutting its middle 4:3 and scaling it to 600 x 450.
#include "puzzle/picture_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const int out_width = 600;
const int out_height = 450;

// For each output pixel along one axis, the source pixels it is made of and
// their weights, which sum to 1.
struct taps {
    std::vector<int> first;
    std::vector<int> count;
    std::vector<float> weights;  // `widest` a pixel
    int widest;
};

taps columns, rows;
// Where upright column u and upright row v start in the stored bytes: the
// byte of upright pixel (u, v) is column_offset[u] + row_offset[v].
std::vector<long long> column_offset, row_offset;
const unsigned char *pixels;
double source_pixels_per_row;

// `outputs` pixels over the stretch [start, start + length) of a source
// `size` pixels long, source pixel j covering [j, j + 1).
void make_taps(taps &t, int outputs, double start, double length, int size) {
    double scale = length / outputs;
    // Rounding must not reach past the source's edge.
    int low = std::max(0, static_cast<int>(std::floor(start)));
    int high = std::min(size - 1, static_cast<int>(std::ceil(start + length)) - 1);
    t.widest = scale >= 1 ? static_cast<int>(std::ceil(scale)) + 1 : 2;
    t.first.assign(outputs, 0);
    t.count.assign(outputs, 0);
    t.weights.assign(static_cast<size_t>(outputs) * t.widest, 0.0f);
    for (int i = 0; i < outputs; i++) {
        float *w = &t.weights[static_cast<size_t>(i) * t.widest];
        if (scale >= 1) {
            // Each output pixel is the average of the area it covers.
            double from = start + i * scale, to = from + scale;
            int j0 = std::max(low, static_cast<int>(std::floor(from)));
            int j1 = std::min(high, static_cast<int>(std::ceil(to)) - 1);
            t.first[i] = j0;
            t.count[i] = j1 - j0 + 1;
            for (int j = j0; j <= j1; j++) {
                double covered = std::min(to, j + 1.0) - std::max(from, static_cast<double>(j));
                w[j - j0] = static_cast<float>(std::max(0.0, covered) / scale);
            }
        } else {
            // Enlarged: between the two nearest source pixels.
            double centre = start + (i + 0.5) * scale - 0.5;
            int j0 = static_cast<int>(std::floor(centre));
            double along = centre - j0;
            int a = std::clamp(j0, low, high), b = std::clamp(j0 + 1, low, high);
            t.first[i] = a;
            t.count[i] = b - a + 1;
            if (a == b) {
                w[0] = 1.0f;
            } else {
                w[0] = static_cast<float>(1 - along);
                w[1] = static_cast<float>(along);
            }
        }
    }
}

// The stored pixel that upright pixel (u, v) comes from, for the EXIF
// orientations: 2 and 4 mirrored, 3 half a turn, 6 and 8 a quarter turn each
// way, 5 and 7 mirrored across a diagonal.
void stored_position(int orientation, int u, int v, int width, int height, int &x, int &y) {
    switch (orientation) {
        case 2:
            x = width - 1 - u, y = v;
            break;
        case 3:
            x = width - 1 - u, y = height - 1 - v;
            break;
        case 4:
            x = u, y = height - 1 - v;
            break;
        case 5:
            x = v, y = u;
            break;
        case 6:
            x = v, y = height - 1 - u;
            break;
        case 7:
            x = width - 1 - v, y = height - 1 - u;
            break;
        case 8:
            x = width - 1 - v, y = u;
            break;
        default:
            x = u, y = v;
            break;
    }
}

}  // namespace

void start_fit(const stored_pixels &stored, int orientation) {
    pixels = stored.rgb;
    bool across = orientation >= 5;
    int w = across ? stored.height : stored.width;
    int h = across ? stored.width : stored.height;
    auto offset = [&](int u, int v) {
        int x, y;
        stored_position(orientation, u, v, stored.width, stored.height, x, y);
        return (static_cast<long long>(y) * stored.width + x) * 3;
    };
    column_offset.resize(w);
    row_offset.resize(h);
    for (int u = 0; u < w; u++) column_offset[u] = offset(u, 0) - offset(0, 0);
    for (int v = 0; v < h; v++) row_offset[v] = offset(0, v);

    // The widest 4:3 stretch the picture holds, about its centre.
    double cut_width = std::min(static_cast<double>(w), h * 4.0 / 3.0);
    double cut_height = cut_width * 3.0 / 4.0;
    make_taps(columns, out_width, (w - cut_width) / 2, cut_width, w);
    make_taps(rows, out_height, (h - cut_height) / 2, cut_height, h);
    source_pixels_per_row = cut_width * std::max(1.0, cut_height / out_height);
}

void fit_rows(int first, int count, unsigned char *rgba) {
    float sum[out_width * 3];
    for (int v = first; v < first + count && v < out_height; v++) {
        std::fill(sum, sum + out_width * 3, 0.0f);
        for (int t = 0; t < rows.count[v]; t++) {
            float wy = rows.weights[static_cast<size_t>(v) * rows.widest + t];
            const unsigned char *row = pixels + row_offset[rows.first[v] + t];
            for (int i = 0; i < out_width; i++) {
                const float *wx = &columns.weights[static_cast<size_t>(i) * columns.widest];
                const long long *from = &column_offset[columns.first[i]];
                float r = 0, g = 0, b = 0;
                for (int s = 0; s < columns.count[i]; s++) {
                    const unsigned char *p = row + from[s];
                    r += wx[s] * p[0];
                    g += wx[s] * p[1];
                    b += wx[s] * p[2];
                }
                sum[3 * i] += wy * r;
                sum[3 * i + 1] += wy * g;
                sum[3 * i + 2] += wy * b;
            }
        }
        unsigned char *out = rgba + static_cast<size_t>(v) * out_width * 4;
        for (int i = 0; i < out_width; i++) {
            for (int c = 0; c < 3; c++) {
                float value = std::round(sum[3 * i + c]);
                out[4 * i + c] = static_cast<unsigned char>(std::clamp(value, 0.0f, 255.0f));
            }
            out[4 * i + 3] = 255;
        }
    }
}

int fit_rows_per_step() {
    // About two million source pixels a band.
    return std::clamp(static_cast<int>(2e6 / source_pixels_per_row), 1, out_height);
}
