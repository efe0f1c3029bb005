// GDI32 device contexts and drawing: pens, brushes, fonts, bitmaps, lines, rectangles, text.
// Every call is also handed to the test recorder when one is active.
#include "qt/host.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>

using namespace host;
using wintest::GdiCall;

namespace {

struct Dc {
    uint32_t magic = 0x44433030;  // 'DC00'
    Window *w = nullptr;          // window DC: draws on the window's client image
    GdiObject *pen = nullptr, *brush = nullptr, *font = nullptr, *bitmap = nullptr;
    QPoint pos{0, 0};
    // One painter for the DC's life on its current target: opening a painter per call costs
    // more than the drawing itself when a paint hands over tens of thousands of short lines.
    QPainter *painter = nullptr;
    QImage *paintingOn = nullptr;
    const GdiObject *painterPen = nullptr;
    const GdiObject *painterFont = nullptr;
    uint64_t checked = 0;  // the deletion count at which the selected objects were last checked
};

// Stands for the painter's pen while it is the black one text is drawn with.
const GdiObject textPen{};

// Counts deletions, so a DC checks its selected objects again only when something was deleted.
uint64_t deletions = 1;

std::unordered_set<Dc *> &painting() {
    static auto *s = new std::unordered_set<Dc *>;
    return *s;
}

void endPainter(Dc *d) {
    if (!d->painter) return;
    d->painter->end();
    delete d->painter;
    d->painter = nullptr;
    d->paintingOn = nullptr;
    d->painterPen = nullptr;
    d->painterFont = nullptr;
    painting().erase(d);
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
        for (int k : {9, 10, 11, 12}) objs[k].type = ObjType::Brush;
        for (auto &o : objs) {
            o.qcolor = qcolor(o.color);
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

QPen qpen(const GdiObject *p);

// A text's advance in a font, the font's ascent and descent as QFontMetrics gives them, and the
// text shaped into glyphs. Shaping costs more than drawing the glyphs, and a paint draws the same
// labels every time: the last texts are kept in a fixed number of slots, each taken over by the
// next text that falls on it. A text with a control character is left to drawText as it is.
struct TextExtent {
    const GdiObject *font = nullptr;
    std::string text;
    int width = 0, ascent = 0, descent = 0;
    bool shaped = false;
    QList<QGlyphRun> runs;  // with their baseline at lineAscent
    qreal lineAscent = 0;
};
constexpr size_t kExtentSlots = 512;

TextExtent *extents() {
    static auto *e = new TextExtent[kExtentSlots];
    return e;
}

const TextExtent &measure(const GdiObject *font, std::string_view s) {
    size_t h = std::hash<std::string_view>{}(s) ^ (31 * std::hash<const void *>{}(font));
    TextExtent &e = extents()[h % kExtentSlots];
    if (e.font == font && e.text == s) return e;
    QString text = fromAnsi(s.data(), int(s.size()));
    QFontMetrics m(*font->font);
    e.font = font;
    e.text.assign(s);
    e.width = m.horizontalAdvance(text);
    e.ascent = m.ascent();
    e.descent = m.descent();
    e.shaped = std::none_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    e.runs.clear();
    e.lineAscent = 0;
    if (e.shaped) {
        // One line, left to right, as QPainter::drawText at a point lays it out.
        QTextLayout layout(text, *font->font);
        QTextOption o;
        o.setTextDirection(Qt::LeftToRight);
        layout.setTextOption(o);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (line.isValid()) {
            e.runs = layout.glyphRuns();
            e.lineAscent = line.ascent();
        }
    }
    return e;
}

// The painter of the DC on its current target, with the DC's pen; null when there is no target.
QPainter *painterFor(Dc *d) {
    QImage *img = target(d);
    if (!img) {
        endPainter(d);
        return nullptr;
    }
    if (d->paintingOn != img) {
        endPainter(d);
        d->painter = new QPainter(img);
        d->paintingOn = img;
        painting().insert(d);
    }
    return d->painter;
}

QPainter *penPainter(Dc *d) {
    QPainter *p = painterFor(d);
    validate(d);
    GdiObject *pen = d->pen;
    if (p && d->painterPen != pen) {
        p->setPen(qpen(pen));
        p->setBrush(Qt::NoBrush);
        d->painterPen = pen;
    }
    return p;
}

GdiCall call(GdiCall::Op op, HDC h, int x = 0, int y = 0) {
    GdiCall c;
    c.op = op;
    c.hdc = h;
    c.x = x;
    c.y = y;
    return c;
}

QPen qpen(const GdiObject *p) {
    if (!p || p->penStyle == PS_NULL) return QPen(Qt::NoPen);
    QPen pen(qcolor(p->color));
    pen.setWidth(std::max(p->penWidth, 1));
    // Square ends: at the widths this program draws, as GDI's round ones to the eye, and far
    // cheaper to fill than the curves of round caps.
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
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
    std::vector<Dc *> open(painting().begin(), painting().end());
    for (Dc *d : open)
        if (!img || d->paintingOn == img) endPainter(d);
}

void host::freeDc(HDC h) {
    if (Dc *d = dc(h)) {
        endPainter(d);
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
    return reinterpret_cast<HPEN>(o);
}

/* CreateFontA (gdi32) */
HFONT WINAPI CreateFontA(int cHeight, int, int, int, int cWeight, DWORD bItalic, DWORD, DWORD, DWORD, DWORD,
                         DWORD, DWORD, DWORD, LPCSTR face) {
    GdiObject *o = newGdiObject(ObjType::Font);
    o->face = face ? face : "";
    o->fontHeight = cHeight;
    o->font = new QFont(makeFont(o->face, cHeight, cWeight, bItalic != 0));
    return reinterpret_cast<HFONT>(o);
}

/* GetStockObject (gdi32) */
HGDIOBJ WINAPI GetStockObject(int i) { return stock(i); }

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
    for (Dc *d : painting()) {
        if (d->painterPen == o) d->painterPen = nullptr;
        if (d->painterFont == o) d->painterFont = nullptr;
    }
    // A font made later at the same address must not find these measures.
    for (size_t i = 0; i < kExtentSlots; ++i)
        if (extents()[i].font == o) extents()[i].font = nullptr;
    created().erase(o);
    ++deletions;
    delete o->font;
    o->magic = 0;
    delete o;
    return TRUE;
}

/* MoveToEx (gdi32) */
BOOL WINAPI MoveToEx(HDC h, int x, int y, LPPOINT prev) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    if (prev) *prev = POINT{d->pos.x(), d->pos.y()};
    d->pos = QPoint(x, y);
    record(call(GdiCall::MoveTo, h, x, y));
    return TRUE;
}

/* LineTo (gdi32) */
BOOL WINAPI LineTo(HDC h, int x, int y) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    record(call(GdiCall::LineTo, h, x, y));
    validate(d);
    int dx = x - d->pos.x(), dy = y - d->pos.y();
    QImage *img = target(d);
    if (img && dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1 && img->format() == QImage::Format_RGB32) {
        // A step of at most one pixel (the dots of a surface) is the pen's square at both ends,
        // written straight into the image: tens of thousands of them make one paint.
        if (d->pen->penStyle != PS_NULL && (dx || dy || d->pen->penWidth > 1)) {
            int w = std::max(d->pen->penWidth, 1), half = w / 2;
            QRect r(QPoint(std::min(x, d->pos.x()) - half, std::min(y, d->pos.y()) - half),
                    QPoint(std::max(x, d->pos.x()) - half + w - 1, std::max(y, d->pos.y()) - half + w - 1));
            // A one-pixel pen leaves out the last pixel, as GDI does.
            if (w == 1) r = QRect(d->pos, QSize(1, 1));
            r = r.intersected(img->rect());
            QRgb c = d->pen->qcolor.rgb();
            for (int row = r.top(); row <= r.bottom(); ++row) {
                auto *line = reinterpret_cast<QRgb *>(img->scanLine(row));
                for (int col = r.left(); col <= r.right(); ++col) line[col] = c;
            }
        }
    } else if (QPainter *p = penPainter(d)) {
        p->drawLine(d->pos, QPoint(x, y));
    }
    d->pos = QPoint(x, y);
    return TRUE;
}

/* Rectangle (gdi32) */
BOOL WINAPI Rectangle(HDC h, int l, int t, int r, int b) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    GdiCall c = call(GdiCall::Rectangle, h, l, t);
    c.x2 = r;
    c.y2 = b;
    record(c);
    QPainter *p = penPainter(d);
    if (!p) return TRUE;
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    GdiObject *brush = current(d->brush, WHITE_BRUSH);
    if (brush && !brush->nullBrush) p->fillRect(QRect(l, t, r - l, b - t), qcolor(brush->color));
    if (r - l > 1 && b - t > 1) p->drawRect(QRect(l, t, r - l - 1, b - t - 1));
    return TRUE;
}

