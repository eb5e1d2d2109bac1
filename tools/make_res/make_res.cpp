// Draws the editor's pictures into the folder given as the only argument. Runs at build time,
// on the CPU only (no display needed). Every picture is RGBA, transparent where nothing is drawn.
//
//   Arrows.png     40 x 20   four 10 x 20 gizmo arrows, all pointing up (tip at y 0, base at y 20):
//                            x 0 vertical move (green), x 10 horizontal move (red),
//                            x 20 vertical scale, x 30 horizontal scale (these end in a square).
//                            The gizmo turns them to point along +y and +x.
//   Rotate.png    128 x 128  the rotate ring (blue, four ticks that show the turn).
//   Gizmo.png      64 x 128  four 64 x 32 tool buttons, top to bottom: select, move, rotate, scale,
//                            each a light plate with a dark symbol and its key (Q, E, R, T), so the
//                            button's fill colour shades the whole plate.
//   FileIcons.png 400 x 300  100 x 100 cells, four per row; cell k = file kind k: 0 folder, 1 other file,
//                            2 text, 3 image, 4 shader, 5 particle system, 6 tile map, 7 font, 8 package,
//                            9 generator frame, 10 generator video, 11 Lua script.
//   PropIcon.png  416 x 32   13 icons of 32 x 32 in one row; icon k = properties tab k: 0 general,
//                            1 transform, 2 textures, 3 tiles, 4 vertex shader, 5 fragment shader,
//                            6 particle system, 7 source, 8 text, 9 vertex object, 10 camera, 11 light,
//                            12 hitbox.
//   RUX.png       256 x 256  the logo.
//   Setup.png     512 x 512  2 x 2 quarters of the start screen: 0 new project, 1 open project,
//                            2 settings, 3 empty. White and greys only, since the dialog tints them.
//
// Shapes are signed distance functions in pixels (negative inside). A pixel's coverage is
// 0.5 - distance, clamped to [0, 1], which anti-aliases every edge without supersampling.
#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr float kPi = 3.14159265f;

struct Rgba { float r, g, b, a; };
Rgba rgb(int r, int g, int b, int a = 255) { return {r / 255.f, g / 255.f, b / 255.f, a / 255.f}; }
Rgba shade(Rgba c, float f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

struct P { float x, y; };
using Sdf = std::function<float(float, float)>;
using Paint = std::function<Rgba(float, float)>;

// ---- shapes ----

Sdf circle(float cx, float cy, float r) {
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; };
}

// Axis-aligned box from (x0, y0) to (x1, y1) with corner radius rad.
Sdf box(float x0, float y0, float x1, float y1, float rad = 0) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2 - rad, hy = (y1 - y0) / 2 - rad;
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        return std::hypot(std::max(qx, 0.f), std::max(qy, 0.f)) + std::min(std::max(qx, qy), 0.f) - rad;
    };
}

float segDist(float x, float y, P a, P b) {
    const float ex = b.x - a.x, ey = b.y - a.y, wx = x - a.x, wy = y - a.y, len2 = ex * ex + ey * ey;
    const float t = len2 > 0 ? std::clamp((wx * ex + wy * ey) / len2, 0.f, 1.f) : 0.f;
    return std::hypot(wx - ex * t, wy - ey * t);
}

// A stroke of radius r (round caps) along a polyline.
Sdf line(std::vector<P> pts, float r) {
    return [=](float x, float y) {
        float d = 1e9f;
        for (size_t i = 1; i < pts.size(); ++i) d = std::min(d, segDist(x, y, pts[i - 1], pts[i]));
        return d - r;
    };
}

// Any simple polygon; inside by the even-odd rule.
Sdf polygon(std::vector<P> v) {
    return [=](float x, float y) {
        float d = 1e9f;
        bool inside = false;
        for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
            d = std::min(d, segDist(x, y, v[j], v[i]));
            if ((v[i].y > y) != (v[j].y > y) &&
                x < v[i].x + (y - v[i].y) * (v[j].x - v[i].x) / (v[j].y - v[i].y))
                inside = !inside;
        }
        return inside ? -d : d;
    };
}

