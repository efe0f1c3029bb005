// GDI32 device contexts: what they draw on, their painters, the objects selected into them.
//
// A window DC draws on the window's client image at its device pixel ratio (see gdi32.h); a
// memory DC draws on its bitmap pixel for pixel. Each DC hands every call to the sink it was
// given when it was made (the test recorder, or one that hears nothing) before drawing it.
#include "gdi32.h"

#include <QPainter>

#include <sys/mman.h>

#include <algorithm>
#include <unordered_set>

namespace gdi32 {

namespace {

// Hears nothing: the sink of every DC made while no recorder is there.
class Unheard : public host::GdiSink {
public:
    void moveTo(HDC, int, int) override {}
    void lineTo(HDC, int, int) override {}
    void rectangle(HDC, int, int, int, int) override {}
    void textOut(HDC, int, int, const char *, int) override {}
    void bitBlt(HDC, int, int, int, int) override {}
    void selectPen(HDC, COLORREF, int, bool) override {}
    void selectFont(HDC, const std::string &, int) override {}
    void selectBitmap(HDC, int, int) override {}
};

// Live DCs, and those bound to a surface.
std::unordered_set<Dc *> &live() {
    static auto *s = new std::unordered_set<Dc *>;
    return *s;
}
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

QPen qpen(const GdiObject *p, double ratio) {
    QPen pen(qcolor(p->color));
    if (ratio == 1)
        pen.setWidth(p->penWidth);
    else
        pen.setWidthF(p->penWidth * ratio);
    // Square ends: at the widths this program draws, as GDI's round ones to the eye, and far
    // cheaper to fill than the curves of round caps.
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

struct Mapping {
    void *pixels;
    size_t bytes;
};

void unmap(void *info) {
    auto *m = static_cast<Mapping *>(info);
    munmap(m->pixels, m->bytes);
    delete m;
}

constexpr int kMaxImageSide = 8192;

}  // namespace

// What a screen could show at most, and never empty, so a DC always has something to draw on.
// The pixels are mapped from the system and go back to it with the image: at ratio 2 an image is
// over 12 MB, and once the allocator has seen one freed it keeps the next ones in its heap,
// resident after the window has gone.
QImage newWindowImage(int width, int height, double r) {
    const int w = std::clamp(deviceEdge(width, r), 1, kMaxImageSide);
    const int h = std::clamp(deviceEdge(height, r), 1, kMaxImageSide);
    const size_t stride = size_t(w) * 4, bytes = stride * size_t(h);
    void *pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    QImage img = pixels == MAP_FAILED ? QImage(w, h, QImage::Format_RGB32)
                                      : QImage(static_cast<uchar *>(pixels), w, h, qsizetype(stride), QImage::Format_RGB32, unmap,
                                               new Mapping{pixels, bytes});
    img.fill(Qt::white);
    return img;
}

Dc *dc(HDC h) {
    auto *d = reinterpret_cast<Dc *>(h);
    return d && live().count(d) ? d : nullptr;
}

HDC makeDc(WindowImage *window) {
    static Unheard unheard;
    auto *d = new Dc;
    d->window = window;
    if (window) ++window->openDcs;
    d->sink = host::hooks().gdi ? host::hooks().gdi : &unheard;
    d->pen = blackPen();
    d->font = systemFont();
    d->bitmap = window ? nullptr : defaultBitmap();
    live().insert(d);
    return reinterpret_cast<HDC>(d);
}

void remap(Dc *d) {
    if (d->document) d->document->setTransform(QTransform(d->scale, 0, 0, d->scale, d->viewportOrg.x, d->viewportOrg.y));
}

bool endDocument(Dc *d, bool keep) {
    if (!d->document) return false;
    if (!keep) d->printer->abandon();
    d->document->end();
    delete d->document;
    d->document = d->page = nullptr;
    return d->printer->close(keep);
}

HDC makePrinterDc(Printer *printer) {
    HDC h = makeDc(nullptr);
    Dc *d = dc(h);
    d->bitmap = nullptr;
    d->printer = printer;
    return h;
}

void freeDc(HDC h) {
    if (Dc *d = dc(h)) {
        if (d->printer) {
            endDocument(d, false);  // a document never ended is thrown away
            delete d->printer;
        }
        unbind(d);
        if (d->window) --d->window->openDcs;
        live().erase(d);
        delete d;
    }
}

void releasePainters(const QImage *img) {
    std::vector<Dc *> open(bound().begin(), bound().end());
    for (Dc *d : open)
        if (!img || d->surface.img == img) unbind(d);
}

QImage *target(Dc *d) {
    if (d->printer) return nullptr;
    if (d->window) return d->window->image.isNull() ? nullptr : &d->window->image;
    return &d->bitmap->bitmap;
}

Surface *surfaceOf(Dc *d) {
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

QRect logicalBounds(Dc *d) {
    if (d->window) return QRect(0, 0, std::max(d->window->width, 0), std::max(d->window->height, 0));
    QImage *img = target(d);
    if (!img) return QRect();
    if (d->scale == 1) return img->rect();
    return QRect(0, 0, int(img->width() / d->scale), int(img->height() / d->scale));
}

QPainter *painterFor(Dc *d) {
    Surface *s = surfaceOf(d);
    if (!s) return nullptr;
    if (!d->painter) d->painter = new QPainter(s->img);
    return d->painter;
}

QPainter *penPainter(Dc *d) {
    QPainter *p = painterFor(d);
    if (p && d->painterPen != d->pen) {
        p->setPen(qpen(d->pen, ratioOf(d)));  // for lines only: no brush is ever used
        d->painterPen = d->pen;
    }
    return p;
}

// Straight into the image: a region's paint fills tens of thousands of small squares, and a
// painter call costs more than their pixels.
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

void fillLogical(Dc *d, const QRect &rect, QRgb c) {
    if (d->printer) {
        if (d->page) d->page->fillRect(QRectF(rect), QColor::fromRgb(c));
    } else if (const Surface *s = surfaceOf(d)) {
        fillDevice(d, *s, deviceRect(rect, s->ratio), c);
    }
}

}  // namespace gdi32

using namespace gdi32;

/* SelectObject (gdi32) */
HGDIOBJ WINAPI SelectObject(HDC h, HGDIOBJ obj) {
    Dc *d = dc(h);
    GdiObject *o = gdi(obj);
    if (!d || !o) return nullptr;
    GdiObject *prev = nullptr;
    switch (o->type) {
    case ObjType::Pen:
        prev = d->pen;
        d->pen = o;
        d->sink->selectPen(h, o->color, o->penWidth, o->stock);
        break;
    case ObjType::Font:
        prev = d->font;
        d->font = o;
        d->sink->selectFont(h, o->face, o->fontHeight);
        break;
    case ObjType::Bitmap:
        if (d->window || d->printer) return nullptr;  // only memory DCs take bitmaps
        prev = d->bitmap;
        if (o != prev) unbind(d);
        d->bitmap = o;
        d->sink->selectBitmap(h, o->bitmap.width(), o->bitmap.height());
        break;
    case ObjType::Brush: return nullptr;  // rectangles fill with the white brush a DC starts with
    }
    return prev;
}

/* DeleteObject (gdi32) */
BOOL WINAPI DeleteObject(HGDIOBJ obj) {
    GdiObject *o = gdi(obj);
    if (!o) return FALSE;
    if (o->stock) return TRUE;  // stock objects are never deleted
    if (o->type == ObjType::Bitmap) releasePainters(&o->bitmap);
    // An object deleted while selected is no longer used: the DC falls back to its default one
    // (looked up here, not later by address, which a new object may have taken by then).
    for (Dc *d : live()) {
        if (d->pen == o) d->pen = blackPen();
        if (d->font == o) d->font = systemFont();
        if (d->bitmap == o) d->bitmap = defaultBitmap();
        if (d->painterPen == o) d->painterPen = nullptr;
    }
    forget(o);
    delete o->font;
    delete o->deviceFont;
    delete o->texts;
    delete o;
    return TRUE;
}

/* CreateCompatibleDC (gdi32) */
HDC WINAPI CreateCompatibleDC(HDC) { return makeDc(nullptr); }

/* DeleteDC (gdi32) */
BOOL WINAPI DeleteDC(HDC h) {
    if (!dc(h)) return FALSE;
    freeDc(h);
    return TRUE;
}

namespace {

// A change of mapping changes how every later call lands on the surface: the DC binds anew.
BOOL setExtent(HDC h, SIZE Dc::*extent, int x, int y, LPSIZE prev) {
    Dc *d = dc(h);
    if (!d || x <= 0 || y <= 0) return FALSE;  // flipped axes are not drawn by this layer
    if (prev) *prev = d->*extent;
    if (d->mapMode != MM_ISOTROPIC) return TRUE;  // MM_TEXT keeps one pixel to a unit
    d->*extent = SIZE{x, y};
    unbind(d);
    d->scale = std::min(double(d->viewportExt.cx) / d->windowExt.cx, double(d->viewportExt.cy) / d->windowExt.cy);
    remap(d);
    return TRUE;
}

}  // namespace

/* SetMapMode (gdi32) */
int WINAPI SetMapMode(HDC h, int mode) {
    Dc *d = dc(h);
    if (!d || (mode != MM_TEXT && mode != MM_ISOTROPIC)) return 0;
    const int prev = d->mapMode;
    d->mapMode = mode;
    if (mode == MM_TEXT) {
        d->windowExt = d->viewportExt = SIZE{1, 1};
        if (d->scale != 1) unbind(d);
        d->scale = 1;
        remap(d);
    }
    return prev;
}

/* SetWindowExtEx (gdi32) */
BOOL WINAPI SetWindowExtEx(HDC h, int x, int y, LPSIZE prev) { return setExtent(h, &Dc::windowExt, x, y, prev); }

/* SetViewportExtEx (gdi32) */
BOOL WINAPI SetViewportExtEx(HDC h, int x, int y, LPSIZE prev) { return setExtent(h, &Dc::viewportExt, x, y, prev); }
