// The test drivers and the recording DC, plugged into the layer's hooks.
#include "testing/wintest.h"

#include "comdlg32.h"
#include "gdi32.h"
#include "translations.h"
#include "user32.h"

#include <memory>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>
#include <clocale>
#include <cstdlib>

using namespace user32;
using host::fail;
using host::hooks;
using host::toAnsi;
using host::fromAnsi;

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
DialogDrivers *activeDrivers = nullptr;

Window *control(HWND dlg, int id) {
    Window *c = childById(win(dlg), id);
    if (!c) fail("dialog has no control " + std::to_string(id));
    return c;
}

void sendKey(QWidget *w, int key, const QString &text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &release);
}
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
    return CreateWindowExA(0, className, "", style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           nullptr, nullptr, Instance(), nullptr);
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
    case ObjType::Font:
        i.kind = GdiObjectInfo::Font, i.face = o->face, i.height = o->fontHeight, i.weight = o->fontWeight;
        break;
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
    if (QAction *a = menuAction(hwnd, id)) a->trigger();
    else fail("no menu item " + std::to_string(id));
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
    postMessage(hwnd, WM_LBUTTONDOWN, 1, MAKELPARAM(x, y));
    postMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void TurnWheel(HWND hwnd, int notches) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) return;
    const QPointF at(10, 10);
    QWheelEvent e(at, w->canvas->mapToGlobal(at), QPoint(), QPoint(0, notches * 120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w->canvas, &e);
}

void PressKey(HWND hwnd, int vk, unsigned modifiers) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) {
        fail("PressKey: not a frame window");
        return;
    }
    int key = 0;
    // The letters by their own table, so that the layer's reading of keys is what is tested.
    for (int k : {vk >= 'A' && vk <= 'Z' ? int(Qt::Key_A + (vk - 'A')) : 0, int(Qt::Key_Left), int(Qt::Key_Up),
                  int(Qt::Key_Right), int(Qt::Key_Down), int(Qt::Key_F1), int(Qt::Key_Shift), int(Qt::Key_Control),
                  int(Qt::Key_Alt), int(Qt::Key_PageUp), int(Qt::Key_PageDown), int(Qt::Key_Home), int(Qt::Key_End)})
        if (!key && virtualKey(k) == vk) key = k;
    if (!key) {
        fail("PressKey: no key gives virtual key " + std::to_string(vk));
        return;
    }
    Qt::KeyboardModifiers m;
    if (modifiers & Ctrl) m |= Qt::ControlModifier;
    if (modifiers & Shift) m |= Qt::ShiftModifier;
    if (modifiers & Alt) m |= Qt::AltModifier;
    QKeyEvent press(QEvent::KeyPress, key, m);
    QCoreApplication::sendEvent(w->canvas, &press);
    QKeyEvent release(QEvent::KeyRelease, key, m);
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

// ---------------------------------------------------------------- message boxes
MessageBoxLog::MessageBoxLog(int answer) : answer_(answer) {
    hooks().messageBox = [this](HWND owner, const std::string &text, const std::string &caption, UINT type) {
        calls_.push_back(MessageBoxCall{owner, text, caption, type});
        return answer_;
    };
}
MessageBoxLog::~MessageBoxLog() { hooks().messageBox = nullptr; }
std::vector<std::string> MessageBoxLog::texts() const {
    std::vector<std::string> out;
    for (auto &c : calls_) out.push_back(c.text);
    return out;
}

