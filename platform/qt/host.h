// host.h - the objects behind the Win32 handles, and the hooks the test drivers plug into.
// Only platform/ includes this; the program sees nothing but <windows.h>.
#ifndef ORBIX_HOST_H
#define ORBIX_HOST_H

#include <windows.h>

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "testing/wintest.h"

class QScrollBar;
class QMenuBar;

namespace rc { struct Dialog; }

namespace host {

// ------------------------------------------------------------------ text
QString fromAnsi(const char *s, int len = -1);  // Windows-1252 bytes to Unicode
std::string toAnsi(const QString &s);           // Unicode to Windows-1252 ('?' when unmappable)

// ------------------------------------------------------------------ windows
struct ClassInfo {
    WNDCLASSA wc;
    std::string name;
    std::string menuName;
};

struct Window {
    uint32_t magic = 0x57494E44;  // 'WIND'
    ClassInfo *cls = nullptr;      // null for dialogs and controls
    WNDPROC proc = nullptr;
    DLGPROC dlgProc = nullptr;
    DWORD style = 0;
    Window *owner = nullptr;       // owner of a top-level window, parent of a control
    int ctrlId = 0;                // control id within its dialog
    std::string className;         // "BUTTON", "EDIT", "STATIC" for controls

    QPointer<QWidget> widget;      // frame, dialog, or control widget
    QWidget *canvas = nullptr;     // client area of a frame window
    QScrollBar *vscroll = nullptr;
    QMenuBar *menuBar = nullptr;

    QImage image;                  // the retained client image of a frame window
    int clientW = -1, clientH = -1;
    bool invalid = false, erase = false, painting = false;
    int scrollMin = 0, scrollMax = 100, scrollPos = 0;

    // dialogs
    bool isDialog = false, modal = false, ended = false;
    INT_PTR result = 0;
    std::string templateName;
    std::vector<Window *> controls; // template order
    // edit controls
    int textLimit = 30000;
    QString lastText;

    bool destroyed = false;
    HWND handle = nullptr;  // given by registerWindow, never given to another window
    int openDcs = 0;        // DCs drawing on it; its memory stays while any is open
};

Window *win(HWND h);  // null unless h is a live window
inline HWND hwndOf(Window *w) { return w ? w->handle : nullptr; }
std::vector<Window *> liveWindows();  // creation order
void registerWindow(Window *w);
void unregisterWindow(Window *w);
// Frees the windows destroyed since the last call whose widgets are gone and whose DCs are all
// released, unless a modal loop is running (its caller may still hold them). processHostEvents
// calls it.
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

// A frame window's client size changed: new image, WM_SIZE, repaint as the class says.
void clientResized(Window *w, int cw, int ch);
// Schedule the on-screen refresh of a frame's client image (never calls the window procedure).
void showImage(Window *w);
// Wake a message loop blocked waiting for Qt events.
void wake();

// ------------------------------------------------------------------ messages
void postMessage(HWND h, UINT m, WPARAM wp, LPARAM lp);
// Runs a nested modal loop until done() is true; a WM_QUIT seen on the way is posted again.
void modalLoop(const std::function<bool()> &done, HWND dialog = nullptr);

LRESULT controlMessage(Window *ctrl, UINT m, WPARAM wp, LPARAM lp);  // EDIT, BUTTON, STATIC
LRESULT defDialogProc(Window *dlg, UINT m, WPARAM wp, LPARAM lp);
bool takeMessage(MSG *msg, bool remove);  // queue first, then WM_QUIT, then WM_PAINT
void processHostEvents(bool wait);
bool timerActive(HWND h, UINT_PTR id, UINT *elapse);
void killTimers(HWND h);  // every timer of a window, as DestroyWindow does

// ------------------------------------------------------------------ GDI objects
HDC makeDc(Window *w);  // a DC drawing on the window's client image (null w: memory DC)
void freeDc(HDC hdc);
// Ends the painters open on img (all, when null) before the image is read, replaced or freed.
void releasePainters(const QImage *img);
enum class ObjType { Pen, Brush, Font, Bitmap };
struct GdiObject {
    uint32_t magic = 0x47444930;  // 'GDI0'
    ObjType type;
    bool stock = false;
    // pen / brush
    int penStyle = PS_SOLID, penWidth = 1;
    COLORREF color = 0;
    QColor qcolor;  // color, made once: converting per dot costs more than filling it
    bool nullBrush = false;
    // font
    QFont *font = nullptr;
    int fontHeight = 0;
    std::string face;
    // bitmap
    QImage bitmap;
};
GdiObject *gdi(HGDIOBJ h);  // null unless a live object (stock or not yet deleted)
GdiObject *newGdiObject(ObjType type);
QFont makeFont(const std::string &face, int height, int weight, bool italic);
QImage decodeImage(std::string_view bytes);  // BMP or ICO data

// ------------------------------------------------------------------ dialogs
// Builds the dialog window from its template; sends WM_INITDIALOG. Null when no template.
Window *createDialog(HINSTANCE inst, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param, bool modal);
void destroyWindow(Window *w);
void sendCommand(Window *dlg, int id, int code = 0);
void clickControl(Window *ctrl);    // as a mouse click: radio groups, then WM_COMMAND
QSize dialogBaseUnits();            // average character width and height of the dialog font

std::vector<std::pair<std::string, std::string>> fileFilters(LPCSTR filter);
// Hands back the name a person typed into a file dialog: completed with lpstrDefExt when it has
// no extension, then written to lpstrFile and lpstrFileTitle. FALSE if it does not fit.
BOOL deliverTypedPath(LPOPENFILENAMEA ofn, const std::string &typed);

// ------------------------------------------------------------------ test hooks
struct Hooks {
    bool testMode = false;
    std::vector<wintest::GdiCall> *recorder = nullptr;
    std::function<int(HWND, const std::string &, const std::string &, UINT)> messageBox;
    std::function<void(Window *)> dialog;           // runs a driver on a new modal dialog
    std::function<BOOL(LPOPENFILENAMEA)> saveFile;
    std::function<BOOL(LPOPENFILENAMEA)> openFile;
    std::function<void(const std::string &)> failure;
};
Hooks &hooks();
void fail(const std::string &what);
inline void record(const wintest::GdiCall &c) {
    if (hooks().recorder) hooks().recorder->push_back(c);
}

}  // namespace host

#endif