/* TextOutA (gdi32) */
BOOL WINAPI TextOutA(HDC h, int x, int y, LPCSTR s, int c) {
    Dc *d = dc(h);
    if (!d || (!s && c > 0) || c < 0) return FALSE;
    GdiCall rc = call(GdiCall::TextOut, h, x, y);
    rc.text.assign(s ? s : "", size_t(c));
    record(rc);
    GdiObject *font = current(d->font, SYSTEM_FONT);
    QPainter *p = font && font->font ? painterFor(d) : nullptr;
    if (!p) return TRUE;
    // A text starting two em sizes or more beyond the bottom or right edge of the image, or ending
    // that far above its top, leaves no pixel in it (no glyph reaches that far out of its cell, a
    // cell being less than two em): it is neither shaped nor drawn, so a long listing costs what
    // the window shows of it.
    if (int em = font->font->pixelSize(); em > 0) {
        const QImage *img = d->paintingOn;
        if (y >= img->height() + 2 * em || x >= img->width() + 2 * em || y <= -4 * em) return TRUE;
    }
    const TextExtent &m = measure(font, std::string_view(s ? s : "", size_t(c)));
    // Black text on an opaque white box, the top-left corner at the point: GDI's defaults.
    p->fillRect(QRect(x, y, m.width, m.ascent + m.descent), Qt::white);
    if (d->painterPen != &textPen) {
        p->setPen(Qt::black);
        d->painterPen = &textPen;
    }
    if (m.shaped) {
        for (const QGlyphRun &r : m.runs) p->drawGlyphRun(QPointF(x, y + m.ascent - m.lineAscent), r);
        return TRUE;
    }
    if (d->painterFont != font) {
        p->setFont(*font->font);
        d->painterFont = font;
    }
    p->drawText(QPoint(x, y + m.ascent), fromAnsi(s, c));
    return TRUE;
}

