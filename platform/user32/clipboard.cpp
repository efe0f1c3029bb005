// USER32 clipboard over the Qt clipboard: CF_TEXT and CF_DIB.
#include "qt/host.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <cstring>
#include <map>

using namespace host;

namespace {

bool opened = false;
bool emptied = false;
std::map<UINT, std::string> given;     // what the program put, handed to Qt when it closes
std::vector<HGLOBAL> lent;             // what GetClipboardData handed out, freed at the close

void freeLent() {
    for (HGLOBAL h : lent) GlobalFree(h);
    lent.clear();
}

HGLOBAL block(const std::string &bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!h) return nullptr;
    memcpy(GlobalLock(h), bytes.data(), bytes.size());
    GlobalUnlock(h);
    return h;
}

QClipboard *clipboard() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }

}  // namespace

namespace host {

// A packed DIB (header, then rows) as an image; null when it is not one this layer reads.
QImage imageFromDib(const std::string &dib) {
    BITMAPINFOHEADER h;
    if (dib.size() < sizeof h) return QImage();
    memcpy(&h, dib.data(), sizeof h);
    const long long w = h.biWidth, ht = h.biHeight < 0 ? -(long long)h.biHeight : h.biHeight;
    if (h.biSize < sizeof h || h.biSize > dib.size() || w <= 0 || ht <= 0 || w > 16384 || ht > 16384 ||
        h.biPlanes != 1 || (h.biBitCount != 24 && h.biBitCount != 32) || h.biCompression != BI_RGB)
        return QImage();
    const size_t stride = size_t((w * h.biBitCount + 31) / 32) * 4, bytes = h.biBitCount / 8;
    const size_t first = h.biSize + (h.biClrUsed ? size_t(h.biClrUsed) * 4 : 0);
    if (h.biClrUsed > 256 || first + stride * size_t(ht) > dib.size()) return QImage();
    QImage img(int(w), int(ht), QImage::Format_RGB32);
    for (int y = 0; y < ht; ++y) {
        const auto *row = reinterpret_cast<const unsigned char *>(dib.data()) + first +
                          stride * size_t(h.biHeight > 0 ? ht - 1 - y : y);
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) out[x] = qRgb(row[x * bytes + 2], row[x * bytes + 1], row[x * bytes]);
    }
    return img;
}

std::string dibFromImage(const QImage &source) {
    QImage img = source.convertToFormat(QImage::Format_RGB32);
    BITMAPINFOHEADER h{};
    h.biSize = sizeof h;
    h.biWidth = img.width();
    h.biHeight = img.height();
    h.biPlanes = 1;
    h.biBitCount = 24;
    h.biCompression = BI_RGB;
    const size_t stride = size_t((img.width() * 24 + 31) / 32) * 4;
    h.biSizeImage = DWORD(stride * size_t(img.height()));
    std::string out(sizeof h + h.biSizeImage, '\0');
    memcpy(out.data(), &h, sizeof h);
    for (int y = 0; y < img.height(); ++y) {
        const auto *src = reinterpret_cast<const QRgb *>(img.constScanLine(img.height() - 1 - y));
        auto *row = reinterpret_cast<unsigned char *>(out.data()) + sizeof h + stride * size_t(y);
        for (int x = 0; x < img.width(); ++x) {
            row[x * 3] = uchar(qBlue(src[x]));
            row[x * 3 + 1] = uchar(qGreen(src[x]));
            row[x * 3 + 2] = uchar(qRed(src[x]));
        }
    }
    return out;
}

}  // namespace host

/* OpenClipboard (user32) */
BOOL WINAPI OpenClipboard(HWND) {
    ensureApplication();
    if (opened || !clipboard()) return FALSE;
    opened = true;
    emptied = false;
    given.clear();
    return TRUE;
}

/* EmptyClipboard (user32) */
BOOL WINAPI EmptyClipboard(void) {
    if (!opened) return FALSE;
    emptied = true;
    given.clear();
    return TRUE;
}

/* SetClipboardData (user32) */
HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem) {
    // As on Windows, data goes only to a clipboard the caller opened and emptied, and from then
    // on the memory is the system's: it is copied and freed here.
    if (!opened || !emptied || !mem || GlobalSize(mem) == 0) return nullptr;
    if (format != CF_TEXT && format != CF_DIB) return nullptr;
    const char *p = static_cast<const char *>(GlobalLock(mem));
    if (!p) return nullptr;
    std::string bytes(p, GlobalSize(mem));
    GlobalUnlock(mem);
    if (format == CF_TEXT) bytes.resize(strnlen(bytes.data(), bytes.size()));
    if (format == CF_DIB && imageFromDib(bytes).isNull()) return nullptr;
    given[format] = std::move(bytes);
    GlobalFree(mem);
    return mem;
}

/* CloseClipboard (user32) */
BOOL WINAPI CloseClipboard(void) {
    if (!opened) return FALSE;
    opened = false;
    freeLent();
    if (!emptied) return TRUE;
    auto *data = new QMimeData;
    if (given.count(CF_TEXT)) data->setText(fromAnsi(given[CF_TEXT].data(), int(given[CF_TEXT].size())));
    if (given.count(CF_DIB)) data->setImageData(imageFromDib(given[CF_DIB]));
    clipboard()->setMimeData(data);
    given.clear();
    return TRUE;
}

/* IsClipboardFormatAvailable (user32) */
BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    QClipboard *c = clipboard();
    const QMimeData *d = c ? c->mimeData() : nullptr;
    if (!d) return FALSE;
    if (format == CF_TEXT) return d->hasText();
    if (format == CF_DIB) return d->hasImage();
    return FALSE;
}

/* GetClipboardData (user32) */
HANDLE WINAPI GetClipboardData(UINT format) {
    if (!opened) return nullptr;
    const QMimeData *d = clipboard()->mimeData();
    if (!d) return nullptr;
    std::string bytes;
    if (format == CF_TEXT && d->hasText()) {
        bytes = toAnsi(d->text());
        bytes.push_back('\0');
    } else if (format == CF_DIB && d->hasImage()) {
        bytes = dibFromImage(qvariant_cast<QImage>(d->imageData()));
    } else {
        return nullptr;
    }
    HGLOBAL h = block(bytes);
    if (h) lent.push_back(h);
    return h;
}
