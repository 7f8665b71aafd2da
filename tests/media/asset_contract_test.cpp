// The asset contract: the files the game loads from media/, read the way the game
// reads them (through Allegro, without a display, so bitmaps are memory bitmaps).

#include <allegro5/allegro.h>
#include <allegro5/allegro_acodec.h>
#include <allegro5/allegro_audio.h>
#include <allegro5/allegro_font.h>
#include <allegro5/allegro_image.h>
#include <allegro5/allegro_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

class AllegroEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(al_install_system(ALLEGRO_VERSION_INT, atexit));
    ASSERT_TRUE(al_init_image_addon());
    ASSERT_TRUE(al_init_font_addon());
    ASSERT_TRUE(al_init_ttf_addon());
    al_set_new_bitmap_flags(ALLEGRO_MEMORY_BITMAP);
  }
};

::testing::Environment* const allegro_env =
    ::testing::AddGlobalTestEnvironment(new AllegroEnvironment);

struct BitmapDeleter {
  void operator()(ALLEGRO_BITMAP* b) const { al_destroy_bitmap(b); }
};
using Bitmap = std::unique_ptr<ALLEGRO_BITMAP, BitmapDeleter>;

struct FontDeleter {
  void operator()(ALLEGRO_FONT* f) const { al_destroy_font(f); }
};
using Font = std::unique_ptr<ALLEGRO_FONT, FontDeleter>;

Bitmap load(const std::string& path) { return Bitmap(al_load_bitmap(path.c_str())); }

struct Rect {
  int x, y, w, h;
};

struct Rgba {
  float r, g, b, a;
};

Rgba pixel(ALLEGRO_BITMAP* bmp, int x, int y) {
  Rgba p{};
  al_unmap_rgba_f(al_get_pixel(bmp, x, y), &p.r, &p.g, &p.b, &p.a);
  return p;
}

double linear(double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); }

