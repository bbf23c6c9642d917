// Draws the artwork of the Bitmaps unit: every picture the screens name, in one
// look (dark navy panels, a cyan accent for focus), as PNG files plus the
// frames list that bmppack reads.
//
//   bmpdraw <output folder> [font file]
//
// Shapes are drawn from signed distance functions, which gives clean
// anti-aliased edges without a rasteriser library; labels use FreeType with a
// free bold face. Frame bitmaps (buttons, focus frames, panels, slider parts)
// are nine-cell designs whose sizes are multiples of 3: their edges are uniform
// along their length and their interiors flat, so that tiling them over any
// rectangle shows no seams. Large backgrounds change only from row to row,
// which keeps their packed streams small.
#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ------------------------------------------------------------------ colours

struct Rgba {
  float r = 0, g = 0, b = 0, a = 0;  // straight alpha, 0..1
};

constexpr Rgba C(int r, int g, int b, int a = 255) { return {r / 255.f, g / 255.f, b / 255.f, a / 255.f}; }

Rgba Mix(Rgba x, Rgba y, float t) {
  return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t, x.a + (y.a - x.a) * t};
}
Rgba WithAlpha(Rgba c, float a) { return {c.r, c.g, c.b, a}; }

// The palette of the whole interface.
const Rgba kAccent = C(40, 188, 249);
const Rgba kAccentDeep = C(16, 112, 196);
const Rgba kPanel = C(16, 26, 42, 236);
const Rgba kPanelLight = C(36, 52, 78, 240);
const Rgba kLine = C(84, 108, 142);
const Rgba kWhite = C(240, 244, 248);
const Rgba kGrey = C(150, 158, 170);
const Rgba kDim = C(96, 104, 116);
const Rgba kRed = C(232, 52, 44);
const Rgba kGreen = C(64, 200, 96);
const Rgba kYellow = C(250, 200, 40);
const Rgba kOrange = C(248, 140, 32);
const Rgba kBlue = C(48, 120, 240);

using Paint = std::function<Rgba(float x, float y)>;
Paint Solid(Rgba c) {
  return [c](float, float) { return c; };
}
Paint Vertical(Rgba top, Rgba bottom, float y0, float y1) {
  return [=](float, float y) { return Mix(top, bottom, std::clamp((y - y0) / std::max(y1 - y0, 1.f), 0.f, 1.f)); };
}

// ------------------------------------------------------------------- shapes

using Sdf = std::function<float(float x, float y)>;

Sdf Box(float x0, float y0, float x1, float y1, float radius) {
  return [=](float x, float y) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    const float outside = std::hypot(std::max(qx, 0.f), std::max(qy, 0.f));
    return outside + std::min(std::max(qx, qy), 0.f) - radius;
  };
}
Sdf Circle(float cx, float cy, float r) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}
Sdf Segment(float ax, float ay, float bx, float by, float halfWidth) {
  return [=](float x, float y) {
    const float px = x - ax, py = y - ay, vx = bx - ax, vy = by - ay;
    const float t = std::clamp((px * vx + py * vy) / std::max(vx * vx + vy * vy, 1e-6f), 0.f, 1.f);
    return std::hypot(px - vx * t, py - vy * t) - halfWidth;
  };
}
// A convex polygon, corners in clockwise order on screen (y down).
Sdf Polygon(std::vector<std::pair<float, float>> p) {
  return [p](float x, float y) {
    float d = -1e9f;
    for (size_t i = 0; i < p.size(); ++i) {
      const auto [ax, ay] = p[i];
      const auto [bx, by] = p[(i + 1) % p.size()];
      const float ex = bx - ax, ey = by - ay, len = std::hypot(ex, ey);
      d = std::max(d, ((x - ax) * ey - (y - ay) * ex) / len);
    }
    return d;
  };
}
Sdf Ring(Sdf shape, float width) {
  return [=](float x, float y) { return std::fabs(shape(x, y) + width / 2) - width / 2; };
}
Sdf Union(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Sdf Minus(Sdf a, Sdf b) {
  return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Sdf Polyline(std::vector<std::pair<float, float>> p, float halfWidth) {
  Sdf s = Segment(p[0].first, p[0].second, p[1].first, p[1].second, halfWidth);
  for (size_t i = 1; i + 1 < p.size(); ++i)
    s = Union(s, Segment(p[i].first, p[i].second, p[i + 1].first, p[i + 1].second, halfWidth));
  return s;
}

// ------------------------------------------------------------------- canvas

FT_Library g_ft = nullptr;
FT_Face g_face = nullptr;

class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}
  int W() const { return w_; }
  int H() const { return h_; }

  void Over(int x, int y, Rgba c, float coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    const float a = c.a * std::clamp(coverage, 0.f, 1.f);
    if (a <= 0) return;
    Rgba& d = px_[static_cast<size_t>(y) * w_ + x];
    const float out = a + d.a * (1 - a);
    d.r = (c.r * a + d.r * d.a * (1 - a)) / out;
    d.g = (c.g * a + d.g * d.a * (1 - a)) / out;
    d.b = (c.b * a + d.b * d.a * (1 - a)) / out;
    d.a = out;
  }

  void Fill(const Sdf& shape, const Paint& paint) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        const float fx = x + 0.5f, fy = y + 0.5f;
        const float coverage = std::clamp(0.5f - shape(fx, fy), 0.f, 1.f);
        if (coverage > 0) Over(x, y, paint(fx, fy), coverage);
      }
  }
  void Fill(const Sdf& shape, Rgba c) { Fill(shape, Solid(c)); }

  // A soft glow around a shape: alpha falling off over `spread` pixels.
  void Glow(const Sdf& shape, Rgba c, float spread) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        const float d = shape(x + 0.5f, y + 0.5f);
        if (d > 0 && d < spread) Over(x, y, c, (1 - d / spread) * (1 - d / spread));
      }
  }

  // Every row one colour (backgrounds).
  void Rows(const std::function<Rgba(int y)>& row) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) Over(x, y, row(y), 1);
  }

  float TextWidth(const std::string& text, int size) const {
    FT_Set_Pixel_Sizes(g_face, 0, static_cast<FT_UInt>(size));
    float w = 0;
    for (unsigned char ch : text) {
      if (FT_Load_Char(g_face, ch, FT_LOAD_DEFAULT)) continue;
      w += g_face->glyph->advance.x / 64.f;
    }
    return w;
  }

  // Text centred on (cx, cy), the height of capitals around cy.
  void Text(const std::string& text, int size, float cx, float cy, Rgba c) {
    const float width = TextWidth(text, size);
    FT_Set_Pixel_Sizes(g_face, 0, static_cast<FT_UInt>(size));
    float pen = std::round(cx - width / 2);
    const float baseline = std::round(cy + size * 0.36f);
    for (unsigned char ch : text) {
      if (FT_Load_Char(g_face, ch, FT_LOAD_RENDER)) continue;
      const FT_GlyphSlot g = g_face->glyph;
      for (unsigned row = 0; row < g->bitmap.rows; ++row)
        for (unsigned col = 0; col < g->bitmap.width; ++col) {
          const float v = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.f;
          Over(static_cast<int>(pen) + g->bitmap_left + static_cast<int>(col),
               static_cast<int>(baseline) - g->bitmap_top + static_cast<int>(row), c, v);
        }
      pen += g->advance.x / 64.f;
    }
  }

  // Draws another canvas at (x, y).
  void Put(const Canvas& other, int x, int y) {
    for (int j = 0; j < other.h_; ++j)
      for (int i = 0; i < other.w_; ++i) {
        const Rgba c = other.px_[static_cast<size_t>(j) * other.w_ + i];
        Over(x + i, y + j, c, 1);
      }
  }

  bool Save(const fs::path& path) const {
    std::vector<uint8_t> rgba(px_.size() * 4);
    auto q = [](float v) { return static_cast<uint8_t>(std::lround(std::clamp(v, 0.f, 1.f) * 255)); };
    for (size_t i = 0; i < px_.size(); ++i) {
      const Rgba& p = px_[i];
      const uint8_t a = q(p.a);
      // Fully transparent pixels carry no colour, which packs better.
      rgba[i * 4 + 0] = a ? q(p.r) : 0;
      rgba[i * 4 + 1] = a ? q(p.g) : 0;
      rgba[i * 4 + 2] = a ? q(p.b) : 0;
      rgba[i * 4 + 3] = a;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(w_);
    png.height = static_cast<png_uint_32>(h_);
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, path.string().c_str(), 0, rgba.data(), 0, nullptr)) {
      std::fprintf(stderr, "bmpdraw: %s: %s\n", path.string().c_str(), png.message);
      return false;
    }
    return true;
  }

 private:
  int w_, h_;
  std::vector<Rgba> px_;
};

// ------------------------------------------------------------- the pictures

