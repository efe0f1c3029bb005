// The host widgets of the layer: the frame window with its menu bar, client canvas and vertical
// scroll bar, and the bookkeeping shared by the USER32 and GDI32 parts.
#include "qt/host.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <set>
#include <unordered_map>

namespace host {

// ------------------------------------------------------------------ text
// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
static const char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QString fromAnsi(const char *s, int len) {
    QString out;
    if (!s) return out;
    if (len < 0) len = int(strlen(s));
    out.reserve(len);
    for (int i = 0; i < len; ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0x80 && c < 0xA0)
            out.append(QChar(kCp1252High[c - 0x80]));
        else
            out.append(QChar(char16_t(c)));
    }
    return out;
}

std::string toAnsi(const QString &s) {
    std::string out;
    out.reserve(size_t(s.size()));
    for (QChar ch : s) {
        char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
            out.push_back(char(u));
            continue;
        }
        char c = '?';
        for (int i = 0; i < 32; ++i)
            if (kCp1252High[i] == u && u != 0xFFFD) c = char(0x80 + i);
        out.push_back(c);
    }
    return out;
}

// ------------------------------------------------------------------ windows
// Windows are found by handle, and a handle is never given again: a stale one (a message posted
// to a window since destroyed, a handle kept after DestroyWindow) finds nothing rather than a
// newer window that happens to sit at the same address. The memory of a destroyed window goes
// once its widgets are gone, so a program that opens dialogs all day keeps a handful of windows,
// not every window it ever made. The tables are never destroyed, which keeps them usable to the
// very end.
namespace {
struct Registry {
    std::unordered_map<HWND, Window *> byHandle;
    std::vector<Window *> order;  // creation order, destroyed windows included until freed
    uintptr_t nextHandle = 0x10010;
    int modalDepth = 0;
};
Registry &registry() {
    static auto *r = new Registry;
    return *r;
}
}  // namespace

Window *win(HWND h) {
    if (!h) return nullptr;
    auto &m = registry().byHandle;
    auto it = m.find(h);
    if (it == m.end()) return nullptr;
    return it->second->destroyed ? nullptr : it->second;
}

std::vector<Window *> liveWindows() {
    std::vector<Window *> out;
    for (Window *w : registry().order)
        if (!w->destroyed) out.push_back(w);
    return out;
}

void registerWindow(Window *w) {
    Registry &r = registry();
    // Multiples of 4, as Windows gives them; far below any address, so never mistaken for one.
    w->handle = reinterpret_cast<HWND>(r.nextHandle);
    r.nextHandle += 4;
    r.byHandle[w->handle] = w;
    r.order.push_back(w);
}

void unregisterWindow(Window *w) {
    Registry &r = registry();
    r.byHandle.erase(w->handle);
    r.order.erase(std::remove(r.order.begin(), r.order.end(), w), r.order.end());
}

void freeDestroyedWindows() {
    Registry &r = registry();
    if (r.modalDepth > 0) return;
    // Controls go with their dialog (DestroyWindow never destroys a control alone); a window
    // goes when its widget, and so every child widget that could still reach it, is deleted,
    // and no DC draws on it any more.
    auto unreachable = [](const Window *w) { return !w->widget && w->openDcs == 0; };
    std::vector<Window *> dead;
    for (Window *w : r.order)
        if (w->destroyed && unreachable(w) && w->className.empty() && !w->ctrlId &&
            std::all_of(w->controls.begin(), w->controls.end(), unreachable)) {
            dead.push_back(w);
            dead.insert(dead.end(), w->controls.begin(), w->controls.end());
        }
    if (dead.empty()) return;
    std::sort(dead.begin(), dead.end());
    std::erase_if(r.order, [&dead](Window *w) { return std::binary_search(dead.begin(), dead.end(), w); });
    for (Window *w : dead) {
        r.byHandle.erase(w->handle);
        delete w;
    }
}

ModalScope::ModalScope() { ++registry().modalDepth; }
ModalScope::~ModalScope() { --registry().modalDepth; }

Window *childById(Window *dlg, int id) {
    if (!dlg) return nullptr;
    for (Window *c : dlg->controls)
        if (c->ctrlId == id && !c->destroyed) return c;
    return nullptr;
}

void wake() {
    if (auto *d = QAbstractEventDispatcher::instance()) d->wakeUp();
}

void showImage(Window *w) {
    if (w && w->canvas) w->canvas->update();
}

constexpr int kMaxImageSide = 8192;

void clientResized(Window *w, int cw, int ch) {
    cw = std::max(cw, 0);
    ch = std::max(ch, 0);
    if (cw == w->clientW && ch == w->clientH) return;
    bool first = w->clientW < 0;
    w->clientW = cw;
    w->clientH = ch;
    releasePainters(&w->image);
    // The image keeps what a screen could show; a client area larger than that still gets its
    // true size in WM_SIZE, and what falls beyond the image is clipped like off-screen pixels.
    QImage img(std::clamp(cw, 1, kMaxImageSide), std::clamp(ch, 1, kMaxImageSide), QImage::Format_RGB32);
    img.fill(Qt::white);
    if (!w->image.isNull()) {
        QPainter p(&img);
        p.drawImage(0, 0, w->image);
    }
    w->image = img;
    SendMessageA(hwndOf(w), WM_SIZE, 0, MAKELPARAM(cw, ch));
    if (!win(hwndOf(w))) return;
    if (first || (w->cls && (w->cls->wc.style & (CS_HREDRAW | CS_VREDRAW))))
        InvalidateRect(hwndOf(w), nullptr, TRUE);
}

// ------------------------------------------------------------------ hooks
// A plain global, not a function-local static: record() asks for it on every GDI call.
static Hooks theHooks;
Hooks &hooks() { return theHooks; }

void fail(const std::string &what) {
    if (hooks().failure)
        hooks().failure(what);
    else
        fprintf(stderr, "orbix platform: %s\n", what.c_str());
}

}  // namespace host