// Relative luminance of an sRGB colour, components 0..1.
double luminance(double r, double g, double b) {
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

double luminance8(int r, int g, int b) { return luminance(r / 255.0, g / 255.0, b / 255.0); }

double contrast(double l1, double l2) {
  return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

// Mean colour of a rectangle, un-premultiplied (the sheet loads premultiplied).
Rgba mean_colour(ALLEGRO_BITMAP* bmp, Rect r) {
  double sr = 0, sg = 0, sb = 0, sa = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) {
      Rgba p = pixel(bmp, x, y);
      sr += p.r;
      sg += p.g;
      sb += p.b;
      sa += p.a;
    }
  if (sa == 0) return {0, 0, 0, 0};
  const double n = double(r.w) * r.h;
  return {float(sr / sa), float(sg / sa), float(sb / sa), float(sa / n)};
}

const char* const kGroups[] = {"b", "p", "w"};

std::vector<std::string> picture_files() {
  std::vector<std::string> files;
  for (const char* g : kGroups)
    for (int n = 1; n <= 10; ++n) files.push_back("media/" + std::string(g) + std::to_string(n) + ".jpg");
  return files;
}

TEST(media_files, EveryFileTheGameLoadsIsPresentAndNotEmpty) {
  std::vector<std::string> files = {"media/t2.jpg",      "media/ele.png", "media/ele-en.png",
                                    "media/arial.ttf",   "media/arialbd.ttf", "media/s1.wav",
                                    "media/s3.wav",      "media/s5.wav",  "media/s.wav"};
  for (const auto& f : picture_files()) files.push_back(f);
  std::vector<std::string> missing;
  for (const auto& f : files) {
    std::ifstream in(f, std::ios::binary | std::ios::ate);
    if (!in || in.tellg() <= 0) missing.push_back(f);
  }
  EXPECT_TRUE(missing.empty()) << "missing or empty: " << missing.size() << " files, first "
                               << (missing.empty() ? "" : missing.front());
}

// The background is drawn whole at (0, 0) and copied 1:1, and the pale texts of the
// intro and the end screen stand on it or on darker things.
TEST(media_background, FillsTheWindowAndIsDarkEnoughForTheLightTexts) {
  Bitmap bg = load("media/t2.jpg");
  ASSERT_TRUE(bg) << "media/t2.jpg does not load";
  ASSERT_EQ(al_get_bitmap_width(bg.get()), 1020);
  ASSERT_EQ(al_get_bitmap_height(bg.get()), 710);

  al_lock_bitmap(bg.get(), ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  std::vector<double> lum;
  for (int y = 0; y < 710; y += 2)
    for (int x = 0; x < 1020; x += 2) {
      Rgba p = pixel(bg.get(), x, y);
      lum.push_back(luminance(p.r, p.g, p.b));
    }
  al_unlock_bitmap(bg.get());
  std::sort(lum.begin(), lum.end());
  const double bright = lum[lum.size() * 99 / 100];  // brightest 1% ignored as grain
  EXPECT_GE(contrast(luminance8(99, 133, 122), bright), 4.0) << "intro text colour";
  EXPECT_GE(contrast(luminance8(166, 199, 166), bright), 7.0) << "end screen text colour";
}

// Mean absolute difference per channel between a square and itself turned by 1, 2
// or 3 quarters, whichever is least. `sq` holds 150 x 150 RGB values row by row.
double least_turn_difference(const std::vector<float>& sq) {
  constexpr int n = 150;
  double least = 1e9;
  for (int turn = 1; turn <= 3; ++turn) {
    double sum = 0;
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) {
        // the pixel that the turn brings to (x, y)
        const int sx = turn == 1 ? y : turn == 2 ? n - 1 - x : n - 1 - y;
        const int sy = turn == 1 ? n - 1 - x : turn == 2 ? n - 1 - y : x;
        for (int c = 0; c < 3; ++c) sum += std::abs(sq[(y * n + x) * 3 + c] - sq[(sy * n + sx) * 3 + c]);
      }
    least = std::min(least, sum / (n * n * 3));
  }
  return least;
}

// The board shows a picture as twelve 150 x 150 squares. A square without any
// detail cannot be told from its neighbours; one that looks the same turned (plain
// sky, still water) leaves the player guessing whether its cube is upright. The
// turns are compared as the fronts are drawn, tinted to grey 200.
TEST(media_pictures, ThirtyPicturesCoverTheBoardWithDetailAndAnUpInEverySquare) {
  double least = 1e9;
  std::string where;
  std::vector<float> sq(150 * 150 * 3);
  for (const auto& f : picture_files()) {
    SCOPED_TRACE(f);
    Bitmap pic = load(f);
    ASSERT_TRUE(pic) << "does not load";
    EXPECT_GE(al_get_bitmap_width(pic.get()), 600);
    EXPECT_GE(al_get_bitmap_height(pic.get()), 450);
    if (al_get_bitmap_width(pic.get()) < 600 || al_get_bitmap_height(pic.get()) < 450) continue;
    al_lock_bitmap(pic.get(), ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
    for (int row = 0; row < 3; ++row)
      for (int col = 0; col < 4; ++col) {
        double sum = 0, sum2 = 0;
        int n = 0;
        for (int y = 0; y < 150; ++y)
          for (int x = 0; x < 150; ++x) {
            const Rgba p = pixel(pic.get(), col * 150 + x, row * 150 + y);
            float* out = &sq[(y * 150 + x) * 3];
            out[0] = 200 * p.r;
            out[1] = 200 * p.g;
            out[2] = 200 * p.b;
            if (x % 2 || y % 2) continue;
            const double l = 255 * (0.299 * p.r + 0.587 * p.g + 0.114 * p.b);
            sum += l;
            sum2 += l * l;
            ++n;
          }
        const double sd = std::sqrt(std::max(0.0, sum2 / n - (sum / n) * (sum / n)));
        EXPECT_GE(sd, 6.0) << "square row " << row << " column " << col << " is nearly uniform";
        const double turned = least_turn_difference(sq);
        if (turned < least) {
          least = turned;
          where = f + " row " + std::to_string(row) + " column " + std::to_string(col);
        }
      }
    al_unlock_bitmap(pic.get());
  }
  EXPECT_GE(least, 10.0) << where << " looks nearly the same turned";
}

class media_sheet : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    sheet_ = al_load_bitmap("media/ele.png");
    if (sheet_) al_lock_bitmap(sheet_, ALLEGRO_PIXEL_FORMAT_ANY, ALLEGRO_LOCK_READONLY);
  }
  static void TearDownTestSuite() {
    if (sheet_) al_destroy_bitmap(sheet_);
    sheet_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(sheet_, nullptr) << "media/ele.png does not load";
  }
  static float alpha(int x, int y) { return pixel(sheet_, x, y).a; }
  static int count_alpha_above(Rect r, float level) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        if (alpha(x, y) > level) ++n;
    return n;
  }
  static ALLEGRO_BITMAP* sheet_;
};
ALLEGRO_BITMAP* media_sheet::sheet_ = nullptr;

