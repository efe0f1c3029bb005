// wintest.h - what tests use to drive the program through the Win32 layer.
//
// The layer runs offscreen in tests. A test talks to the program as the window system does
// (messages, menu commands, mouse presses), then checks the state, the recorded GDI calls,
// the message boxes shown, the dialogs opened or the bytes of a saved file.
//
// Modal windows (dialog boxes, message boxes, the save dialog) never wait for a person in
// tests: each is handed to the driver the test installed. One that opens with no driver
// installed fails the running test and is cancelled, so the test goes on instead of hanging.
#ifndef ORBIX_WINTEST_H
#define ORBIX_WINTEST_H

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a pixel read outside the picture gives, as GDI gives it.
#ifndef CLR_INVALID
#define CLR_INVALID 0xFFFFFFFF
#endif

namespace wintest {

// The command line WinMain gets on Linux for these arguments (argv[1..]).
std::string CommandLineFor(const std::vector<std::string> &args);

// Starts the offscreen application once (idempotent). wintest_main calls it.
void Init(int &argc, char **argv);
HINSTANCE Instance();

// A top-level window of class `className` (registered with `proc` on first use, a white
// background when `white`), created with `style` at the default place and size and not yet shown.
// Null when the class cannot be registered.
HWND TestWindow(const char *className, WNDPROC proc, DWORD style = WS_OVERLAPPEDWINDOW, bool white = false);

// Dispatches every queued message and pending paint, as the program's loop does, offering each
// message first to *modeless (when given and not null) through IsDialogMessageA. Returns when
// nothing is left to do (timers that have not yet elapsed are left alone).
void Pump(HWND *modeless = nullptr);
// The same, each message handed to the program's own loop body instead.
void Pump(const std::function<void(MSG *)> &dispatch);
// True (once) when a WM_QUIT reached Pump since the last call; *code gets its exit code.
bool TakeQuit(int *code = nullptr);
// The desktop asks whether the session may end, as when the user logs out: true when every window
// agreed.
bool EndSession();
// Fires the timer nIDEvent of hwnd now, as if it had elapsed (WM_TIMER is sent).
void FireTimer(HWND hwnd, UINT_PTR nIDEvent);
bool TimerActive(HWND hwnd, UINT_PTR nIDEvent, UINT *elapse = nullptr);

// The screen's area free for windows, as the window system reports it (4096 x 4096 at the origin
// until set): where new windows get their default size, and what SPI_GETWORKAREA gives, less the
// room of a title bar and borders.
void SetScreenArea(int left, int top, int width, int height);

// Resizes the client area of a top-level window to w x h (WM_SIZE follows, and the class
// style decides the repaint).
void SetClientSize(HWND hwnd, int w, int h);
// Pixel of the retained client image at a logical position (the program's coordinates; on a
// scaled screen the middle device pixel of its square, as GetPixel reads it), or CLR_INVALID
// outside it.
COLORREF ClientPixel(HWND hwnd, int x, int y);
// A digest (64-bit FNV-1a over the red, green and blue of every pixel, row by row) of the client
// area as the program sees it: two pictures that differ in any pixel differ here.
uint64_t ClientDigest(HWND hwnd);
// The client image at device resolution: device pixels per logical pixel (1 on an unscaled
// screen), its size (width, height), and one of its pixels (CLR_INVALID outside it).
double ClientDeviceRatio(HWND hwnd);
std::pair<int, int> ClientDeviceSize(HWND hwnd);
COLORREF ClientDevicePixel(HWND hwnd, int x, int y);
// The screens Qt knows (in its order), their device pixel ratios, and moving a window to one of
// them as a person drags it there. False when the window did not get there.
int ScreenCount();
double ScreenRatio(int screen);
bool MoveToScreen(HWND hwnd, int screen);
// What tests read that the program itself never asks: whether a handle names a live window, a
// window's title (Windows-1252 bytes), a registered class, a GDI object's description (kind
// None once it is deleted), and what the clipboard holds now.
bool IsLive(HWND hwnd);
std::string WindowText(HWND hwnd);
std::pair<int, int> WindowIconSize(HWND hwnd);  // (0, 0) when the frame shows no icon
bool ClassOf(const char *className, WNDCLASSA *out);
struct GdiObjectInfo {
    enum Kind { None, Pen, Brush, Font, Bitmap } kind = None;
    COLORREF color = 0;  // pen, brush
    int width = 0;       // pen width, bitmap width
    int height = 0;      // font height asked for, bitmap height
    int weight = 0;      // font
    std::string face;    // font
};
GdiObjectInfo Describe(HGDIOBJ object);
// A movable global block holding these bytes, as the program hands the clipboard; and text put on
// the clipboard as the program copies it (opened, emptied, CF_TEXT with its NUL, closed).
HGLOBAL Block(std::string_view bytes);
void CopyText(std::string_view cp1252);
std::string ClipboardText();                   // Windows-1252 bytes, "" when none
bool ClipboardImage(int *width, int *height);  // false when the clipboard holds no picture
COLORREF ClipboardPixel(int x, int y);         // of that picture, top-down; CLR_INVALID outside
// Texts of the menu bar of a window in order ("&Arquivo", ...), as Windows-1252 bytes.
std::vector<std::string> MenuBarTexts(HWND hwnd);
// Chooses the menu item with this id as a person would (WM_COMMAND through the queue).
// A greyed item does nothing, as for a person.
void ChooseMenuItem(HWND hwnd, int id);
// Whether the menu item with this id can be chosen (false when there is none).
bool MenuItemEnabled(HWND hwnd, int id);
// Scroll bar position as the window shows it.
int ScrollPos(HWND hwnd);
// A person's action on the window's scroll bar: SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN,
// or SB_THUMBTRACK, dragging the thumb to pos and letting it go.
void Scroll(HWND hwnd, int code, int pos = 0);
// The close box of a frame window, as a person clicks it.
void CloseBox(HWND hwnd);
// Presses (down and up) the left button at client position (x, y) through the queue.
void Click(HWND hwnd, int x, int y);
// Presses and releases a key in the client area of a frame window, as a US keyboard does (the Qt
// key event, with the symbol the key makes with these modifiers, reaches the window, which queues
// the key messages). vk: a virtual-key code.
enum Modifier : unsigned { Ctrl = 1, Shift = 2, Alt = 4 };
void PressKey(HWND hwnd, int vk, unsigned modifiers = 0);
// Turns the mouse wheel over the client area: notches away from the person (up) when positive.
void TurnWheel(HWND hwnd, int notches);

// Qt's own texts in the language of a locale ("pt_BR"), as the program installs them at start-up;
// false when Qt has no catalogue for it. An empty name takes them out again (English).
bool UseQtLanguage(const std::string &locale);
// The clipboard's text as the desktop reads it, in UTF-8.
std::string ClipboardUtf8();

// ---------------------------------------------------------------- PDF files
// A PDF as poppler's tools read it (they must be installed): its pages, its text in the order it
// was drawn (UTF-8, pages ended by a form feed), the raster images its pages hold, and one page
// rendered `width` pixels wide without smoothing (empty when there is no such page).
int PdfPages(const std::string &pdf);
std::string PdfText(const std::string &pdf);
int PdfImages(const std::string &pdf);
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF at(int x, int y) const;  // white outside
};
Picture PdfPage(const std::string &pdf, int page, int width);

