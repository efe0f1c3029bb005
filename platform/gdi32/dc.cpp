// GDI32 device contexts and drawing: pens, brushes, fonts, bitmaps, lines, rectangles, text.
// Every call is also handed to the test recorder when one is active.
//
// A window DC draws on the window's client image at its device pixel ratio (GDI scaling, see
// host.h): pens are ratio times wider, text is set in the font scaled by the ratio, rectangles,
// strokes along the axes and one-pixel steps cover the device squares of their logical pixels,
// a bitmap is blitted smoothly scaled. A memory DC draws on its bitmap pixel for pixel. At ratio
// 1 every call draws exactly what it drew before there was a ratio.
#include "qt/host.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <unordered_set>

using namespace host;
using wintest::GdiCall;

// A text as a font sets it: its advance in the logical font (the width of its box) and its
// glyphs in the font it is drawn with, on a baseline at y = 0. Shaping is most of what a
// listing's paint costs, and a repaint sets the same lines again, so a font keeps the texts it
// set: one table at ratio 1 and one at the ratio of its device font.
struct host::TextCache {
    struct Set {
        int advance = 0;
        QList<QGlyphRun> glyphs;
    };
    QHash<QString, Set> logical, device;
};

namespace {

// What a DC draws on, described once when the DC first draws on it: the Qt calls that tell an
// image's size and format cost more than the few pixels of a dot. Every change of a client image
// or of a selected bitmap unbinds the DCs on it first (releasePainters, SelectObject).
struct Surface {
    QImage *img = nullptr;
    double ratio = 1;  // device pixels per logical pixel
    int width = 0, height = 0;
    qsizetype stride = 0;
    bool rgb32 = false;
};

struct Dc {
    uint32_t magic = 0x44433030;  // 'DC00'
    Window *w = nullptr;          // window DC: draws on the window's client image
    GdiObject *pen = nullptr, *brush = nullptr, *font = nullptr, *bitmap = nullptr;
    // The current position, as two ints: MoveToEx stores them one by one and LineTo reads them
    // so, never as one wide load the processor cannot forward from the two stores.
    int posx = 0, posy = 0;
    Surface surface;  // img is null while unbound
    // One painter for the DC's life on its surface: opening a painter per call costs more than
    // the drawing itself when a paint hands over tens of thousands of short lines.
    QPainter *painter = nullptr;
    const GdiObject *painterPen = nullptr;
    double painterRatio = 1;  // the ratio painterPen was set for
    uint64_t checked = 0;     // the deletion count at which the selected objects were last checked
};

// Counts deletions, so a DC checks its selected objects again only when something was deleted.
uint64_t deletions = 1;

// The DCs bound to a surface.
std::unordered_set<Dc *> &bound() {
    static auto *s = new std::unordered_set<Dc *>;
    return *s;
}

void unbind(Dc *d) {
    if (d->painter) {
        d->painter->end();
        delete d->painter;
        d->painter = nullptr;
    }
    d->painterPen = nullptr;
    if (d->surface.img) {
        d->surface = Surface{};
        bound().erase(d);
    }
}

// Every live object, stock ones included; a handle not in it is never dereferenced.
std::unordered_set<GdiObject *> &created() {
    static auto *s = new std::unordered_set<GdiObject *>;
    return *s;
}

GdiObject *adopt(GdiObject *o) {
    created().insert(o);
    return o;
}

Dc *dc(HDC h) {
    auto *d = reinterpret_cast<Dc *>(h);
    return (d && d->magic == 0x44433030) ? d : nullptr;
}

// An object deleted while still selected is no longer used: the DC falls back to its default.
GdiObject *current(GdiObject *&slot, int stockIndex);
void validate(Dc *d);

QImage *target(Dc *d) {
    if (d->w) return d->w->image.isNull() ? nullptr : &d->w->image;
    validate(d);
    return d->bitmap ? &d->bitmap->bitmap : nullptr;
}

// Device pixels per logical pixel of what the DC draws on: a window's ratio, 1 for a bitmap.
double ratioOf(const Dc *d) { return d->w ? d->w->ratio : 1; }

// The surface of the DC's target, bound on first use; null when there is nothing to draw on.
Surface *surfaceOf(Dc *d) {
    validate(d);
    if (d->surface.img) return &d->surface;
    QImage *img = target(d);
    if (!img) return nullptr;
    Surface &s = d->surface;
    s.img = img;
    s.ratio = ratioOf(d);
    s.width = img->width();
    s.height = img->height();
    s.stride = img->bytesPerLine();
    s.rgb32 = img->format() == QImage::Format_RGB32;
    bound().insert(d);
    return &d->surface;
}

// The logical pixels of the DC's target: a window's client area, or the bitmap.
QRect logicalBounds(Dc *d) {
    if (d->w) return QRect(0, 0, std::max(d->w->clientW, 0), std::max(d->w->clientH, 0));
    QImage *img = target(d);
    return img ? img->rect() : QRect();
}

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

GdiObject *stock(int i) {
    static GdiObject objs[14];
    static bool ready = false;
    if (!ready) {
        ready = true;
        for (auto &o : objs) o.stock = true;
        auto brush = [&](int k, COLORREF c, bool null = false) {
            objs[k].type = ObjType::Brush;
            objs[k].color = c;
            objs[k].nullBrush = null;
        };
        brush(WHITE_BRUSH, RGB(255, 255, 255));
        brush(LTGRAY_BRUSH, RGB(192, 192, 192));
        brush(GRAY_BRUSH, RGB(128, 128, 128));
        brush(3, RGB(64, 64, 64));
        brush(BLACK_BRUSH, RGB(0, 0, 0));
        brush(NULL_BRUSH, 0, true);
        objs[WHITE_PEN].type = objs[BLACK_PEN].type = objs[NULL_PEN].type = ObjType::Pen;
        objs[WHITE_PEN].color = RGB(255, 255, 255);
        objs[NULL_PEN].penStyle = PS_NULL;
        objs[SYSTEM_FONT].type = ObjType::Font;
        objs[SYSTEM_FONT].face = "System";
        objs[SYSTEM_FONT].fontHeight = 16;
        objs[SYSTEM_FONT].fontWeight = 700;
        for (int k : {9, 10, 11, 12}) objs[k].type = ObjType::Brush;
        for (auto &o : objs) {
            o.qcolor = qcolor(o.color);
            o.rgb = o.qcolor.rgb();
            adopt(&o);
        }
    }
    if (i < 0 || i >= 14 || (i >= 9 && i <= 12)) return nullptr;
    if (i == SYSTEM_FONT && !objs[i].font) objs[i].font = new QFont(makeFont("System", 16, 700, false));
    return &objs[i];
}

GdiObject *defaultBitmap() {
    static GdiObject b;
    if (b.bitmap.isNull()) {
        adopt(&b);
        b.type = ObjType::Bitmap;
        b.stock = true;
        b.bitmap = QImage(1, 1, QImage::Format_RGB32);
        b.bitmap.fill(Qt::black);
    }
    return &b;
}

GdiObject *current(GdiObject *&slot, int stockIndex) {
    if (slot && !created().count(slot)) slot = stockIndex >= 0 ? stock(stockIndex) : defaultBitmap();
    return slot;
}

// An object deleted while selected gives way to the DC's default one.
void validate(Dc *d) {
    if (d->checked == deletions) return;
    current(d->pen, BLACK_PEN);
    current(d->brush, WHITE_BRUSH);
    current(d->font, SYSTEM_FONT);
    current(d->bitmap, -1);
    d->checked = deletions;
}

QPen qpen(const GdiObject *p, double ratio);

// The painter of the DC on its surface; null when there is nothing to draw on.
QPainter *painterFor(Dc *d) {
    Surface *s = surfaceOf(d);
    if (!s) return nullptr;
    if (!d->painter) d->painter = new QPainter(s->img);
    return d->painter;
}

// The painter with the DC's pen, as wide as the ratio makes it.
QPainter *penPainter(Dc *d) {
    QPainter *p = painterFor(d);
    GdiObject *pen = d->pen;
    double r = ratioOf(d);
    if (p && (d->painterPen != pen || d->painterRatio != r)) {
        p->setPen(qpen(pen, r));
        p->setBrush(Qt::NoBrush);
        d->painterPen = pen;
        d->painterRatio = r;
    }
    return p;
}

// Fills a rectangle of device pixels, clipped to the surface, straight into the image: a
// region's paint fills tens of thousands of small squares, and a painter call costs more than
// their pixels.
void fillDevice(Dc *d, const Surface &s, const QRect &rect, QRgb c) {
    int l = std::max(rect.left(), 0), t = std::max(rect.top(), 0);
    int r = std::min(rect.right(), s.width - 1), b = std::min(rect.bottom(), s.height - 1);
    if (l > r || t > b) return;
    if (!s.rgb32) {
        if (QPainter *p = painterFor(d)) p->fillRect(QRect(QPoint(l, t), QPoint(r, b)), QColor::fromRgb(c));
        return;
    }
    uchar *bits = s.img->bits();  // a shared image is copied here, before it is written
    for (int y = t; y <= b; ++y) std::fill_n(reinterpret_cast<QRgb *>(bits + y * s.stride) + l, r - l + 1, c);
}

// The logical pixels a pen of width w covers along a horizontal or vertical line from a to b,
// both ends included: the pixels Qt's aliased square-capped stroke covers, w/2 of them before
// the line and the rest after it.
QRect axisStroke(QPoint a, QPoint b, int w) {
    int half = w / 2;
    return QRect(QPoint(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
                 QPoint(std::max(a.x(), b.x()) - half + w - 1, std::max(a.y(), b.y()) - half + w - 1));
}

GdiCall call(GdiCall::Op op, HDC h, int x = 0, int y = 0) {
    GdiCall c;
    c.op = op;
    c.hdc = h;
    c.x = x;
    c.y = y;
    return c;
}

QPen qpen(const GdiObject *p, double ratio) {
    if (!p || p->penStyle == PS_NULL) return QPen(Qt::NoPen);
    QPen pen(qcolor(p->color));
    if (ratio == 1)
        pen.setWidth(std::max(p->penWidth, 1));
    else
        pen.setWidthF(std::max(p->penWidth, 1) * ratio);
    // Square ends: at the widths this program draws, as GDI's round ones to the eye, and far
    // cheaper to fill than the curves of round caps.
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

// The font as GDI scaling sets it at ratio r: asked for at its height times r, so its glyphs are
// drawn sharp at the device resolution, not enlarged from the logical ones.
const QFont &deviceFont(GdiObject *o, double r) {
    if (r == 1) return *o->font;
    if (!o->deviceFont || o->deviceFontRatio != r) {
        int h = o->fontHeight == 0 ? 16 : o->fontHeight;
        int scaled = int(std::lround(std::abs(h) * r));
        delete o->deviceFont;
        o->deviceFont = new QFont(makeFont(o->face, h < 0 ? -scaled : scaled, o->fontWeight, o->fontItalic));
        o->deviceFontRatio = r;
        if (o->texts) o->texts->device.clear();
    }
    return *o->deviceFont;
}

// The text as the font sets it at ratio r (see TextCache). Null for a text with control
// characters, which a layout would break into lines: drawText takes those as they are.
const TextCache::Set *setText(GdiObject *font, double r, const QString &text) {
    for (QChar ch : text)
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F) return nullptr;
    if (!font->texts) font->texts = new TextCache;
    QHash<QString, TextCache::Set> &table = r == 1 ? font->texts->logical : font->texts->device;
    if (auto it = table.constFind(text); it != table.constEnd()) return &*it;
    // A paint sets a few hundred texts at most; a table that keeps growing (a calculator typed
    // into for hours) starts again rather than hold every text ever drawn.
    if (table.size() >= 4096) table.clear();
    TextCache::Set set;
    set.advance = QFontMetrics(*font->font).horizontalAdvance(text);
    QTextLayout layout(text, deviceFont(font, r));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setLineWidth(1e6);
    layout.endLayout();
    const QPointF baseline(0, line.isValid() ? line.y() + line.ascent() : 0);
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> at = run.positions();
        for (QPointF &p : at) p -= baseline;
        run.setPositions(at);
        set.glyphs.append(run);
    }
    return &*table.insert(text, std::move(set));
}

}  // namespace