TEST_F(media_sheet, IsLargeEnoughAndEveryRegionHoldsItsPiece) {
  ASSERT_GE(al_get_bitmap_width(sheet_), 672);
  ASSERT_GE(al_get_bitmap_height(sheet_), 807);
  struct Region {
    const char* name;
    Rect r;
    double min_covered;  // share of the region's pixels that are mostly opaque
  };
  const Region regions[] = {
      {"move label plate", {67, 325, 135, 66}, 0.8},
      {"bottom bar", {67, 325, 605, 70}, 0.8},
      {"group bar", {80, 368, 200, 35}, 0.5},
      {"empty group slot", {355, 395, 154, 54}, 0.8},
      {"group slot highlight", {508, 395, 154, 54}, 0.8},
      {"exit button plate", {166, 472, 138, 38}, 0.8},
      {"edge strip", {30, 0, 30, 710}, 0.1},
      {"divider strip", {0, 0, 55, 710}, 0.1},
      {"board frame quarter", {60, 0, 355, 310}, 0.1},
      {"counter badge", {60, 450, 77, 77}, 0.7},
      {"completion banner", {65, 400, 285, 46}, 0.7},
      {"intro picture", {60, 530, 610, 277}, 0.2},
      {"thumbnail frame", {460, 200, 150, 110}, 0.01},
      {"veil", {350, 470, 40, 40}, 1.0},
      {"restart button", {469, 473, 127, 31}, 0.8},
      {"restart button faded in", {466, 470, 138, 41}, 0.6},
      {"lit progress segment", {530, 406, 40, 26}, 1.0},
  };
  for (const auto& reg : regions) {
    const double share = double(count_alpha_above(reg.r, 0.5)) / (reg.r.w * reg.r.h);
    EXPECT_GE(share, reg.min_covered) << reg.name;
  }
}

// The first fade-in stretches this 40 x 40 piece over the whole window as a black
// veil; any hole or speck in it would show as a blotch.
TEST_F(media_sheet, VeilIsOpaqueAndUniform) {
  const Rgba first = pixel(sheet_, 350, 470);
  for (int y = 470; y < 510; ++y)
    for (int x = 350; x < 390; ++x) {
      const Rgba p = pixel(sheet_, x, y);
      ASSERT_EQ(p.a, 1.0f) << "at " << x << "," << y;
      ASSERT_TRUE(p.r == first.r && p.g == first.g && p.b == first.b) << "at " << x << "," << y;
    }
}

// The frame is drawn over each 140 x 100 thumbnail at the same corner.
TEST_F(media_sheet, ThumbnailFrameLeavesThePictureClear) {
  EXPECT_EQ(count_alpha_above({460, 200, 140, 100}, 0.0f), 0);
  const int frame = count_alpha_above({600, 200, 10, 110}, 0.2f) +
                    count_alpha_above({460, 300, 140, 10}, 0.2f);
  EXPECT_GT(frame, 0) << "nothing of a frame outside the window";
}

// Fully open, the banner is stretched to x 351..909, but the summary repaints
// the strip under the board only up to x 900: the banner's outer five columns
// (ten stretched pixels) must be clear so no sliver of it stays behind.
TEST_F(media_sheet, BannerEndsAreClearBeyondTheSummarysRepaint) {
  EXPECT_EQ(count_alpha_above({65, 400, 5, 46}, 0.0f), 0);
  EXPECT_EQ(count_alpha_above({65 + 285 - 5, 400, 5, 46}, 0.0f), 0);
  EXPECT_GT(count_alpha_above({65 + 5, 400, 275, 46}, 0.5f), 275 * 46 / 2);
}

