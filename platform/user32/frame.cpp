// USER32 frame windows: the menu bar, the client canvas and the vertical scroll bar, as widgets,
// and what happens to the client image when the canvas changes size or screen.
#include "user32.h"
#include "rc.h"
#include "resources.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QSessionManager>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>

namespace user32 {

namespace {

// The client area: shows the retained image; mouse presses and keys become messages in the queue.
class Canvas : public QWidget {
public:
    Canvas(Window *w, QWidget *parent) : QWidget(parent), w_(w) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        // The keys of a window go to its client area, where the program's loop sees them.
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        // A change of ratio that came without a screen change still reaches the paint.
        if (deviceRatio(w_) != w_->client.ratio) deviceRatioChanged(w_);
        const QImage &img = w_->client.image;
        gdi32::releasePainters(&img);
        QPainter p(this);
        if (w_->client.ratio == 1 && devicePixelRatioF() == 1)
            p.drawImage(0, 0, img);
        else  // at device resolution: drawn into its logical extent, it lands pixel for pixel
            p.drawImage(QRectF(0, 0, img.width() / w_->client.ratio, img.height() / w_->client.ratio), img);
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
    // WM_MOUSEWHEEL: the turn in units of WHEEL_DELTA per notch (up positive) in the high word,
    // the position on the screen, as Windows gives them.
    void wheelEvent(QWheelEvent *e) override {
        const int delta = e->angleDelta().y();
        if (!delta) return;
        const QPoint p = e->globalPosition().toPoint();
        postMessage(hwndOf(w_), WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(delta))), MAKELPARAM(p.x(), p.y()));
    }
    void resizeEvent(QResizeEvent *) override { clientResized(w_, width(), height()); }
    void keyPressEvent(QKeyEvent *e) override { key(e, true); }
    void keyReleaseEvent(QKeyEvent *e) override { key(e, false); }
    // Tab and Backtab belong to the window, not to Qt's focus chain.
    bool focusNextPrevChild(bool) override { return false; }

private:
    void key(QKeyEvent *e, bool press) { postKey(hwndOf(w_), *e, press); }
    void post(UINT m, QMouseEvent *e) {
        QPoint p = e->position().toPoint();
        postMessage(hwndOf(w_), m, m == WM_LBUTTONDOWN ? 1 : 0, MAKELPARAM(p.x(), p.y()));
    }
    Window *w_;
};

class Frame : public QWidget {
public:
    explicit Frame(Window *w) : w_(w) {}

protected:
    void resizeEvent(QResizeEvent *) override { layoutFrame(w_); }
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
            addMenuItems(w, menu ? menu->addMenu(text) : bar->addMenu(text), nullptr, it.items);
            continue;
        }
        QAction *a = menu ? menu->addAction(text) : bar->addAction(text);
        a->setData(it.id);
        const int id = it.id;
        const HWND h = hwndOf(w);
        QObject::connect(a, &QAction::triggered, [h, id] {
            if (win(h)) postMessage(h, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        });
    }
}

// As on Windows the thumb stays only where SetScrollInfo puts it, once the user lets it go.
void keepThumb(HWND h, QScrollBar *sb) {
    QTimer::singleShot(0, sb, [h, sb] {
        if (Window *w = win(h)) {
            QSignalBlocker b(sb);
            sb->setValue(w->scrollPos);
        }
    });
}

void buildScrollBar(Window *w, QWidget *frame) {
    auto *sb = new QScrollBar(Qt::Vertical, frame);
    sb->setFocusPolicy(Qt::NoFocus);  // the arrow keys are the program's, not the bar's
    sb->setRange(0, 100);
    sb->setPageStep(16);
    w->vscroll = sb;
    const HWND h = hwndOf(w);
    // The bar reports what the user did, as the scroll codes the program reads.
    QObject::connect(sb, &QAbstractSlider::actionTriggered, [h, sb](int action) {
        if (!win(h)) return;
        int code;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
        case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
        case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
        case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
        case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
        default: return;
        }
        postMessage(h, WM_VSCROLL, MAKEWPARAM(code, code == SB_THUMBTRACK ? sb->sliderPosition() : 0), 0);
        if (code != SB_THUMBTRACK) keepThumb(h, sb);
    });
    QObject::connect(sb, &QAbstractSlider::sliderReleased, [h, sb] { keepThumb(h, sb); });
}

}  // namespace

bool sessionMayEnd() {
    for (Window *w : liveWindows())
        if (w->cls && !w->destroyed && !SendMessageA(hwndOf(w), WM_QUERYENDSESSION, 0, 0)) return false;
    return true;
}