// A stroke of radius r along the circle (cx, cy, R) from angle a0 to a1 (degrees, clockwise on screen).
Sdf arc(float cx, float cy, float R, float a0, float a1, float r) {
    const P pa{cx + R * std::cos(a0 * kPi / 180), cy + R * std::sin(a0 * kPi / 180)};
    const P pb{cx + R * std::cos(a1 * kPi / 180), cy + R * std::sin(a1 * kPi / 180)};
    return [=](float x, float y) {
        float a = std::atan2(y - cy, x - cx) * 180 / kPi;
        while (a < a0) a += 360;
        while (a >= a0 + 360) a -= 360;
        if (a <= a1) return std::abs(std::hypot(x - cx, y - cy) - R) - r;
        return std::min(std::hypot(x - pa.x, y - pa.y), std::hypot(x - pb.x, y - pb.y)) - r;
    };
}

Sdf join(std::initializer_list<Sdf> parts) {
    std::vector<Sdf> v(parts);
    return [v](float x, float y) {
        float d = 1e9f;
        for (const Sdf& s : v) d = std::min(d, s(x, y));
        return d;
    };
}
Sdf cut(Sdf a, Sdf b) { return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); }; }
Sdf meet(Sdf a, Sdf b) { return [=](float x, float y) { return std::max(a(x, y), b(x, y)); }; }
Sdf inset(Sdf a, float w) { return [=](float x, float y) { return a(x, y) + w; }; }
Sdf outline(Sdf a, float w) { return [=](float x, float y) { return std::abs(a(x, y)) - w / 2; }; }

// The shape a turned by deg degrees (clockwise on screen) around (cx, cy).
Sdf turned(Sdf a, float cx, float cy, float deg) {
    const float c = std::cos(deg * kPi / 180), s = std::sin(deg * kPi / 180);
    return [=](float x, float y) {
        const float dx = x - cx, dy = y - cy;
        return a(cx + dx * c + dy * s, cy - dx * s + dy * c);
    };
}

Sdf shifted(Sdf a, float dx, float dy) { return [=](float x, float y) { return a(x - dx, y - dy); }; }

Sdf square(float cx, float cy, float size, float deg, float rad = 0) {
    return turned(box(cx - size / 2, cy - size / 2, cx + size / 2, cy + size / 2, rad), cx, cy, deg);
}

// A triangular arrow head with its tip at `tip`, pointing along (dx, dy).
Sdf head(P tip, float dx, float dy, float len, float halfWidth) {
    const float n = std::hypot(dx, dy);
    dx /= n, dy /= n;
    const P base{tip.x - dx * len, tip.y - dy * len};
    return polygon({tip, {base.x - dy * halfWidth, base.y + dx * halfWidth},
                    {base.x + dy * halfWidth, base.y - dx * halfWidth}});
}

// ---- the pixel font: 5 x 7 capitals, one byte per row, bit 4 the leftmost column ----

struct Glyph { char c; std::uint8_t row[7]; };
const Glyph kGlyphs[] = {
    {'A', {14, 17, 17, 31, 17, 17, 17}}, {'B', {30, 17, 17, 30, 17, 17, 30}}, {'C', {14, 17, 16, 16, 16, 17, 14}},
    {'D', {30, 17, 17, 17, 17, 17, 30}}, {'E', {31, 16, 16, 30, 16, 16, 31}}, {'F', {31, 16, 16, 30, 16, 16, 16}},
    {'G', {14, 17, 16, 23, 17, 17, 15}}, {'H', {17, 17, 17, 31, 17, 17, 17}}, {'I', {14, 4, 4, 4, 4, 4, 14}},
    {'J', {7, 2, 2, 2, 2, 18, 12}},      {'K', {17, 18, 20, 24, 20, 18, 17}}, {'L', {16, 16, 16, 16, 16, 16, 31}},
    {'M', {17, 27, 21, 21, 17, 17, 17}}, {'N', {17, 17, 25, 21, 19, 17, 17}}, {'O', {14, 17, 17, 17, 17, 17, 14}},
    {'P', {30, 17, 17, 30, 16, 16, 16}}, {'Q', {14, 17, 17, 17, 21, 18, 13}}, {'R', {30, 17, 17, 30, 20, 18, 17}},
    {'S', {15, 16, 16, 14, 1, 1, 30}},   {'T', {31, 4, 4, 4, 4, 4, 4}},       {'U', {17, 17, 17, 17, 17, 17, 14}},
    {'V', {17, 17, 17, 17, 17, 10, 4}},  {'W', {17, 17, 17, 21, 21, 21, 10}}, {'X', {17, 17, 10, 4, 10, 17, 17}},
    {'Y', {17, 17, 10, 4, 4, 4, 4}},     {'Z', {31, 1, 2, 4, 8, 16, 31}},
};