// Four mirrored copies of the quarter frame the board: the cubes show through its
// inside, and its borders must run on unchanged where the copies meet.
TEST_F(media_sheet, BoardFrameQuarterIsClearInsideAndMeetsItsMirrors) {
  // Cubes start 45 columns and 50 rows (49 for the stretched bottom copies) in.
  EXPECT_EQ(count_alpha_above({60 + 46, 49, 355 - 46, 310 - 49}, 0.0f), 0);
  // The outer borders are solid along their whole length.
  EXPECT_EQ(count_alpha_above({60 + 40, 10, 315, 1}, 0.99f), 315);
  EXPECT_EQ(count_alpha_above({60 + 10, 40, 1, 270}, 0.99f), 270);
  // The top copies end at row 244 and the bottom ones at row 309, side by side.
  for (int x = 60; x < 60 + 46; ++x) {
    const Rgba a = pixel(sheet_, x, 244), b = pixel(sheet_, x, 309);
    EXPECT_NEAR(a.r, b.r, 0.02) << "column " << x;
    EXPECT_NEAR(a.g, b.g, 0.02) << "column " << x;
    EXPECT_NEAR(a.b, b.b, 0.02) << "column " << x;
    EXPECT_NEAR(a.a, b.a, 0.02) << "column " << x;
  }
}

// Each text the game draws over a piece must read on it, in the colour the game uses.
TEST_F(media_sheet, TextsReadOnThePiecesUnderThem) {
  struct Case {
    const char* what;
    Rect band;  // in the sheet, where the text falls once the piece is drawn
    int r, g, b;
    double min_contrast;
  };
  const Case cases[] = {
      {"\"RUCH >\" on the move label", {114, 347, 66, 17}, 11, 11, 11, 7.0},
      {"move count on the counter badge", {80, 478, 36, 22}, 0, 22, 22, 7.0},
      {"group name on the slot highlight", {533, 413, 104, 14}, 199, 222, 199, 3.0},
      {"\"WYJŚCIE\" on the exit plate", {196, 482, 78, 15}, 166, 166, 166, 3.0},
  };
  for (const auto& c : cases) {
    const Rgba m = mean_colour(sheet_, c.band);
    EXPECT_GE(m.a, 0.99f) << c.what << ": the piece is not solid under the text";
    EXPECT_GE(contrast(luminance(m.r, m.g, m.b), luminance8(c.r, c.g, c.b)), c.min_contrast)
        << c.what;
  }
}

// Luma as a display shows it (Rec. 601 weights on the stored values), 0..255.
double luma(double r, double g, double b) { return 0.299 * r + 0.587 * g + 0.114 * b; }

// A lit progress segment must read at a glance against an empty cell, rgb(0, 66, 66):
// measured as the game draws it, squeezed to 32 x 13 and turned upside down.
TEST(media_progress_bar, LitSegmentIsFarBrighterThanAnEmptyCell) {
  Bitmap sheet = load("media/ele.png");
  ASSERT_TRUE(sheet) << "media/ele.png does not load";
  Bitmap cell(al_create_bitmap(32, 13));
  ASSERT_TRUE(cell);
  al_set_target_bitmap(cell.get());
  al_clear_to_color(al_map_rgb(0, 66, 66));
  al_draw_scaled_bitmap(sheet.get(), 530, 406, 40, 26, 0, 0, 32, 13,
                        ALLEGRO_FLIP_HORIZONTAL | ALLEGRO_FLIP_VERTICAL);
  al_set_target_bitmap(nullptr);
  double sum = 0;
  for (int y = 0; y < 13; ++y)
    for (int x = 0; x < 32; ++x) {
      const Rgba p = pixel(cell.get(), x, y);
      sum += 255 * luma(p.r, p.g, p.b);
    }
  EXPECT_GE(sum / (32 * 13), 2.5 * luma(0, 66, 66));
}

// The restart button is drawn from the sheet alone, so it carries its own caption;
// the first line of intro text is drawn over the foot of the intro picture.
TEST_F(media_sheet, RestartButtonHasACaptionAndIntroPictureLeavesRoomForText) {
  int light = 0, dark = 0;
  for (int y = 473 + 8; y < 473 + 23; ++y)
    for (int x = 469 + 10; x < 469 + 117; ++x) {
      const Rgba p = pixel(sheet_, x, y);
      ASSERT_GE(p.a, 0.99f) << "button face not solid at " << x << "," << y;
      (luminance(p.r, p.g, p.b) > 0.4 ? light : dark)++;
    }
  EXPECT_GT(light, 100) << "no caption on the restart button";
  EXPECT_GT(dark, 100) << "caption fills the whole button";

  // Rows 260..276 of the picture lie under the line drawn at y = 360.
  double brightest = 0;
  for (int y = 530 + 260; y < 530 + 277; ++y)
    for (int x = 60; x < 670; ++x) {
      const Rgba p = pixel(sheet_, x, y);  // premultiplied: colour already scaled by alpha
      brightest = std::max(brightest, luminance(p.r, p.g, p.b));
    }
  EXPECT_LE(brightest, 0.03);
}

