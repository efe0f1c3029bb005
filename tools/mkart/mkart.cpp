// mkart - draws Orbix's splash bitmap and icon and writes them as orbix.bmp and orbix.ico.
//
//   g++ -std=c++20 -O2 -o mkart tools/mkart/mkart.cpp && ./mkart res
//
// The pictures are ours, made here from code, so they can be redrawn at will. The splash is a
// 24-bit bitmap of 549 x 422 pixels (what the program blits); the icon one 32 x 32 image in
// 16 colours with its transparency mask, the oldest form every Windows loader accepts.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

namespace {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

struct V2 {
    double x = 0, y = 0;
};
V2 operator+(V2 a, V2 b) { return {a.x + b.x, a.y + b.y}; }
V2 operator-(V2 a, V2 b) { return {a.x - b.x, a.y - b.y}; }
V2 operator*(V2 a, double s) { return {a.x * s, a.y * s}; }
double Dot(V2 a, V2 b) { return a.x * b.x + a.y * b.y; }
double Len(V2 a) { return std::sqrt(Dot(a, a)); }

struct V3 {
    double x = 0, y = 0, z = 0;
};
V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
double Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
V3 Unit(V3 a) { return a * (1.0 / std::sqrt(Dot(a, a))); }

// ------------------------------------------------------------------ true-colour canvas

// Shapes are drawn by coverage (distance to the shape's edge), which gives smooth edges
// without any supersampling.
class Canvas {
public:
    Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {}
    int width() const { return w_; }
    int height() const { return h_; }
    Rgb &at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }
    const Rgb &at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }

    void Blend(int x, int y, Rgb c, double alpha) {
        if (x < 0 || y < 0 || x >= w_ || y >= h_ || alpha <= 0) return;
        Rgb &p = at(x, y);
        p = Mix(p, c, std::min(alpha, 1.0));
    }

    // A segment with round caps.
    void Line(V2 a, V2 b, double width, Rgb c, double alpha = 1.0) {
        const double r = width / 2;
        const int x0 = static_cast<int>(std::floor(std::min(a.x, b.x) - r - 1));
        const int x1 = static_cast<int>(std::ceil(std::max(a.x, b.x) + r + 1));
        const int y0 = static_cast<int>(std::floor(std::min(a.y, b.y) - r - 1));
        const int y1 = static_cast<int>(std::ceil(std::max(a.y, b.y) + r + 1));
        const V2 ab = b - a;
        const double l2 = std::max(Dot(ab, ab), 1e-12);
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const V2 p{x + 0.5, y + 0.5};
                const double t = std::clamp(Dot(p - a, ab) / l2, 0.0, 1.0);
                const double d = Len(p - (a + ab * t));
                Blend(x, y, c, std::clamp(r + 0.5 - d, 0.0, 1.0) * alpha);
            }
        }
    }

    void Polyline(const std::vector<V2> &pts, double width, Rgb c, double alpha = 1.0) {
        for (size_t i = 1; i < pts.size(); ++i) Line(pts[i - 1], pts[i], width, c, alpha);
    }

    void Disc(V2 centre, double radius, Rgb c, double alpha = 1.0) { Line(centre, centre, radius * 2, c, alpha); }

    // A convex polygon, filled.
    void Convex(const std::vector<V2> &poly, Rgb c, double alpha = 1.0) {
        double minx = 1e9, maxx = -1e9, miny = 1e9, maxy = -1e9;
        for (V2 p : poly) {
            minx = std::min(minx, p.x), maxx = std::max(maxx, p.x);
            miny = std::min(miny, p.y), maxy = std::max(maxy, p.y);
        }
        double area = 0;
        for (size_t i = 0; i < poly.size(); ++i) {
            V2 a = poly[i], b = poly[(i + 1) % poly.size()];
            area += a.x * b.y - b.x * a.y;
        }
        const double orient = area > 0 ? 1 : -1;
        for (int y = static_cast<int>(miny) - 1; y <= static_cast<int>(maxy) + 1; ++y) {
            for (int x = static_cast<int>(minx) - 1; x <= static_cast<int>(maxx) + 1; ++x) {
                const V2 p{x + 0.5, y + 0.5};
                double inside = 1e9;  // signed distance to the nearest edge, positive inside
                for (size_t i = 0; i < poly.size(); ++i) {
                    V2 a = poly[i], b = poly[(i + 1) % poly.size()];
                    V2 e = b - a;
                    const double d = orient * (e.x * (p.y - a.y) - e.y * (p.x - a.x)) / Len(e);
                    inside = std::min(inside, d);
                }
                Blend(x, y, c, std::clamp(inside + 0.5, 0.0, 1.0) * alpha);
            }
        }
    }

    void Dotted(V2 a, V2 b, double spacing, double radius, Rgb c) {
        const double l = Len(b - a);
        const int n = std::max(1, static_cast<int>(l / spacing));
        for (int i = 0; i <= n; ++i) Disc(a + (b - a) * (static_cast<double>(i) / n), radius, c);
    }

    void Arrow(V2 from, V2 to, double width, double head, Rgb c) {
        const V2 d = to - from;
        const double l = Len(d);
        if (l < 1e-9) return;
        const V2 u = d * (1 / l);
        const V2 n{-u.y, u.x};
        const V2 base = to - u * head;
        Line(from, base + u * 1.0, width, c);
        Convex({to, base + n * (head * 0.42), base - n * (head * 0.42)}, c);
    }

