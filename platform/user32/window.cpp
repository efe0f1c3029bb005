// USER32 windows: classes, the frame window (menu bar, client canvas, vertical scroll bar).
#include "qt/host.h"
#include "rc/rc.h"
#include "rc/resources.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cstring>
#include <map>

using namespace host;

namespace {

std::string lower(std::string s) {
    for (char &c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::map<std::string, ClassInfo *> &classes() {
    static auto *m = new std::map<std::string, ClassInfo *>;  // classes stay registered to the end
    return *m;
}

// The client area: shows the retained image; mouse presses become messages in the queue.
class Canvas : public QWidget {
public:
    explicit Canvas(Window *w, QWidget *parent) : QWidget(parent), w_(w) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(false);
        // The keys of a window go to its client area, where the program's loop sees them.
        setFocusPolicy(Qt::StrongFocus);
    }
protected:
    void paintEvent(QPaintEvent *) override {
        // A change of ratio that came without a screen change still reaches the paint.
        if (deviceRatio(w_) != w_->ratio) deviceRatioChanged(w_);
        releasePainters(&w_->image);
        QPainter p(this);
        if (w_->ratio == 1 && devicePixelRatioF() == 1) {
            p.drawImage(0, 0, w_->image);
        } else {
            // The image is at device resolution: drawn into its logical extent, it lands pixel
            // for pixel on the screen.
            const QImage &img = w_->image;
            p.drawImage(QRectF(0, 0, img.width() / w_->ratio, img.height() / w_->ratio), img);
        }
    }
    bool event(QEvent *e) override {
        // Qt tells the widgets of a window that moved to another screen this way.
        if (e->type() == QEvent::ScreenChangeInternal) deviceRatioChanged(w_);
        return QWidget::event(e);
    }
    void mousePressEvent(QMouseEvent *e) override {
        if (e->button() == Qt::LeftButton) post(WM_LBUTTONDOWN, e);
    }
    void mouseReleaseEvent(QMouseEvent *e) override {
        if (e->button() == Qt::LeftButton) post(WM_LBUTTONUP, e);
    }
    void resizeEvent(QResizeEvent *) override { clientResized(w_, width(), height()); }
    void keyPressEvent(QKeyEvent *e) override { key(e, true); }
    void keyReleaseEvent(QKeyEvent *e) override { key(e, false); }
    // Tab and Backtab belong to the window, not to Qt's focus chain.
    bool focusNextPrevChild(bool) override { return false; }
private:
    void key(QKeyEvent *e, bool press) {
        unsigned keys = 0;
        if (e->modifiers() & Qt::ControlModifier) keys |= KeyControl;
        if (e->modifiers() & Qt::ShiftModifier) keys |= KeyShift;
        if (e->modifiers() & Qt::AltModifier) keys |= KeyAlt;
        postKey(hwndOf(w_), e->key(), keys, press, e->isAutoRepeat());
    }
    void post(UINT m, QMouseEvent *e) {
        QPoint p = e->position().toPoint();
        postMessage(hwndOf(w_), m, m == WM_LBUTTONDOWN ? 1 : 0, MAKELPARAM(p.x(), p.y()));
    }
    Window *w_;
};

// The frame: lays out its children by hand so that the client size is known at once.
class Frame : public QWidget {
public:
    explicit Frame(Window *w) : w_(w) {}
    void layoutChildren() {
        int top = w_->menuBar ? w_->menuBar->sizeHint().height() : 0;
        int sb = w_->vscroll ? w_->vscroll->sizeHint().width() : 0;
        if (w_->menuBar) w_->menuBar->setGeometry(0, 0, width(), top);
        int cw = std::max(0, width() - sb), ch = std::max(0, height() - top);
        if (w_->vscroll) w_->vscroll->setGeometry(cw, top, sb, ch);
        w_->canvas->setGeometry(0, top, cw, ch);
        clientResized(w_, cw, ch);
    }
    QSize frameExtra() const {
        return QSize(w_->vscroll ? w_->vscroll->sizeHint().width() : 0,
                     w_->menuBar ? w_->menuBar->sizeHint().height() : 0);
    }
protected:
    void resizeEvent(QResizeEvent *) override { layoutChildren(); }
    void closeEvent(QCloseEvent *e) override {
        // The window procedure decides: DefWindowProc destroys the window on WM_CLOSE.
        e->ignore();
        if (win(hwndOf(w_))) postMessage(hwndOf(w_), WM_CLOSE, 0, 0);
    }
private:
    Window *w_;
};

void addMenuItems(Window *w, QMenu *menu, QMenuBar *bar, const std::vector<rc::MenuItem> &items) {
    for (const rc::MenuItem &it : items) {
        QString text = QString::fromUtf8(it.text.c_str());
        if (it.separator) {
            if (menu) menu->addSeparator();
            continue;
        }
        if (it.popup) {
            QMenu *sub = menu ? menu->addMenu(text) : bar->addMenu(text);
            addMenuItems(w, sub, nullptr, it.items);
            continue;
        }
        QAction *a = menu ? menu->addAction(text) : bar->addAction(text);
        a->setData(it.id);
        int id = it.id;
        HWND h = hwndOf(w);
        QObject::connect(a, &QAction::triggered, [h, id] {
            if (win(h)) postMessage(h, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        });
    }
}

void buildScrollBar(Window *w, QWidget *frame) {
    auto *sb = new QScrollBar(Qt::Vertical, frame);
    sb->setFocusPolicy(Qt::NoFocus);  // the arrow keys are the program's, not the bar's
    sb->setRange(w->scrollMin, w->scrollMax);
    sb->setPageStep(16);
    w->vscroll = sb;
    HWND h = hwndOf(w);
    // The bar reports what the user did; only SetScrollInfo moves the thumb, as on Windows.
    QObject::connect(sb, &QAbstractSlider::actionTriggered, [h, sb](int action) {
        Window *ww = win(h);
        if (!ww) return;
        int code = -1;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
        case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: break;
        }
        if (code < 0) return;
        int pos = code == SB_THUMBTRACK ? sb->sliderPosition() : 0;
        postMessage(h, WM_VSCROLL, MAKEWPARAM(code, pos), 0);
        if (code != SB_THUMBTRACK)
            QTimer::singleShot(0, sb, [h, sb] {
                if (Window *w2 = win(h)) {
                    QSignalBlocker b(sb);
                    sb->setValue(w2->scrollPos);
                }
            });
    });
    QObject::connect(sb, &QAbstractSlider::sliderReleased, [h, sb] {
        if (!win(h)) return;
        postMessage(h, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, sb->sliderPosition()), 0);
        postMessage(h, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
        QTimer::singleShot(0, sb, [h, sb] {
            if (Window *w2 = win(h)) {
                QSignalBlocker b(sb);
                sb->setValue(w2->scrollPos);
            }
        });
    });
}

// Room for the title bar and borders a window manager adds around a frame.
const QSize kDecoration(16, 48);

// The screen's area free for windows (tests give their own: they run on no real screen); empty
// when there is no screen.
QRect availableArea() {
    if (hooks().testMode) return hooks().screenArea;
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

QSize defaultClientSize(const QSize &extra) {
    QSize want(1024, 768);
    const QRect area = availableArea();
    if (area.isEmpty()) return want;
    QSize avail = area.size() - kDecoration - extra;
    if (avail.width() >= want.width() && avail.height() >= want.height()) return want;
    return want.scaled(avail.expandedTo(QSize(64, 48)), Qt::KeepAspectRatio);
}

}  // namespace

/* RegisterClassA (user32) */
ATOM WINAPI RegisterClassA(const WNDCLASSA *wc) {
    ensureApplication();
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc) return 0;
    std::string key = lower(wc->lpszClassName);
    if (classes().count(key)) return 0;  // already registered, as Windows refuses it
    auto *ci = new ClassInfo{*wc, wc->lpszClassName, wc->lpszMenuName && !IS_INTRESOURCE(wc->lpszMenuName) ? wc->lpszMenuName : ""};
    classes()[key] = ci;
    static ATOM next = 0xC000;
    return next++;
}

/* GetClassInfoA (user32) */
BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA out) {
    if (!name || IS_INTRESOURCE(name) || !out) return FALSE;
    auto it = classes().find(lower(name));
    if (it == classes().end()) return FALSE;
    *out = it->second->wc;
    out->lpszClassName = it->second->name.c_str();
    out->lpszMenuName = it->second->menuName.empty() ? nullptr : it->second->menuName.c_str();
    return TRUE;
}