int textWidth(const std::string& s, int scale) { return s.empty() ? 0 : (int(s.size()) * 6 - 1) * scale; }

// Text with its top-left corner at (x0, y0); whole pixels, so it stays crisp.
Sdf text(std::string s, int x0, int y0, int scale) {
    return [=](float x, float y) {
        const int gx = int(std::floor((x - x0) / scale)), gy = int(std::floor((y - y0) / scale));
        if (gx < 0 || gy < 0 || gy > 6 || gx % 6 == 5 || gx / 6 >= int(s.size())) return 1.f;
        for (const Glyph& g : kGlyphs)
            if (g.c == s[gx / 6]) return (g.row[gy] >> (4 - gx % 6)) & 1 ? -1.f : 1.f;
        return 1.f;
    };
}

// ---- the canvas ----

class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), px_(size_t(w) * h, Rgba{0, 0, 0, 0}) { cell(0, 0, w, h); }

    // Restricts drawing to one cell and makes its top-left corner the origin.
    void cell(int x, int y, int cw, int ch) { x0_ = x, y0_ = y, x1_ = std::min(x + cw, w_), y1_ = std::min(y + ch, h_); }

    void fill(const Sdf& s, const Paint& paint) {
        for (int y = y0_; y < y1_; ++y)
            for (int x = x0_; x < x1_; ++x) {
                const float lx = x - x0_ + 0.5f, ly = y - y0_ + 0.5f;
                const float cover = std::clamp(0.5f - s(lx, ly), 0.f, 1.f);
                if (cover <= 0) continue;
                const Rgba c = paint(lx, ly);
                const float a = c.a * cover;
                Rgba& d = px_[size_t(y) * w_ + x];  // premultiplied
                d = {c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a), a + d.a * (1 - a)};
            }
    }
    void fill(const Sdf& s, Rgba c) { fill(s, [c](float, float) { return c; }); }

    // A shape in `body` colour with an edge of width w in `edge` colour.
    void framed(const Sdf& s, Rgba body, Rgba edge, float w) {
        fill(s, edge);
        fill(inset(s, w), body);
    }
    void framed(const Sdf& s, const Paint& body, Rgba edge, float w) {
        fill(s, edge);
        fill(inset(s, w), body);
    }

    bool save(const std::string& path) const {
        sf::Image img;
        img.create(w_, h_, sf::Color::Transparent);
        auto byte = [](float v) { return sf::Uint8(std::lround(std::clamp(v, 0.f, 1.f) * 255)); };
        for (int y = 0; y < h_; ++y)
            for (int x = 0; x < w_; ++x) {
                const Rgba& p = px_[size_t(y) * w_ + x];
                if (p.a <= 0) continue;
                img.setPixel(x, y, {byte(p.r / p.a), byte(p.g / p.a), byte(p.b / p.a), byte(p.a)});
            }
        return img.saveToFile(path);
    }

private:
    int w_, h_, x0_ = 0, y0_ = 0, x1_ = 0, y1_ = 0;
    std::vector<Rgba> px_;
};

// ---- pictures ----

// Red, green and blue blended over the triangle abc, for the shader symbols.
Paint rgbTriangle(P a, P b, P c) {
    return [=](float x, float y) {
        const float det = (b.y - c.y) * (a.x - c.x) + (c.x - b.x) * (a.y - c.y);
        const float l1 = std::clamp(((b.y - c.y) * (x - c.x) + (c.x - b.x) * (y - c.y)) / det, 0.f, 1.f);
        const float l2 = std::clamp(((c.y - a.y) * (x - c.x) + (a.x - c.x) * (y - c.y)) / det, 0.f, 1.f);
        const float l3 = std::max(0.f, 1 - l1 - l2), m = std::max({l1, l2, l3});
        return Rgba{0.15f + 0.85f * l1 / m, 0.15f + 0.85f * l2 / m, 0.15f + 0.85f * l3 / m, 1};
    };
}