// ---------------------------------------------------------------- recording DC
struct GdiCall {
    enum Op { MoveTo, LineTo, TextOut, SelectPen, SelectFont, SelectBitmap, Rectangle, BitBlt };
    Op op;
    HDC hdc = nullptr;
    int x = 0, y = 0;    // point, or left/top
    int x2 = 0, y2 = 0;  // right/bottom (Rectangle), width/height (BitBlt)
    std::string text;    // TextOut: the bytes drawn; SelectFont: the face name
    COLORREF color = 0;  // SelectPen
    int width = 0;       // SelectPen: pen width; SelectFont: height asked for
    bool stock = false;  // a stock object was selected
};
// While one exists, every GDI call on a DC made during its life (a paint's, a GetDC's, a memory
// DC's) is appended to calls(), with the coordinates the program gave.
class GdiRecorder {
public:
    GdiRecorder();
    ~GdiRecorder();
    GdiRecorder(const GdiRecorder &) = delete;
    GdiRecorder &operator=(const GdiRecorder &) = delete;
    const std::vector<GdiCall> &calls() const { return calls_; }
    void clear() { calls_.clear(); }
    std::vector<GdiCall> calls_;

private:
    struct Sink;
    Sink *sink_;
};

// ---------------------------------------------------------------- message boxes
struct MessageBoxCall {
    HWND owner;
    std::string text;     // Windows-1252 bytes
    std::string caption;  // Windows-1252 bytes
    UINT type;
};
// While one exists, message boxes are recorded and answered with `answer` at once.
class MessageBoxLog {
public:
    explicit MessageBoxLog(int answer = IDOK);
    ~MessageBoxLog();
    MessageBoxLog(const MessageBoxLog &) = delete;
    MessageBoxLog &operator=(const MessageBoxLog &) = delete;
    const std::vector<MessageBoxCall> &calls() const { return calls_; }
    std::vector<std::string> texts() const;
    std::vector<MessageBoxCall> calls_;
    int answer_;
};