private:
    int w_, h_;
    std::vector<Rgb> px_;
};

// ------------------------------------------------------------------ stroke font

// Capital letters on a 4 x 6 grid, y downwards; each glyph is a few polylines. Only the
// letters the pictures spell are here. 'a' is A with an acute accent.
const std::vector<std::vector<V2>> &Glyph(char ch) {
    static const std::vector<std::vector<V2>> empty;
    static const std::array<std::pair<char, std::vector<std::vector<V2>>>, 15> glyphs{{
        {'A', {{{0, 6}, {2, 0}, {4, 6}}, {{0.75, 4}, {3.25, 4}}}},
        {'a', {{{0, 6}, {2, 0}, {4, 6}}, {{0.75, 4}, {3.25, 4}}, {{2.1, -1.2}, {3.1, -2.2}}}},
        {'B', {{{0, 3}, {3, 3}, {4, 4}, {4, 5}, {3, 6}, {0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}}}},
        {'E', {{{4, 0}, {0, 0}, {0, 6}, {4, 6}}, {{0, 3}, {3, 3}}}},
        {'G', {{{4, 1}, {3, 0}, {1, 0}, {0, 1}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 3.2}, {2.2, 3.2}}}},
        {'I', {{{1, 0}, {3, 0}}, {{2, 0}, {2, 6}}, {{1, 6}, {3, 6}}}},
        {'L', {{{0, 0}, {0, 6}, {4, 6}}}},
        {'O', {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'R', {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2}, {3, 3}, {0, 3}}, {{2, 3}, {4, 6}}}},
        {'T', {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        {'V', {{{0, 0}, {2, 6}, {4, 0}}}},
        {'X', {{{0, 0}, {4, 6}}, {{4, 0}, {0, 6}}}},
        {'Y', {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}}},
        {'Z', {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}},
        {'+', {{{2, 1.5}, {2, 4.5}}, {{0.5, 3}, {3.5, 3}}}},
    }};
    for (const auto &[c, strokes] : glyphs)
        if (c == ch) return strokes;
    return empty;
}

// Draws text with its top-left corner at origin; one grid unit is `unit` pixels.
// Returns the width drawn.
double Text(Canvas &cv, V2 origin, const std::string &s, double unit, double stroke, Rgb c) {
    const double advance = 6 * unit;
    V2 pen = origin;
    for (char ch : s) {
        for (const auto &line : Glyph(ch)) {
            std::vector<V2> pts;
            for (V2 p : line) pts.push_back(pen + p * unit);
            cv.Polyline(pts, stroke, c);
        }
        pen.x += ch == ' ' ? advance * 0.7 : advance;
    }
    return pen.x - origin.x - 2 * unit;
}

double TextWidth(const std::string &s, double unit) {
    double w = 0;
    for (char ch : s) w += ch == ' ' ? 6 * unit * 0.7 : 6 * unit;
    return w - 2 * unit;
}