// A four-way arrow cross centred at (cx, cy) reaching `reach` in each direction.
void moveCross(Canvas& c, float cx, float cy, float reach, float r, float headLen, float headW, Rgba h, Rgba v,
               Rgba edge, float ew) {
    const Sdf horiz = join({line({{cx - reach + headLen, cy}, {cx + reach - headLen, cy}}, r),
                            head({cx + reach, cy}, 1, 0, headLen, headW), head({cx - reach, cy}, -1, 0, headLen, headW)});
    const Sdf vert = join({line({{cx, cy - reach + headLen}, {cx, cy + reach - headLen}}, r),
                           head({cx, cy - reach}, 0, -1, headLen, headW), head({cx, cy + reach}, 0, 1, headLen, headW)});
    if (ew > 0) c.fill(join({horiz, vert}), edge);
    c.fill(inset(horiz, ew), h);
    c.fill(inset(vert, ew), v);
}

bool drawArrows(const std::string& dir) {
    Canvas c(40, 20);
    const Rgba colours[2] = {rgb(70, 205, 90), rgb(240, 80, 65)};
    for (int i = 0; i < 4; ++i) {
        c.cell(10 * i, 0, 10, 20);
        const Sdf shaft = box(3, 7, 7, 23);  // runs past the base so no edge is drawn there
        const Sdf tip = i < 2 ? polygon({{5, 0.2f}, {9.8f, 9}, {0.2f, 9}}) : box(0.6f, 0.6f, 9.4f, 8.6f, 1);
        c.framed(join({shaft, tip}), colours[i % 2], shade(colours[i % 2], 0.4f), 0.9f);
    }
    return c.save(dir + "/Arrows.png");
}

bool drawRotate(const std::string& dir) {
    Canvas c(128, 128);
    const Rgba blue = rgb(80, 150, 255), edge = rgb(25, 55, 120);
    c.framed(outline(circle(64, 64, 56), 12), blue, edge, 1.6f);
    for (int k = 0; k < 4; ++k) {
        const float a = k * kPi / 2, cs = std::cos(a), sn = std::sin(a);
        c.fill(line({{64 + 52 * cs, 64 + 52 * sn}, {64 + 60 * cs, 64 + 60 * sn}}, 1.6f), edge);
    }
    return c.save(dir + "/Rotate.png");
}

bool drawGizmo(const std::string& dir) {
    Canvas c(64, 128);
    const Rgba ink = rgb(40, 42, 48), hint = rgb(120, 120, 128);
    const char* keys[4] = {"Q", "E", "R", "T"};
    const float cx = 27, cy = 16;
    for (int i = 0; i < 4; ++i) {
        c.cell(0, 32 * i, 64, 32);
        c.framed(box(1, 1, 63, 31, 7), rgb(244, 244, 246), rgb(110, 110, 118), 1.2f);
        c.fill(text(keys[i], 53, 21, 1), hint);
        switch (i) {
        case 0:  // pointer
            c.framed(polygon({{cx - 6, cy - 11}, {cx - 6, cy + 7}, {cx - 1.5f, cy + 3}, {cx + 1.5f, cy + 10},
                              {cx + 4.5f, cy + 8.7f}, {cx + 1.5f, cy + 1.8f}, {cx + 7, cy + 1.8f}}),
                     ink, ink, 0);
            break;
        case 1:
            moveCross(c, cx, cy, 12, 1.4f, 5, 4.5f, ink, ink, ink, 0);
            break;
        case 2: {  // circular arrow, open at the top, its head turning anticlockwise
            const float R = 9, e = -45 * kPi / 180, dx = std::sin(e), dy = -std::cos(e);
            c.fill(arc(cx, cy, R, -45, 215, 1.7f), ink);
            c.fill(head({cx + R * std::cos(e) + 6 * dx, cy + R * std::sin(e) + 6 * dy}, dx, dy, 7, 4.5f), ink);
            break;
        }
        case 3:  // a small box growing into a large one
            c.fill(outline(box(cx - 11, cy - 11, cx + 11, cy + 11, 1.5f), 1.6f), ink);
            c.fill(box(cx - 11, cy + 1, cx - 1, cy + 11, 1), ink);
            c.fill(line({{cx - 3, cy + 3}, {cx + 4, cy - 4}}, 1.4f), ink);
            c.fill(head({cx + 7.5f, cy - 7.5f}, 1, -1, 6, 4), ink);
            break;
        }
    }
    return c.save(dir + "/Gizmo.png");
}