// ---------------------------------------------------------------- dialogs
std::string Dialog::templateName() const {
    Window *w = win(hDlg_);
    return w ? w->templateName : std::string();
}
std::string Dialog::caption() const {
    Window *w = win(hDlg_);
    return w && w->widget ? toAnsi(w->widget->windowTitle()) : std::string();
}
std::string Dialog::fieldText(int id) const {
    char buf[8192];
    GetDlgItemTextA(hDlg_, id, buf, sizeof buf);
    return buf;
}
void Dialog::setFieldText(int id, std::string_view s) {
    if (Window *c = control(hDlg_, id)) SetDlgItemTextA(hDlg_, c->ctrlId, std::string(s).c_str());
}
void Dialog::type(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) {
        e->selectAll();
        sendKey(e, Qt::Key_Delete);
    }
    QString t = fromAnsi(s.data(), int(s.size()));
    for (QChar ch : t) sendKey(c->widget, 0, QString(ch));
}
void Dialog::key(int id, EditKey k, bool shift) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    static const int keys[] = {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right};
    QKeyEvent press(QEvent::KeyPress, keys[k], shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(c->widget, &press);
    QKeyEvent release(QEvent::KeyRelease, keys[k], shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(c->widget, &release);
}
void Dialog::paste(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    QGuiApplication::clipboard()->setText(fromAnsi(s.data(), int(s.size())));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(c->widget, &press);
}
void Dialog::typeAtEnd(int id, std::string_view s) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) e->end(false);
    QString t = fromAnsi(s.data(), int(s.size()));
    for (QChar ch : t) sendKey(c->widget, 0, QString(ch));
}
void Dialog::typeAtFocus(std::string_view s) {
    Window *w = win(hDlg_);
    QWidget *target = w && w->widget ? w->widget->focusWidget() : nullptr;
    if (!target) return;
    for (QChar ch : fromAnsi(s.data(), int(s.size()))) sendKey(target, 0, QString(ch));
}
int Dialog::textLimit(int id) const {
    Window *c = control(hDlg_, id);
    return c ? c->textLimit : 0;
}
bool Dialog::checked(int id) const {
    Window *c = control(hDlg_, id);
    auto *b = c ? qobject_cast<QAbstractButton *>(c->widget.data()) : nullptr;
    return b && b->isChecked();
}
bool Dialog::readOnly(int id) const {
    Window *c = control(hDlg_, id);
    if (!c) return false;
    if (auto *e = qobject_cast<QLineEdit *>(c->widget.data())) return e->isReadOnly();
    if (auto *e = qobject_cast<QPlainTextEdit *>(c->widget.data())) return e->isReadOnly();
    return false;
}
bool Dialog::exists(int id) const { return childById(win(hDlg_), id) != nullptr; }
bool Dialog::isDefaultButton(int id) const {
    Window *c = control(hDlg_, id);
    auto *b = c ? qobject_cast<QPushButton *>(c->widget.data()) : nullptr;
    return b && b->isDefault();
}
RECT Dialog::controlRect(int id) const {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return RECT{};
    QRect g = c->widget->geometry();
    return RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
}
void Dialog::click(int id) {
    Window *c = control(hDlg_, id);
    if (!c) return;
    if (auto *b = qobject_cast<QAbstractButton *>(c->widget.data()))
        b->click();  // the same signal a mouse click gives
    else
        clickControl(c);
}
void Dialog::pressEnter() {
    Window *w = win(hDlg_);
    if (!w || !w->widget) return;
    // Where a person's key goes: the focused control, which passes it on as it would.
    QWidget *target = w->widget->focusWidget() ? w->widget->focusWidget() : w->widget.data();
    sendKey(target, Qt::Key_Return);
}
void Dialog::pressEscape() {
    Window *w = win(hDlg_);
    if (w && w->widget) sendKey(w->widget, Qt::Key_Escape);
}
void Dialog::closeBox() {
    Window *w = win(hDlg_);
    if (w && w->widget) w->widget->close();
}
void Dialog::pressTab() {
    Window *w = win(hDlg_);
    if (w && w->widget) sendKey(w->widget->focusWidget() ? w->widget->focusWidget() : w->widget.data(), Qt::Key_Tab);
}
int Dialog::focusedId() const {
    Window *w = win(hDlg_);
    QWidget *f = w && w->widget ? w->widget->focusWidget() : nullptr;
    for (Window *c : w ? w->controls : std::vector<Window *>{})
        if (f && c->widget == f) return c->ctrlId;
    return 0;
}
bool Dialog::modal() const {
    Window *w = win(hDlg_);
    return w && w->widget && w->widget->isModal();
}
bool Dialog::visible() const {
    Window *w = win(hDlg_);
    return w && w->widget && w->widget->isVisible();
}

