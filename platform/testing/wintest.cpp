// The test drivers of windows, the message loop, pixels, the clipboard, menus and keys, and the
// recording sink, plugged into the layer's hooks (the drivers of dialogs are in drivers.cpp).
#include "testing/wintest.h"

#include <gtest/gtest.h>

#include "translations.h"
#include "gdi32.h"
#include "user32.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <cstdlib>
#include <memory>

using namespace user32;
using host::fail;
using host::hooks;
using host::toAnsi;

namespace wintest {

namespace {
// What accessibility sees of an object in tests. No assistive technology is ever attached to an
// offscreen test, yet Qt 6.4 builds the full accessible interface of every widget that is shown
// or changed, which costs more than the rest of opening a dialog; this one costs nothing.
class SilentInterface : public QAccessibleObject {
public:
    explicit SilentInterface(QObject *o) : QAccessibleObject(o) {}
    QAccessibleInterface *parent() const override { return nullptr; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text) const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::NoRole; }
    QAccessible::State state() const override { return {}; }
};
QAccessibleInterface *silentInterface(const QString &, QObject *o) { return new SilentInterface(o); }

QApplication *app = nullptr;
bool quitSeen = false;
int quitSeenCode = 0;
}  // namespace

void Init(int &argc, char **argv) {
    if (app) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    app = new QApplication(argc, argv);
    setlocale(LC_NUMERIC, "C");  // as the program's own entry does
    app->setQuitOnLastWindowClosed(false);
    hooks().testMode = true;
    QAccessible::installFactory(silentInterface);
}

std::string CommandLineFor(const std::vector<std::string> &args) {
    std::vector<char *> argv{const_cast<char *>("orbix")};
    for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
    return host::windowsCommandLine(int(argv.size()), argv.data());
}

HINSTANCE Instance() { return host::moduleInstance(); }

HWND TestWindow(const char *className, WNDPROC proc, DWORD style, bool white) {
    WNDCLASSA wc{};
    if (!classInfo(className)) {
        wc.lpfnWndProc = proc;
        wc.hInstance = Instance();
        wc.hbrBackground = white ? (HBRUSH)GetStockObject(WHITE_BRUSH) : nullptr;
        wc.lpszClassName = className;
        if (!RegisterClassA(&wc)) return nullptr;
    }
    return CreateWindowExA(0, className, "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           Instance(), nullptr);
}

void Pump(HWND *modeless) {
    Pump([modeless](MSG *msg) {
        if (modeless && *modeless && IsDialogMessageA(*modeless, msg)) return;
        TranslateMessage(msg);
        DispatchMessageA(msg);
    });
}

void Pump(const std::function<void(MSG *)> &dispatch) {
    for (int guard = 0; guard < 100000; ++guard) {
        MSG msg;
        processHostEvents(false);
        if (!takeMessage(&msg)) return;
        if (msg.message == WM_QUIT) {
            quitSeen = true;
            quitSeenCode = int(msg.wParam);
            continue;
        }
        dispatch(&msg);
    }
    fail("Pump: the queue never emptied (a paint that keeps invalidating itself?)");
}

bool TakeQuit(int *code) {
    bool seen = quitSeen;
    if (code) *code = quitSeenCode;
    quitSeen = false;
    return seen;
}

void FireTimer(HWND hwnd, UINT_PTR id) { SendMessageA(hwnd, WM_TIMER, id, 0); }

bool EndSession() { return user32::sessionMayEnd(); }

bool TimerActive(HWND hwnd, UINT_PTR id, UINT *elapse) { return timerActive(hwnd, id, elapse); }

void SetScreenArea(int left, int top, int width, int height) { hooks().screenArea = RECT{left, top, left + width, top + height}; }

void SetClientSize(HWND hwnd, int w, int h) {
    Window *win_ = win(hwnd);
    if (!win_ || !win_->widget) return;
    const QSize extra = frameExtra(win_);
    // The frame follows as far as a screen could hold it; a hidden, tiny or huge frame may not
    // get its resize event at once, so the client size is set here.
    if (w <= 8192 && h <= 8192) win_->widget->resize(QSize(w, h) + extra);
    clientResized(win_, w, h);
}

COLORREF ClientPixel(HWND hwnd, int x, int y) {
    Window *w = win(hwnd);
    if (!w || x < 0 || y < 0 || x >= w->client.width || y >= w->client.height) return CLR_INVALID;
    return ClientDevicePixel(hwnd, gdi32::deviceSample(x, w->client.ratio), gdi32::deviceSample(y, w->client.ratio));
}

uint64_t ClientDigest(HWND hwnd) {
    Window *w = win(hwnd);
    if (!w) return 0;
    gdi32::releasePainters(&w->client.image);
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](int b) { h = (h ^ uint64_t(b & 0xFF)) * 1099511628211ull; };
    for (int y = 0; y < w->client.height; ++y)
        for (int x = 0; x < w->client.width; ++x) {
            COLORREF c = ClientPixel(hwnd, x, y);
            if (c == CLR_INVALID) continue;  // beyond what the image holds
            mix(GetRValue(c));
            mix(GetGValue(c));
            mix(GetBValue(c));
        }
    return h;
}