// The icon is installed for the desktop and set on the window under these exact
// names: square at its size, a solid cube on a transparent ground, plus a scalable one.
TEST(media_icons, EverySizeIsSquareWithASolidCubeOnAClearGround) {
  for (int size : {48, 64, 128, 256}) {
    const std::string path = "media/icon-" + std::to_string(size) + ".png";
    SCOPED_TRACE(path);
    Bitmap icon = load(path);
    ASSERT_TRUE(icon) << "does not load";
    ASSERT_EQ(al_get_bitmap_width(icon.get()), size);
    ASSERT_EQ(al_get_bitmap_height(icon.get()), size);
    int clear = 0, solid = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        const float a = pixel(icon.get(), x, y).a;
        clear += a == 0.0f;
        solid += a == 1.0f;
      }
    EXPECT_EQ(pixel(icon.get(), 0, 0).a, 0.0f) << "corner not transparent";
    EXPECT_EQ(pixel(icon.get(), size / 2, size / 2).a, 1.0f) << "middle not solid";
    EXPECT_GT(clear, size * size / 5);
    EXPECT_GT(solid, size * size / 2);
  }
  std::ifstream svg("media/icon.svg");
  const std::string text((std::istreambuf_iterator<char>(svg)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("<svg"), std::string::npos) << "media/icon.svg";
  EXPECT_NE(text.find("viewBox"), std::string::npos) << "media/icon.svg";
}

// Every text the game writes, constant or formatted (digits for the counts).
const char* const kTexts[] = {
    "RUCH >",
    "WYJŚCIE",
    "BAJKI",
    "PRZYRODA",
    "WIDOKI",
    "TEN OBRAZEK JUŻ UŁOŻONY - WYBIERZ INNY",
    "Gra zakończona",
    "ZESTAW %d  ",
    "    - wykonano %d obrotów klockami",
    "Gra na wzór starych dobrych klocków z obrazkami",
    "Składa się z 12 klocków losowo 'oklejonych' przyciętymi obrazkami.",
    "Obrazków jest 18 i są podzielone na trzy grupy - miniaturki z lewej.",
    "Klocki są już na swoich miejscach, można okręcać je w dwóch osiach w dowolną stronę.",
    "Aby okręcić klocek wystarczy kliknąć na niego i przesunąć strzałkę w wybranym kierunku.",
    "Grafiki obrazków wykorzystana z zasobów internetowych",
    "0123456789",
    "óąćęłńżŁŚŻ",
};

TEST(media_fonts, BothFacesHaveEveryCharacterOfEveryText) {
  for (const char* path : {"media/arial.ttf", "media/arialbd.ttf"}) {
    SCOPED_TRACE(path);
    Font font(al_load_ttf_font(path, 18, 0));
    ASSERT_TRUE(font) << "does not load";
    const int count = al_get_font_ranges(font.get(), 0, nullptr);
    ASSERT_GT(count, 0);
    std::vector<int> ranges(2 * count);
    al_get_font_ranges(font.get(), count, ranges.data());
    auto covered = [&](int32_t cp) {
      for (int i = 0; i < count; ++i)
        if (cp >= ranges[2 * i] && cp <= ranges[2 * i + 1]) return true;
      return false;
    };
    for (const char* text : kTexts) {
      ALLEGRO_USTR_INFO info;
      const ALLEGRO_USTR* u = al_ref_cstr(&info, text);
      int pos = 0;
      int32_t cp;
      while ((cp = al_ustr_get_next(u, &pos)) >= 0) {
        EXPECT_TRUE(covered(cp)) << "U+" << std::hex << cp << " in \"" << text << "\"";
        if (cp != ' ') {
          int bx, by, bw, bh;
          EXPECT_TRUE(al_get_glyph_dimensions(font.get(), cp, &bx, &by, &bw, &bh) && bw > 0)
              << "U+" << std::hex << cp << " has no outline";
        }
      }
      EXPECT_GT(al_get_text_width(font.get(), text), 0) << text;
    }
  }
}

struct WavInfo {
  bool ok = false;
  int format = 0, channels = 0, rate = 0, bits = 0;
  uint32_t data_bytes = 0;
  double seconds() const { return ok ? double(data_bytes) / (rate * channels * bits / 8) : 0; }
};

