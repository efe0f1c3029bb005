// The host widgets of the layer: the frame window with its menu bar, client canvas and vertical
// scroll bar, and the bookkeeping shared by the USER32 and GDI32 parts.
#include "qt/host.h"
#include "qt/translations.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPainter>

#include <sys/mman.h>

#include <clocale>

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

// ------------------------------------------------------------------ the application
static int appArgc = 1;
static char appName[] = "orbix";
static char *appArgvDefault[] = {appName, nullptr};
static char **appArgv = appArgvDefault;

void setArguments(int argc, char **argv) {
    appArgc = argc;
    appArgv = argv;
}

void ensureApplication() {
    if (QCoreApplication::instance()) return;
    auto *app = new QApplication(appArgc, appArgv);
    // Qt takes the user's locale on Unix; a Windows program's C runtime formats and reads numbers
    // in the "C" locale, whatever the user's language (1.50, never 1,50).
    setlocale(LC_NUMERIC, "C");
    // Qt's texts (file dialog, edit menus) in the user's language, as Windows draws its own.
    installQtTranslations(QLocale::system());
    app->setQuitOnLastWindowClosed(false);  // the program ends through its own message loop
}

std::string windowsCommandLine(int argc, char **argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (i > 1) line += ' ';
        if (!a.empty() && a.find_first_of(" \t\"") == std::string::npos) {
            line += a;
            continue;
        }
        line += '"';
        size_t slashes = 0;
        for (char c : a) {
            if (c == '\\') {
                ++slashes;
                continue;
            }
            // Backslashes before a quote are doubled, and the quote escaped.
            line.append(c == '"' ? 2 * slashes + 1 : slashes, '\\');
            slashes = 0;
            line += c;
        }
        line.append(2 * slashes, '\\');  // before the closing quote
        line += '"';
    }
    return line;
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

namespace {
struct Mapping {
    void *pixels;
    size_t bytes;
};

void unmap(void *info) {
    auto *m = static_cast<Mapping *>(info);
    munmap(m->pixels, m->bytes);
    delete m;
}

// The client image of a logical size at ratio r: what a screen could show at most, and never
// empty, so a DC always has something to draw on. Its pixels are mapped from the system and go
// back to it with the image: at ratio 2 an image is over 12 MB, and once the allocator has seen
// one freed it keeps the next ones in its heap, resident after the window has gone.
QImage clientImage(int cw, int ch, double r) {
    const int w = std::clamp(deviceEdge(cw, r), 1, kMaxImageSide);
    const int h = std::clamp(deviceEdge(ch, r), 1, kMaxImageSide);
    const size_t stride = size_t(w) * 4, bytes = stride * size_t(h);
    void *pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    QImage img = pixels == MAP_FAILED ? QImage(w, h, QImage::Format_RGB32)
                                      : QImage(static_cast<uchar *>(pixels), w, h, qsizetype(stride),
                                               QImage::Format_RGB32, unmap, new Mapping{pixels, bytes});
    img.fill(Qt::white);
    return img;
}
}  // namespace

double deviceRatio(const Window *w) {
    // Below 1 the picture is drawn at its logical size and the screen shrinks it; far above any
    // screen's ratio nothing gains in sharpness but the memory grows with its square.
    double r = w && w->canvas ? w->canvas->devicePixelRatioF() : 1;
    return std::clamp(r, 1.0, 8.0);
}

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
    QImage img = clientImage(cw, ch, w->ratio);
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

void deviceRatioChanged(Window *w) {
    double r = deviceRatio(w);
    if (!win(hwndOf(w)) || r == w->ratio) return;
    w->ratio = r;
    releasePainters(&w->image);
    // The old picture, stretched, stands in until the program has painted at the new ratio; the
    // logical size is the same, so the program gets no WM_SIZE, only the paint.
    QImage img = clientImage(std::max(w->clientW, 0), std::max(w->clientH, 0), r);
    if (!w->image.isNull()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(img.rect(), w->image);
    }
    w->image = img;
    InvalidateRect(hwndOf(w), nullptr, TRUE);
    showImage(w);
}

// ------------------------------------------------------------------ hooks
Hooks theHooks;

void fail(const std::string &what) {
    if (hooks().failure)
        hooks().failure(what);
    else
        fprintf(stderr, "orbix platform: %s\n", what.c_str());
}

}  // namespace host