double ClientDeviceRatio(HWND hwnd) {
    Window *w = win(hwnd);
    return w ? w->client.ratio : 0;
}

std::pair<int, int> ClientDeviceSize(HWND hwnd) {
    Window *w = win(hwnd);
    if (!w) return {0, 0};
    return {std::min(gdi32::deviceEdge(w->client.width, w->client.ratio), w->client.image.width()),
            std::min(gdi32::deviceEdge(w->client.height, w->client.ratio), w->client.image.height())};
}

COLORREF ClientDevicePixel(HWND hwnd, int x, int y) {
    Window *w = win(hwnd);
    const auto [cx, cy] = ClientDeviceSize(hwnd);
    if (!w || x < 0 || y < 0 || x >= cx || y >= cy) return CLR_INVALID;
    gdi32::releasePainters(&w->client.image);
    QRgb p = w->client.image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

int ScreenCount() { return int(QGuiApplication::screens().size()); }

double ScreenRatio(int screen) {
    QList<QScreen *> screens = QGuiApplication::screens();
    return screen >= 0 && screen < screens.size() ? screens[screen]->devicePixelRatio() : 0;
}

bool MoveToScreen(HWND hwnd, int screen) {
    Window *w = win(hwnd);
    QList<QScreen *> screens = QGuiApplication::screens();
    if (!w || !w->widget || screen < 0 || screen >= screens.size()) return false;
    QWidget *frame = w->widget;
    frame->winId();  // the native window, whose screen is what changes
    // As a window system reports a window dragged across: its place, then its new screen.
    frame->move(screens[screen]->geometry().topLeft());
    frame->windowHandle()->setScreen(screens[screen]);
    processHostEvents(false);
    return frame->windowHandle()->screen() == screens[screen];
}

bool IsLive(HWND hwnd) { return win(hwnd) != nullptr; }

std::string WindowText(HWND hwnd) {
    Window *w = win(hwnd);
    return w && w->widget ? toAnsi(w->widget->windowTitle()) : std::string();
}

std::pair<int, int> WindowIconSize(HWND hwnd) {
    Window *w = win(hwnd);
    const QSize s = w && w->widget && !w->widget->windowIcon().isNull() ? w->widget->windowIcon().availableSizes().value(0) : QSize();
    return {s.width(), s.height()};
}

bool ClassOf(const char *className, WNDCLASSA *out) {
    const ClassInfo *c = classInfo(className);
    if (c && out) *out = c->wc;
    return c != nullptr;
}

GdiObjectInfo Describe(HGDIOBJ object) {
    using gdi32::ObjType;
    GdiObjectInfo i;
    gdi32::GdiObject *o = gdi32::gdi(object);
    if (!o) return i;
    switch (o->type) {
    case ObjType::Pen: i.kind = GdiObjectInfo::Pen, i.color = o->color, i.width = o->penWidth; break;
    case ObjType::Brush: i.kind = GdiObjectInfo::Brush, i.color = o->color; break;
    case ObjType::Font: i.kind = GdiObjectInfo::Font, i.face = o->face, i.height = o->fontHeight, i.weight = o->fontWeight; break;
    case ObjType::Bitmap: i.kind = GdiObjectInfo::Bitmap, i.width = o->bitmap.width(), i.height = o->bitmap.height(); break;
    }
    return i;
}

namespace {
QImage clipboardPicture() {
    const QMimeData *d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasImage() ? qvariant_cast<QImage>(d->imageData()) : QImage();
}
}  // namespace

HGLOBAL Block(std::string_view bytes) {
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    memcpy(GlobalLock(g), bytes.data(), bytes.size());
    GlobalUnlock(g);
    return g;
}

void CopyText(std::string_view cp1252) {
    std::string bytes(cp1252);
    bytes += '\0';
    EXPECT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_TEXT, Block(bytes));
    CloseClipboard();
}

std::string ClipboardText() {
    const QMimeData *d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasText() ? toAnsi(d->text()) : std::string();
}

bool ClipboardImage(int *width, int *height) {
    const QImage img = clipboardPicture();
    if (width) *width = img.width();
    if (height) *height = img.height();
    return !img.isNull();
}

