// USER32 clipboard over the Qt clipboard: CF_TEXT (Windows-1252, given to the desktop as
// Unicode) and CF_DIB (a packed 24-bit bottom-up bitmap, as the program makes it).
#include "user32.h"
#include "kernel32.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstring>
#include <map>

namespace {

bool opened = false;
bool emptied = false;
std::map<UINT, std::string> given;  // what the program put, handed to Qt when it closes

// A packed DIB (header, then rows) as an image; null when it is not the form this layer takes.
QImage imageFromDib(const std::string &dib) {
    BITMAPINFOHEADER h;
    if (dib.size() < sizeof h) return QImage();
    memcpy(&h, dib.data(), sizeof h);
    const long long w = h.biWidth, ht = h.biHeight;
    if (h.biSize != sizeof h || w <= 0 || ht <= 0 || w > 16384 || ht > 16384 || h.biPlanes != 1 || h.biBitCount != 24 ||
        h.biCompression != BI_RGB || h.biClrUsed != 0)
        return QImage();
    const size_t stride = size_t((w * 24 + 31) / 32) * 4;
    if (h.biSize + stride * size_t(ht) > dib.size()) return QImage();
    QImage img(int(w), int(ht), QImage::Format_RGB32);
    for (int y = 0; y < ht; ++y) {
        const auto *row = reinterpret_cast<const unsigned char *>(dib.data()) + h.biSize + stride * size_t(ht - 1 - y);
        auto *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    }
    return img;
}

QClipboard *desktopClipboard() { return QGuiApplication::instance() ? QGuiApplication::clipboard() : nullptr; }

}  // namespace

/* OpenClipboard (user32) */
BOOL WINAPI OpenClipboard(HWND) {
    if (opened || !desktopClipboard()) return FALSE;
    opened = true;
    emptied = false;
    given.clear();
    return TRUE;
}

/* EmptyClipboard (user32) */
BOOL WINAPI EmptyClipboard(void) {
    if (!opened) return FALSE;
    emptied = true;  // what this opening was given is nothing yet
    return TRUE;
}

/* SetClipboardData (user32) */
HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem) {
    // As on Windows, data goes only to a clipboard the caller opened and emptied, and from then
    // on the memory is the system's: it is copied and freed here.
    const size_t size = kernel32::blockSize(mem);
    if (!opened || !emptied || size == 0 || (format != CF_TEXT && format != CF_DIB)) return nullptr;
    const char *p = static_cast<const char *>(GlobalLock(mem));
    if (!p) return nullptr;
    std::string bytes(p, size);
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
    if (!emptied) return TRUE;
    auto *data = new QMimeData;
    if (given.count(CF_TEXT)) data->setText(host::fromAnsi(given[CF_TEXT].data(), int(given[CF_TEXT].size())));
    if (given.count(CF_DIB)) data->setImageData(imageFromDib(given[CF_DIB]));
    desktopClipboard()->setMimeData(data);
    given.clear();
    return TRUE;
}