uint32_t le(const unsigned char* p, int n) {
  uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

WavInfo read_wav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  WavInfo w;
  if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
      std::string(d.begin() + 8, d.begin() + 12) != "WAVE")
    return w;
  bool fmt = false;
  for (size_t pos = 12; pos + 8 <= d.size();) {
    const std::string id(d.begin() + pos, d.begin() + pos + 4);
    const uint32_t size = le(&d[pos + 4], 4);
    const size_t body = pos + 8;
    if (body + size > d.size()) return w;
    if (id == "fmt " && size >= 16) {
      w.format = le(&d[body], 2);
      w.channels = le(&d[body + 2], 2);
      w.rate = le(&d[body + 4], 4);
      w.bits = le(&d[body + 14], 2);
      fmt = true;
    } else if (id == "data") {
      w.data_bytes = size;
      w.ok = fmt && w.channels > 0 && w.rate > 0 && w.bits > 0;
      return w;
    }
    pos = body + size + (size & 1);
  }
  return w;
}

// The tick is requested once per frame during the 710-frame scroll; the chime
// accompanies a 0.9 s animation; the fanfare opens the summary.
TEST(media_sounds, AreShort16BitPcmOfTheRightLengths) {
  struct Case {
    const char* path;
    double min_s, max_s;
  };
  const Case cases[] = {{"media/s1.wav", 0.005, 0.1},
                        {"media/s5.wav", 0.6, 1.6},
                        {"media/s3.wav", 0.5, 3.0},
                        {"media/s.wav", 0.005, 2.0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const WavInfo w = read_wav(c.path);
    ASSERT_TRUE(w.ok) << "not a readable WAV file";
    EXPECT_EQ(w.format, 1) << "not PCM";
    EXPECT_EQ(w.bits, 16);
    EXPECT_GE(w.seconds(), c.min_s);
    EXPECT_LE(w.seconds(), c.max_s);
  }
}

TEST(media_sounds, LoadThroughTheAudioAddon) {
  // The WAV loader does not need a sound device; the game installs audio first,
  // so do the same where a device exists.
  if (!al_is_audio_installed()) al_install_audio();
  ASSERT_TRUE(al_init_acodec_addon());
  for (const char* path : {"media/s1.wav", "media/s3.wav", "media/s5.wav", "media/s.wav"}) {
    ALLEGRO_SAMPLE* s = al_load_sample(path);
    EXPECT_NE(s, nullptr) << path;
    if (!s) continue;
    EXPECT_EQ(al_get_sample_depth(s), ALLEGRO_AUDIO_DEPTH_INT16) << path;
    EXPECT_GT(al_get_sample_length(s), 0u) << path;
    al_destroy_sample(s);
  }
}

// The English sheet is the same artwork with other words painted on: it differs
// from the Polish one inside each caption and nowhere else.
TEST(media_sheet_english, DiffersFromThePolishSheetOnlyInTheCaptions) {
  Bitmap polish = load("media/ele.png");
  Bitmap english = load("media/ele-en.png");
  ASSERT_TRUE(polish && english);
  ASSERT_EQ(al_get_bitmap_width(english.get()), al_get_bitmap_width(polish.get()));
  ASSERT_EQ(al_get_bitmap_height(english.get()), al_get_bitmap_height(polish.get()));
  // The banner, the restart button, and the title beside the intro's cubes.
  const Rect captions[] = {{65, 400, 285, 46}, {466, 470, 138, 41}, {360, 530, 310, 247}};
  int differing[3] = {}, elsewhere = 0;
  for (int y = 0; y < al_get_bitmap_height(polish.get()); ++y)
    for (int x = 0; x < al_get_bitmap_width(polish.get()); ++x) {
      Rgba a = pixel(polish.get(), x, y), b = pixel(english.get(), x, y);
      if (a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a) continue;
      int k = 0;
      while (k < 3 && !(x >= captions[k].x && x < captions[k].x + captions[k].w &&
                        y >= captions[k].y && y < captions[k].y + captions[k].h))
        ++k;
      if (k < 3) ++differing[k]; else ++elsewhere;
    }
  EXPECT_EQ(elsewhere, 0);
  for (int k = 0; k < 3; ++k)
    EXPECT_GT(differing[k], 100) << "caption " << k << " is not redrawn";
}

}  // namespace
