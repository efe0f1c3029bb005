// The test drivers and the recording DC, plugged into the layer's hooks.
#include "testing/wintest.h"

#include "qt/host.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleObject>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#include <algorithm>
#include <clocale>
#include <cstdlib>

using namespace host;

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
    return windowsCommandLine(int(argv.size()), argv.data());
}

HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(GetModuleHandleA(nullptr)); }

HWND TestWindow(const char *className, WNDPROC proc, DWORD style, bool white) {
    WNDCLASSA wc{};
    if (!GetClassInfoA(Instance(), className, &wc)) {
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
        if (!takeMessage(&msg, true)) return;
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

void SetScreenArea(int left, int top, int width, int height) { hooks().screenArea = QRect(left, top, width, height); }

void SetClientSize(HWND hwnd, int w, int h) {
    Window *win_ = win(hwnd);
    if (!win_ || !win_->widget) return;
    QSize extra(win_->vscroll ? win_->vscroll->sizeHint().width() : 0,
                win_->menuBar ? win_->menuBar->sizeHint().height() : 0);
    // The frame follows as far as a screen could hold it; a hidden, tiny or huge frame may not
    // get its resize event at once, so the client size is set here.
    if (w <= 8192 && h <= 8192) win_->widget->resize(QSize(w, h) + extra);
    clientResized(win_, w, h);
}

COLORREF ClientPixel(HWND hwnd, int x, int y) {
    Window *w = win(hwnd);
    if (!w || x < 0 || y < 0 || x >= w->clientW || y >= w->clientH) return CLR_INVALID;
    return ClientDevicePixel(hwnd, deviceSample(x, w->ratio), deviceSample(y, w->ratio));
}

uint64_t ClientDigest(HWND hwnd) {
    Window *w = win(hwnd);
    if (!w) return 0;
    releasePainters(&w->image);
    uint64_t h = 14695981039346656037ull;
    auto mix = [&h](int b) { h = (h ^ uint64_t(b & 0xFF)) * 1099511628211ull; };
    for (int y = 0; y < w->clientH; ++y)
        for (int x = 0; x < w->clientW; ++x) {
            COLORREF c = ClientPixel(hwnd, x, y);
            if (c == CLR_INVALID) continue;  // beyond what the image holds
            mix(GetRValue(c));
            mix(GetGValue(c));
            mix(GetBValue(c));
        }
    return h;
}

bool SaveClientImage(HWND hwnd, const std::string &path) {
    Window *w = win(hwnd);
    if (!w) return false;
    releasePainters(&w->image);
    SIZE s = ClientDeviceSize(hwnd);
    return w->image.copy(0, 0, s.cx, s.cy).save(QString::fromStdString(path), "PNG");
}

double ClientDeviceRatio(HWND hwnd) {
    Window *w = win(hwnd);
    return w ? w->ratio : 0;
}

SIZE ClientDeviceSize(HWND hwnd) {
    Window *w = win(hwnd);
    if (!w) return SIZE{0, 0};
    return SIZE{std::min(deviceEdge(w->clientW, w->ratio), w->image.width()),
                std::min(deviceEdge(w->clientH, w->ratio), w->image.height())};
}

COLORREF ClientDevicePixel(HWND hwnd, int x, int y) {
    Window *w = win(hwnd);
    SIZE s = ClientDeviceSize(hwnd);
    if (!w || x < 0 || y < 0 || x >= s.cx || y >= s.cy) return CLR_INVALID;
    releasePainters(&w->image);
    QRgb p = w->image.pixel(x, y);
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

bool ClassOf(const char *className, WNDCLASSA *out) { return GetClassInfoA(Instance(), className, out); }

GdiObjectInfo Describe(HGDIOBJ object) {
    GdiObjectInfo i;
    GdiObject *o = gdi(object);
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
QImage clipboardImage() {
    const QMimeData *d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasImage() ? qvariant_cast<QImage>(d->imageData()) : QImage();
}
}  // namespace

std::string ClipboardText() {
    const QMimeData *d = QGuiApplication::clipboard()->mimeData();
    return d && d->hasText() ? toAnsi(d->text()) : std::string();
}

bool ClipboardImage(int *width, int *height) {
    const QImage img = clipboardImage();
    if (width) *width = img.width();
    if (height) *height = img.height();
    return !img.isNull();
}

COLORREF ClipboardPixel(int x, int y) {
    const QImage img = clipboardImage();
    if (!img.valid(x, y)) return CLR_INVALID;
    const QRgb p = img.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

std::vector<std::string> MenuBarTexts(HWND hwnd) {
    std::vector<std::string> out;
    Window *w = win(hwnd);
    if (!w || !w->menuBar) return out;
    for (QAction *a : w->menuBar->actions()) out.push_back(toAnsi(a->text()));
    return out;
}

void ChooseMenuItem(HWND hwnd, int id) {
    Window *w = win(hwnd);
    if (!w || !w->menuBar) return;
    std::function<bool(const QList<QAction *> &)> find = [&](const QList<QAction *> &acts) {
        for (QAction *a : acts) {
            if (a->menu() && find(a->menu()->actions())) return true;
            if (!a->menu() && !a->isSeparator() && a->data().toInt() == id) {
                a->trigger();
                return true;
            }
        }
        return false;
    };
    if (!find(w->menuBar->actions())) fail("no menu item " + std::to_string(id));
}

int ScrollPos(HWND hwnd) {
    Window *w = win(hwnd);
    return w && w->vscroll ? w->vscroll->value() : 0;
}

void Click(HWND hwnd, int x, int y) {
    postMessage(hwnd, WM_LBUTTONDOWN, 1, MAKELPARAM(x, y));
    postMessage(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void PressKey(HWND hwnd, int vk, unsigned modifiers) {
    Window *w = win(hwnd);
    if (!w || !w->canvas) {
        fail("PressKey: not a frame window");
        return;
    }
    int key = 0;
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) key = vk;  // Qt's codes are the same
    if (vk >= VK_F1 && vk <= VK_F12) key = Qt::Key_F1 + (vk - VK_F1);
    for (int k : {Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Shift, Qt::Key_Control, Qt::Key_Alt,
                  Qt::Key_Escape, Qt::Key_Space, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home,
                  Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down, Qt::Key_Insert, Qt::Key_Delete})
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
GdiRecorder::GdiRecorder() { hooks().recorder = &calls_; }
GdiRecorder::~GdiRecorder() { hooks().recorder = nullptr; }

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
std::string Dialog::text(int id) const {
    char buf[8192];
    GetDlgItemTextA(hDlg_, id, buf, sizeof buf);
    return buf;
}
void Dialog::setText(int id, std::string_view s) {
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
void Dialog::key(int id, int vk, bool shift) {
    Window *c = control(hDlg_, id);
    if (!c || !c->widget) return;
    c->widget->setFocus();
    int k = 0;
    for (int q : {Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right})
        if (virtualKey(q) == vk) k = q;
    if (!k) {
        fail("Dialog::key: no key for virtual key " + std::to_string(vk));
        return;
    }
    QKeyEvent press(QEvent::KeyPress, k, shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCoreApplication::sendEvent(c->widget, &press);
    QKeyEvent release(QEvent::KeyRelease, k, shift ? Qt::ShiftModifier : Qt::NoModifier);
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
int Dialog::textLimit(int id) const {
    Window *c = control(hDlg_, id);
    return c ? c->textLimit : 0;
}
bool Dialog::checked(int id) const { return IsDlgButtonChecked(hDlg_, id) == BST_CHECKED; }
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
bool Dialog::visible() const {
    Window *w = win(hDlg_);
    return w && w->widget && w->widget->isVisible();
}

DialogDrivers::DialogDrivers() {
    activeDrivers = this;
    hooks().dialog = [](Window *w) {
        DialogDrivers *d = activeDrivers;
        d->opened.push_back(w->templateName);
        if (d->used_ >= int(d->drivers_.size())) {
            fail("unexpected dialog box \"" + w->templateName + "\" (its driver was not given)");
            return;
        }
        Dialog dlg(hwndOf(w));
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
        calls.push_back(FileDialogCall{fileFilters(ofn->lpstrFilter), ofn->nFilterIndex,
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
        return deliverTypedPath(ofn, path);
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

void SetFailureHandler(std::function<void(const std::string &)> handler) { hooks().failure = std::move(handler); }

}  // namespace wintest