// ---- file icons: a page with a symbol and a coloured label band ----

const Rgba kPaper = rgb(250, 250, 252), kEdge = rgb(80, 84, 96);

void page(Canvas& c, const char* label, Rgba band) {
    c.framed(inset(polygon({{22, 8}, {66, 8}, {80, 22}, {80, 92}, {22, 92}}), -2), kPaper, kEdge, 2.2f);
    c.framed(inset(polygon({{66, 8}, {66, 22}, {80, 22}}), -1), rgb(212, 214, 222), kEdge, 1.6f);
    if (!*label) return;
    c.framed(box(12, 62, 76, 84, 3), band, shade(band, 0.55f), 1.6f);
    const int x = 44 - (textWidth(label, 2) + 1) / 2;
    c.fill(join({text(label, x, 66, 2), text(label, x + 1, 66, 2)}), rgb(255, 255, 255));  // bold
}

// Tessly's picture: coloured squares at odd angles.
void mosaic(Canvas& c, float cx, float cy, float s) {
    struct Sq { float x, y, size, deg; Rgba col; };
    const Sq squares[] = {{-6, -6, 16, 20, rgb(240, 90, 140, 220)}, {8, -5, 13, -15, rgb(60, 190, 230, 220)},
                          {-2, 7, 17, 40, rgb(250, 200, 50, 220)},  {10, 9, 10, 10, rgb(150, 90, 220, 220)},
                          {-11, 8, 9, -30, rgb(80, 200, 110, 220)}, {1, -11, 8, 45, rgb(250, 140, 50, 220)}};
    for (const Sq& q : squares) c.fill(square(cx + q.x * s, cy + q.y * s, q.size * s, q.deg, 1), q.col);
}