// ------------------------------------------------------------------ perspective camera

struct Camera {
    V3 eye, right, up, fwd;
    V2 centre;
    double focal;

    Camera(double azimuthDeg, double elevationDeg, double distance, V2 c, double f) : centre(c), focal(f) {
        const double az = azimuthDeg * std::numbers::pi / 180, el = elevationDeg * std::numbers::pi / 180;
        eye = V3{std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)} * distance;
        fwd = Unit(V3{} - eye);
        right = Unit(Cross(fwd, V3{0, 0, 1}));
        up = Cross(right, fwd);
    }

    V2 operator()(V3 p) const {
        const V3 d = p - eye;
        const double z = Dot(d, fwd);
        return {centre.x + focal * Dot(d, right) / z, centre.y - focal * Dot(d, up) / z};
    }
};

// ------------------------------------------------------------------ the splash

Canvas DrawSplash() {
    constexpr int W = 549, H = 422;
    Canvas cv(W, H);
    const Rgb top{228, 237, 250}, bottom{255, 255, 255};
    for (int y = 0; y < H; ++y) {
        const Rgb row = Mix(top, bottom, std::pow(static_cast<double>(y) / (H - 1), 0.8));
        for (int x = 0; x < W; ++x) cv.at(x, y) = row;
    }
    // A faint grid on the floor plane gives the eye the perspective before the axes do.
    const Camera cam(36, 22, 12, {212, 282}, 1120);
    const Rgb grid{200, 212, 232};
    for (int i = -1; i <= 3; ++i) {
        cv.Line(cam({static_cast<double>(i), -1, 0}), cam({static_cast<double>(i), 3, 0}), 1, grid);
        cv.Line(cam({-1, static_cast<double>(i), 0}), cam({3, static_cast<double>(i), 0}), 1, grid);
    }

    const Rgb ink{30, 40, 70};
    const double axisLen = 2.25;
    const std::array<V3, 3> axes{V3{axisLen, 0, 0}, V3{0, axisLen, 0}, V3{0, 0, axisLen}};
    const V3 o{0, 0, 0};
    for (const V3 &a : axes) {
        cv.Line(cam(o), cam(a * -0.35), 1.4, ink, 0.45);  // the negative half, faded
        cv.Arrow(cam(o), cam(a), 2.2, 13, ink);
        for (int t = 1; t <= 2; ++t) {  // unit ticks, across the axis on the floor or wall
            const V3 at = Unit(a) * t;
            const V3 across = a.z != 0 ? V3{0.09, -0.09, 0} : V3{0, 0, 0.09};
            cv.Line(cam(at - across), cam(at + across), 1.6, ink);
        }
    }
    Text(cv, cam({axisLen + 0.35, 0, 0}) + V2{-8, -6}, "X", 2.2, 2.0, ink);
    Text(cv, cam({0, axisLen + 0.3, 0}) + V2{-2, -8}, "Y", 2.2, 2.0, ink);
    Text(cv, cam({0, 0, axisLen + 0.25}) + V2{-4, -16}, "Z", 2.2, 2.0, ink);

    // The region: a box of points between two limits on each coordinate, dotted.
    const V3 lo{0.6, 0.5, 0.0}, hi{1.7, 1.6, 1.1};
    std::array<V3, 8> corner;
    for (int i = 0; i < 8; ++i) corner[i] = {i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z};
    const Rgb regionInk{70, 120, 90};
    cv.Convex({cam(corner[0]), cam(corner[1]), cam(corner[3]), cam(corner[2])}, {150, 200, 165}, 0.35);
    for (int i = 0; i < 8; ++i)
        for (int bit : {1, 2, 4})
            if (!(i & bit)) cv.Dotted(cam(corner[i]), cam(corner[i | bit]), 6, 1.3, regionInk);

    // Two vectors, their sum (with its parallelogram) and their cross product.
    const V3 a{1.9, 0.4, 1.3}, b{0.1, 2.0, 0.6};
    const V3 sum = a + b, cross = Cross(a, b) * 0.4;
    const Rgb red{214, 40, 40}, blue{35, 90, 210}, orange{235, 140, 20}, green{25, 150, 60};
    cv.Line(cam(a), cam(sum), 1.2, orange, 0.7);
    cv.Line(cam(b), cam(sum), 1.2, orange, 0.7);
    cv.Arrow(cam(o), cam(cross), 3.2, 15, green);
    cv.Arrow(cam(o), cam(sum), 3.2, 15, orange);
    cv.Arrow(cam(o), cam(a), 3.2, 15, red);
    cv.Arrow(cam(o), cam(b), 3.2, 15, blue);
    cv.Disc(cam(o), 3.2, ink);

    // The name, with a soft offset shadow, and what the program is for.
    const double unit = 9.5, stroke = 7.5;
    const std::string name = "ORBIX";
    const double nameX = W - 26 - TextWidth(name, unit);
    Text(cv, {nameX + 4, 38 + 4}, name, unit, stroke, {170, 185, 210});
    Text(cv, {nameX, 38}, name, unit, stroke, {25, 45, 110});
    const std::string subtitle = "aLGEBRA VETORIAL";
    const double subUnit = 2.6;
    Text(cv, {W - 26 - TextWidth(subtitle, subUnit), 122}, subtitle, subUnit, 2.0, {60, 75, 120});
    const std::string formula = "A + B";
    Text(cv, {W - 26 - TextWidth(formula, 3.2), 150}, formula, 3.2, 2.2, {200, 110, 20});

    // A thin frame keeps the picture distinct from the white window around it.
    const Rgb frame{40, 60, 120};
    cv.Line({1, 1}, {W - 2.0, 1}, 2, frame);
    cv.Line({W - 2.0, 1}, {W - 2.0, H - 2.0}, 2, frame);
    cv.Line({W - 2.0, H - 2.0}, {1, H - 2.0}, 2, frame);
    cv.Line({1, H - 2.0}, {1, 1}, 2, frame);
    return cv;
}

