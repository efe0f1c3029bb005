// user32.h - the USER32 library's own internals: the windows behind the handles and what its
// files share (the queue, the frame's client image, dialogs, keys, timers). Its files and the
// libraries above it (comdlg32, the test drivers) include this; the program never does.
#ifndef ORBIX_USER32_H
#define ORBIX_USER32_H

#include <windows.h>

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "gdi32.h"

class QDialog;
class QMenuBar;
class QScrollBar;

namespace user32 {

// ------------------------------------------------------------------ windows (registry.cpp)
struct ClassInfo {
    WNDCLASSA wc;
    std::string name;
    std::string menuName;
};

struct Window {
    ClassInfo *cls = nullptr;  // null for dialogs and controls
    // What SendMessageA calls: the class's procedure, or the dialog's or control's own.
    WNDPROC proc = nullptr;
    DLGPROC dlgProc = nullptr;
    DWORD style = 0;
    Window *owner = nullptr;  // owner of a top-level window, dialog of a control
    bool isControl = false, radio = false;
    int ctrlId = 0;  // a control's id within its dialog

    QPointer<QWidget> widget;   // frame, dialog, or control widget
    QWidget *canvas = nullptr;  // client area of a frame window
    QScrollBar *vscroll = nullptr;
    QMenuBar *menuBar = nullptr;

    gdi32::WindowImage client;  // the retained client image of a frame window
    bool invalid = false, erase = false, painting = false;
    int scrollPos = 0, scrollMin = 0, scrollMax = 100;

    // dialogs
    bool isDialog = false, ended = false;
    INT_PTR result = 0;
    std::string templateName;
    std::vector<Window *> controls;  // template order
    // edit controls
    int textLimit = 30000;
    QString lastText;

    bool destroyed = false;
    HWND handle = nullptr;  // given by registerWindow, never given to another window
};

Window *win(HWND h);  // null unless h is a live window
inline HWND hwndOf(Window *w) { return w ? w->handle : nullptr; }
std::vector<Window *> liveWindows();  // creation order
void registerWindow(Window *w);
// Frees the windows destroyed since the last call whose widgets are gone and whose DCs are all
// released, unless a modal loop is running (its caller may still hold them).
void freeDestroyedWindows();
// While one exists, destroyed windows keep their memory: a modal dialog, message box or file
// dialog is running and its caller holds its objects across the nested loop.
struct ModalScope {
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;
};
Window *childById(Window *dlg, int id);
// The session is ending: every frame window is asked (WM_QUERYENDSESSION); false when one said no.
bool sessionMayEnd();

// ------------------------------------------------------------------ messages (message.cpp)
// keys: the modifiers down when the message was made.
enum : unsigned { KeyControl = 1, KeyShift = 2, KeyAlt = 4 };
// character: what a key down made (0 for none), which TranslateMessage turns into WM_CHAR.
void postMessage(HWND h, UINT m, WPARAM wp, LPARAM lp, unsigned keys = 0, char character = 0);
unsigned messageKeys();      // the modifiers of the message the program last took from the queue
bool takeMessage(MSG *msg);  // queue first, then WM_QUIT, then WM_PAINT
void processHostEvents(bool wait);
// Runs a nested modal loop until done() is true; a WM_QUIT seen on the way is posted again.
void modalLoop(const std::function<bool()> &done, HWND dialog = nullptr);
// As on Windows, the owner of a modal window that has gone is active again, so its keys work at
// once (without a window manager nobody else would give it the keyboard back).
void reactivateOwner(HWND owner);
// The Qt window a dialog owned by this window sits over (none for no window).
QWidget *ownerWidget(HWND owner);
// Shows a Qt dialog application-modal over its owner and runs the program's modal loop until it
// closes, so the owner keeps painting; `shown` runs once it is on screen. Gives QDialog's result.
int runModal(QDialog &dialog, HWND owner, const std::function<void()> &shown = {});

// ------------------------------------------------------------------ painting (paint.cpp)
void showImage(Window *w);  // schedules the on-screen refresh of a frame's client image

// ------------------------------------------------------------------ frames (frame.cpp)
// The frame's widgets: the menu bar of the class's menu, the client canvas, the scroll bar when
// the style asks for one; laid out by hand so that the client size is known at once.
QWidget *buildFrame(Window *w);
void layoutFrame(Window *w);        // lays out the children after the frame's size changed
QSize frameExtra(const Window *w);  // what the bars take beside and above the client area
// The client area of a frame changed size: a new image, WM_SIZE, a repaint as the class says.
void clientResized(Window *w, int width, int height);
// The ratio the client image of w should have now (its screen's, held to 1..8), and what
// happens when the window reaches a screen of another one: a new image, and a repaint.
double deviceRatio(const Window *w);
void deviceRatioChanged(Window *w);

// ------------------------------------------------------------------ windows (window.cpp)
void destroyWindow(Window *w);
const ClassInfo *classInfo(const char *name);  // null unless registered (names ignore case)

// ------------------------------------------------------------------ keys (keyboard.cpp)
int virtualKey(int qtKey, bool keypad);  // 0 when the key has no virtual-key code here
void postKey(HWND h, const QKeyEvent &e, bool press);

// ------------------------------------------------------------------ timers (timer.cpp)
bool timerActive(HWND h, UINT_PTR id, UINT *elapse);
void killTimers(HWND h);  // every timer of a window, as DestroyWindow does

// ------------------------------------------------------------------ dialogs (dialog.cpp)
// Builds the dialog window from its template; sends WM_INITDIALOG. Null when no template.
Window *createDialog(LPCSTR name, HWND owner, DLGPROC proc, LPARAM param, bool modal);
void sendCommand(Window *dlg, int id);
void clickControl(Window *ctrl);  // as a mouse click: radio groups, then WM_COMMAND
QSize dialogBaseUnits();          // average character width and height of the dialog font

// The screen's area free for windows (the tests' own in tests), empty without a screen.
QRect availableArea();

}  // namespace user32

#endif