HDC host::makeDc(Window *w) {
    auto *d = new Dc;
    d->w = w;
    if (w) ++w->openDcs;
    d->pen = stock(BLACK_PEN);
    d->brush = stock(WHITE_BRUSH);
    d->font = stock(SYSTEM_FONT);
    d->bitmap = w ? nullptr : defaultBitmap();
    return reinterpret_cast<HDC>(d);
}

void host::releasePainters(const QImage *img) {
    std::vector<Dc *> open(bound().begin(), bound().end());
    for (Dc *d : open)
        if (!img || d->surface.img == img) unbind(d);
}

void host::freeDc(HDC h) {
    if (Dc *d = dc(h)) {
        unbind(d);
        if (d->w) --d->w->openDcs;
        d->magic = 0;
        delete d;
    }
}

GdiObject *host::gdi(HGDIOBJ h) {
    auto *o = reinterpret_cast<GdiObject *>(h);
    return o && created().count(o) ? o : nullptr;
}

GdiObject *host::newGdiObject(ObjType type) {
    auto *o = new GdiObject;
    o->type = type;
    return adopt(o);
}

QFont host::makeFont(const std::string &face, int height, int weight, bool italic) {
    // Faces of Windows resolve to the metric-compatible Liberation faces.
    std::string f = face;
    for (char &c : f) c = char(tolower(static_cast<unsigned char>(c)));
    QString family = "Liberation Sans";
    if (f == "times new roman" || f == "times") family = "Liberation Serif";
    else if (f == "courier new" || f == "courier") family = "Liberation Mono";
    QFont font(family);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setItalic(italic);
    font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
    int cell = height == 0 ? 16 : std::abs(height);
    font.setPixelSize(std::max(cell, 1));
    if (height >= 0) {
        // A positive height asks for the cell (ascent + descent), not the em size.
        for (int px = cell; px > 1; --px) {
            font.setPixelSize(px);
            QFontMetrics m(font);
            if (m.ascent() + m.descent() <= cell) break;
        }
    }
    return font;
}

