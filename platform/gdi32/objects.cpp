// GDI32 objects: pens, fonts, the white brush, bitmaps, and the stock objects a DC starts with.
#include "gdi32.h"

#include <QFontMetrics>

#include <algorithm>
#include <unordered_set>

namespace gdi32 {

namespace {

// Every live object, stock ones included; a handle not in it is never dereferenced.
std::unordered_set<GdiObject *> &created() {
    static auto *s = new std::unordered_set<GdiObject *>;
    return *s;
}

GdiObject *stockObject(ObjType type, COLORREF color) {
    GdiObject *o = newGdiObject(type);
    o->stock = true;
    o->color = color;
    o->rgb = qcolor(color).rgb();
    return o;
}

}  // namespace

QColor qcolor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

GdiObject *gdi(HGDIOBJ h) {
    auto *o = reinterpret_cast<GdiObject *>(h);
    return o && created().count(o) ? o : nullptr;
}

GdiObject *newGdiObject(ObjType type) {
    auto *o = new GdiObject;
    o->type = type;
    created().insert(o);
    return o;
}

void forget(GdiObject *o) { created().erase(o); }

GdiObject *blackPen() {
    static GdiObject *o = stockObject(ObjType::Pen, RGB(0, 0, 0));
    return o;
}

GdiObject *whiteBrush() {
    static GdiObject *o = stockObject(ObjType::Brush, RGB(255, 255, 255));
    return o;
}

GdiObject *systemFont() {
    static GdiObject *o = [] {
        GdiObject *f = stockObject(ObjType::Font, 0);
        f->face = "System";
        f->fontHeight = 16;
        f->fontWeight = 700;
        f->font = new QFont(makeFont(f->face, f->fontHeight, f->fontWeight));
        return f;
    }();
    return o;
}

GdiObject *defaultBitmap() {
    static GdiObject *o = [] {
        GdiObject *b = stockObject(ObjType::Bitmap, 0);
        b->bitmap = QImage(1, 1, QImage::Format_RGB32);
        b->bitmap.fill(Qt::black);
        return b;
    }();
    return o;
}

GdiObject *bitmapObject(const QImage &image) {
    GdiObject *o = newGdiObject(ObjType::Bitmap);
    o->bitmap = image;
    return o;
}

QFont makeFont(const std::string &face, int height, int weight) {
    // "Times New Roman" resolves to its metric-compatible Liberation face, every other face (the
    // dialogs' "MS Sans Serif", the system font) to the sans-serif one.
    std::string f = face;
    for (char &c : f) c = char(tolower(static_cast<unsigned char>(c)));
    QFont font(f == "times new roman" ? "Liberation Serif" : "Liberation Sans");
    font.setStyleStrategy(QFont::NoAntialias);
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

}  // namespace gdi32

using namespace gdi32;

/* CreatePen (gdi32) */
HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
    if (style != PS_SOLID) return nullptr;
    GdiObject *o = newGdiObject(ObjType::Pen);
    o->penWidth = std::max(width, 1);
    o->color = color;
    o->rgb = qcolor(color).rgb();
    return reinterpret_cast<HPEN>(o);
}

/* CreateFontA (gdi32) */
HFONT WINAPI CreateFontA(int cHeight, int, int, int, int cWeight, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, LPCSTR face) {
    host::ensureApplication();
    GdiObject *o = newGdiObject(ObjType::Font);
    o->face = face ? face : "";
    o->fontHeight = cHeight;
    o->fontWeight = cWeight;
    o->font = new QFont(makeFont(o->face, cHeight, cWeight));
    return reinterpret_cast<HFONT>(o);
}

/* GetStockObject (gdi32) */
HGDIOBJ WINAPI GetStockObject(int i) { return i == WHITE_BRUSH ? whiteBrush() : nullptr; }