void fileIcon(Canvas& c, int kind) {
    const float cx = 51, cy = 40;  // centre of the symbol area above the label band
    switch (kind) {
    case 0: {  // folder
        const Rgba back = rgb(226, 165, 45), front = rgb(250, 202, 85);
        c.framed(join({box(8, 16, 44, 34, 4), box(8, 24, 92, 86, 5)}), back, shade(back, 0.6f), 2);
        c.framed(box(8, 34, 92, 86, 5), front, shade(back, 0.6f), 2);
        c.fill(box(14, 38, 86, 40, 1), rgb(255, 228, 150));
        break;
    }
    case 1:
        page(c, "", {});
        break;
    case 2:
        page(c, "TXT", rgb(95, 108, 130));
        for (int k = 0; k < 5; ++k) {
            const float ends[5] = {60, 72, 66, 72, 54};
            c.fill(line({{30, 25.f + 7 * k}, {ends[k], 25.f + 7 * k}}, 1.6f), rgb(125, 130, 142));
        }
        break;
    case 3:
        page(c, "IMG", rgb(55, 150, 75));
        c.fill(box(29, 25, 73, 57), rgb(175, 218, 250));
        c.fill(circle(62, 34, 5), rgb(255, 205, 50));
        c.fill(meet(polygon({{29, 58}, {44, 38}, {53, 48}, {61, 41}, {74, 58}}), box(29, 25, 73, 57)), rgb(70, 160, 80));
        c.fill(outline(box(29, 25, 73, 57), 2), kEdge);
        break;
    case 4: {
        page(c, "GLSL", rgb(130, 80, 190));
        const P a{51, 22}, b{30, 58}, d{72, 58};
        c.framed(polygon({a, d, b}), rgbTriangle(a, b, d), kEdge, 1.6f);
        break;
    }
    case 5:
        page(c, "PSY", rgb(230, 120, 30));
        c.fill(circle(cx, cy, 5.5f), rgb(245, 130, 35));
        for (int k = 0; k < 8; ++k) {
            const float a = k * kPi / 4, b = a + kPi / 8;
            c.fill(circle(cx + 12 * std::cos(a), cy + 12 * std::sin(a), 3), rgb(250, 160, 40));
            c.fill(circle(cx + 18 * std::cos(b), cy + 18 * std::sin(b), 2), rgb(250, 205, 70));
        }
        break;
    case 6:
        page(c, "TLM", rgb(30, 145, 140));
        for (int k = 0; k < 9; ++k) {
            const float x = 32.f + 13 * (k % 3), y = 22.f + 13 * (k / 3);
            const Rgba tiles[3] = {rgb(110, 190, 90), rgb(150, 120, 80), rgb(90, 170, 220)};
            c.framed(box(x, y, x + 12, y + 12, 1.5f), tiles[(k * 5 + k / 3) % 3], kEdge, 1.2f);
        }
        break;
    case 7:
        page(c, "TTF", rgb(180, 50, 60));
        c.fill(line({{37, 58}, {cx, 22}, {65, 58}}, 3.2f), rgb(60, 62, 72));
        c.fill(line({{42, 47}, {60, 47}}, 2.6f), rgb(60, 62, 72));
        break;
    case 8: {
        page(c, "RPK", rgb(150, 100, 50));
        const Rgba card = rgb(205, 155, 95);
        c.framed(box(31, 31, 71, 58, 2), card, shade(card, 0.5f), 1.6f);
        c.framed(box(29, 24, 73, 33, 2), shade(card, 0.85f), shade(card, 0.5f), 1.6f);
        c.fill(box(47.5f, 25, 54.5f, 57), rgb(240, 220, 165));
        break;
    }
    case 9:
        page(c, "TYU", rgb(190, 55, 145));
        mosaic(c, cx, cy, 1.05f);
        break;
    case 10:
        page(c, "TYV", rgb(120, 50, 150));
        c.fill(box(28, 22, 74, 58, 2), rgb(55, 55, 66));
        for (int k = 0; k < 6; ++k) {
            c.fill(box(31.f + 7.5f * k, 24.5f, 35.f + 7.5f * k, 28.f, 0.8f), kPaper);
            c.fill(box(31.f + 7.5f * k, 52.f, 35.f + 7.5f * k, 55.5f, 0.8f), kPaper);
        }
        c.fill(box(30, 31, 72, 49), rgb(235, 238, 245));
        mosaic(c, cx, cy, 0.55f);
        break;
    case 11:
        page(c, "LUA", rgb(40, 60, 160));
        c.fill(cut(circle(cx - 2, cy + 1, 16), circle(cx + 7, cy - 5, 13)), rgb(40, 60, 170));
        c.fill(circle(cx + 13, cy - 12, 3), rgb(40, 60, 170));
        break;
    }
}

bool drawFileIcons(const std::string& dir) {
    Canvas c(400, 300);
    for (int k = 0; k < 12; ++k) {
        c.cell(100 * (k % 4), 100 * (k / 4), 100, 100);
        fileIcon(c, k);
    }
    return c.save(dir + "/FileIcons.png");
}

// ---- property tab icons: mid tones with dark edges, readable on light and dark themes ----