// The real message box, shown as outside tests and answered by a person with the button whose
// text is `press` ("" for Esc): what it showed (its icon: "none", "warning", "information",
// "question"; its buttons' standard names) and what MessageBoxA returned.
struct MessageBoxShown {
    std::string icon, buttons;
    int result = 0;
};
MessageBoxShown RunMessageBox(HWND owner, const char *text, UINT type, const std::string &press);

// ---------------------------------------------------------------- dialogs
// A live dialog (modal or modeless). Every action goes through the same path as a person's.
class Dialog {
public:
    explicit Dialog(HWND hDlg) : hDlg_(hDlg) {}
    HWND hwnd() const { return hDlg_; }
    std::string templateName() const;
    std::string caption() const;                         // Windows-1252 bytes
    std::string fieldText(int id) const;                 // Windows-1252 bytes
    void setFieldText(int id, std::string_view cp1252);  // replaces the text as a paste would
    void type(int id, std::string_view cp1252);          // types key by key; the text limit holds
    // A key in the field with the keyboard, on the text as it stands; a paste (Ctrl+V) of text at
    // the caret or over the selection.
    enum EditKey { Backspace, Delete, Home, End, Left, Right };
    void key(int id, EditKey k, bool shift = false);
    void paste(int id, std::string_view cp1252);
    void typeAtEnd(int id, std::string_view cp1252);  // the same, after what the field holds
    void typeAtFocus(std::string_view cp1252);        // key by key, wherever the keyboard is
    int textLimit(int id) const;
    bool checked(int id) const;
    bool readOnly(int id) const;
    bool exists(int id) const;
    bool isDefaultButton(int id) const;
    // Control geometry in dialog pixels, as placed from the template.
    RECT controlRect(int id) const;
    void click(int id);     // a mouse click on the control
    void pressEnter();      // Enter in the dialog (the default button)
    void pressEscape();     // Esc (IDCANCEL)
    void closeBox();        // the frame's close box (IDCANCEL)
    void pressTab();        // Tab, to the next tab stop
    int focusedId() const;  // the control with the keyboard focus, 0 when none
    bool visible() const;
    bool modal() const;  // the rest of the program waits while it is open
private:
    HWND hDlg_;
};

// Drivers for modal dialog boxes, used in order: the n-th DialogBoxParamA gets the n-th driver.
// A driver must end its dialog (OK or Cancel); if it returns with the dialog still open, the
// test fails and the dialog is cancelled.
class DialogDrivers {
public:
    DialogDrivers();
    ~DialogDrivers();
    DialogDrivers(const DialogDrivers &) = delete;
    DialogDrivers &operator=(const DialogDrivers &) = delete;
    DialogDrivers &then(std::function<void(Dialog &)> driver);
    int used() const { return used_; }
    int pending() const { return int(drivers_.size()) - used_; }
    std::vector<std::string> opened;  // template names in the order the dialogs opened
    std::vector<std::function<void(Dialog &)>> drivers_;
    int used_ = 0;
};

