// gdi32.h - the GDI32 library's own internals: the objects behind the handles, device contexts
// and what they draw on, and the maths of GDI scaling. Its files and the libraries above it
// (user32, the test drivers) include this; the program never does.
//
// GDI scaling, as Windows does it for a program that declares gdiScaling: the program keeps its
// logical coordinates and every call is rendered at the window's device pixel ratio r. Logical
// pixel v covers the device pixels whose centres fall inside it, deviceEdge(v) up to
// deviceEdge(v + 1) - 1: r x r squares that tile the image without gap or overlap, also when r
// is fractional. At r = 1 every mapping is the identity.
#ifndef ORBIX_GDI32_H
#define ORBIX_GDI32_H

#include <windows.h>

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRect>

#include <string>
#include <string_view>

#include "host.h"

class QPainter;
class QPagedPaintDevice;

namespace gdi32 {

inline int deviceEdge(int v, double r) {
    if (r == 1) return v;
    double e = v * r - 0.5;
    int i = int(e);  // toward zero; up to the ceiling where e was above it
    return i + (i < e);
}
// The device rectangle of the logical pixels of rect (inclusive edges, as QRect keeps them).
inline QRect deviceRect(const QRect &rect, double r) {
    if (r == 1) return rect;
    return QRect(QPoint(deviceEdge(rect.left(), r), deviceEdge(rect.top(), r)),
                 QPoint(deviceEdge(rect.right() + 1, r) - 1, deviceEdge(rect.bottom() + 1, r) - 1));
}
// The device pixel read back for logical pixel v (a blit to a bitmap): the middle one of its square.
inline int deviceSample(int v, double r) { return r == 1 ? v : (deviceEdge(v, r) + deviceEdge(v + 1, r) - 1) / 2; }

// ------------------------------------------------------------------ objects (objects.cpp)
enum class ObjType { Pen, Brush, Font, Bitmap };

// A text as a font sets it: its advance in the logical font (the width of its box) and its
// glyphs in the font it is drawn with, on a baseline at y = 0. Shaping is most of what a
// listing's paint costs, and a repaint sets the same lines again, so a font keeps the texts it
// set: one table at ratio 1 and one at the ratio of its device font.
struct TextCache {
    struct Set {
        int advance = 0;
        QList<QGlyphRun> glyphs;
    };
    QHash<QString, Set> logical, device;
};

struct GdiObject {
    ObjType type;
    bool stock = false;
    // pen, brush
    int penWidth = 1;
    COLORREF color = 0;
    QRgb rgb = 0xFF000000;  // color, made once: converting per dot costs more than filling it
    // font
    QFont *font = nullptr;
    int fontHeight = 0, fontWeight = 0;
    std::string face;
    QFont *deviceFont = nullptr;  // the font at the height scaled by deviceFontRatio
    double deviceFontRatio = 0;
    TextCache *texts = nullptr;
    // bitmap
    QImage bitmap;
};
GdiObject *gdi(HGDIOBJ h);  // null unless a live object (stock or not yet deleted)
GdiObject *newGdiObject(ObjType type);
void forget(GdiObject *o);  // takes a deleted object out of the live ones
// The objects a DC starts with, and the one-pixel bitmap a memory DC holds at first.
GdiObject *blackPen();
GdiObject *whiteBrush();
GdiObject *systemFont();
GdiObject *defaultBitmap();
QFont makeFont(const std::string &face, int height, int weight);
// A bitmap object holding the image (LoadBitmapA, LoadIconA).
GdiObject *bitmapObject(const QImage &image);
QColor qcolor(COLORREF c);

// ------------------------------------------------------------------ device contexts (dc.cpp)
// The retained client image of a window, which its DCs draw on: at device resolution, ratio
// device pixels to a logical pixel (1 on a screen without scaling); width and height are the
// logical client size. Owned by the window (user32); a DC drawing on it counts in openDcs.
struct WindowImage {
    QImage image;
    double ratio = 1;
    int width = -1, height = -1;
    int openDcs = 0;
};
// The client image of a logical size at ratio r, never empty, white.
QImage newWindowImage(int width, int height, double r);

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

// ------------------------------------------------------------------ printers (print.cpp)
// Where a printer DC's document goes: the layer's PDF file, or the printer a print dialog chose.
class Printer {
public:
    virtual ~Printer() = default;
    // The printable area in device pixels, and the device pixels an inch.
    virtual QSize pagePixels() const = 0;
    virtual int resolution() const = 0;
    // Starts the document, to the file output (Windows-1252; null: where the printer was told);
    // the device to paint its pages on, or null with the error set.
    virtual QPagedPaintDevice *open(const char *output, const char *title) = 0;
    // Drops the document while its pages are still being painted (AbortDoc), then close ends it:
    // kept (false with the error set when it could not be) or thrown away.
    virtual void abandon() = 0;
    virtual bool close(bool keep) = 0;
};

struct Dc {
    WindowImage *window = nullptr;  // a window DC, else a memory or printer DC
    host::GdiSink *sink = nullptr;
    GdiObject *pen = nullptr, *font = nullptr, *bitmap = nullptr;
    // The current position, as two ints: MoveToEx stores them one by one and LineTo reads them
    // so, never as one wide load the processor cannot forward from the two stores.
    int posx = 0, posy = 0;
    Surface surface;  // img is null while unbound
    // One painter for the DC's life on its surface: opening a painter per call costs more than
    // the drawing itself when a paint hands over tens of thousands of short lines.
    QPainter *painter = nullptr;
    const GdiObject *painterPen = nullptr;
    // The mapping mode and its extents; scale is what MM_ISOTROPIC makes of them (1 in MM_TEXT).
    int mapMode = MM_TEXT;
    SIZE windowExt{1, 1}, viewportExt{1, 1};
    double scale = 1;
    POINT viewportOrg{0, 0};
    // A printer DC: its printer, the painter of the document it is printing (in the DC's units),
    // the same painter while a page is being printed (null between pages, when nothing is drawn),
    // and the pages begun.
    Printer *printer = nullptr;
    QPainter *document = nullptr, *page = nullptr;
    int pages = 0;
};
Dc *dc(HDC h);                        // null unless a live DC
HDC makeDc(WindowImage *window);      // null window: a memory DC
HDC makePrinterDc(Printer *printer);  // takes the printer over
void freeDc(HDC hdc);
// Ends the painters open on img, and makes the DCs that drew on it look at their target anew
// (all, when null), before the image is read, replaced or freed.
void releasePainters(const QImage *img);

// What the drawing calls share: the DC's surface (bound on first use; null when there is nothing
// to draw on), its painter, the painter with the DC's pen, its target image, its ratio, and its
// logical bounds (a window's client area, or the bitmap).
Surface *surfaceOf(Dc *d);
QPainter *painterFor(Dc *d);
QPainter *penPainter(Dc *d);
QImage *target(Dc *d);
inline double ratioOf(const Dc *d) { return (d->window ? d->window->ratio : 1) * d->scale; }
QRect logicalBounds(Dc *d);
// Fills a rectangle of device pixels, clipped to the surface, straight into the image.
void fillDevice(Dc *d, const Surface &s, const QRect &rect, QRgb c);
// Fills the logical pixels of rect with c on whatever the DC draws on: its surface, at its ratio,
// or the page it prints.
void fillLogical(Dc *d, const QRect &rect, QRgb c);
// The page painter's transform from the DC's mapping, set again after any change of it.
void remap(Dc *d);
// Ends the document being printed, kept or thrown away; false when there was none or it could not
// be kept.
bool endDocument(Dc *d, bool keep);

}  // namespace gdi32

#endif