struct Picture {
  std::string name;
  int width;  // of one frame
  int height;
  int frames;
  int delay;
  std::function<void(Canvas&, int frame)> draw;
};

std::vector<Picture> g_pictures;

void Add(const std::string& name, int w, int h, std::function<void(Canvas&)> draw) {
  g_pictures.push_back({name, w, h, 1, 0, [draw](Canvas& c, int) { draw(c); }});
}
void AddFrames(const std::string& name, int w, int h, int frames, int delay,
               std::function<void(Canvas&, int)> draw) {
  g_pictures.push_back({name, w, h, frames, delay, std::move(draw)});
}

// Nine-cell frames. A raised button: a light top bevel, a flat face, a darker
// bottom bevel, rounded corners inside the corner cells.
Paint ButtonFace(Rgba face, Rgba highlight, float cell) {
  return [=](float, float y) {
    if (y < cell) return Mix(highlight, face, y / cell);
    if (y > 2 * cell) return Mix(face, Mix(face, C(0, 0, 0), 0.35f), (y - 2 * cell) / cell);
    return face;
  };
}

void Button(Canvas& c, Rgba face, Rgba border, Rgba highlight) {
  const float s = static_cast<float>(c.W());
  const float cell = s / 3;
  c.Fill(Box(0.5f, 0.5f, s - 0.5f, s - 0.5f, cell * 0.7f), ButtonFace(face, highlight, cell));
  c.Fill(Ring(Box(0.5f, 0.5f, s - 0.5f, s - 0.5f, cell * 0.7f), 1.2f), border);
}

// A row's band: a face across the whole width, a line along its top and its
// bottom, open at both ends, every column alike. A text set at the row's
// very edge meets no line.
void RowBand(Canvas& c, const Paint& face, Rgba line) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  c.Fill(Box(-2, 0.5f, w + 2, h - 0.5f, 0), face);
  c.Fill(Box(-2, 0.5f, w + 2, 1.7f, 0), line);
  c.Fill(Box(-2, h - 1.7f, w + 2, h - 0.5f, 0), line);
}

// A focus ring: a bright rounded border with a soft glow inside the frame
// cells and a transparent interior.
void FocusRing(Canvas& c, Rgba colour, float width) {
  const float s = static_cast<float>(c.W());
  const float cell = s / 3;
  const Sdf outer = Box(0.5f, 0.5f, s - 0.5f, s - 0.5f, cell * 0.8f);
  c.Fill(Ring(outer, width), colour);
  c.Fill(Ring(Box(0.5f + width, 0.5f + width, s - 0.5f - width, s - 0.5f - width, cell * 0.6f), 1.f),
         WithAlpha(colour, 0.35f));
}

// A rounded key of the remote control with a symbol drawn by `symbol`.
void Key(Canvas& c, const std::function<void(Canvas&)>& symbol) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  c.Fill(Box(0.5f, 0.5f, w - 0.5f, h - 0.5f, h * 0.28f), Vertical(C(92, 104, 122), C(40, 48, 62), 0, h));
  c.Fill(Ring(Box(0.5f, 0.5f, w - 0.5f, h - 0.5f, h * 0.28f), 1.f), C(170, 182, 198));
  symbol(c);
}

void Triangle(Canvas& c, float cx, float cy, float size, int direction, Rgba colour) {
  // direction: 0 up, 1 right, 2 down, 3 left.
  const float s = size / 2;
  std::vector<std::pair<float, float>> p;
  switch (direction) {
    case 0: p = {{cx, cy - s}, {cx + s, cy + s * 0.8f}, {cx - s, cy + s * 0.8f}}; break;
    case 1: p = {{cx + s, cy}, {cx - s * 0.8f, cy + s}, {cx - s * 0.8f, cy - s}}; break;
    case 2: p = {{cx, cy + s}, {cx - s, cy - s * 0.8f}, {cx + s, cy - s * 0.8f}}; break;
    default: p = {{cx - s, cy}, {cx + s * 0.8f, cy - s}, {cx + s * 0.8f, cy + s}}; break;
  }
  c.Fill(Polygon(p), colour);
}

void Chevron(Canvas& c, float cx, float cy, float size, int direction, float width, Rgba colour) {
  const float s = size / 2;
  std::vector<std::pair<float, float>> p;
  switch (direction) {
    case 0: p = {{cx - s, cy + s / 2}, {cx, cy - s / 2}, {cx + s, cy + s / 2}}; break;
    case 1: p = {{cx - s / 2, cy - s}, {cx + s / 2, cy}, {cx - s / 2, cy + s}}; break;
    case 2: p = {{cx - s, cy - s / 2}, {cx, cy + s / 2}, {cx + s, cy - s / 2}}; break;
    default: p = {{cx + s / 2, cy - s}, {cx - s / 2, cy}, {cx + s / 2, cy + s}}; break;
  }
  c.Fill(Polyline(p, width / 2), colour);
}

// A badge: a rounded label, filled or outlined.
void Badge(Canvas& c, const std::string& text, Rgba colour, bool filled, int size) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  const Sdf box = Box(1, 1, w - 1, h - 1, 3.5f);
  if (filled) {
    c.Fill(box, Vertical(Mix(colour, kWhite, 0.2f), Mix(colour, C(0, 0, 0), 0.2f), 0, h));
    c.Text(text, size, w / 2, h / 2, kWhite);
  } else {
    c.Fill(box, C(0, 0, 0, 90));
    c.Fill(Ring(box, 1.4f), colour);
    c.Text(text, size, w / 2, h / 2, colour);
  }
}

int BadgeWidth(const std::string& text, int size) {
  Canvas probe(1, 1);
  return static_cast<int>(std::ceil(probe.TextWidth(text, size))) + 12;
}

// ---------------------------------------------------------------- pictograms

void Gear(Canvas& c, float cx, float cy, float r, Rgba colour) {
  Sdf teeth = Circle(cx, cy, r * 0.78f);
  for (int i = 0; i < 8; ++i) {
    const float a = i * 3.14159265f / 4;
    teeth = Union(teeth, Segment(cx, cy, cx + std::cos(a) * r, cy + std::sin(a) * r, r * 0.16f));
  }
  c.Fill(Minus(teeth, Circle(cx, cy, r * 0.34f)), colour);
}

void Speaker(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Union(Box(cx - r * 0.9f, cy - r * 0.3f, cx - r * 0.4f, cy + r * 0.3f, r * 0.06f),
               Polygon({{cx - r * 0.5f, cy - r * 0.3f}, {cx + r * 0.05f, cy - r * 0.8f}, {cx + r * 0.05f, cy + r * 0.8f},
                        {cx - r * 0.5f, cy + r * 0.3f}})),
         colour);
  for (int i = 1; i <= 2; ++i) {
    const Sdf arc = Ring(Circle(cx + r * 0.05f, cy, r * (0.35f + 0.3f * i)), r * 0.1f);
    c.Fill(Minus(arc, Box(cx - r * 2, cy - r * 2, cx + r * 0.3f, cy + r * 2, 0)), colour);
  }
}

void TvSet(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Ring(Box(cx - r, cy - r * 0.62f, cx + r, cy + r * 0.5f, r * 0.12f), r * 0.12f), colour);
  c.Fill(Segment(cx - r * 0.35f, cy + r * 0.75f, cx + r * 0.35f, cy + r * 0.75f, r * 0.07f), colour);
  c.Fill(Segment(cx, cy + r * 0.5f, cx, cy + r * 0.72f, r * 0.06f), colour);
}

void Padlock(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Minus(Ring(Circle(cx, cy - r * 0.25f, r * 0.52f), r * 0.16f), Box(cx - r, cy - r * 0.2f, cx + r, cy + r, 0)),
         colour);
  c.Fill(Segment(cx - r * 0.44f, cy - r * 0.3f, cx - r * 0.44f, cy, r * 0.08f), colour);
  c.Fill(Segment(cx + r * 0.44f, cy - r * 0.3f, cx + r * 0.44f, cy, r * 0.08f), colour);
  c.Fill(Minus(Box(cx - r * 0.7f, cy - r * 0.05f, cx + r * 0.7f, cy + r * 0.85f, r * 0.12f),
               Segment(cx, cy + r * 0.25f, cx, cy + r * 0.5f, r * 0.09f)),
         colour);
}

void Clock(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Ring(Circle(cx, cy, r), r * 0.14f), colour);
  c.Fill(Segment(cx, cy, cx, cy - r * 0.6f, r * 0.08f), colour);
  c.Fill(Segment(cx, cy, cx + r * 0.42f, cy + r * 0.12f, r * 0.08f), colour);
}