COLORREF ClipboardPixel(int x, int y) {
    const QImage img = clipboardPicture();
    if (!img.valid(x, y)) return CLR_INVALID;
    const QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

bool UseQtLanguage(const std::string &locale) {
    if (locale.empty()) {
        host::removeQtTranslations();
        return true;
    }
    return host::installQtTranslations(QLocale(QString::fromStdString(locale)));
}

std::string ClipboardUtf8() {
    const QMimeData *d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasText() ? d->text().toStdString() : std::string();
}

std::vector<std::string> MenuBarTexts(HWND hwnd) {
    std::vector<std::string> out;
    Window *w = win(hwnd);
    if (!w || !w->menuBar) return out;
    for (QAction *a : w->menuBar->actions()) out.push_back(toAnsi(a->text()));
    return out;
}

namespace {
QAction *menuAction(HWND hwnd, int id) {
    Window *w = win(hwnd);
    if (!w || !w->menuBar) return nullptr;
    for (QAction *a : w->menuBar->findChildren<QAction *>())
        if (!a->menu() && !a->isSeparator() && a->data().toInt() == id) return a;
    return nullptr;
}
}  // namespace

void ChooseMenuItem(HWND hwnd, int id) {
    if (QAction *a = menuAction(hwnd, id))
        a->trigger();
    else
        fail("no menu item " + std::to_string(id));
}

bool MenuItemEnabled(HWND hwnd, int id) {
    QAction *a = menuAction(hwnd, id);
    return a && a->isEnabled();
}

int ScrollPos(HWND hwnd) {
    Window *w = win(hwnd);
    return w && w->vscroll ? w->vscroll->value() : 0;
}

void Scroll(HWND hwnd, int code, int pos) {
    Window *w = win(hwnd);
    if (!w || !w->vscroll) {
        fail("Scroll: the window has no scroll bar");
        return;
    }
    QScrollBar *sb = w->vscroll;
    switch (code) {
    case SB_LINEUP: sb->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case SB_LINEDOWN: sb->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case SB_PAGEUP: sb->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case SB_PAGEDOWN: sb->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case SB_THUMBTRACK:
        sb->setSliderDown(true);
        sb->setSliderPosition(pos);
        sb->setSliderDown(false);
        break;
    default: fail("Scroll: no such action " + std::to_string(code));
    }
}

void CloseBox(HWND hwnd) {
    Window *w = win(hwnd);
    if (w && w->widget) w->widget->close();
}

void Click(HWND hwnd, int x, int y) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) return;
    // Through the client canvas, as a person's click comes; a right click around it is not one.
    const QPointF at(x, y);
    for (auto [type, button] : {std::pair{QEvent::MouseButtonPress, Qt::RightButton},
                                {QEvent::MouseButtonPress, Qt::LeftButton},
                                {QEvent::MouseButtonRelease, Qt::LeftButton},
                                {QEvent::MouseButtonRelease, Qt::RightButton}}) {
        QMouseEvent e(type, at, w->canvas->mapToGlobal(at), button, type == QEvent::MouseButtonPress ? button : Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(w->canvas, &e);
    }
}

void TurnWheel(HWND hwnd, int notches) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) return;
    const QPointF at(10, 10);
    QWheelEvent e(at, w->canvas->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(w->canvas, &e);
}

namespace {

// The key a US keyboard has for a virtual-key code, as Qt reports it: the symbol it makes (Qt
// names the key by it) with and without Shift, or for the keys that make no symbol the Qt key.
struct UsKey {
    int key;
    QString text;
    bool keypad;
};
UsKey usKey(int vk, bool shift, bool control) {
    static const char digitsShifted[] = ")!@#$%^&*(";
    auto symbol = [](char c, bool keypad) { return UsKey{c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c, QString(QChar(c)), keypad}; };
    if (vk >= 'A' && vk <= 'Z') {
        const char c = char(shift ? vk : vk - 'A' + 'a');
        return {vk, QString(QChar(control ? vk & 0x1f : c)), false};
    }
    if (vk >= '0' && vk <= '9') return symbol(shift ? digitsShifted[vk - '0'] : char(vk), false);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return symbol(char('0' + vk - VK_NUMPAD0), true);
    static const struct {
        int vk;
        char plain, shifted;
        bool keypad;
    } symbols[] = {{VK_OEM_PLUS, '=', '+', false},   {VK_OEM_COMMA, ',', '<', false}, {VK_OEM_MINUS, '-', '_', false},
                   {VK_OEM_PERIOD, '.', '>', false}, {VK_OEM_2, '/', '?', false},     {VK_MULTIPLY, '*', '*', true},
                   {VK_ADD, '+', '+', true},         {VK_SUBTRACT, '-', '-', true},   {VK_DIVIDE, '/', '/', true},
                   {VK_DECIMAL, '.', '.', true}};
    for (auto &k : symbols)
        if (k.vk == vk) return symbol(shift ? k.shifted : k.plain, k.keypad);
    static const struct {
        int vk, key;
        const char *text;
    } others[] = {{VK_LEFT, Qt::Key_Left, ""},
                  {VK_UP, Qt::Key_Up, ""},
                  {VK_RIGHT, Qt::Key_Right, ""},
                  {VK_DOWN, Qt::Key_Down, ""},
                  {VK_F1, Qt::Key_F1, ""},
                  {VK_SHIFT, Qt::Key_Shift, ""},
                  {VK_CONTROL, Qt::Key_Control, ""},
                  {VK_MENU, Qt::Key_Alt, ""},
                  {VK_PRIOR, Qt::Key_PageUp, ""},
                  {VK_NEXT, Qt::Key_PageDown, ""},
                  {VK_HOME, Qt::Key_Home, ""},
                  {VK_END, Qt::Key_End, ""},
                  {VK_RETURN, Qt::Key_Return, "\r"},
                  {VK_ESCAPE, Qt::Key_Escape, "\x1b"},
                  {VK_DELETE, Qt::Key_Delete, "\x7f"}};
    for (auto &k : others)
        if (k.vk == vk) return {k.key, QString::fromLatin1(k.text), false};
    return {0, QString(), false};
}

}  // namespace