// ------------------------------------------------------------------ file writers

void Put16(std::vector<uint8_t> &out, unsigned v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
void Put32(std::vector<uint8_t> &out, uint32_t v) {
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

void PutInfoHeader(std::vector<uint8_t> &out, int w, int h, int bits, uint32_t imageSize) {
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(w));
    Put32(out, static_cast<uint32_t>(h));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, 2835);  // 72 dpi
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
}

uint8_t Channel(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

std::vector<uint8_t> EncodeBmp(const Canvas &cv) {
    const int w = cv.width(), h = cv.height();
    const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(h);
    std::vector<uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, 14 + 40 + imageSize);
    Put32(out, 0);
    Put32(out, 14 + 40);
    PutInfoHeader(out, w, h, 24, imageSize);
    for (int y = h - 1; y >= 0; --y) {  // bottom row first
        const size_t rowStart = out.size();
        for (int x = 0; x < w; ++x) {
            const Rgb &p = cv.at(x, y);
            out.push_back(Channel(p.b));
            out.push_back(Channel(p.g));
            out.push_back(Channel(p.r));
        }
        while (out.size() - rowStart < stride) out.push_back(0);
    }
    return out;
}

// The 16 colours of the standard VGA palette, which every display shows unchanged.
constexpr std::array<std::array<uint8_t, 3>, 16> kVga{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};
enum Vga : uint8_t { Black = 0, Maroon = 1, Navy = 4, Silver = 7, Gray = 8, Red = 9, White = 15 };

struct IconImage {
    static constexpr int N = 32;
    std::array<std::array<uint8_t, N>, N> colour{};  // palette index, row 0 at the top
    std::array<std::array<bool, N>, N> transparent{};

    void Set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < N && y < N) colour[y][x] = c;
    }
    // Bresenham: small icons want crisp pixels, not blended ones.
    void Line(int x0, int y0, int x1, int y1, uint8_t c, int thick = 1) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            for (int i = 0; i < thick; ++i)
                for (int j = 0; j < thick; ++j) Set(x0 + i, y0 + j, c);
            if (x0 == x1 && y0 == y1) break;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
};