void Globe(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Ring(Circle(cx, cy, r), r * 0.12f), colour);
  c.Fill(Segment(cx - r, cy, cx + r, cy, r * 0.06f), colour);
  c.Fill(Minus(Ring(Circle(cx, cy, r), r * 0.08f), Box(cx - r * 2, cy - r * 0.2f, cx + r * 2, cy + r * 0.2f, 0)),
         colour);
  c.Fill([=](float x, float y) { return std::fabs(std::hypot((x - cx) / 0.45f, y - cy) - r) * 0.45f - r * 0.05f; },
         colour);
}

void PictureFrame(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Ring(Box(cx - r, cy - r * 0.75f, cx + r, cy + r * 0.75f, r * 0.1f), r * 0.12f), colour);
  c.Fill(Polygon({{cx - r * 0.75f, cy + r * 0.5f}, {cx - r * 0.25f, cy - r * 0.15f}, {cx + r * 0.1f, cy + r * 0.25f},
                  {cx + r * 0.35f, cy}, {cx + r * 0.75f, cy + r * 0.5f}}),
         colour);
  c.Fill(Circle(cx + r * 0.42f, cy - r * 0.38f, r * 0.14f), colour);
}

void Film(Canvas& c, float cx, float cy, float r, Rgba colour) {
  Sdf body = Minus(Box(cx - r, cy - r * 0.7f, cx + r, cy + r * 0.7f, r * 0.1f),
                   Box(cx - r * 0.62f, cy - r * 0.5f, cx + r * 0.62f, cy + r * 0.5f, r * 0.05f));
  for (int i = 0; i < 4; ++i) {
    const float y = cy - r * 0.48f + i * r * 0.32f;
    body = Minus(body, Box(cx - r * 0.9f, y - r * 0.07f, cx - r * 0.74f, y + r * 0.07f, 0));
    body = Minus(body, Box(cx + r * 0.74f, y - r * 0.07f, cx + r * 0.9f, y + r * 0.07f, 0));
  }
  c.Fill(body, colour);
  Triangle(c, cx + r * 0.05f, cy, r * 0.55f, 1, colour);
}

void Folder(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Union(Box(cx - r, cy - r * 0.5f, cx + r, cy + r * 0.7f, r * 0.1f),
               Box(cx - r, cy - r * 0.72f, cx - r * 0.15f, cy - r * 0.3f, r * 0.1f)),
         colour);
}

void Grid(Canvas& c, float cx, float cy, float r, Rgba colour) {
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < 2; ++i) {
      const float x = cx - r + i * r * 1.1f, y = cy - r + j * r * 1.1f;
      c.Fill(Box(x, y, x + r * 0.9f, y + r * 0.9f, r * 0.15f), colour);
    }
}

void Sliders(Canvas& c, float cx, float cy, float r, Rgba colour) {
  for (int i = 0; i < 3; ++i) {
    const float x = cx - r * 0.7f + i * r * 0.7f;
    c.Fill(Segment(x, cy - r, x, cy + r, r * 0.07f), colour);
    const float knob = cy + (i == 1 ? -0.4f : i == 0 ? 0.3f : 0.55f) * r;
    c.Fill(Box(x - r * 0.2f, knob - r * 0.12f, x + r * 0.2f, knob + r * 0.12f, r * 0.06f), colour);
  }
}

void Wrench(Canvas& c, float cx, float cy, float r, Rgba colour) {
  c.Fill(Segment(cx - r * 0.7f, cy + r * 0.7f, cx + r * 0.25f, cy - r * 0.25f, r * 0.16f), colour);
  c.Fill(Minus(Circle(cx + r * 0.4f, cy - r * 0.4f, r * 0.45f),
               Union(Circle(cx + r * 0.62f, cy - r * 0.62f, r * 0.25f),
                     Segment(cx + r * 0.4f, cy - r * 0.4f, cx + r, cy - r, r * 0.12f))),
         colour);
}

void Antenna(Canvas& c, float cx, float cy, float r, Rgba colour) {
  TvSet(c, cx, cy + r * 0.15f, r * 0.85f, colour);
  c.Fill(Segment(cx, cy - r * 0.45f, cx - r * 0.45f, cy - r, r * 0.07f), colour);
  c.Fill(Segment(cx, cy - r * 0.45f, cx + r * 0.45f, cy - r, r * 0.07f), colour);
}

void RecordDot(Canvas& c, float cx, float cy, float r, Rgba) {
  c.Fill(Circle(cx, cy, r * 0.62f), kRed);
  c.Fill(Ring(Circle(cx, cy, r), r * 0.12f), C(250, 120, 110));
}

using Pictogram = void (*)(Canvas&, float, float, float, Rgba);

// A main-menu topic tile lit to a degree: 0 at rest, 1 lit up, the frames
// between its animation as it takes the focus.
void LitTile(Canvas& c, Pictogram draw, float lit) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  const Sdf box = Box(4, 4, w - 4, h - 4, 10);
  if (lit > 0) c.Glow(box, WithAlpha(kAccent, 0.55f * lit), 4);
  c.Fill(box, Vertical(Mix(C(44, 58, 82, 230), C(58, 150, 222), lit), Mix(C(20, 28, 42, 230), C(14, 70, 140), lit), 4,
                       h - 4));
  c.Fill(Ring(box, 1.2f + 0.3f * lit), Mix(C(80, 96, 122), C(150, 222, 252), lit));
  draw(c, w / 2, h / 2, std::min(w, h) * (0.26f + 0.04f * lit), Mix(kGrey, kWhite, lit));
}

// A remote control seen from above, one key lit.
void Remote(Canvas& c, const std::string& lit) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  const Sdf body = Box(14, 10, w - 14, h - 10, 26);
  c.Fill(body, Vertical(C(70, 78, 92), C(30, 34, 42), 10, h - 10));
  c.Fill(Ring(body, 1.5f), C(140, 150, 166));
  const char* keys[] = {"TV", "CABLE", "BD", "AUX"};
  for (int i = 0; i < 4; ++i) {
    const float x = 36 + i * (w - 72) / 3.f;
    const bool on = lit == keys[i];
    const Sdf key = Box(x - 18, 30, x + 18, 50, 8);
    if (on) c.Glow(key, WithAlpha(kAccent, 0.7f), 5);
    c.Fill(key, on ? kAccent : C(52, 58, 70));
    c.Fill(Ring(key, 1), on ? C(180, 235, 255) : C(120, 128, 142));
    c.Text(keys[i], 9, x, 40, on ? kWhite : kGrey);
  }
  for (int j = 0; j < 3; ++j)
    for (int i = 0; i < 5; ++i) {
      const float x = 40 + i * (w - 80) / 4.f, y = 68 + j * 17.f;
      c.Fill(Circle(x, y, 6), C(58, 64, 78));
      c.Fill(Ring(Circle(x, y, 6), 1), C(110, 118, 132));
    }
  c.Fill(Circle(w / 2, 19, 3.5f), C(230, 60, 50));
}

// Three-dimensional format diagrams.
void FormatIcon(Canvas& c, int kind, bool focused, bool disabled) {
  // kind: 0 side by side, 1 top and bottom, 2 native 3D, 3 2D, 4 2D to 3D, 5 3D mode.
  // The format buttons (0 to 2) write their names under the picture
  // themselves; the mode pictures carry theirs.
  const bool named = kind >= 3;
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  const Sdf box = Box(3, 3, w - 3, h - 3, 10);
  Rgba ink = disabled ? kDim : focused ? kWhite : kGrey;
  if (focused) {
    c.Fill(box, Vertical(disabled ? C(70, 80, 96) : C(52, 146, 220), disabled ? C(40, 46, 58) : C(14, 70, 140), 3,
                         h - 3));
    c.Fill(Ring(box, 1.5f), disabled ? C(120, 130, 146) : C(150, 222, 252));
  } else {
    c.Fill(box, Vertical(C(44, 58, 82, 230), C(20, 28, 42, 230), 3, h - 3));
    c.Fill(Ring(box, 1.2f), C(80, 96, 122));
  }
  const float x0 = w * 0.22f, x1 = w * 0.78f, y0 = h * (named ? 0.18f : 0.2f), y1 = h * (named ? 0.62f : 0.8f);
  switch (kind) {
    case 0:
      c.Fill(Ring(Box(x0, y0, (x0 + x1) / 2 - 2, y1, 3), 2), ink);
      c.Fill(Ring(Box((x0 + x1) / 2 + 2, y0, x1, y1, 3), 2), ink);
      c.Text("L", 12, (x0 * 3 + x1) / 4, (y0 + y1) / 2, ink);
      c.Text("R", 12, (x0 + x1 * 3) / 4, (y0 + y1) / 2, ink);
      break;
    case 1:
      c.Fill(Ring(Box(x0, y0, x1, (y0 + y1) / 2 - 1.5f, 3), 2), ink);
      c.Fill(Ring(Box(x0, (y0 + y1) / 2 + 1.5f, x1, y1, 3), 2), ink);
      c.Text("L", 10, (x0 + x1) / 2, (y0 * 3 + y1) / 4, ink);
      c.Text("R", 10, (x0 + x1) / 2, (y0 + y1 * 3) / 4, ink);
      break;
    default: {
      c.Fill(Ring(Box(x0, y0, x1, y1, 3), 2), ink);
      const char* label = kind == 3 ? "2D" : kind == 4 ? "2D>3D" : "3D";
      c.Text(label, kind == 4 ? 14 : 20, (x0 + x1) / 2, (y0 + y1) / 2, ink);
      break;
    }
  }
  const char* caption[] = {"2D", "2D to 3D", "3D"};
  if (named) c.Text(caption[kind - 3], 11, w / 2, h * 0.82f, ink);
}