/* CreatePen (gdi32) */
HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    GdiObject *o = newGdiObject(ObjType::Pen);
    o->penStyle = style;
    o->penWidth = width;
    o->color = color;
    o->qcolor = qcolor(color);
    o->rgb = o->qcolor.rgb();
    return reinterpret_cast<HPEN>(o);
}

/* CreateFontA (gdi32) */
HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                         DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                         DWORD iQuality, DWORD iPitchAndFamily, LPCSTR face) {
    ensureApplication();
    GdiObject *o = newGdiObject(ObjType::Font);
    o->face = face ? face : "";
    o->fontHeight = cHeight;
    o->fontWeight = cWeight;
    o->fontItalic = bItalic != 0;
    o->fontWidth = cWidth, o->fontEscapement = cEscapement, o->fontOrientation = cOrientation;
    o->fontUnderline = BYTE(bUnderline != 0), o->fontStrikeOut = BYTE(bStrikeOut != 0);
    o->fontCharSet = BYTE(iCharSet), o->fontOutPrecision = BYTE(iOutPrecision);
    o->fontClipPrecision = BYTE(iClipPrecision), o->fontQuality = BYTE(iQuality);
    o->fontPitchAndFamily = BYTE(iPitchAndFamily);
    o->font = new QFont(makeFont(o->face, cHeight, cWeight, bItalic != 0));
    return reinterpret_cast<HFONT>(o);
}