/* CreateWindowExA (user32) */
HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int, int,
                            int nWidth, int nHeight, HWND hWndParent, HMENU, HINSTANCE, LPVOID lpParam) {
    ensureApplication();
    if (!lpClassName || IS_INTRESOURCE(lpClassName)) return nullptr;
    auto it = classes().find(lower(lpClassName));
    if (it == classes().end()) return nullptr;
    ClassInfo *ci = it->second;

    auto *w = new Window;
    w->cls = ci;
    w->proc = ci->wc.lpfnWndProc;
    w->style = dwStyle;
    w->owner = win(hWndParent);
    registerWindow(w);

    auto *frame = new Frame(w);
    w->widget = frame;
    // Tests read the client image, never the screen: their frames are not painted.
    if (hooks().testMode) frame->setUpdatesEnabled(false);
    frame->setWindowTitle(fromAnsi(lpWindowName ? lpWindowName : ""));
    if (ci->wc.hIcon) {
        if (GdiObject *o = gdi(reinterpret_cast<HGDIOBJ>(ci->wc.hIcon)); o && o->type == ObjType::Bitmap)
            frame->setWindowIcon(QIcon(QPixmap::fromImage(o->bitmap)));
    }
    if (!ci->menuName.empty()) {
        if (const rc::Menu *m = rc::ModuleScript().menu(ci->menuName)) {
            w->menuBar = new QMenuBar(frame);
            w->menuBar->setNativeMenuBar(false);
            addMenuItems(w, nullptr, w->menuBar, m->items);
        }
    }
    if (dwStyle & WS_VSCROLL) buildScrollBar(w, frame);
    w->canvas = new Canvas(w, frame);
    w->ratio = deviceRatio(w);
    frame->setFocusProxy(w->canvas);
    if (ci->wc.hCursor == LoadCursorA(nullptr, IDC_CROSS)) w->canvas->setCursor(Qt::CrossCursor);

    QSize extra = static_cast<Frame *>(frame)->frameExtra();
    QSize client = (nWidth == CW_USEDEFAULT || nHeight == CW_USEDEFAULT)
                       ? defaultClientSize(extra)
                       : QSize(nWidth, nHeight) - extra;

    struct { LPVOID lpCreateParams; } cs{lpParam};
    if (SendMessageA(hwndOf(w), WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        destroyWindow(w);
        return nullptr;
    }
    if (!win(hwndOf(w))) return nullptr;
    // The frame gets its size without being shown; the client size (WM_SIZE) follows at once.
    frame->resize(client + extra);
    static_cast<Frame *>(frame)->layoutChildren();
    return hwndOf(w);
}

void host::destroyWindow(Window *w) {
    if (!w || w->destroyed) return;
    // Owned windows go first, as on Windows.
    for (Window *o : liveWindows())
        if (o->owner == w && !o->ctrlId && o != w) destroyWindow(o);
    HWND h = hwndOf(w);
    if (w->isDialog) {
        if (w->dlgProc) w->dlgProc(h, WM_DESTROY, 0, 0);
    } else if (w->proc) {
        w->proc(h, WM_DESTROY, 0, 0);
    }
    killTimers(h);
    w->destroyed = true;
    releasePainters(&w->image);
    w->image = QImage();  // the handle stays valid to compare; the pixels go now
    for (Window *c : w->controls) c->destroyed = true;
    if (w->widget) {
        w->widget->hide();
        w->widget->deleteLater();
    }
    wake();
}

/* DestroyWindow (user32) */
BOOL WINAPI DestroyWindow(HWND hWnd) {
    Window *w = win(hWnd);
    if (!w || w->ctrlId) return FALSE;
    destroyWindow(w);
    return TRUE;
}

/* ShowWindow (user32) */
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window *w = win(hWnd);
    if (!w || !w->widget) return FALSE;
    BOOL was = w->widget->isVisible();
    if (nCmdShow == SW_HIDE)
        w->widget->hide();
    else
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

namespace {
// The scroll bar and menu bar sizes the frame lays out, without a window to ask.
int scrollBarWidth() {
    QScrollBar probe(Qt::Vertical);
    return probe.sizeHint().width();
}
int menuBarHeight() {
    QMenuBar probe;
    probe.setNativeMenuBar(false);
    probe.addMenu("&X");
    return probe.sizeHint().height();
}
}  // namespace

/* GetWindowRect (user32) */
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT r) {
    Window *w = win(hWnd);
    if (!w || !r || !w->widget) return FALSE;
    QRect g = w->widget->geometry();
    *r = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return TRUE;
}