QWidget *buildFrame(Window *w) {
    // Once: the desktop asking whether the session may end is the windows' question to answer.
    static const bool asked = QObject::connect(qApp, &QGuiApplication::commitDataRequest, [](QSessionManager &m) {
        if (m.allowsInteraction() && !sessionMayEnd()) m.cancel();
    });
    (void)asked;
    auto *frame = new Frame(w);
    w->widget = frame;
    const ClassInfo *ci = w->cls;
    if (gdi32::GdiObject *o = gdi32::gdi(reinterpret_cast<HGDIOBJ>(ci->wc.hIcon)); o && o->type == gdi32::ObjType::Bitmap)
        frame->setWindowIcon(QIcon(QPixmap::fromImage(o->bitmap)));
    if (const rc::Menu *m = ci->menuName.empty() ? nullptr : rc::ModuleScript().menu(ci->menuName)) {
        w->menuBar = new QMenuBar(frame);
        w->menuBar->setNativeMenuBar(false);
        addMenuItems(w, nullptr, w->menuBar, m->items);
    }
    if (w->style & WS_VSCROLL) buildScrollBar(w, frame);
    w->canvas = new Canvas(w, frame);
    w->client.ratio = deviceRatio(w);
    frame->setFocusProxy(w->canvas);
    return frame;
}

QSize frameExtra(const Window *w) {
    return QSize(w->vscroll ? w->vscroll->sizeHint().width() : 0, w->menuBar ? w->menuBar->sizeHint().height() : 0);
}

void layoutFrame(Window *w) {
    QWidget *frame = w->widget;
    const QSize extra = frameExtra(w);
    if (w->menuBar) w->menuBar->setGeometry(0, 0, frame->width(), extra.height());
    const int cw = std::max(0, frame->width() - extra.width()), ch = std::max(0, frame->height() - extra.height());
    if (w->vscroll) w->vscroll->setGeometry(cw, extra.height(), extra.width(), ch);
    w->canvas->setGeometry(0, extra.height(), cw, ch);
    clientResized(w, cw, ch);
}

void clientResized(Window *w, int cw, int ch) {
    cw = std::max(cw, 0);
    ch = std::max(ch, 0);
    if (cw == w->client.width && ch == w->client.height) return;
    const bool first = w->client.width < 0;
    w->client.width = cw;
    w->client.height = ch;
    gdi32::releasePainters(&w->client.image);
    // The image keeps what a screen could show; a client area larger than that still gets its
    // true size in WM_SIZE, and what falls beyond the image is clipped like off-screen pixels.
    QImage img = gdi32::newWindowImage(cw, ch, w->client.ratio);
    if (!w->client.image.isNull()) {
        QPainter p(&img);
        p.drawImage(0, 0, w->client.image);
    }
    w->client.image = img;
    SendMessageA(hwndOf(w), WM_SIZE, 0, MAKELPARAM(cw, ch));
    if (!win(hwndOf(w))) return;
    if (first || (w->cls->wc.style & (CS_HREDRAW | CS_VREDRAW))) InvalidateRect(hwndOf(w), nullptr, TRUE);
}

double deviceRatio(const Window *w) {
    // Below 1 the picture is drawn at its logical size and the screen shrinks it; far above any
    // screen's ratio nothing gains in sharpness but the memory grows with its square.
    double r = w && w->canvas ? w->canvas->devicePixelRatioF() : 1;
    return std::clamp(r, 1.0, 8.0);
}

void deviceRatioChanged(Window *w) {
    const double r = deviceRatio(w);
    if (!win(hwndOf(w)) || r == w->client.ratio) return;
    w->client.ratio = r;
    gdi32::releasePainters(&w->client.image);
    // The old picture, stretched, stands in until the program has painted at the new ratio; the
    // logical size is the same, so the program gets no WM_SIZE, only the paint.
    QImage img = gdi32::newWindowImage(std::max(w->client.width, 0), std::max(w->client.height, 0), r);
    if (!w->client.image.isNull()) {
        QPainter p(&img);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(img.rect(), w->client.image);
    }
    w->client.image = img;
    InvalidateRect(hwndOf(w), nullptr, TRUE);
    showImage(w);
}

}  // namespace user32

using namespace user32;

/* GetMenu (user32) */
// The menu of a window is known by the window's own handle.
HMENU WINAPI GetMenu(HWND hWnd) {
    Window *w = win(hWnd);
    return w && w->menuBar ? reinterpret_cast<HMENU>(hWnd) : nullptr;
}

/* EnableMenuItem (user32) */
BOOL WINAPI EnableMenuItem(HMENU menu, UINT id, UINT enable) {
    Window *w = win(reinterpret_cast<HWND>(menu));
    if (!w || !w->menuBar) return -1;
    for (QAction *a : w->menuBar->findChildren<QAction *>()) {
        if (a->menu() || a->isSeparator() || a->data().toInt() != int(id)) continue;
        const BOOL was = a->isEnabled() ? MF_ENABLED : MF_GRAYED;
        a->setEnabled(!(enable & MF_GRAYED));
        return was;
    }
    return -1;
}