void propIcon(Canvas& c, int tab) {
    const Rgba edge = rgb(30, 32, 38);
    const float ew = 1.3f;
    switch (tab) {
    case 0:  // general: information
        c.framed(circle(16, 16, 13.5f), rgb(60, 130, 225), edge, ew);
        c.fill(circle(16, 9.5f, 2.3f), rgb(255, 255, 255));
        c.fill(line({{16, 14}, {16, 23}}, 2.1f), rgb(255, 255, 255));
        break;
    case 1:
        moveCross(c, 16, 16, 15, 2.1f, 7, 5.5f, rgb(240, 80, 65), rgb(70, 205, 90), edge, ew);
        break;
    case 2:
        c.fill(box(3, 6, 29, 26), rgb(175, 218, 250));
        c.fill(circle(22, 12, 3), rgb(255, 205, 50));
        c.fill(meet(polygon({{3, 27}, {12, 14}, {18, 21}, {22, 17}, {30, 27}}), box(3, 6, 29, 26)), rgb(70, 160, 80));
        c.fill(outline(box(3, 6, 29, 26, 1.5f), 2), edge);
        break;
    case 3:
        for (int k = 0; k < 9; ++k) {
            const float x = 2.5f + 9.25f * (k % 3), y = 2.5f + 9.25f * (k / 3);
            c.framed(box(x, y, x + 8.5f, y + 8.5f, 1), k % 2 ? rgb(90, 175, 165) : rgb(170, 225, 215), edge, 1.1f);
        }
        break;
    case 4: {  // vertex shader: the corners of a triangle
        const P a{16, 4}, b{4, 27}, d{28, 27};
        c.fill(outline(polygon({a, d, b}), 2), rgb(150, 150, 160));
        const Rgba dots[3] = {rgb(240, 70, 60), rgb(70, 200, 90), rgb(70, 120, 250)};
        const P at[3] = {a, b, d};
        for (int k = 0; k < 3; ++k) c.framed(circle(at[k].x, at[k].y, 4), dots[k], edge, ew);
        break;
    }
    case 5: {  // fragment shader: the shaded inside of a triangle
        const P a{16, 3}, b{2, 28}, d{30, 28};
        c.framed(polygon({a, d, b}), rgbTriangle(a, b, d), edge, ew);
        break;
    }
    case 6:
        c.framed(circle(16, 16, 4), rgb(245, 130, 35), edge, 1);
        for (int k = 0; k < 8; ++k) {
            const float a = k * kPi / 4, b = a + kPi / 8;
            c.framed(circle(16 + 9 * std::cos(a), 16 + 9 * std::sin(a), 2.6f), rgb(250, 165, 45), edge, 1);
            c.fill(circle(16 + 14 * std::cos(b), 16 + 14 * std::sin(b), 1.5f), rgb(250, 205, 70));
        }
        break;
    case 7: {  // source: </>
        const Sdf code = join({line({{11, 8}, {3.5f, 16}, {11, 24}}, 1.9f), line({{21, 8}, {28.5f, 16}, {21, 24}}, 1.9f),
                               line({{18.5f, 5}, {13.5f, 27}}, 1.9f)});
        c.framed(code, rgb(150, 125, 235), edge, 1);
        break;
    }
    case 8:
        c.framed(join({box(4, 3, 28, 10, 1), box(12.5f, 3, 19.5f, 29, 1)}), rgb(236, 236, 242), edge, ew);
        break;
    case 9: {  // vertex object: a shape with its vertex handles
        const std::vector<P> v = {{5, 10}, {18, 3}, {29, 14}, {23, 29}, {7, 25}};
        c.framed(polygon(v), rgb(250, 175, 70), edge, ew);
        for (const P& p : v) c.framed(box(p.x - 2.8f, p.y - 2.8f, p.x + 2.8f, p.y + 2.8f), rgb(255, 255, 255), edge, 1);
        break;
    }
    case 10:  // camera
        c.framed(join({box(2, 10, 22, 27, 3), polygon({{20, 16}, {30.5f, 10}, {30.5f, 27}, {20, 21}})}),
                 rgb(120, 128, 145), edge, ew);
        c.framed(join({circle(7.5f, 6.5f, 4.5f), circle(17, 6.5f, 4.5f)}), rgb(120, 128, 145), edge, ew);
        c.fill(circle(7, 15, 2), rgb(240, 80, 65));
        break;
    case 11:  // light: a sun
        for (int k = 0; k < 8; ++k) {
            const float a = k * kPi / 4, cs = std::cos(a), sn = std::sin(a);
            c.framed(line({{16 + 10 * cs, 16 + 10 * sn}, {16 + 13.5f * cs, 16 + 13.5f * sn}}, 1.9f), rgb(255, 205, 50),
                     edge, 1);
        }
        c.framed(circle(16, 16, 7.5f), rgb(255, 215, 70), edge, ew);
        break;
    case 12: {  // hitbox: corner marks around a translucent area
        c.fill(box(6, 6, 26, 26, 1), rgb(240, 70, 60, 70));
        Sdf corners = join({});
        for (int k = 0; k < 4; ++k) {
            const float x = k % 2 ? 28 : 4, y = k / 2 ? 28 : 4, sx = k % 2 ? -1 : 1, sy = k / 2 ? -1 : 1;
            corners = join({corners, line({{x + 9 * sx, y}, {x, y}, {x, y + 9 * sy}}, 2)});
        }
        c.framed(corners, rgb(240, 70, 60), edge, 1);
        c.fill(line({{11, 21}, {21, 11}}, 1.4f), rgb(240, 70, 60));
        break;
    }
    }
}

