// USER32 windows: classes, creating and destroying windows, their size and place, and what
// DefWindowProc does.
#include "user32.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace user32 {

namespace {

std::string lower(std::string s) {
    for (char &c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::map<std::string, ClassInfo *> &classes() {
    static auto *m = new std::map<std::string, ClassInfo *>;  // classes stay registered to the end
    return *m;
}

// Room for the title bar and borders a window manager adds around a frame.
const QSize kDecoration(16, 48);

QSize defaultClientSize(const QSize &extra) {
    QSize want(1024, 768);
    const QRect area = availableArea();
    if (area.isEmpty()) return want;
    QSize avail = area.size() - kDecoration - extra;
    if (avail.width() >= want.width() && avail.height() >= want.height()) return want;
    return want.scaled(avail.expandedTo(QSize(64, 48)), Qt::KeepAspectRatio);
}

int menuBarHeight() {
    QMenuBar probe;
    probe.setNativeMenuBar(false);
    probe.addMenu("&X");
    return probe.sizeHint().height();
}

}  // namespace

QRect availableArea() {
    const RECT &a = host::hooks().screenArea;
    if (host::hooks().testMode) return QRect(QPoint(a.left, a.top), QPoint(a.right - 1, a.bottom - 1));
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

const ClassInfo *classInfo(const char *name) {
    auto it = name ? classes().find(lower(name)) : classes().end();
    return it == classes().end() ? nullptr : it->second;
}

void destroyWindow(Window *w) {
    if (!w || w->destroyed) return;
    // Owned windows go first, as on Windows.
    for (Window *o : liveWindows())
        if (o->owner == w && !o->isControl && o != w) destroyWindow(o);
    SendMessageA(hwndOf(w), WM_DESTROY, 0, 0);
    killTimers(hwndOf(w));
    w->destroyed = true;
    gdi32::releasePainters(&w->client.image);
    w->client.image = QImage();  // the handle stays valid to compare; the pixels go now
    for (Window *c : w->controls) c->destroyed = true;
    if (w->widget) {
        w->widget->hide();
        w->widget->deleteLater();
    }
    host::wake();
}

}  // namespace user32

using namespace user32;

/* RegisterClassA (user32) */
ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
    host::ensureApplication();
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    std::string key = lower(wc->lpszClassName);
    if (classes().count(key)) return 0;  // already registered, as Windows refuses it
    classes()[key] = new ClassInfo{*wc, wc->lpszClassName, wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName) ? wc->lpszMenuName : ""};
    static ATOM next = 0xC000;
    return next++;
}

/* CreateWindowExA (user32) */
HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int, int, int nWidth, int nHeight,
                            HWND hWndParent, HMENU, HINSTANCE, LPVOID lpParam) {
    host::ensureApplication();
    if (!lpClassName || IS_INTRESOURCE(lpClassName) || host::windowless()) return nullptr;
    auto it = classes().find(lower(lpClassName));
    if (it == classes().end()) return nullptr;

    auto *w = new Window;
    w->cls = it->second;
    w->proc = w->cls->wc.lpfnWndProc;
    w->style = dwStyle;
    w->owner = win(hWndParent);
    registerWindow(w);
    QWidget *frame = buildFrame(w);
    // Tests read the client image, never the screen: their frames are not painted.
    if (host::hooks().testMode) frame->setUpdatesEnabled(false);
    frame->setWindowTitle(host::fromAnsi(lpWindowName ? lpWindowName : ""));
    if (w->cls->wc.hCursor == LoadCursorA(nullptr, IDC_CROSS)) w->canvas->setCursor(Qt::CrossCursor);

    const QSize extra = frameExtra(w);
    const QSize client = nWidth == CW_USEDEFAULT || nHeight == CW_USEDEFAULT ? defaultClientSize(extra) : QSize(nWidth, nHeight) - extra;
    struct {
        LPVOID lpCreateParams;
    } cs{lpParam};
    if (SendMessageA(hwndOf(w), WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        destroyWindow(w);
        return nullptr;
    }
    if (!win(hwndOf(w))) return nullptr;
    // The frame gets its size without being shown; the client size (WM_SIZE) follows at once.
    frame->resize(client + extra);
    layoutFrame(w);
    return hwndOf(w);
}

/* SetWindowTextA (user32) */
// A frame's title; a dialog's caption.
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR text) {
    Window *w = win(hWnd);
    if (!w || !w->widget) return FALSE;
    w->widget->setWindowTitle(host::fromAnsi(text ? text : ""));
    return TRUE;
}