/* GetStockObject (gdi32) */
HGDIOBJ WINAPI GetStockObject(int i) {
    ensureApplication(); return stock(i); }

/* SelectObject (gdi32) */
HGDIOBJ WINAPI SelectObject(HDC h, HGDIOBJ obj) {
    Dc *d = dc(h);
    GdiObject *o = gdi(obj);
    if (!d || !o) return nullptr;
    GdiObject *prev = nullptr;
    GdiCall c = call(GdiCall::SelectPen, h);
    c.stock = o->stock;
    switch (o->type) {
    case ObjType::Pen:
        prev = d->pen;
        d->pen = o;
        c.color = o->color;
        c.width = o->penWidth;
        break;
    case ObjType::Brush:
        prev = d->brush;
        d->brush = o;
        c.op = GdiCall::SelectBrush;
        c.color = o->color;
        break;
    case ObjType::Font:
        prev = d->font;
        d->font = o;
        c.op = GdiCall::SelectFont;
        c.text = o->face;
        c.width = o->fontHeight;
        break;
    case ObjType::Bitmap:
        if (d->w) return nullptr;  // only memory DCs take bitmaps
        prev = d->bitmap;
        if (o != prev) unbind(d);
        d->bitmap = o;
        c.op = GdiCall::SelectBitmap;
        c.x2 = o->bitmap.width();
        c.y2 = o->bitmap.height();
        break;
    }
    record(c);
    return prev;
}

