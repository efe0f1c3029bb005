// host.h - the objects behind the Win32 handles, and the hooks the test drivers plug into.
// Only platform/ includes this; the program sees nothing but <windows.h>.
#ifndef ORBIX_HOST_H
#define ORBIX_HOST_H

#include <windows.h>

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QRect>
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

// ------------------------------------------------------------------ the application
// The arguments the Qt application will be made with (kept, so they outlive it).
void setArguments(int argc, char **argv);
// Starts the Qt application the first time the window system is needed (the tests start it
// themselves); numbers stay in the "C" locale whatever the user's language.
void ensureApplication();
// argv[1..] as one Windows command line: each argument quoted where it must be, so that
// CommandLineToArgv-style splitting gives the arguments back.
std::string windowsCommandLine(int argc, char **argv);

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

    // The retained client image of a frame window, at device resolution: ratio device pixels to
    // a logical one (the program's pixel), 1 on a screen without scaling.
    QImage image;
    double ratio = 1;
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
// The device pixel ratio the client image of w should have now (its screen's, held to 1..8).
double deviceRatio(const Window *w);
// The window reached a screen of another ratio: a new image at it, and the program repaints.
void deviceRatioChanged(Window *w);
// Schedule the on-screen refresh of a frame's client image (never calls the window procedure).
void showImage(Window *w);
// Wake a message loop blocked waiting for Qt events.
void wake();

// ------------------------------------------------------------------ messages
// keys: the modifiers down when the message was made (KeyControl | KeyShift | KeyAlt).
enum : unsigned { KeyControl = 1, KeyShift = 2, KeyAlt = 4 };
void postMessage(HWND h, UINT m, WPARAM wp, LPARAM lp, unsigned keys = 0);
// The modifiers of the message the program last took from the queue.
unsigned messageKeys();
// The virtual-key code of a Qt key (0 when it has none here), and the key messages it makes.
int virtualKey(int qtKey);
void postKey(HWND h, int qtKey, unsigned keys, bool press, bool autoRepeat);
// As on Windows, the owner of a modal window that has gone is active again, so its keys work at
// once (without a window manager nobody else would give it the keyboard back).
void reactivateOwner(HWND owner);
// Runs a nested modal loop until done() is true; a WM_QUIT seen on the way is posted again.
void modalLoop(const std::function<bool()> &done, HWND dialog = nullptr);

LRESULT controlMessage(Window *ctrl, UINT m, WPARAM wp, LPARAM lp);  // EDIT, BUTTON, STATIC
LRESULT defDialogProc(Window *dlg, UINT m, WPARAM wp, LPARAM lp);
bool takeMessage(MSG *msg, bool remove);  // queue first, then WM_QUIT, then WM_PAINT
void processHostEvents(bool wait);
bool timerActive(HWND h, UINT_PTR id, UINT *elapse);
void killTimers(HWND h);  // every timer of a window, as DestroyWindow does

// ------------------------------------------------------------------ GDI scaling
// As Windows does for a program that declares gdiScaling: the program keeps its logical
// coordinates and every GDI call is rendered at the device pixel ratio r. Logical pixel v covers
// the device pixels whose centres fall inside it, deviceEdge(v) up to deviceEdge(v + 1) - 1:
// r x r squares that tile the image without gap or overlap, also when r is fractional. At r = 1
// every mapping is the identity.
inline int deviceEdge(int v, double r) {
    if (r == 1) return v;
    double e = v * r - 0.5;
    int i = int(e);  // toward zero; up to the ceiling where e was above it
    return i + (i < e);
}
// The device rectangle of the logical pixels of rect (inclusive edges, as QRect keeps them).
inline QRect deviceRect(const QRect &rect, double r) {
    if (r == 1) return rect;
    return QRect(QPoint(deviceEdge(rect.left(), r), deviceEdge(rect.top(), r)),
                 QPoint(deviceEdge(rect.right() + 1, r) - 1, deviceEdge(rect.bottom() + 1, r) - 1));
}
// The device pixel read back for logical pixel v (GetPixel, a blit to a bitmap): the middle one
// of its square.
inline int deviceSample(int v, double r) { return r == 1 ? v : (deviceEdge(v, r) + deviceEdge(v + 1, r) - 1) / 2; }

// ------------------------------------------------------------------ GDI objects
HDC makeDc(Window *w);  // a DC drawing on the window's client image (null w: memory DC)
void freeDc(HDC hdc);
// Ends the painters open on img, and makes the DCs that drew on it look at their target anew
// (all, when null), before the image is read, replaced or freed.
void releasePainters(const QImage *img);
enum class ObjType { Pen, Brush, Font, Bitmap };
struct TextCache;  // the texts a font has set (gdi32/dc.cpp)
struct GdiObject {
    uint32_t magic = 0x47444930;  // 'GDI0'
    ObjType type;
    bool stock = false;
    // pen / brush
    int penStyle = PS_SOLID, penWidth = 1;
    COLORREF color = 0;
    QColor qcolor;  // color, made once: converting per dot costs more than filling it
    QRgb rgb = 0xFF000000;
    bool nullBrush = false;
    // font
    QFont *font = nullptr;
    int fontHeight = 0, fontWeight = 0;
    bool fontItalic = false;
    // What else CreateFontA was asked for, kept for GetObjectA (the face and size decide the look).
    int fontWidth = 0, fontEscapement = 0, fontOrientation = 0;
    BYTE fontUnderline = 0, fontStrikeOut = 0, fontCharSet = 0, fontOutPrecision = 0, fontClipPrecision = 0,
         fontQuality = 0, fontPitchAndFamily = 0;
    std::string face;
    QFont *deviceFont = nullptr;  // the font at the height scaled by deviceFontRatio
    double deviceFontRatio = 0;
    TextCache *texts = nullptr;
    // bitmap
    QImage bitmap;
};
GdiObject *gdi(HGDIOBJ h);  // null unless a live object (stock or not yet deleted)
GdiObject *newGdiObject(ObjType type);
QFont makeFont(const std::string &face, int height, int weight, bool italic);
QImage decodeImage(std::string_view bytes);  // BMP or ICO data

// ------------------------------------------------------------------ clipboard
QImage imageFromDib(const std::string &packedDib);  // null when not a DIB this layer reads
std::string dibFromImage(const QImage &img);        // a packed 24-bit bottom-up DIB

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
// The file dialog itself, for a person (GetSaveFileNameA and GetOpenFileNameA outside tests).
BOOL runFileDialog(LPOPENFILENAMEA ofn, bool save);

// ------------------------------------------------------------------ test hooks
struct Hooks {
    bool testMode = false;
    std::vector<wintest::GdiCall> *recorder = nullptr;
    std::function<int(HWND, const std::string &, const std::string &, UINT)> messageBox;
    std::function<void(Window *)> dialog;           // runs a driver on a new modal dialog
    std::function<BOOL(LPOPENFILENAMEA)> saveFile;
    std::function<BOOL(LPOPENFILENAMEA)> openFile;
    std::function<void(const std::string &)> failure;
    QRect screenArea{0, 0, 4096, 4096};  // the screen's area free for windows, in tests
};
// A plain global, not behind a function: every GDI call asks whether it is recorded.
extern Hooks theHooks;
inline Hooks &hooks() { return theHooks; }
void fail(const std::string &what);
inline bool recording() { return theHooks.recorder != nullptr; }
inline void record(const wintest::GdiCall &c) {
    if (theHooks.recorder) theHooks.recorder->push_back(c);
}

}  // namespace host

#endif