void PressKey(HWND hwnd, int vk, unsigned modifiers) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) {
        fail("PressKey: not a frame window");
        return;
    }
    const UsKey k = usKey(vk, modifiers & Shift, modifiers & Ctrl);
    // The key is found by the layer's own reading of keys, so that reading is what is tested.
    if (!k.key || virtualKey(k.key, k.keypad) != vk) {
        fail("PressKey: no key gives virtual key " + std::to_string(vk));
        return;
    }
    Qt::KeyboardModifiers m;
    if (modifiers & Ctrl) m |= Qt::ControlModifier;
    if (modifiers & Shift) m |= Qt::ShiftModifier;
    if (modifiers & Alt) m |= Qt::AltModifier;
    if (k.keypad) m |= Qt::KeypadModifier;
    QKeyEvent press(QEvent::KeyPress, k.key, m, k.text);
    QCoreApplication::sendEvent(w->canvas, &press);
    QKeyEvent release(QEvent::KeyRelease, k.key, m, k.text);
    QCoreApplication::sendEvent(w->canvas, &release);
}

// ---------------------------------------------------------------- recorder
// A DC keeps its sink for life, and may outlive the recorder it was made under: the sink then
// stays, hearing nothing, kept in a list that lives to the end (a few bytes for each recorder a
// test makes).
struct GdiRecorder::Sink : host::GdiSink {
    explicit Sink(std::vector<GdiCall> *calls) : calls(calls) {}
    GdiCall &add(GdiCall::Op op, HDC h, int x = 0, int y = 0) {
        static GdiCall unheard;
        if (!calls) return unheard = GdiCall{};
        GdiCall c;
        c.op = op, c.hdc = h, c.x = x, c.y = y;
        calls->push_back(c);
        return calls->back();
    }
    void moveTo(HDC h, int x, int y) override { add(GdiCall::MoveTo, h, x, y); }
    void lineTo(HDC h, int x, int y) override { add(GdiCall::LineTo, h, x, y); }
    void rectangle(HDC h, int l, int t, int r, int b) override {
        GdiCall &c = add(GdiCall::Rectangle, h, l, t);
        c.x2 = r, c.y2 = b;
    }
    void textOut(HDC h, int x, int y, const char *text, int n) override { add(GdiCall::TextOut, h, x, y).text.assign(text, size_t(n)); }
    void bitBlt(HDC h, int x, int y, int w, int ht) override {
        GdiCall &c = add(GdiCall::BitBlt, h, x, y);
        c.x2 = w, c.y2 = ht;
    }
    void selectPen(HDC h, COLORREF color, int width, bool stock) override {
        GdiCall &c = add(GdiCall::SelectPen, h);
        c.color = color, c.width = width, c.stock = stock;
    }
    void selectFont(HDC h, const std::string &face, int height) override {
        GdiCall &c = add(GdiCall::SelectFont, h);
        c.text = face, c.width = height;
    }
    void selectBitmap(HDC h, int w, int ht) override {
        GdiCall &c = add(GdiCall::SelectBitmap, h);
        c.x2 = w, c.y2 = ht;
    }
    std::vector<GdiCall> *calls;
};
GdiRecorder::GdiRecorder() : sink_(new Sink(&calls_)) { hooks().gdi = sink_; }
GdiRecorder::~GdiRecorder() {
    if (hooks().gdi == sink_) hooks().gdi = nullptr;
    sink_->calls = nullptr;
    static std::vector<std::unique_ptr<Sink>> retired;
    retired.emplace_back(sink_);
}

}  // namespace wintest