/* DeleteObject (gdi32) */
BOOL WINAPI DeleteObject(HGDIOBJ obj) {
    GdiObject *o = gdi(obj);
    if (!o) return FALSE;
    if (o->stock) return TRUE;  // stock objects are never deleted
    if (o->type == ObjType::Bitmap) releasePainters(&o->bitmap);
    for (Dc *d : bound())
        if (d->painterPen == o) d->painterPen = nullptr;
    created().erase(o);
    ++deletions;
    delete o->font;
    delete o->deviceFont;
    delete o->texts;
    o->magic = 0;
    delete o;
    return TRUE;
}

/* MoveToEx (gdi32) */
BOOL WINAPI MoveToEx(HDC h, int x, int y, LPPOINT prev) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    if (prev) *prev = POINT{d->posx, d->posy};
    d->posx = x;
    d->posy = y;
    if (recording()) record(call(GdiCall::MoveTo, h, x, y));
    return TRUE;
}

/* LineTo (gdi32) */
BOOL WINAPI LineTo(HDC h, int x, int y) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    if (recording()) record(call(GdiCall::LineTo, h, x, y));
    const int fx = d->posx, fy = d->posy;
    d->posx = x;
    d->posy = y;
    const Surface *s = d->surface.img && d->checked == deletions ? &d->surface : surfaceOf(d);
    const GdiObject *pen = d->pen;
    if (!s || pen->penStyle == PS_NULL) return TRUE;
    const int w = std::max(pen->penWidth, 1);
    const int dx = x - fx, dy = y - fy;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        // A step of at most one pixel (the dots of a surface) is the pen's square at both ends.
        // A one-pixel pen leaves out the last pixel, as GDI does.
        if (w > 1)
            fillDevice(d, *s, deviceRect(axisStroke(QPoint(fx, fy), QPoint(x, y), w), s->ratio), pen->rgb);
        else if (dx || dy)
            fillDevice(d, *s, deviceRect(QRect(fx, fy, 1, 1), s->ratio), pen->rgb);
    } else if (dx == 0 || dy == 0) {
        // Horizontal and vertical strokes cover whole pixels: the device squares of those Qt's
        // stroke covers at ratio 1, so a scaled axis is ratio times as thick, with no seam.
        fillDevice(d, *s, deviceRect(axisStroke(QPoint(fx, fy), QPoint(x, y), w), s->ratio), pen->rgb);
    } else if (QPainter *p = penPainter(d)) {
        const double r = s->ratio;
        if (r == 1) {
            p->drawLine(QPoint(fx, fy), QPoint(x, y));
        } else {
            // Between the middles of the end pixels' squares, with the pen ratio times wider.
            auto mid = [r](int v) { return (v + 0.5) * r - 0.5; };
            p->drawLine(QLineF(mid(fx), mid(fy), mid(x), mid(y)));
        }
    }
    return TRUE;
}