// ------------------------------------------------------------ channel logos

const char* const kStations[58] = {
    "NWS24", "METRO", "SPRT1", "SPRT2", "KIDZ",  "MOVIE", "CINE+", "MUSIC", "LIFE",  "FOOD",  "TRAVL", "HISTR",
    "SCI",   "NATUR", "COMDY", "DRAMA", "CLASC", "WTHR",  "SHOP",  "FAITH", "PLAY",  "ANIME", "GAMES", "OUTDR",
    "GOLF",  "RACE",  "FIGHT", "DOCS",  "ARTS",  "JAZZ",  "ROCK",  "POP",   "CNTRY", "LATIN", "ESPAN", "ASIA",
    "EURO",  "CITY",  "LOCAL", "CIVIC", "EDU",   "TECH",  "MONEY", "BIZ",   "HOME",  "STYLE", "PETS",  "CARS",
    "RETRO", "CLASS", "CHILL", "MYSTR", "WEST",  "FAMLY", "TEEN",  "TOONS", "HD1",   "HD2"};

Rgba StationColour(int i) {
  const Rgba hues[] = {C(210, 50, 50), C(40, 120, 220), C(30, 160, 90), C(240, 150, 30), C(140, 70, 200),
                       C(20, 170, 180), C(220, 70, 140), C(110, 130, 40), C(90, 90, 110)};
  return hues[i % 9];
}

void Logo(Canvas& c, int station, int frame) {
  const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
  const Rgba colour = StationColour(station);
  const Sdf plate = Box(6, 8, w - 6, h - 8, 8);
  if (frame == 0) c.Fill(Box(1, 1, w - 1, h - 1, 8), C(24, 32, 48, 220));
  if (frame == 1) {
    c.Glow(Box(2, 2, w - 2, h - 2, 9), WithAlpha(kAccent, 0.8f), 2);
    c.Fill(Box(2, 2, w - 2, h - 2, 9), C(20, 92, 160));
  }
  c.Fill(plate, Vertical(Mix(colour, kWhite, 0.25f), Mix(colour, C(0, 0, 0), 0.25f), 8, h - 8));
  c.Fill(Ring(plate, 1), Mix(colour, kWhite, 0.5f));
  const std::string name = kStations[station];
  const int size = name.size() > 4 ? 15 : 18;
  c.Text(name, size, w / 2 + 1, h / 2 + 1, C(0, 0, 0, 120));
  c.Text(name, size, w / 2, h / 2, kWhite);
}

// ------------------------------------------------------------ the catalogue