// Every top-level dialog now alive (modeless ones included), oldest first.
std::vector<HWND> LiveDialogs();

// ---------------------------------------------------------------- file dialogs
// What the program asked of a save or open dialog.
struct FileDialogCall {
    std::vector<std::pair<std::string, std::string>> filters;  // (description, pattern)
    DWORD filterIndex;
    std::string initialPath;  // what lpstrFile held
    DWORD flags;
    std::string title;   // lpstrTitle, empty when null
    std::string defExt;  // lpstrDefExt, empty when null
    DWORD maxFile, maxFileTitle;
};
using SaveDialogCall = FileDialogCall;

// Answers GetSaveFileNameA (or GetOpenFileNameA): each call takes the next answer, a name as a
// person types it (completed with the default extension as the dialog does) or a cancel. An open
// dialog that must find its file fails the test when answered with one that does not exist.
class FileDialogDriver {
public:
    FileDialogDriver(const FileDialogDriver &) = delete;
    FileDialogDriver &operator=(const FileDialogDriver &) = delete;
    FileDialogDriver &answer(std::string path);
    FileDialogDriver &cancel();
    std::vector<FileDialogCall> calls;
    std::vector<std::pair<bool, std::string>> answers_;
    size_t next_ = 0;

protected:
    explicit FileDialogDriver(bool save);
    ~FileDialogDriver();

private:
    bool save_;
};
class SaveDialogDriver : public FileDialogDriver {
public:
    SaveDialogDriver() : FileDialogDriver(true) {}
};
class OpenDialogDriver : public FileDialogDriver {
public:
    OpenDialogDriver() : FileDialogDriver(false) {}
};

// Answers the print dialogs opened while it lives, in order: printing to the PDF file at path
// (UTF-8), as a person who picks printing to a file does, or Cancel. flags holds each dialog's
// PRINTDLGA flags.
class PrintDialogDriver {
public:
    PrintDialogDriver();
    ~PrintDialogDriver();
    PrintDialogDriver(const PrintDialogDriver &) = delete;
    PrintDialogDriver &operator=(const PrintDialogDriver &) = delete;
    PrintDialogDriver &toFile(std::string path);
    PrintDialogDriver &cancel();
    std::vector<DWORD> flags;

private:
    std::vector<std::pair<bool, std::string>> answers_;
    size_t next_ = 0;
};

// The file dialog a person meets outside tests (not the drivers). Where the platform offers none,
// Qt's own shows and the person, when given, types `typed` into its name field key by key and
// presses Enter, or presses Esc when `cancel`; a question it asks (replace? not found?) is
// answered No. Without a person nobody acts: the platform's own dialog answers by itself.
struct FilePerson {
    std::string typed;  // a name or a path, in the local 8-bit encoding
    bool cancel = false;
    // What the dialog showed before the person acted (UTF-8), and what came of it.
    std::string title, directory, proposed, selectedFilter;
    std::vector<std::string> filters;
    bool shown = false, active = false, asked = false, stayedOpen = false, rightToLeft = false;
};
BOOL RunFileDialog(LPOPENFILENAMEA ofn, bool save, FilePerson *person = nullptr);

// An OPENFILENAMEA as the program fills one, over buffers of its own: the path proposed, the
// filter pairs and the one chosen (1-based), the flags and the default extension. The file
// title's buffer starts as "antes", so that one left alone shows.
struct FileRequest {
    char file[256] = "", title[64] = "antes";
    OPENFILENAMEA ofn{};
    explicit FileRequest(const std::string &proposed, const char *filter = nullptr, DWORD index = 1, DWORD flags = 0,
                         const char *defExt = nullptr);
    FileRequest(const FileRequest &) = delete;
    FileRequest &operator=(const FileRequest &) = delete;
};

// Called when something a test did not expect happens (an unexpected modal window).
// wintest_main reports it as a test failure.
void SetFailureHandler(std::function<void(const std::string &)> handler);

}  // namespace wintest

#endif