/* Rectangle (gdi32) */
BOOL WINAPI Rectangle(HDC h, int l, int t, int r, int b) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    if (recording()) {
        GdiCall c = call(GdiCall::Rectangle, h, l, t);
        c.x2 = r;
        c.y2 = b;
        record(c);
    }
    const Surface *s = surfaceOf(d);
    if (!s) return TRUE;
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    const GdiObject *brush = d->brush;
    if (!brush->nullBrush && r > l && b > t)
        fillDevice(d, *s, deviceRect(QRect(QPoint(l, t), QPoint(r - 1, b - 1)), s->ratio), brush->rgb);
    // The outline runs through the outer pixels, the right and bottom ones inside the rectangle
    // as on Windows: four strokes of the pen, the corners covered by their square ends.
    const GdiObject *pen = d->pen;
    if (r - l > 1 && b - t > 1 && pen->penStyle != PS_NULL) {
        const int w = std::max(pen->penWidth, 1);
        const QPoint tl(l, t), tr(r - 1, t), br(r - 1, b - 1), bl(l, b - 1);
        for (auto [a, z] : {std::pair{tl, tr}, {tr, br}, {bl, br}, {tl, bl}})
            fillDevice(d, *s, deviceRect(axisStroke(a, z, w), s->ratio), pen->rgb);
    }
    return TRUE;
}

/* TextOutA (gdi32) */
BOOL WINAPI TextOutA(HDC h, int x, int y, LPCSTR s, int c) {
    Dc *d = dc(h);
    if (!d || (!s && c > 0) || c < 0) return FALSE;
    if (recording()) {
        GdiCall rc = call(GdiCall::TextOut, h, x, y);
        rc.text.assign(s ? s : "", size_t(c));
        record(rc);
    }
    GdiObject *font = current(d->font, SYSTEM_FONT);
    QPainter *p = font && font->font ? painterFor(d) : nullptr;
    if (!p) return TRUE;
    const double r = ratioOf(d);
    // A text starting two em sizes or more beyond the bottom or right edge of the image, or ending
    // that far above its top, leaves no pixel in it (no glyph reaches that far out of its cell, a
    // cell being less than two em): it is neither shaped nor drawn, so a long listing costs what
    // the window shows of it.
    if (const int em = font->font->pixelSize(); em > 0) {
        const Surface *sf = surfaceOf(d);
        if (y >= sf->height / r + 2 * em || x >= sf->width / r + 2 * em || y <= -4 * em) return TRUE;
    }
    const QString text = fromAnsi(s, c);
    const QFont &drawn = deviceFont(font, r);
    const QFontMetrics m(*font->font);
    const TextCache::Set *set = setText(font, r, text);
    const int advance = set ? set->advance : m.horizontalAdvance(text);
    // Black text on an opaque white box, the top-left corner at the point: GDI's defaults. The
    // box keeps its logical extent; the glyphs are set in the scaled font from its corner.
    const QRect box = deviceRect(QRect(x, y, advance, m.ascent() + m.descent()), r);
    p->fillRect(box, Qt::white);
    p->setPen(Qt::black);
    d->painterPen = nullptr;
    const QPoint baseline(box.left(), box.top() + (r == 1 ? m.ascent() : QFontMetrics(drawn).ascent()));
    if (set) {
        for (const QGlyphRun &run : set->glyphs) p->drawGlyphRun(baseline, run);
    } else {
        p->setFont(drawn);
        p->drawText(baseline, text);
    }
    return TRUE;
}

/* GetTextExtentPoint32A (gdi32) */
BOOL WINAPI GetTextExtentPoint32A(HDC h, LPCSTR s, int c, LPSIZE sz) {
    Dc *d = dc(h);
    GdiObject *font = d ? current(d->font, SYSTEM_FONT) : nullptr;
    if (!d || !sz || c < 0 || !font || !font->font) return FALSE;
    QFontMetrics m(*font->font);
    sz->cx = m.horizontalAdvance(fromAnsi(s, c));
    sz->cy = m.ascent() + m.descent();
    return TRUE;
}

/* SetPixel (gdi32) */
COLORREF WINAPI SetPixel(HDC h, int x, int y, COLORREF color) {
    Dc *d = dc(h);
    if (!d) return CLR_INVALID;
    if (recording()) {
        GdiCall c = call(GdiCall::SetPixel, h, x, y);
        c.color = color;
        record(c);
    }
    const Surface *s = surfaceOf(d);
    if (!s || !logicalBounds(d).contains(x, y)) return CLR_INVALID;
    const QRect square = deviceRect(QRect(x, y, 1, 1), s->ratio);
    if (square.left() >= s->width || square.top() >= s->height) return CLR_INVALID;
    fillDevice(d, *s, square, qcolor(color).rgb());
    return color;
}