/* SetWindowPos (user32) */
BOOL WINAPI SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    Window *w = win(hWnd);
    if (!w || !w->widget || w->ctrlId) return FALSE;
    if (!(flags & SWP_NOMOVE)) w->widget->move(x, y);
    if (!(flags & SWP_NOSIZE)) {
        w->widget->resize(std::max(cx, 0), std::max(cy, 0));
        // A hidden frame gets its resize event only when shown: the client size follows now.
        if (auto *f = dynamic_cast<Frame *>(w->widget.data())) f->layoutChildren();
    }
    return TRUE;
}

/* AdjustWindowRectEx (user32) */
BOOL WINAPI AdjustWindowRectEx(LPRECT r, DWORD, BOOL bMenu, DWORD) {
    ensureApplication();
    if (!r) return FALSE;
    if (bMenu) r->top -= menuBarHeight();
    return TRUE;
}

/* GetSystemMetrics (user32) */
int WINAPI GetSystemMetrics(int i) {
    ensureApplication();
    QScreen *s = QGuiApplication::primaryScreen();
    switch (i) {
    case SM_CXSCREEN: return s ? s->geometry().width() : 0;
    case SM_CYSCREEN: return s ? s->geometry().height() : 0;
    case SM_CXVSCROLL: return scrollBarWidth();
    default: return 0;
    }
}

