// GDI32 text: black on an opaque white box with its top-left corner at the point, GDI's
// defaults. On a scaled window the box keeps its logical extent and the glyphs are set in the
// same face asked for at its height times the ratio: sharp, not enlarged.
#include "gdi32.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

using namespace gdi32;

namespace {

// The font as GDI scaling sets it at ratio r: asked for at its height times r, so its glyphs are
// drawn sharp at the device resolution, not enlarged from the logical ones.
const QFont &deviceFont(GdiObject *o, double r) {
    if (r == 1) return *o->font;
    if (!o->deviceFont || o->deviceFontRatio != r) {
        int h = o->fontHeight == 0 ? 16 : o->fontHeight;
        int scaled = int(std::lround(std::abs(h) * r));
        delete o->deviceFont;
        o->deviceFont = new QFont(makeFont(o->face, h < 0 ? -scaled : scaled, o->fontWeight));
        o->deviceFontRatio = r;
        if (o->texts) o->texts->device.clear();
    }
    return *o->deviceFont;
}

// The text as the font sets it at ratio r (see TextCache). The program's texts are one line of
// printable characters each.
const TextCache::Set &setText(GdiObject *font, double r, const QString &text) {
    if (!font->texts) font->texts = new TextCache;
    QHash<QString, TextCache::Set> &table = r == 1 ? font->texts->logical : font->texts->device;
    if (auto it = table.constFind(text); it != table.constEnd()) return *it;
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
    QTextLine line = layout.createLine();  // valid: the layout has just begun
    line.setLineWidth(1e6);
    layout.endLayout();
    const QPointF baseline(0, line.y() + line.ascent());
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> at = run.positions();
        for (QPointF &p : at) p -= baseline;
        run.setPositions(at);
        set.glyphs.append(run);
    }
    return *table.insert(text, std::move(set));
}

// A text on a printed page: the box of its logical extent, the glyphs set by the page itself in
// the logical font, so they are text in the document and scale with the page's units.
void printText(Dc *d, int x, int y, const QString &text) {
    QPainter *p = d->page;
    if (!p) return;
    const QFont &font = *d->font->font;
    const QFontMetrics m(font);
    p->fillRect(QRectF(x, y, m.horizontalAdvance(text), m.ascent() + m.descent()), Qt::white);
    p->setFont(font);
    p->setPen(Qt::black);
    p->drawText(QPointF(x, y + m.ascent()), text);
}

}  // namespace

/* TextOutA (gdi32) */
BOOL WINAPI TextOutA(HDC h, int x, int y, LPCSTR s, int c) {
    Dc *d = dc(h);
    if (!d || (!s && c > 0) || c < 0) return FALSE;
    d->sink->textOut(h, x, y, s ? s : "", c);
    if (d->printer) {
        printText(d, x, y, host::fromAnsi(s, c));
        return TRUE;
    }
    QPainter *p = painterFor(d);
    if (!p) return TRUE;
    GdiObject *font = d->font;
    const double r = ratioOf(d);
    // A text starting two em sizes or more beyond the bottom or right edge of the image, or ending
    // that far above its top, leaves no pixel in it (no glyph reaches that far out of its cell, a
    // cell being less than two em): it is neither shaped nor drawn, so a long listing costs what
    // the window shows of it.
    if (const int em = font->font->pixelSize(); em > 0) {
        const Surface *sf = surfaceOf(d);
        if (y >= sf->height / r + 2 * em || x >= sf->width / r + 2 * em || y <= -4 * em) return TRUE;
    }
    const QString text = host::fromAnsi(s, c);
    const QFont &drawn = deviceFont(font, r);
    const QFontMetrics m(*font->font);
    const TextCache::Set &set = setText(font, r, text);
    const QRect box = deviceRect(QRect(x, y, set.advance, m.ascent() + m.descent()), r);
    p->fillRect(box, Qt::white);
    p->setPen(Qt::black);
    d->painterPen = nullptr;
    const QPoint baseline(box.left(), box.top() + (r == 1 ? m.ascent() : QFontMetrics(drawn).ascent()));
    for (const QGlyphRun &run : set.glyphs) p->drawGlyphRun(baseline, run);
    return TRUE;
}