/* GetPixel (gdi32) */
COLORREF WINAPI GetPixel(HDC h, int x, int y) {
    Dc *d = dc(h);
    QImage *img = d ? target(d) : nullptr;
    if (!img || !logicalBounds(d).contains(x, y)) return CLR_INVALID;
    const double r = ratioOf(d);
    const int dx = deviceSample(x, r), dy = deviceSample(y, r);
    if (!img->valid(dx, dy)) return CLR_INVALID;
    releasePainters(img);
    QRgb p = img->pixel(dx, dy);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

/* CreateCompatibleDC (gdi32) */
HDC WINAPI CreateCompatibleDC(HDC) { return makeDc(nullptr); }

/* DeleteDC (gdi32) */
BOOL WINAPI DeleteDC(HDC h) {
    if (!dc(h)) return FALSE;
    freeDc(h);
    return TRUE;
}

/* BitBlt (gdi32) */
BOOL WINAPI BitBlt(HDC h, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    Dc *d = dc(h), *s = dc(src);
    if (!d || !s || rop != SRCCOPY) return FALSE;
    if (recording()) {
        GdiCall c = call(GdiCall::BitBlt, h, x, y);
        c.x2 = cx;
        c.y2 = cy;
        record(c);
    }
    QImage *from = target(s);
    if (from) releasePainters(from);
    QPainter *p = painterFor(d);
    if (!p || cx <= 0 || cy <= 0) return TRUE;
    const double rd = ratioOf(d), rs = ratioOf(s);
    // Whatever of the rectangle lies outside the source comes out white.
    p->fillRect(deviceRect(QRect(x, y, cx, cy), rd), Qt::white);
    if (!from) return TRUE;
    // The rectangles are logical on both sides, whatever the ratios.
    const QRect part = QRect(x1, y1, cx, cy).intersected(logicalBounds(s));
    if (part.isEmpty()) return TRUE;
    const QPoint at(x + part.x() - x1, y + part.y() - y1);
    if (rd == 1 && rs == 1) {
        p->drawImage(at, *from, part);
        return TRUE;
    }
    // A scaled window gives its logical pixels, each read from the middle of its square.
    QImage logical = rs == 1 ? from->copy(part) : QImage(part.size(), QImage::Format_RGB32);
    if (rs != 1) {
        for (int j = 0; j < part.height(); ++j) {
            auto *line = reinterpret_cast<QRgb *>(logical.scanLine(j));
            for (int i = 0; i < part.width(); ++i) {
                const int sx = deviceSample(part.x() + i, rs), sy = deviceSample(part.y() + j, rs);
                line[i] = from->valid(sx, sy) ? from->pixel(sx, sy) : qRgb(255, 255, 255);
            }
        }
    }
    if (rd == 1) {
        p->drawImage(at, logical);
        return TRUE;
    }
    // On a scaled window a bitmap is stretched smoothly, as GDI scaling stretches it.
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform);
    p->drawImage(QRectF(deviceRect(QRect(at, part.size()), rd)), logical);
    p->restore();
    return TRUE;
}

/* CreateCompatibleBitmap (gdi32) */
HBITMAP WINAPI CreateCompatibleBitmap(HDC h, int cx, int cy) {
    // A bitmap as large as a screen may hold; larger ones fail, as they do on Windows when memory
    // runs out, instead of taking it all.
    if (!dc(h) || cx <= 0 || cy <= 0 || cx > 16384 || cy > 16384) return nullptr;
    GdiObject *o = newGdiObject(ObjType::Bitmap);
    o->bitmap = QImage(cx, cy, QImage::Format_RGB32);
    if (o->bitmap.isNull()) {
        DeleteObject(o);
        return nullptr;
    }
    o->bitmap.fill(Qt::black);
    return reinterpret_cast<HBITMAP>(o);
}