/* GetTextExtentPoint32A (gdi32) */
BOOL WINAPI GetTextExtentPoint32A(HDC h, LPCSTR s, int c, LPSIZE sz) {
    Dc *d = dc(h);
    GdiObject *font = d ? current(d->font, SYSTEM_FONT) : nullptr;
    if (!d || !sz || c < 0 || !font || !font->font) return FALSE;
    const TextExtent &m = measure(font, std::string_view(s ? s : "", s ? size_t(c) : 0));
    sz->cx = m.width;
    sz->cy = m.ascent + m.descent;
    return TRUE;
}

/* SetPixel (gdi32) */
COLORREF WINAPI SetPixel(HDC h, int x, int y, COLORREF color) {
    Dc *d = dc(h);
    if (!d) return CLR_INVALID;
    GdiCall c = call(GdiCall::SetPixel, h, x, y);
    c.color = color;
    record(c);
    QImage *img = target(d);
    if (!img || !img->valid(x, y)) return CLR_INVALID;
    releasePainters(img);
    img->setPixel(x, y, qcolor(color).rgb());
    return color;
}

/* GetPixel (gdi32) */
COLORREF WINAPI GetPixel(HDC h, int x, int y) {
    Dc *d = dc(h);
    QImage *img = d ? target(d) : nullptr;
    if (!img || !img->valid(x, y)) return CLR_INVALID;
    releasePainters(img);
    QRgb p = img->pixel(x, y);
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
    GdiCall c = call(GdiCall::BitBlt, h, x, y);
    c.x2 = cx;
    c.y2 = cy;
    record(c);
    QImage *from = target(s);
    if (from) releasePainters(from);
    QPainter *p = painterFor(d);
    if (!p || cx <= 0 || cy <= 0) return TRUE;
    // Whatever of the rectangle lies outside the source bitmap comes out white.
    p->fillRect(QRect(x, y, cx, cy), Qt::white);
    if (from) {
        QRect part = QRect(x1, y1, cx, cy).intersected(from->rect());
        if (!part.isEmpty()) p->drawImage(QPoint(x + part.x() - x1, y + part.y() - y1), *from, part);
    }
    return TRUE;
}