bool drawPropIcons(const std::string& dir) {
    Canvas c(416, 32);
    for (int k = 0; k < 13; ++k) {
        c.cell(32 * k, 0, 32, 32);
        propIcon(c, k);
    }
    return c.save(dir + "/PropIcon.png");
}

bool drawLogo(const std::string& dir) {
    Canvas c(256, 256);
    const Rgba top = rgb(75, 135, 240), bottom = rgb(35, 68, 170);
    c.framed(box(8, 8, 248, 248, 52),
             [=](float, float y) {
                 const float t = std::clamp((y - 8) / 240, 0.f, 1.f);
                 return Rgba{top.r + (bottom.r - top.r) * t, top.g + (bottom.g - top.g) * t, top.b + (bottom.b - top.b) * t, 1};
             },
             rgb(22, 40, 105), 3);
    c.fill(meet(box(12, 12, 244, 244, 48), circle(128, -300, 410)), rgb(255, 255, 255, 28));  // gloss
    const float r = 9.5f, x = 41;  // stroke radius, left of the R's stem
    const Sdf letters = join({
        line({{x, 90}, {x, 166}}, r), line({{x, 90}, {x + 18, 90}}, r), line({{x, 134}, {x + 18, 134}}, r),
        arc(x + 18, 112, 22, -90, 90, r), line({{x + 18, 134}, {x + 39, 166}}, r),          // R
        line({{x + 68, 90}, {x + 68, 146}}, r), line({{x + 108, 90}, {x + 108, 146}}, r),
        arc(x + 88, 146, 20, 0, 180, r),                                                    // U
        line({{x + 134, 90}, {x + 176, 166}}, r), line({{x + 176, 90}, {x + 134, 166}}, r),  // X
    });
    c.fill(shifted(letters, 3, 4), rgb(10, 20, 60, 90));  // shadow
    c.fill(letters, rgb(252, 252, 255));
    return c.save(dir + "/RUX.png");
}

bool drawSetup(const std::string& dir) {
    Canvas c(512, 512);
    const Rgba white = rgb(255, 255, 255), light = rgb(222, 224, 230), grey = rgb(150, 152, 160);
    // New project: a page with a plus.
    c.cell(0, 0, 256, 256);
    c.framed(inset(polygon({{64, 34}, {156, 34}, {194, 72}, {194, 222}, {64, 222}}), -4), white, grey, 5);
    c.framed(inset(polygon({{156, 34}, {156, 72}, {194, 72}}), -3), light, grey, 4);
    c.fill(join({line({{129, 106}, {129, 182}}, 10), line({{91, 144}, {167, 144}}, 10)}), grey);
    // Open project: an open folder with a page inside.
    c.cell(256, 0, 256, 256);
    c.framed(join({box(30, 48, 110, 86, 8), box(30, 66, 210, 208, 10)}), light, grey, 5);
    c.framed(polygon({{64, 54}, {176, 54}, {176, 150}, {64, 150}}), white, grey, 4);
    c.framed(inset(polygon({{58, 110}, {234, 110}, {206, 204}, {34, 204}}), -6), white, grey, 5);
    // Settings: a gear.
    c.cell(0, 256, 256, 256);
    Sdf gear = circle(128, 128, 66);
    for (int k = 0; k < 8; ++k) gear = join({gear, turned(box(112, 34, 144, 80, 5), 128, 128, 45.f * k)});
    c.framed(cut(gear, circle(128, 128, 28)), white, grey, 5);
    c.fill(outline(circle(128, 128, 46), 4), light);
    return c.save(dir + "/Setup.png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_res <output folder>\n";
        return 1;
    }
    const std::string dir = argv[1];
    bool ok = true;
    for (auto draw : {drawArrows, drawRotate, drawGizmo, drawFileIcons, drawPropIcons, drawLogo, drawSetup}) ok = draw(dir) && ok;
    return ok ? 0 : 1;
}