void Catalogue() {
  // Buttons and focus bars: nine-cell frames, 27 x 27 (cells of 9).
  const Rgba faceNormal = C(40, 52, 72, 235), borderNormal = C(90, 108, 136), lightNormal = C(70, 86, 112, 235);
  const Rgba faceFocus = C(28, 128, 206), borderFocus = C(150, 222, 252), lightFocus = C(96, 200, 250);
  for (const char* name : {"DialogButtonNonfocus", "PinButtonNonfocus"})
    Add(name, 27, 27, [=](Canvas& c) { Button(c, faceNormal, borderNormal, lightNormal); });
  for (const char* name :
       {"DialogButtonFocus", "PinButtonFocus", "ChannelListButtonFocus", "ChannelLogoListButtonFocus",
        "ChannelOptionButtonFocus", "EPGChannelListButtonFocus", "EPG_ProgramButtonFocus", "EPG_ThemeNameFocus",
        "EPG_ThemeProgramFocus", "InputLabelsListButtonFocus", "MediaListButtonFocus", "MiniGuide_ButtonFocus"})
    Add(name, 27, 27, [=](Canvas& c) { Button(c, faceFocus, borderFocus, lightFocus); });
  // The rows whose caption starts at the row's edge (the setting pages'
  // framed rows, the recordings library's titles): bands open at their ends.
  Add("OptionButtonNonFocused", 27, 27,
      [=](Canvas& c) { RowBand(c, ButtonFace(faceNormal, lightNormal, 9), borderNormal); });
  for (const char* name : {"OptionButtonFocused", "EPG_ChanButtonFocus"})
    Add(name, 27, 27, [=](Canvas& c) { RowBand(c, ButtonFace(faceFocus, lightFocus, 9), borderFocus); });
  Add("CheckBoxButtonFocus", 27, 27, [](Canvas& c) { FocusRing(c, kAccent, 2); });

  // Focus frames drawn around a client rectangle (border width 4: cells of 4).
  Add("ChBrowserCursor", 12, 12, [](Canvas& c) { c.Fill(Ring(Box(0.5f, 0.5f, 11.5f, 11.5f, 3.5f), 3), kAccent); });
  Add("LogoPanelFocus", 12, 12, [](Canvas& c) {
    c.Fill(Ring(Box(0.5f, 0.5f, 11.5f, 11.5f, 3.5f), 3), kAccent);
    c.Fill(Ring(Box(0.5f, 0.5f, 11.5f, 11.5f, 3.5f), 1), C(200, 240, 255));
  });
  Add("EPG_VideoBorder", 12, 12, [](Canvas& c) {
    c.Fill(Ring(Box(0.5f, 0.5f, 11.5f, 11.5f, 2), 3), C(120, 134, 156));
    c.Fill(Ring(Box(0.5f, 0.5f, 11.5f, 11.5f, 2), 1), C(190, 200, 214));
  });

  // Panels: dialog and banner backgrounds.
  // The recording screens' dialogs stand over other screens (the guide, the
  // schedules, the library): their body hides what lies below, so that no
  // text of the screen below reads as theirs.
  Add("MediaQuickMenuBg", 102, 102, [](Canvas& c) {
    const Sdf box = Box(1, 1, 101, 101, 16);
    c.Fill(box, [](float, float y) {
      return WithAlpha(y < 34 ? Mix(kPanelLight, kPanel, y / 34) : kPanel, 1);
    });
    c.Fill(Ring(box, 1.5f), C(70, 150, 210));
  });
  Add("MiniGuideBackground", 60, 60, [](Canvas& c) {
    const Sdf box = Box(0.5f, 0.5f, 59.5f, 59.5f, 12);
    c.Fill(box, [](float, float y) { return y < 20 ? Mix(C(40, 58, 88, 235), kPanel, y / 20) : kPanel; });
    c.Fill(Ring(box, 1.2f), kLine);
  });

  // Sliders and progress bars.
  auto groove = [](Rgba border) {
    return [=](Canvas& c) {
      const float s = static_cast<float>(c.W());
      const Sdf box = Box(0.5f, 0.5f, s - 0.5f, s - 0.5f, s / 3 * 0.8f);
      c.Fill(box, C(8, 12, 20, 230));
      c.Fill(Ring(box, 1.2f), border);
    };
  };
  Add("SliderBgFrame", 24, 24, groove(C(110, 150, 196)));
  Add("SliderBgFrameNoY", 24, 24, groove(kLine));
  Add("GraySliderBgFrame", 24, 24, groove(C(90, 94, 100)));
  Add("GraySliderBgFrameNoY", 24, 24, groove(C(74, 78, 84)));
  Add("SliderGroove", 18, 18, groove(kLine));
  auto indicator = [](Rgba top, Rgba bottom) {
    return [=](Canvas& c) {
      c.Fill(Box(0.5f, 0.5f, 11.5f, 11.5f, 3.5f), [=](float, float y) {
        return y < 4 ? top : y >= 8 ? bottom : Mix(top, bottom, 0.5f);
      });
    };
  };
  Add("SliderIndicator", 12, 12, indicator(C(100, 210, 252), C(24, 130, 210)));
  Add("SliderIndicatorRed", 12, 12, indicator(C(250, 110, 96), C(196, 36, 30)));
  Add("GraySliderIndicator", 12, 12, indicator(C(150, 156, 164), C(100, 106, 114)));

  // Scroll bar.
  Add("ScrollBackground", 16, 331, [](Canvas& c) {
    c.Fill(Box(4, 2, 12, 329, 4), C(10, 16, 26, 210));
    c.Fill(Ring(Box(4, 2, 12, 329, 4), 1), C(60, 76, 100));
  });
  Add("ScrollBar", 16, 80, [](Canvas& c) { c.Fill(Box(3, 1, 13, 79, 5), Vertical(kAccent, kAccentDeep, 0, 80)); });
  Add("ScrollUp", 16, 16, [](Canvas& c) { Triangle(c, 8, 8.5f, 10, 0, kWhite); });
  Add("ScrollDown", 16, 16, [](Canvas& c) { Triangle(c, 8, 7.5f, 10, 2, kWhite); });

  // Arrows.
  Add("OptionButtonLeftArrow", 13, 10, [](Canvas& c) { Triangle(c, 6.5f, 5, 9, 3, kWhite); });
  Add("OptionButtonRightArrow", 13, 10, [](Canvas& c) { Triangle(c, 6.5f, 5, 9, 1, kWhite); });
  Add("OptionButtonUpArrow", 13, 13, [](Canvas& c) { Triangle(c, 6.5f, 6.5f, 10, 0, kAccent); });
  Add("OptionButtonDownArrow", 13, 13, [](Canvas& c) { Triangle(c, 6.5f, 6.5f, 10, 2, kAccent); });
  Add("ToggleButtonLeftArrow", 13, 10, [](Canvas& c) { Chevron(c, 6.5f, 5, 8, 3, 2.2f, kAccent); });
  Add("ToggleButtonRightArrow", 13, 10, [](Canvas& c) { Chevron(c, 6.5f, 5, 8, 1, 2.2f, kAccent); });
  Add("InputListLeftArrow", 10, 16, [](Canvas& c) { Chevron(c, 5, 8, 10, 3, 2.4f, kWhite); });
  Add("InputListRightArrow", 10, 16, [](Canvas& c) { Chevron(c, 5, 8, 10, 1, 2.4f, kWhite); });
  Add("ChBrowserArrowLeft", 13, 10, [](Canvas& c) { Chevron(c, 6.5f, 5, 8, 3, 2.2f, kWhite); });
  Add("ChBrowserArrowRight", 13, 10, [](Canvas& c) { Chevron(c, 6.5f, 5, 8, 1, 2.2f, kWhite); });
  // The favourites strip's hints: the green key adds, the red key takes out.
  Add("ChBrowserFB", 26, 12, [](Canvas& c) { c.Fill(Box(1, 1, 25, 11, 5), kGreen); });
  Add("ChBrowserMinus", 26, 12, [](Canvas& c) {
    c.Fill(Box(1, 1, 25, 11, 5), kRed);
    c.Fill(Box(8, 5, 18, 7, 0.5f), kWhite);
  });
  Add("SubMenuRightArrow", 18, 21, [](Canvas& c) { Chevron(c, 9, 10.5f, 12, 1, 2.6f, kAccent); });
  Add("EPG_ListScrollUp", 20, 12, [](Canvas& c) { Triangle(c, 10, 6.5f, 11, 0, kAccent); });
  Add("EPG_ListScrollDown", 20, 12, [](Canvas& c) { Triangle(c, 10, 5.5f, 11, 2, kAccent); });
  Add("Point", 9, 9, [](Canvas& c) {
    c.Fill(Circle(4.5f, 4.5f, 4), kWhite);
    c.Fill(Circle(4.5f, 4.5f, 2.2f), kAccent);
  });

  // Row icons that are centred over the whole row: a ring around it when
  // focused, a hairline under it otherwise; the middle stays clear for text.
  auto rowRing = [](Canvas& c) {
    const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
    const Sdf box = Box(1, 1, w - 1, h - 1, h / 2 - 1);
    c.Fill(Ring(box, 2), kAccent);
    Chevron(c, w - h * 0.6f, h / 2, h * 0.4f, 1, 2.2f, kAccent);
  };
  auto rowLine = [](Canvas& c) {
    const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
    c.Fill(Segment(h / 2, h - 1.5f, w - h / 2, h - 1.5f, 0.5f), C(90, 108, 136, 200));
    Chevron(c, w - h * 0.6f, h / 2, h * 0.4f, 1, 2, kDim);
  };
  Add("SelectButtonFocused", 490, 25, rowRing);
  Add("SelectButtonNonFocused", 490, 25, rowLine);
  // Items of the option pop-up lists and the narrow option rows (150 x 27):
  // the toggle arrows sit at both ends, so these carry no chevron.
  auto itemRing = [](Canvas& c) {
    const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
    c.Fill(Ring(Box(1, 1, w - 1, h - 1, h / 2 - 1), 2), kAccent);
  };
  auto itemLine = [](Canvas& c) {
    const float w = static_cast<float>(c.W()), h = static_cast<float>(c.H());
    c.Fill(Segment(h / 2, h - 1.5f, w - h / 2, h - 1.5f, 0.5f), C(90, 108, 136, 200));
  };
  Add("NetworkButtonFocus", 150, 27, itemRing);
  Add("NetworkButtonNonfocus", 150, 27, itemLine);
  Add("TimeZoneListButtonFocus", 180, 27, itemRing);
  Add("TimeZoneListButtonNonfocus", 180, 27, itemLine);
  Add("CECInputDialogButtonFocus", 300, 36, rowRing);
  Add("CECInputDialogButtonNonfocus", 300, 36, rowLine);
  // The input list's rows (280 x 28) show their own arrow, only for an input
  // with HDMI-CEC devices: the ring carries none.
  Add("InputDialogButtonFocus", 280, 28, itemRing);

  // Check boxes and the lock.
  Add("CheckBox", 27, 27, [](Canvas& c) {
    c.Fill(Box(5, 5, 22, 22, 3.5f), C(10, 16, 26, 220));
    c.Fill(Ring(Box(5, 5, 22, 22, 3.5f), 1.5f), C(170, 184, 204));
  });
  Add("CheckBoxCheck", 27, 27, [](Canvas& c) {
    c.Fill(Box(5, 5, 22, 22, 3.5f), C(10, 16, 26, 220));
    c.Fill(Ring(Box(5, 5, 22, 22, 3.5f), 1.5f), C(170, 184, 204));
    c.Fill(Polyline({{8.5f, 13.5f}, {12, 17.5f}, {20, 7}}, 1.7f), kAccent);
  });
  Add("LockImage", 16, 18, [](Canvas& c) { Padlock(c, 8, 9.5f, 8, kYellow); });
  // The tick boxes of the media server and controller rows.
  Add("TickBox", 17, 17, [](Canvas& c) {
    c.Fill(Box(1, 1, 16, 16, 3), C(10, 16, 26, 220));
    c.Fill(Ring(Box(1, 1, 16, 16, 3), 1.3f), C(170, 184, 204));
  });
  Add("TickBoxChecked", 17, 17, [](Canvas& c) {
    c.Fill(Box(1, 1, 16, 16, 3), C(10, 16, 26, 220));
    c.Fill(Ring(Box(1, 1, 16, 16, 3), 1.3f), C(170, 184, 204));
    c.Fill(Polyline({{4.5f, 8.5f}, {7.5f, 12}, {13, 4.5f}}, 1.5f), kAccent);
  });
  // The rows of the Wi-Fi scan, controller and device lists, whose names
  // start at the row's edge: a band with bright edges above and below, open
  // at its ends (nine cells of 10).
  Add("WiFiScanButtonFocus", 30, 30, [](Canvas& c) {
    RowBand(c, Vertical(C(28, 128, 206, 220), C(14, 70, 140, 220), 0, 30), C(150, 222, 252));
  });

  // The media browser: the folder mark of a list row, the thumbnails of a
  // folder, of a photo still loading and of one that cannot be shown, the
  // page arrows of the thumbnail grid and the focus frame around a
  // thumbnail (cells of 6).
  Add("MediaListFolder", 20, 16, [](Canvas& c) { Folder(c, 10, 8.5f, 8.5f, kBlue); });
  auto thumb = [](Canvas& c) {
    const Sdf box = Box(1, 1, 79, 59, 5);
    c.Fill(box, C(24, 34, 52, 230));
    c.Fill(Ring(box, 1), kLine);
  };
  Add("MediaFolderThumb", 80, 60, [=](Canvas& c) {
    thumb(c);
    Folder(c, 40, 31, 20, C(232, 184, 64));
  });
  Add("MediaPhotoThumb", 80, 60, [=](Canvas& c) {
    thumb(c);
    PictureFrame(c, 40, 30, 18, kDim);
  });
  Add("MediaBrokenThumb", 80, 60, [=](Canvas& c) {
    thumb(c);
    PictureFrame(c, 40, 30, 18, kGrey);
    c.Fill(Polyline({{26, 14}, {54, 46}}, 2.2f), kRed);
    c.Fill(Polyline({{54, 14}, {26, 46}}, 2.2f), kRed);
  });
  Add("MediaLeftArrow", 18, 40, [](Canvas& c) { Chevron(c, 9, 20, 22, 3, 3.2f, kWhite); });
  Add("MediaRightArrow", 18, 40, [](Canvas& c) { Chevron(c, 9, 20, 22, 1, 3.2f, kWhite); });
  Add("MediaThumbFocus", 18, 18, [](Canvas& c) {
    c.Fill(Ring(Box(0.5f, 0.5f, 17.5f, 17.5f, 5), 4), kAccent);
    c.Fill(Ring(Box(0.5f, 0.5f, 17.5f, 17.5f, 5), 1.2f), C(200, 240, 255));
  });

  // Help bar keys.
  Add("HelpBarUpDown", 28, 20, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      Triangle(k, 14, 6.5f, 7, 0, kWhite);
      Triangle(k, 14, 13.5f, 7, 2, kWhite);
    });
  });
  Add("HelpBarRedBall", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Fill(Circle(14, 10, 5.5f), kRed); }); });
  Add("HelpBarPageUp", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("P+", 10, 14, 10, kWhite); }); });
  Add("HelpBarPageDown", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("P-", 10, 14, 10, kWhite); }); });
  Add("HelpBarExit", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("EXIT", 7, 14, 10, kWhite); }); });
  Add("HelpBarOk", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("OK", 9, 14, 10, kWhite); }); });
  Add("MenuHelpOk", 42, 34, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("OK", 14, 21, 17, kWhite); }); });
  Add("MenuHelpUD", 42, 34, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      Triangle(k, 21, 10.5f, 10, 0, kWhite);
      Triangle(k, 21, 23.5f, 10, 2, kWhite);
    });
  });
  Add("MenuHelpLR", 42, 34, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      Triangle(k, 13.5f, 17, 10, 3, kWhite);
      Triangle(k, 28.5f, 17, 10, 1, kWhite);
    });
  });
  Add("MenuHelpReturn", 42, 34, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      k.Fill(Minus(Ring(Circle(21, 17, 8), 2.4f), Box(9, 8, 21, 17, 0)), kWhite);
      k.Fill(Segment(14, 9, 21, 9, 1.2f), kWhite);
      Triangle(k, 12.5f, 9, 7, 3, kWhite);
    });
  });
  Add("MenuHelpExit", 40, 40, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("EXIT", 11, 20, 20, kWhite); }); });

  // The rest of the help bar's keys, in the look of the ones above.
  Add("HelpBarCursor", 28, 20, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      Triangle(k, 14, 4.5f, 5, 0, kWhite);
      Triangle(k, 14, 15.5f, 5, 2, kWhite);
      Triangle(k, 7.5f, 10, 5, 3, kWhite);
      Triangle(k, 20.5f, 10, 5, 1, kWhite);
      k.Fill(Circle(14, 10, 1.6f), kAccent);
    });
  });
  Add("HelpBarNavi", 28, 20, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      k.Fill(Ring(Circle(14, 10, 6.5f), 1.2f), kWhite);
      Triangle(k, 14, 5.5f, 4, 0, kWhite);
      Triangle(k, 14, 14.5f, 4, 2, kWhite);
      Triangle(k, 9.5f, 10, 4, 3, kWhite);
      Triangle(k, 18.5f, 10, 4, 1, kWhite);
    });
  });
  Add("HelpBarNum", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("0-9", 9, 14, 10, kWhite); }); });
  Add("HelpBarLR", 28, 20, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      Triangle(k, 9, 10, 7, 3, kWhite);
      Triangle(k, 19, 10, 7, 1, kWhite);
    });
  });
  Add("HelpBarRight", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { Triangle(k, 14.5f, 10, 8, 1, kWhite); }); });
  Add("HelpBarUp", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { Triangle(k, 14, 9.5f, 8, 0, kWhite); }); });
  Add("HelpBarDown", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { Triangle(k, 14, 10.5f, 8, 2, kWhite); }); });
  Add("HelpBarQuick", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("Q", 11, 14, 10, kWhite); }); });
  Add("HelpBarPageUD", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Text("P+/-", 8, 14, 10, kWhite); }); });
  Add("HelpBarGreenBall", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Fill(Circle(14, 10, 5.5f), kGreen); }); });
  Add("HelpBarYellowBall", 28, 20,
      [](Canvas& c) { Key(c, [](Canvas& k) { k.Fill(Circle(14, 10, 5.5f), kYellow); }); });
  Add("HelpBarBlueBall", 28, 20, [](Canvas& c) { Key(c, [](Canvas& k) { k.Fill(Circle(14, 10, 5.5f), kBlue); }); });
  Add("HelpBarReturn", 28, 20, [](Canvas& c) {
    Key(c, [](Canvas& k) {
      k.Fill(Minus(Ring(Circle(14, 10, 5), 1.6f), Box(6, 4, 14, 10, 0)), kWhite);
      k.Fill(Segment(10, 5, 14, 5, 0.8f), kWhite);
      Triangle(k, 8.5f, 5, 5, 3, kWhite);
    });
  });
  // The help bar's strip: a dark rounded band, nine cells of 12.
  Add("HelpBarFrame", 36, 36, [](Canvas& c) {
    const Sdf band = Box(0.5f, 0.5f, 35.5f, 35.5f, 11);
    c.Fill(band, C(8, 14, 24, 214));
    c.Fill(Ring(band, 1), C(84, 108, 142, 200));
  });

  // The framed dialogs: a soft shadow, a rounded panel edge with a fine
  // light rim, a flat inside. Nine cells of 34, the panel edge 12 pixels in.
  Add("QORDialogFrame", 102, 102, [](Canvas& c) {
    const Sdf panel = Box(12, 12, 90, 90, 14);
    c.Glow(panel, C(0, 0, 0, 150), 11);
    c.Fill(panel, kPanel);
    c.Fill(Ring(panel, 1.5f), C(96, 150, 200));
    c.Fill(Ring(Box(14, 14, 88, 88, 12), 0.8f), C(255, 255, 255, 28));
  });

  // The signs of the direct messages.
  Add("DirectMessageAlert", 32, 32, [](Canvas& c) {
    c.Fill(Polygon({{16, 3}, {30, 28}, {2, 28}}), kYellow);
    c.Fill(Segment(16, 11, 16, 19.5f, 1.8f), C(40, 30, 0));
    c.Fill(Circle(16, 24, 1.9f), C(40, 30, 0));
  });
  Add("DirectMessageInfo", 32, 32, [](Canvas& c) {
    c.Fill(Circle(16, 16, 14), Vertical(C(72, 150, 250), kBlue, 2, 30));
    c.Fill(Circle(16, 9.5f, 2.2f), kWhite);
    c.Fill(Segment(16, 15, 16, 23.5f, 2), kWhite);
  });

  // The mute sign: a speaker struck through.
  Add("MuteSpeaker", 32, 32, [](Canvas& c) {
    c.Fill(Union(Box(4, 12, 11, 20, 1), Polygon({{9, 12}, {17, 5}, {17, 27}, {9, 20}})), kWhite);
    c.Fill(Segment(20, 11, 28, 21, 1.6f), kRed);
    c.Fill(Segment(28, 11, 20, 21, 1.6f), kRed);
  });

  // The waiting circle: eight dots round a ring, the lit one moving on.
  AddFrames("WaitingCircle", 40, 40, 8, 100, [](Canvas& c, int f) {
    for (int i = 0; i < 8; ++i) {
      const float a = i * 3.14159265f / 4 - 3.14159265f / 2;
      const int age = (f - i + 8) % 8;
      const float t = age / 7.f;
      c.Fill(Circle(20 + 14 * std::cos(a), 20 + 14 * std::sin(a), 4.2f - 1.6f * t),
             Mix(kAccent, WithAlpha(kDim, 0.5f), t));
    }
  });

  // Transport.
  auto transport = [](int kind) {
    return [kind](Canvas& c) {
      c.Fill(Circle(12, 12, 11), Vertical(C(70, 84, 106), C(24, 30, 42), 1, 23));
      c.Fill(Ring(Circle(12, 12, 11), 1), C(150, 164, 184));
      switch (kind) {
        case 0: Triangle(c, 13, 12, 11, 1, kWhite); break;
        case 1:
          c.Fill(Box(7.5f, 7, 10.5f, 17, 0.8f), kWhite);
          c.Fill(Box(13.5f, 7, 16.5f, 17, 0.8f), kWhite);
          break;
        case 2: c.Fill(Box(7.5f, 7.5f, 16.5f, 16.5f, 1), kWhite); break;
        case 3:
          Triangle(c, 9.5f, 12, 8, 1, kWhite);
          Triangle(c, 15.5f, 12, 8, 1, kWhite);
          break;
        default:
          Triangle(c, 8.5f, 12, 8, 3, kWhite);
          Triangle(c, 14.5f, 12, 8, 3, kWhite);
          break;
      }
    };
  };
  Add("MediaPlay", 24, 24, transport(0));
  Add("MediaPause", 24, 24, transport(1));
  Add("MediaStop", 24, 24, transport(2));
  Add("MediaForward", 24, 24, transport(3));
  Add("MediaBackward", 24, 24, transport(4));

  // Recording states and timer notes.
  Add("RecordStatusInRecording", 20, 20, [](Canvas& c) { RecordDot(c, 10, 10, 8.5f, kRed); });
  Add("RecordStatusWillRecord", 20, 20, [](Canvas& c) { Clock(c, 10, 10, 8, kOrange); });
  Add("RecordStatusStop", 20, 20, [](Canvas& c) {
    c.Fill(Circle(10, 10, 9), C(90, 98, 110));
    c.Fill(Box(6, 6, 14, 14, 1), kWhite);
  });
  Add("RecordStatusFailed", 20, 20, [](Canvas& c) {
    c.Fill(Circle(10, 10, 9), kRed);
    c.Fill(Segment(6.5f, 6.5f, 13.5f, 13.5f, 1.3f), kWhite);
    c.Fill(Segment(13.5f, 6.5f, 6.5f, 13.5f, 1.3f), kWhite);
  });
  Add("RecordStatusNoUSB", 20, 20, [](Canvas& c) {
    c.Fill(Box(7, 2, 13, 9, 1), kGrey);
    c.Fill(Box(5, 8, 15, 18, 2), kGrey);
    c.Fill(Segment(3, 17, 17, 3, 1.2f), kRed);
  });
  Add("RecordStatusNoSize", 20, 20, [](Canvas& c) {
    c.Fill(Ring(Box(2, 5, 18, 15, 2), 1.4f), kGrey);
    c.Fill(Box(4.5f, 7.5f, 15.5f, 12.5f, 1), kRed);
  });
  Add("RecordTimerInfo", 24, 24, [](Canvas& c) {
    c.Fill(Circle(12, 12, 10.5f), kBlue);
    c.Fill(Circle(12, 7, 1.7f), kWhite);
    c.Fill(Segment(12, 11, 12, 17.5f, 1.5f), kWhite);
  });
  Add("RecordTimerAlert", 24, 24, [](Canvas& c) {
    c.Fill(Polygon({{12, 2.5f}, {22.5f, 21}, {1.5f, 21}}), kYellow);
    c.Fill(Segment(12, 9, 12, 14.5f, 1.4f), C(40, 30, 0));
    c.Fill(Circle(12, 18, 1.5f), C(40, 30, 0));
  });
  const std::pair<const char*, const char*> repeats[] = {
      {"EPG_RecordTypeEveryday", "E"}, {"EPG_RecordTypeDaily", "D"},  {"EPG_RecordTypeWeekendly", "WE"},
      {"EPG_RecordTypeOnce", "1"},     {"EPG_RecordTypeWeekly", "W"},
  };
  for (const auto& [name, letter] : repeats) {
    const std::string text = letter;
    Add(name, 20, 20, [text](Canvas& c) { Badge(c, text, kOrange, true, text.size() > 1 ? 9 : 12); });
    Add(std::string(name) + "0", 20, 20, [text](Canvas& c) { Badge(c, text, kDim, false, text.size() > 1 ? 9 : 12); });
  }
  Add("EPG_RecordType", 20, 20, [](Canvas& c) { Badge(c, "R", kRed, true, 12); });

  // Banner badges.
  const std::pair<const char*, const char*> badges[] = {
      {"BannerCC", "CC"},       {"BannerHD", "HD"},         {"BannerSD", "SD"},
      {"Banner480", "480"},     {"Banner720", "720"},       {"Banner1080", "1080"},
      {"BannerMono", "MONO"},   {"BannerStereo", "STEREO"}, {"BannerMultiAudio", "MULTI"},
      {"BannerTimeshift", "TS"}, {"BannerDolbyDigital", "DD"},
  };
  for (const auto& [name, text] : badges) {
    const std::string t = text;
    Add(name, BadgeWidth(t, 11), 20, [t](Canvas& c) { Badge(c, t, kWhite, false, 11); });
  }
  Add("BannerRecord", 46, 20, [](Canvas& c) {
    c.Fill(Box(1, 1, 45, 19, 3.5f), C(0, 0, 0, 90));
    c.Fill(Ring(Box(1, 1, 45, 19, 3.5f), 1.4f), kRed);
    c.Fill(Circle(10, 10, 4.5f), kRed);
    c.Text("REC", 10, 29, 10, kWhite);
  });
  const std::pair<const char*, const char*> inputs[] = {
      {"BannerRF1Input", "RF1"}, {"BannerRF2Input", "RF2"},   {"BannerVideoInput", "AV"},
      {"BannerHDInput", "COMP"}, {"BannerHDMIInput", "HDMI"}, {"BannerPCInput", "PC"},
  };
  // The source badges, 30 x 20: the input list's rows give the input's name
  // and its device's name the rest of their width.
  for (const auto& [name, text] : inputs) {
    const std::string t = text;
    Add(name, 30, 20, [t](Canvas& c) { Badge(c, t, kAccentDeep, true, t.size() > 3 ? 7 : t.size() > 2 ? 9 : 11); });
  }
  Add("DTV", 36, 18, [](Canvas& c) { Badge(c, "DTV", kAccentDeep, true, 10); });
  Add("ATV", 36, 18, [](Canvas& c) { Badge(c, "ATV", C(96, 104, 116), true, 10); });
  Add("InputListCECImage", 32, 16, [](Canvas& c) { Badge(c, "CEC", kGreen, false, 9); });

  const char* sources[10] = {"TV", "AV1", "AV2", "COMP", "HDMI1", "HDMI2", "HDMI3", "PC", "USB", "NET"};
  for (int i = 0; i < 10; ++i) {
    const std::string label = sources[i];
    Add("InputListSource" + std::to_string(i), 48, 36, [label](Canvas& c) {
      c.Fill(Box(3, 3, 45, 29, 4), Vertical(C(54, 70, 96), C(22, 30, 46), 3, 29));
      c.Fill(Ring(Box(3, 3, 45, 29, 4), 1.4f), C(150, 170, 196));
      c.Fill(Segment(17, 33, 31, 33, 1.2f), C(150, 170, 196));
      c.Text(label, label.size() > 3 ? 9 : 11, 24, 16, kWhite);
    });
  }

  // Signal strength: six images of 24 x 16 side by side, 0 to 5 bars lit.
  Add("SignalIndicator", 144, 16, [](Canvas& c) {
    for (int image = 0; image < 6; ++image)
      for (int bar = 0; bar < 5; ++bar) {
        const float x = image * 24 + 3 + bar * 4.f;
        const float top = 13 - (bar + 1) * 2.2f;
        c.Fill(Box(x, top, x + 3, 14, 0.6f), bar < image ? kGreen : C(70, 78, 90));
      }
  });

  // Network test animations: frames of a signal travelling from set to router.
  AddFrames("AnimationWired", 160, 48, 6, 150, [](Canvas& c, int f) {
    TvSet(c, 24, 24, 18, kWhite);
    c.Fill(Box(118, 14, 154, 34, 4), C(60, 70, 88));
    c.Fill(Ring(Box(118, 14, 154, 34, 4), 1.2f), kGrey);
    for (int i = 0; i < 3; ++i) c.Fill(Circle(128 + i * 8.f, 24, 2), i == f % 3 ? kGreen : kDim);
    c.Fill(Segment(46, 24, 116, 24, 1.2f), kGrey);
    for (int i = 0; i < 6; ++i) c.Fill(Circle(52 + i * 12.f, 24, i == f ? 4.f : 2.2f), i == f ? kAccent : kDim);
  });
  AddFrames("AnimationWireless", 160, 48, 6, 150, [](Canvas& c, int f) {
    TvSet(c, 24, 24, 18, kWhite);
    c.Fill(Box(118, 18, 154, 36, 4), C(60, 70, 88));
    c.Fill(Segment(146, 18, 150, 6, 1.2f), kGrey);
    c.Fill(Ring(Box(118, 18, 154, 36, 4), 1.2f), kGrey);
    for (int i = 0; i < 4; ++i) {
      const bool lit = i <= f % 5 && f < 5;
      const Sdf arc = Ring(Circle(46, 24, 10 + i * 14.f), 2.4f);
      c.Fill(Intersect(arc, Polygon({{46, 24}, {200, -40}, {200, 88}})), lit ? kAccent : kDim);
    }
  });

  // Remote control pictures of the automatic input selection.
  Add("AutoInputBase", 188, 130, [](Canvas& c) { Remote(c, ""); });
  Add("AutoInputTV", 188, 130, [](Canvas& c) { Remote(c, "TV"); });
  Add("AutoInputCable", 188, 130, [](Canvas& c) { Remote(c, "CABLE"); });
  Add("AutoInputBD", 188, 130, [](Canvas& c) { Remote(c, "BD"); });
  Add("AutoInputAUX", 188, 130, [](Canvas& c) { Remote(c, "AUX"); });
  Add("RCU_Light", 37, 24, [](Canvas& c) {
    c.Glow(Circle(18.5f, 12, 5), WithAlpha(kRed, 0.8f), 7);
    c.Fill(Circle(18.5f, 12, 5), C(255, 120, 100));
  });

  // Menu tiles.
  const std::pair<const char*, Pictogram> mainMenu[] = {
      {"MainMenuPicture", PictureFrame}, {"MainMenuAudio", Speaker}, {"MainMenuChannel", Antenna},
      {"MainMenuSettings", Gear},        {"MainMenuLock", Padlock},  {"MainMenuMovie", Film},
      {"MainMenuRecord", RecordDot},
  };
  // The focused topic plays its tile lighting up; the others rest unlit.
  constexpr int kTopicFrames = 8;
  for (const auto& [name, draw] : mainMenu) {
    Pictogram p = draw;
    AddFrames(name, 90, 60, kTopicFrames, 40,
              [p](Canvas& c, int f) { LitTile(c, p, f / static_cast<float>(kTopicFrames - 1)); });
    Add(std::string(name) + "0", 90, 60, [p](Canvas& c) { LitTile(c, p, 0); });
  }
  // The older menus' arcs: a tile of a size within a square frame, drawn
  // one frame per size of a position, so that the tile sits centred whatever
  // its size; lit tiles for the focus.
  auto arcTile = [](Canvas& c, Pictogram p, float size, float lit) {
    const float w = static_cast<float>(c.W());
    const float o = (w - size) / 2;
    const Sdf box = Box(o + 2, o + 2, o + size - 2, o + size - 2, size * 0.14f);
    if (lit > 0) c.Glow(box, WithAlpha(kAccent, 0.55f * lit), 3);
    c.Fill(box, Vertical(Mix(C(44, 58, 82, 230), C(58, 150, 222), lit), Mix(C(20, 28, 42, 230), C(14, 70, 140), lit),
                         o + 2, o + size - 2));
    c.Fill(Ring(box, 1.2f + 0.3f * lit), Mix(C(80, 96, 122), C(150, 222, 252), lit));
    p(c, w / 2, w / 2, size * 0.27f, Mix(kGrey, kWhite, lit));
  };
  // The main arc: sizes 52, 62 and 72 at rest, 72 half lit for the current
  // icon of the lowered row; the focused icon lights up in 16 frames.
  const std::pair<const char*, Pictogram> level1[] = {
      {"L1SettingsMenu", Gear}, {"L1NetworkMenu", Globe}, {"L1MediaMenu", Folder},
      {"L1WallPaperMenu", PictureFrame}, {"L1TimerMenu", Clock},
  };
  for (const auto& [name, draw] : level1) {
    Pictogram p = draw;
    AddFrames(std::string(name) + "Off", 72, 72, 4, 0, [p, arcTile](Canvas& c, int f) {
      static constexpr float kSizes[] = {52, 62, 72, 72};
      arcTile(c, p, kSizes[f], f == 3 ? 0.5f : 0.f);
    });
    AddFrames(std::string(name) + "On", 72, 72, 16, 40,
              [p, arcTile](Canvas& c, int f) { arcTile(c, p, 72, 0.3f + 0.7f * f / 15.f); });
  }
  // The second arc: sizes 46, 52 and 58, and 58 lit for the focus.
  const std::pair<const char*, Pictogram> level2[] = {
      {"L2PictureMenu", PictureFrame}, {"L2SoundMenu", Speaker},     {"L2ApplicationMenu", Grid},
      {"L2PreferencesMenu", Sliders},  {"L2SetupMenu", Wrench},      {"L2NetTVMenu", Globe},
      {"L2OnTimerMenu", Clock},        {"L2SleepTimerMenu", Clock},  {"L2GameTimerMenu", Grid},
      {"L2PhotoMenu", PictureFrame},   {"L2MovieMenu", Film},        {"L2MusicMenu", Speaker},
      {"L2NetworkSetupMenu", Wrench},  {"L2WirelessInfoMenu", Antenna},
  };
  for (const auto& [name, draw] : level2) {
    Pictogram p = draw;
    AddFrames(name, 58, 58, 4, 0, [p, arcTile](Canvas& c, int f) {
      static constexpr float kSizes[] = {46, 52, 58, 58};
      arcTile(c, p, kSizes[f], f == 3 ? 1.f : 0.f);
    });
  }

  // 3D dialogs.
  const struct {
    const char* name;
    int kind;
  } formats[] = {{"Format3D_SBS", 0}, {"Format3D_TAB", 1}, {"Format3D_Native", 2}, {"Format2D_SBS", 0},
                 {"Format2D_TAB", 1}, {"Mode3D_3D", 5},    {"Mode3D_2D", 3},       {"Mode3D_2Dto3D", 4}};
  for (const auto& f : formats) {
    const int kind = f.kind;
    Add(f.name, 120, 80, [kind](Canvas& c) { FormatIcon(c, kind, false, false); });
    Add(std::string(f.name) + "_Focus", 120, 80, [kind](Canvas& c) { FormatIcon(c, kind, true, false); });
    if (std::string(f.name).rfind("Format2D", 0) == 0) {
      Add(std::string(f.name) + "_Disabled", 120, 80, [kind](Canvas& c) { FormatIcon(c, kind, false, true); });
      Add(std::string(f.name) + "_Disabled_Focus", 120, 80, [kind](Canvas& c) { FormatIcon(c, kind, true, true); });
    }
  }

  // Backgrounds: every row one colour.
  // As wide as the main menu's page (710): the video shows beside it.
  Add("MainMenuBackground", 710, 540, [](Canvas& c) {
    c.Rows([](int y) {
      if (y >= 90 && y < 92) return C(40, 188, 249, 160);
      if (y >= 448 && y < 449) return C(84, 108, 142, 200);
      const float t = y / 539.f;
      return Mix(C(20, 34, 58, 235), C(4, 8, 16, 245), t);
    });
  });
  Add("MediaMovieBg", 960, 540, [](Canvas& c) {
    c.Rows([](int y) {
      if (y < 80) return Mix(C(30, 46, 72, 245), C(16, 26, 42, 245), y / 80.f);
      if (y < 82) return C(40, 188, 249, 180);
      return Mix(C(12, 20, 34, 240), C(2, 4, 10, 250), (y - 82) / 458.f);
    });
  });
  Add("L1Background", 960, 241, [](Canvas& c) {
    c.Rows([](int y) { return Mix(C(8, 14, 26, 0), C(6, 12, 24, 235), std::min(y / 80.f, 1.f)); });
  });
  Add("L1BgLine", 960, 69, [](Canvas& c) {
    c.Rows([](int y) {
      const float d = std::fabs(y - 34.f) / 34.f;
      return C(40, 188, 249, static_cast<int>(std::lround(110 * (1 - d) * (1 - d))));
    });
  });

  // Channel logos: three frames side by side (on a tile, focused, alone).
  for (int i = 0; i < 58; ++i)
    AddFrames("ChannelLogoBig_" + std::to_string(i), 90, 54, 3, 0, [i](Canvas& c, int f) { Logo(c, i, f); });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: bmpdraw <output folder> [font file]\n");
    return 2;
  }
  const fs::path out = argv[1];
  const char* font = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  if (FT_Init_FreeType(&g_ft) || FT_New_Face(g_ft, font, 0, &g_face)) {
    std::fprintf(stderr, "bmpdraw: cannot open the font %s\n", font);
    return 1;
  }
  Catalogue();
  fs::create_directories(out);
  for (const auto& entry : fs::directory_iterator(out))
    if (entry.path().extension() == ".png") fs::remove(entry.path());
  std::ofstream frames(out.parent_path() / "frames.txt");
  frames << "# Pictures with several frames side by side: name, frames, delay in ms.\n"
            "# Written by bmpdraw together with png/.\n";
  for (const Picture& p : g_pictures) {
    Canvas strip(p.width * p.frames, p.height);
    for (int f = 0; f < p.frames; ++f) {
      Canvas frame(p.width, p.height);
      p.draw(frame, f);
      strip.Put(frame, f * p.width, 0);
    }
    if (!strip.Save(out / (p.name + ".png"))) return 1;
    if (p.frames > 1) frames << p.name << " " << p.frames << " " << p.delay << "\n";
  }
  FT_Done_Face(g_face);
  FT_Done_FreeType(g_ft);
  std::printf("bmpdraw: %zu pictures in %s\n", g_pictures.size(), out.string().c_str());
  return 0;
}