/* DestroyWindow (user32) */
BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window *w = win(hWnd);
    if (!w || w->isControl) return FALSE;
    destroyWindow(w);
    return TRUE;
}

/* ShowWindow (user32) */
BOOL WINAPI ShowWindow(HWND hWnd, int) {
    Window *w = win(hWnd);
    if (!w || !w->widget) return FALSE;
    const BOOL was = w->widget->isVisible();
    w->widget->show();
    return was;
}

/* UpdateWindow (user32) */
BOOL WINAPI UpdateWindow(HWND hWnd) {
    Window *w = win(hWnd);
    if (!w) return FALSE;
    if (w->invalid) SendMessageA(hWnd, WM_PAINT, 0, 0);
    return TRUE;
}

/* GetClientRect (user32) */
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT r) {
    Window *w = win(hWnd);
    if (!w || !r || !w->canvas) return FALSE;
    *r = RECT{0, 0, std::max(w->client.width, 0), std::max(w->client.height, 0)};
    return TRUE;
}

/* GetDpiForWindow (user32) */
UINT WINAPI GetDpiForWindow(HWND hWnd) {
    Window *w = win(hWnd);
    if (!w) return 0;
    return UINT(std::lround(96 * (w->canvas ? w->client.ratio : 1)));
}

/* GetWindowRect (user32) */
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT r) {
    Window *w = win(hWnd);
    if (!w || !r || !w->widget) return FALSE;
    QRect g = w->widget->geometry();
    *r = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return TRUE;
}

/* SetWindowPos (user32) */
BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT) {
    Window *w = win(hWnd);
    if (!w || !w->canvas) return FALSE;
    w->widget->move(x, y);
    w->widget->resize(std::max(cx, 0), std::max(cy, 0));
    // A hidden frame gets its resize event only when shown: the client size follows now.
    layoutFrame(w);
    return TRUE;
}

/* AdjustWindowRectEx (user32) */
BOOL WINAPI AdjustWindowRectEx(LPRECT r, DWORD, BOOL bMenu, DWORD) {
    host::ensureApplication();
    if (!r) return FALSE;
    // The title bar and borders are the window manager's: only the menu bar is the layer's.
    if (bMenu) r->top -= menuBarHeight();
    return TRUE;
}

/* GetSystemMetrics (user32) */
int WINAPI GetSystemMetrics(int i) {
    host::ensureApplication();
    if (i != SM_CXVSCROLL) return 0;
    QScrollBar probe(Qt::Vertical);
    return probe.sizeHint().width();
}

/* SystemParametersInfoA (user32) */
BOOL WINAPI SystemParametersInfoA(UINT action, UINT, LPVOID param, UINT) {
    host::ensureApplication();
    if (action != SPI_GETWORKAREA || !param) return FALSE;
    QRect a = availableArea();
    if (a.isEmpty()) return FALSE;
    // Less the room a window manager takes for the title bar and borders around a frame.
    a.adjust(0, 0, -kDecoration.width(), -kDecoration.height());
    *static_cast<RECT *>(param) = RECT{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    return TRUE;
}

/* DefWindowProcA (user32) */
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT m, WPARAM, LPARAM) {
    switch (m) {
    case WM_CLOSE: DestroyWindow(hWnd); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        return 0;
    }
    default: return 0;
    }
}