/* SystemParametersInfoA (user32) */
BOOL WINAPI SystemParametersInfoA(UINT action, UINT, LPVOID param, UINT) {
    ensureApplication();
    if (action != SPI_GETWORKAREA || !param) return FALSE;
    QRect a = availableArea();
    if (a.isEmpty()) return FALSE;
    // Less the room a window manager takes for the title bar and borders around a frame.
    a.adjust(0, 0, -kDecoration.width(), -kDecoration.height());
    *static_cast<RECT *>(param) = RECT{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
    return TRUE;
}

/* IsWindow (user32) */
BOOL WINAPI IsWindow(HWND hWnd) { return win(hWnd) != nullptr; }

/* GetClientRect (user32) */
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT r) {
    Window *w = win(hWnd);
    if (!w || !r) return FALSE;
    r->left = r->top = 0;
    if (w->canvas) {
        r->right = std::max(w->clientW, 0);
        r->bottom = std::max(w->clientH, 0);
    } else if (w->widget) {
        r->right = w->widget->width();
        r->bottom = w->widget->height();
    }
    return TRUE;
}

/* GetWindowTextA (user32) */
int WINAPI GetWindowTextA(HWND hWnd, LPSTR s, int n) {
    Window *w = win(hWnd);
    if (!w || !s || n <= 0) return 0;
    std::string t = toAnsi(w->widget ? w->widget->windowTitle() : QString());
    size_t k = std::min(t.size(), size_t(n - 1));
    memcpy(s, t.data(), k);
    s[k] = 0;
    return int(k);
}

/* SetWindowTextA (user32) */
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR s) {
    Window *w = win(hWnd);
    if (!w || !w->widget) return FALSE;
    w->widget->setWindowTitle(fromAnsi(s ? s : ""));
    return TRUE;
}

/* GetModuleHandleA (kernel32) */
HMODULE WINAPI GetModuleHandleA(LPCSTR) {
    static int module;
    return reinterpret_cast<HMODULE>(&module);
}