DialogDrivers::DialogDrivers() {
    activeDrivers = this;
    hooks().dialog = [](HWND h) {
        Window *w = win(h);
        DialogDrivers *d = activeDrivers;
        d->opened.push_back(w->templateName);
        if (d->used_ >= int(d->drivers_.size())) {
            fail("unexpected dialog box \"" + w->templateName + "\" (its driver was not given)");
            EndDialog(h, 0);  // cancelled, once reported
            return;
        }
        Dialog dlg(h);
        d->drivers_[size_t(d->used_++)](dlg);
    };
}
DialogDrivers::~DialogDrivers() {
    activeDrivers = nullptr;
    hooks().dialog = nullptr;
}
DialogDrivers &DialogDrivers::then(std::function<void(Dialog &)> driver) {
    drivers_.push_back(std::move(driver));
    return *this;
}

std::vector<HWND> LiveDialogs() {
    std::vector<HWND> out;
    for (Window *w : liveWindows())
        if (w->isDialog) out.push_back(hwndOf(w));
    return out;
}

// ---------------------------------------------------------------- file dialogs
FileDialogDriver::FileDialogDriver(bool save) : save_(save) {
    (save ? hooks().saveFile : hooks().openFile) = [this](LPOPENFILENAMEA ofn) -> BOOL {
        calls.push_back(FileDialogCall{comdlg32::fileFilters(ofn->lpstrFilter), ofn->nFilterIndex,
                                       ofn->lpstrFile ? ofn->lpstrFile : "", ofn->Flags,
                                       ofn->lpstrTitle ? ofn->lpstrTitle : "",
                                       ofn->lpstrDefExt ? ofn->lpstrDefExt : "", ofn->nMaxFile,
                                       ofn->nMaxFileTitle});
        if (next_ >= answers_.size()) {
            fail(std::string("unexpected ") + (save_ ? "save" : "open") + " dialog (no answer given)");
            return FALSE;
        }
        auto [ok, path] = answers_[next_++];
        if (!ok) return FALSE;
        if (!save_ && (ofn->Flags & OFN_FILEMUSTEXIST) && !QFileInfo(QString::fromLocal8Bit(path.c_str())).isFile()) {
            fail("the open dialog would not take " + path + ": no such file");
            return FALSE;
        }
        return comdlg32::deliverTypedPath(ofn, path);
    };
}
FileDialogDriver::~FileDialogDriver() { (save_ ? hooks().saveFile : hooks().openFile) = nullptr; }
FileDialogDriver &FileDialogDriver::answer(std::string path) {
    answers_.emplace_back(true, std::move(path));
    return *this;
}
FileDialogDriver &FileDialogDriver::cancel() {
    answers_.emplace_back(false, std::string());
    return *this;
}

BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save, FilePerson *person) {
    if (person)
        QTimer::singleShot(0, [person] {
            QFileDialog *d = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *f = qobject_cast<QFileDialog *>(w); f && f->isVisible()) d = f;
            auto *edit = d ? d->findChild<QLineEdit *>("fileNameEdit") : nullptr;
            if (!edit) {
                fail("RunFileDialog: no dialog of Qt's own showed");
                return;
            }
            person->shown = true;
            person->title = d->windowTitle().toStdString();
            person->directory = d->directory().absolutePath().toStdString();
            person->proposed = edit->text().toStdString();
            for (const QString &f : d->nameFilters()) person->filters.push_back(f.toStdString());
            person->selectedFilter = d->selectedNameFilter().toStdString();
            person->rightToLeft = d->layoutDirection() == Qt::RightToLeft;
            QCoreApplication::processEvents();
            person->active = d->isActiveWindow();
            // The keyboard is in the name field, as for a person typing into it.
            edit->setFocus();
            edit->selectAll();
            sendKey(edit, Qt::Key_Delete);
            for (QChar c : QString::fromLocal8Bit(person->typed.c_str())) sendKey(edit, 0, QString(c));
            QTimer::singleShot(0, [person] {
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                        person->asked = true;
                        if (QAbstractButton *no = box->button(QMessageBox::No))
                            no->click();
                        else
                            box->reject();
                    }
            });
            sendKey(person->cancel ? static_cast<QWidget *>(d) : edit, person->cancel ? Qt::Key_Escape : Qt::Key_Return);
            if (d->isVisible()) {
                person->stayedOpen = true;
                d->reject();
            }
        });
    return comdlg32::runFileDialog(ofn, save);
}

void SetFailureHandler(std::function<void(const std::string &)> handler) { hooks().failure = std::move(handler); }

}  // namespace wintest
