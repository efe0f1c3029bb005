// GDI32 bitmaps: memory bitmaps, blits between a window and a bitmap, and a bitmap's rows as a
// device-independent bitmap.
//
// Rectangles are logical on both sides of a blit, whatever the ratios: a bitmap blitted to a
// scaled window is stretched smoothly over the squares of its logical rectangle, as GDI scaling
// stretches it, and a scaled window blitted to a bitmap gives each logical pixel from the middle
// of its square, so the bitmap has the logical size and pixels. Memory DCs are never scaled.
#include "gdi32.h"

#include <QPainter>

#include <cstring>

using namespace gdi32;

/* BitBlt (gdi32) */
BOOL WINAPI BitBlt(HDC h, int x, int y, int cx, int cy, HDC src, int x1, int y1, DWORD rop) {
    Dc *d = dc(h), *s = dc(src);
    if (!d || !s || rop != SRCCOPY) return FALSE;
    d->sink->bitBlt(h, x, y, cx, cy);
    QImage *from = target(s);
    if (from) releasePainters(from);
    if (d->printer) {
        if (d->page && cx > 0 && cy > 0) {
            fillLogical(d, QRect(x, y, cx, cy), qRgb(255, 255, 255));
            const QRect part = from ? QRect(x1, y1, cx, cy).intersected(logicalBounds(s)) : QRect();
            d->page->setRenderHint(QPainter::SmoothPixmapTransform);
            if (!part.isEmpty()) d->page->drawImage(QRectF(QRect(QPoint(x + part.x() - x1, y + part.y() - y1), part.size())), *from, part);
        }
        return TRUE;
    }
    QPainter *p = painterFor(d);
    if (!p || cx <= 0 || cy <= 0) return TRUE;
    const double rd = ratioOf(d), rs = ratioOf(s);
    // Whatever of the rectangle lies outside the source comes out white.
    p->fillRect(deviceRect(QRect(x, y, cx, cy), rd), Qt::white);
    if (!from) return TRUE;
    const QRect part = QRect(x1, y1, cx, cy).intersected(logicalBounds(s));
    if (part.isEmpty()) return TRUE;
    const QPoint at(x + part.x() - x1, y + part.y() - y1);
    if (rd == 1 && rs == 1) {
        p->drawImage(at, *from, part);
        return TRUE;
    }
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
    p->save();  // at rd = 1 the rectangle is the image's own size: a plain copy
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
    QImage img(cx, cy, QImage::Format_RGB32);
    if (img.isNull()) return nullptr;
    img.fill(Qt::black);
    return reinterpret_cast<HBITMAP>(bitmapObject(img));
}

/* GetDIBits (gdi32) */
int WINAPI GetDIBits(HDC h, HBITMAP hbm, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO bmi, UINT usage) {
    GdiObject *o = gdi(hbm);
    if (!dc(h) || !o || o->type != ObjType::Bitmap || !bmi || !bits || usage != DIB_RGB_COLORS) return 0;
    releasePainters(&o->bitmap);
    const QImage &img = o->bitmap;
    const BITMAPINFOHEADER &hd = bmi->bmiHeader;
    // Rows of 24 bits, bottom-up, uncompressed: the one form this layer gives.
    if (hd.biSize < sizeof(BITMAPINFOHEADER) || hd.biBitCount != 24 || hd.biCompression != BI_RGB || hd.biWidth != img.width() ||
        hd.biHeight != img.height())
        return 0;
    const size_t stride = size_t((img.width() * 24 + 31) / 32) * 4;
    auto *out = static_cast<unsigned char *>(bits);
    UINT done = 0;
    // Row k of the DIB is counted from the bottom, as Windows counts it.
    for (UINT k = start; k < start + lines && k < UINT(img.height()); ++k, ++done) {
        const auto *from = reinterpret_cast<const QRgb *>(img.constScanLine(img.height() - 1 - int(k)));
        unsigned char *row = out + size_t(done) * stride;
        memset(row, 0, stride);
        for (int x = 0; x < img.width(); ++x) {
            row[x * 3] = uchar(qBlue(from[x]));
            row[x * 3 + 1] = uchar(qGreen(from[x]));
            row[x * 3 + 2] = uchar(qRed(from[x]));
        }
    }
    return int(done);
}