IconImage DrawIcon() {
    IconImage icon;
    constexpr int N = IconImage::N;
    // A white tile with rounded corners; outside it the icon is see-through.
    for (int y = 0; y < N; ++y) {
        for (int x = 0; x < N; ++x) {
            const int cx = std::clamp(x, 4, N - 5), cy = std::clamp(y, 4, N - 5);
            const double d = std::hypot(x + 0.5 - (cx + 0.5), y + 0.5 - (cy + 0.5));
            if (d > 4.2) {
                icon.transparent[y][x] = true;
                icon.colour[y][x] = Black;  // the screen shows through untouched
            } else {
                icon.colour[y][x] = d > 3.2 || x == 0 || y == 0 || x == N - 1 || y == N - 1 ? Gray : White;
            }
        }
    }
    // Axes from an origin near the lower left: z up, y right, x towards the viewer.
    const int ox = 11, oy = 21;
    icon.Line(ox, oy, ox, 4, Navy);
    icon.Line(ox - 2, 6, ox, 4, Navy);
    icon.Line(ox + 2, 6, ox, 4, Navy);
    icon.Line(ox, oy, 28, oy, Navy);
    icon.Line(26, oy - 2, 28, oy, Navy);
    icon.Line(26, oy + 2, 28, oy, Navy);
    icon.Line(ox, oy, 4, 28, Navy);
    icon.Line(4, 25, 4, 28, Navy);
    icon.Line(7, 28, 4, 28, Navy);
    // A dotted box for the region.
    for (int x = 14; x <= 24; x += 2) icon.Set(x, 10, Silver), icon.Set(x, 18, Silver);
    for (int y = 10; y <= 18; y += 2) icon.Set(14, y, Silver), icon.Set(24, y, Silver);
    // A vector, thick and red, into the box's far corner.
    icon.Line(ox, oy, 24, 8, Red, 2);
    icon.Line(20, 8, 25, 8, Red);
    icon.Line(20, 7, 25, 7, Red);
    icon.Line(25, 8, 25, 13, Red);
    icon.Line(24, 8, 24, 13, Red);
    icon.Set(ox, oy, Maroon);
    return icon;
}

std::vector<uint8_t> EncodeIco(const IconImage &icon) {
    constexpr int N = IconImage::N;
    constexpr uint32_t xorSize = N * N / 2;    // 4 bits a pixel, rows already 4-byte multiples
    constexpr uint32_t andSize = N * (N / 8);  // 1 bit a pixel, 4 bytes a row
    constexpr uint32_t imageSize = 40 + 16 * 4 + xorSize + andSize;
    std::vector<uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon
    Put16(out, 1);  // one image
    out.push_back(N);
    out.push_back(N);
    out.push_back(16);  // colours
    out.push_back(0);
    Put16(out, 1);  // planes
    Put16(out, 4);  // bits a pixel
    Put32(out, imageSize);
    Put32(out, 6 + 16);
    // Height counts the colour image and the mask together, as icon bitmaps do.
    PutInfoHeader(out, N, 2 * N, 4, xorSize + andSize);
    for (const auto &c : kVga) {
        out.push_back(c[2]);
        out.push_back(c[1]);
        out.push_back(c[0]);
        out.push_back(0);
    }
    for (int y = N - 1; y >= 0; --y)
        for (int x = 0; x < N; x += 2) out.push_back(static_cast<uint8_t>(icon.colour[y][x] << 4 | icon.colour[y][x + 1]));
    for (int y = N - 1; y >= 0; --y) {
        for (int x = 0; x < N; x += 8) {
            uint8_t bits = 0;
            for (int i = 0; i < 8; ++i)
                if (icon.transparent[y][x + i]) bits |= static_cast<uint8_t>(0x80 >> i);
            out.push_back(bits);
        }
    }
    return out;
}

bool WriteFile(const std::string &path, const std::vector<uint8_t> &bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f) {
        std::fprintf(stderr, "mkart: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkart <output directory>\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok = WriteFile(dir + "/orbix.bmp", EncodeBmp(DrawSplash())) && WriteFile(dir + "/orbix.ico", EncodeIco(DrawIcon()));
    return ok ? 0 : 1;
}