/* GetDIBits (gdi32) */
int WINAPI GetDIBits(HDC h, HBITMAP hbm, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO bmi, UINT usage) {
    GdiObject *o = gdi(hbm);
    if (!dc(h) || !o || o->type != ObjType::Bitmap || !bmi || usage != DIB_RGB_COLORS) return 0;
    releasePainters(&o->bitmap);
    const QImage &img = o->bitmap;
    BITMAPINFOHEADER &hd = bmi->bmiHeader;
    if (hd.biSize < sizeof(BITMAPINFOHEADER)) return 0;
    if (!bits) {  // only the description of the bitmap is asked for
        hd.biWidth = img.width();
        hd.biHeight = img.height();
        hd.biPlanes = 1;
        if (hd.biBitCount == 0) hd.biBitCount = 32;
        hd.biCompression = BI_RGB;
        hd.biSizeImage = DWORD(((img.width() * hd.biBitCount + 31) / 32) * 4 * img.height());
        return img.height();
    }
    if ((hd.biBitCount != 24 && hd.biBitCount != 32) || hd.biCompression != BI_RGB || hd.biWidth != img.width() ||
        (hd.biHeight != img.height() && hd.biHeight != -img.height()))
        return 0;
    const bool bottomUp = hd.biHeight > 0;
    const int bytes = hd.biBitCount / 8;
    const size_t stride = size_t((img.width() * hd.biBitCount + 31) / 32) * 4;
    auto *out = static_cast<unsigned char *>(bits);
    UINT done = 0;
    // Row k of the DIB is counted from the bottom when the DIB is bottom-up, as Windows counts it.
    for (UINT k = start; k < start + lines && k < UINT(img.height()); ++k, ++done) {
        const int y = bottomUp ? img.height() - 1 - int(k) : int(k);
        const auto *src = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        unsigned char *row = out + size_t(done) * stride;
        memset(row, 0, stride);
        for (int x = 0; x < img.width(); ++x) {
            row[x * bytes] = uchar(qBlue(src[x]));
            row[x * bytes + 1] = uchar(qGreen(src[x]));
            row[x * bytes + 2] = uchar(qRed(src[x]));
        }
    }
    return int(done);
}

/* GetObjectA (gdi32) */
int WINAPI GetObjectA(HGDIOBJ h, int size, LPVOID out) {
    GdiObject *o = gdi(h);
    if (!o) return 0;
    auto give = [&](const auto &value) {
        if (!out) return int(sizeof value);
        if (size < int(sizeof value)) return 0;
        memcpy(out, &value, sizeof value);
        return int(sizeof value);
    };
    switch (o->type) {
    case ObjType::Pen: {
        LOGPEN p{};
        p.lopnStyle = UINT(o->penStyle);
        p.lopnWidth.x = o->penWidth;
        p.lopnColor = o->color;
        return give(p);
    }
    case ObjType::Brush: {
        LOGBRUSH b{};
        b.lbStyle = o->nullBrush ? BS_NULL : BS_SOLID;
        b.lbColor = o->color;
        return give(b);
    }
    case ObjType::Font: {
        LOGFONTA f{};
        f.lfHeight = o->fontHeight;
        f.lfWeight = o->fontWeight;
        f.lfItalic = o->fontItalic;
        f.lfWidth = o->fontWidth, f.lfEscapement = o->fontEscapement, f.lfOrientation = o->fontOrientation;
        f.lfUnderline = o->fontUnderline, f.lfStrikeOut = o->fontStrikeOut, f.lfCharSet = o->fontCharSet;
        f.lfOutPrecision = o->fontOutPrecision, f.lfClipPrecision = o->fontClipPrecision;
        f.lfQuality = o->fontQuality, f.lfPitchAndFamily = o->fontPitchAndFamily;
        snprintf(f.lfFaceName, sizeof f.lfFaceName, "%s", o->face.c_str());
        return give(f);
    }
    case ObjType::Bitmap: {
        BITMAP b{};
        b.bmWidth = o->bitmap.width();
        b.bmHeight = o->bitmap.height();
        b.bmWidthBytes = o->bitmap.width() * 4;
        b.bmPlanes = 1;
        b.bmBitsPixel = 32;
        return give(b);
    }
    }
    return 0;
}
