// GDI32 lines and rectangles.
//
// Whatever a painter adds nothing to is written straight into the image: one-pixel steps (the
// dots of a region), strokes along the axes and rectangles fill whole pixels, exactly those Qt's
// aliased, square-capped stroke covers, each logical pixel the device square of its ratio.
// Slanted lines go through the DC's painter, between the middles of their end pixels' squares
// with the pen ratio times wider, so they have no gap at any ratio.
#include "gdi32.h"

#include <QPainter>

#include <algorithm>

using namespace gdi32;

namespace {

// The logical pixels a pen of width w covers along a horizontal or vertical line from a to b,
// both ends included: w/2 of them before the line and the rest after it.
QRect axisStroke(QPoint a, QPoint b, int w) {
    int half = w / 2;
    return QRect(QPoint(std::min(a.x(), b.x()) - half, std::min(a.y(), b.y()) - half),
                 QPoint(std::max(a.x(), b.x()) - half + w - 1, std::max(a.y(), b.y()) - half + w - 1));
}

// A line on a printed page: the same pixels filled as on a surface, in the page's units, and a
// slanted line stroked between its end pixels' middles with the pen's width in units, so it keeps
// its width relative to the picture at any scale.
void printLine(Dc *d, int fx, int fy, int x, int y) {
    QPainter *p = d->page;
    if (!p) return;
    const GdiObject *pen = d->pen;
    const int w = pen->penWidth, dx = x - fx, dy = y - fy;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        if (w > 1)
            fillLogical(d, axisStroke(QPoint(fx, fy), QPoint(x, y), w), pen->rgb);
        else if (dx || dy)
            fillLogical(d, QRect(fx, fy, 1, 1), pen->rgb);
    } else if (dx == 0 || dy == 0) {
        fillLogical(d, axisStroke(QPoint(fx, fy), QPoint(x, y), w), pen->rgb);
    } else {
        QPen stroke(qcolor(pen->color), w);
        stroke.setCapStyle(Qt::SquareCap);
        p->setPen(stroke);
        p->drawLine(QLineF(fx + 0.5, fy + 0.5, x + 0.5, y + 0.5));
    }
}

}  // namespace

/* MoveToEx (gdi32) */
BOOL WINAPI MoveToEx(HDC h, int x, int y, LPPOINT prev) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    d->sink->moveTo(h, x, y);
    if (prev) *prev = POINT{d->posx, d->posy};
    d->posx = x;
    d->posy = y;
    return TRUE;
}

/* LineTo (gdi32) */
BOOL WINAPI LineTo(HDC h, int x, int y) {
    Dc *d = dc(h);
    if (!d) return FALSE;
    d->sink->lineTo(h, x, y);
    const int fx = d->posx, fy = d->posy;
    d->posx = x;
    d->posy = y;
    if (d->printer) {
        printLine(d, fx, fy, x, y);
        return TRUE;
    }
    const Surface *s = surfaceOf(d);
    if (!s) return TRUE;
    const GdiObject *pen = d->pen;
    const int w = pen->penWidth;
    const int dx = x - fx, dy = y - fy;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        // A step of at most one pixel is the pen's square at both ends; a one-pixel pen leaves
        // out the last pixel, as GDI does.
        if (w > 1)
            fillDevice(d, *s, deviceRect(axisStroke(QPoint(fx, fy), QPoint(x, y), w), s->ratio), pen->rgb);
        else if (dx || dy)
            fillDevice(d, *s, deviceRect(QRect(fx, fy, 1, 1), s->ratio), pen->rgb);
    } else if (dx == 0 || dy == 0) {
        fillDevice(d, *s, deviceRect(axisStroke(QPoint(fx, fy), QPoint(x, y), w), s->ratio), pen->rgb);
    } else if (QPainter *p = penPainter(d)) {
        const double r = s->ratio;
        if (r == 1) {
            p->drawLine(QPoint(fx, fy), QPoint(x, y));
        } else {
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
    d->sink->rectangle(h, l, t, r, b);
    if (r < l) std::swap(l, r);
    if (b < t) std::swap(t, b);
    if (r > l && b > t) fillLogical(d, QRect(QPoint(l, t), QPoint(r - 1, b - 1)), whiteBrush()->rgb);
    // The outline runs through the outer pixels, the right and bottom ones inside the rectangle
    // as on Windows: four strokes of the pen, the corners covered by their square ends.
    const GdiObject *pen = d->pen;
    if (r - l > 1 && b - t > 1) {
        const QPoint tl(l, t), tr(r - 1, t), br(r - 1, b - 1), bl(l, b - 1);
        for (auto [a, z] : {std::pair{tl, tr}, {tr, br}, {bl, br}, {tl, bl}}) fillLogical(d, axisStroke(a, z, pen->penWidth), pen->rgb);
    }
    return TRUE;
}
