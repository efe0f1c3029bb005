// hooks.h - where the test drivers plug into the layer. Qt-free: the drivers above the layer and
// every library of it share this, and nothing here knows how a hook is answered.
//
// Outside tests every hook is empty and the layer does what it does for a person. In tests
// (testMode) a modal window, message box or file dialog is handed to its hook, and one that has
// no hook fails the test (fail) instead of waiting for a person who is not there.
#ifndef ORBIX_HOOKS_H
#define ORBIX_HOOKS_H

#include <windows.h>

#include <functional>
#include <string>

namespace host {

// What a device context reports of each GDI call it is given, before drawing it: the test
// recorder. A DC takes the sink that is set when the DC is made, for the whole of its life.
class GdiSink {
public:
    virtual ~GdiSink() = default;
    virtual void moveTo(HDC, int x, int y) = 0;
    virtual void lineTo(HDC, int x, int y) = 0;
    virtual void rectangle(HDC, int left, int top, int right, int bottom) = 0;
    virtual void textOut(HDC, int x, int y, const char *text, int length) = 0;
    virtual void bitBlt(HDC, int x, int y, int width, int height) = 0;
    virtual void selectPen(HDC, COLORREF color, int width, bool stock) = 0;
    virtual void selectFont(HDC, const std::string &face, int height) = 0;
    virtual void selectBitmap(HDC, int width, int height) = 0;
};

struct Hooks {
    bool testMode = false;
    GdiSink *gdi = nullptr;
    std::function<int(HWND owner, const std::string &text, const std::string &caption, UINT type)> messageBox;
    std::function<void(HWND dialog)> dialog;  // a new modal dialog box, to be driven to its end
    std::function<BOOL(LPOPENFILENAMEA)> saveFile, openFile;
    std::function<BOOL(LPPRINTDLGA)> print;
    std::function<void(const std::string &)> failure;
    RECT screenArea{0, 0, 4096, 4096};  // the screen's area free for windows, in tests
};
Hooks &hooks();

// Something the program did that a test must hear of (an unexpected modal window): to the
// failure hook, or to standard error outside tests.
void fail(const std::string &what);

}  // namespace host

#endif
