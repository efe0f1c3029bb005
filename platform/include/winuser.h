// winuser.h - the USER32 subset this layer implements: exactly what the program calls, and the
// messages, styles and codes it reads or its resource script names. Nothing else is declared.
// Implements: RegisterClassA, CreateWindowExA, DestroyWindow, ShowWindow, UpdateWindow,
// GetClientRect, GetDpiForWindow, GetWindowRect, SetWindowPos, AdjustWindowRectEx, GetSystemMetrics (SM_CXVSCROLL),
// SystemParametersInfoA (SPI_GETWORKAREA), GetMessageA, TranslateMessage, DispatchMessageA,
// SendMessageA, PostQuitMessage, DefWindowProcA, IsDialogMessageA, InvalidateRect, BeginPaint,
// EndPaint, GetDC, ReleaseDC, SetScrollInfo (SIF_RANGE, SIF_POS, SIF_DISABLENOSCROLL), SetTimer,
// KillTimer, DialogBoxParamA, CreateDialogParamA, EndDialog, SetDlgItemTextA, GetDlgItemTextA,
// SetDlgItemInt, GetDlgItemInt (unsigned), CheckRadioButton, SendDlgItemMessageA (EM_LIMITTEXT,
// EM_SETSEL of the whole text), GetDlgItem, SetFocus, MessageBoxA (MB_OK, MB_YESNOCANCEL), SetWindowTextA,
// LoadIconA, LoadCursorA (IDC_CROSS), LoadBitmapA, LoadAcceleratorsA, TranslateAcceleratorA,
// GetMenu, EnableMenuItem (MF_BYCOMMAND), OpenClipboard, EmptyClipboard, SetClipboardData,
// CloseClipboard.
// Differences from Win32: one thread only. A frame window's decorations belong to the window
// manager: AdjustWindowRectEx adds only the menu bar, and the work area is the screen's available
// area less room for a title bar and borders. Keys pressed in a frame's client area reach the
// queue as WM_KEYDOWN/WM_KEYUP (with Alt, WM_SYSKEYDOWN/WM_SYSKEYUP) for the keys the program
// reads: the letters and digits, the arrows, Page Up and Down, Home, End, F1, Enter, Esc, Delete,
// the keypad's digits, operators and decimal key, and = + , - . / * (a punctuation key has the
// virtual-key code of its place on a US keyboard); the wheel as WM_MOUSEWHEEL. TranslateMessage
// posts WM_CHAR for a WM_KEYDOWN taken from the queue whose key made a character (the one the
// desktop's keyboard layout gave, in Windows-1252; Delete makes none), ahead of the messages
// waiting, with the key's lParam; a key message the program made itself, or WM_SYSKEYDOWN,
// translates to nothing. The scroll bar's range is 0..100 until SetScrollInfo sets
// one, and it reports line, page and thumb-track moves. The clipboard takes CF_TEXT (Windows-1252,
// given to the desktop as Unicode) and CF_DIB (24 bits, bottom-up). Dialog controls: push buttons,
// auto radio buttons, group boxes, edit fields, static texts and etched frames, as the resource
// script makes them. High DPI as for a program whose manifest declares gdiScaling and not
// dpiAware: sizes and positions are logical; the client area is rendered at the screen's device
// pixel ratio (see wingdi.h) and again, with a WM_PAINT, when the window reaches a screen of
// another ratio. GetDpiForWindow gives the resolution the client area is rendered at, 96 times
// that ratio, where Windows tells a program that is not DPI-aware 96 whatever the screen.
#ifndef ORBIX_WINUSER_H
#define ORBIX_WINUSER_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef LRESULT(CALLBACK *WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK *DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void(CALLBACK *TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA, *LPWNDCLASSA;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

typedef struct tagSCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
} SCROLLINFO, *LPSCROLLINFO;
typedef const SCROLLINFO *LPCSCROLLINFO;

// class styles
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002

// window styles; the control styles the resource script gives its controls
#define WS_OVERLAPPED 0x00000000L
#define WS_VISIBLE 0x10000000L
#define WS_CAPTION 0x00C00000L
#define WS_VSCROLL 0x00200000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define CW_USEDEFAULT ((int)0x80000000)
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define ES_MULTILINE 0x0004L
#define ES_READONLY 0x0800L
#define SS_ETCHEDFRAME 0x00000012L

#define SWP_NOZORDER 0x0004
#define SWP_NOACTIVATE 0x0010
#define SM_CXVSCROLL 2
#define SPI_GETWORKAREA 0x0030
#define SW_SHOWDEFAULT 10

// messages
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUERYENDSESSION 0x0011
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_VSCROLL 0x0115
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_MOUSEWHEEL 0x020A
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(wParam) ((short)HIWORD(wParam))
#define EM_LIMITTEXT 0x00C5
#define EM_SETSEL 0x00B1

// scroll bars
#define SB_VERT 1
#define SB_LINEUP 0
#define SB_LINEDOWN 1
#define SB_PAGEUP 2
#define SB_PAGEDOWN 3
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_BOTTOM 7
#define SIF_RANGE 0x0001
#define SIF_POS 0x0004
#define SIF_DISABLENOSCROLL 0x0008

// dialog results and message boxes
#define IDOK 1
#define IDCANCEL 2
#define IDYES 6
#define IDNO 7
#define MF_BYCOMMAND 0x00000000L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MB_OK 0x00000000L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define MB_YESNOCANCEL 0x00000003L
#define MB_ICONQUESTION 0x00000020L

// virtual keys ('0'..'9' and 'A'..'Z' are their own codes)
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_DELETE 0x2E
#define VK_NUMPAD0 0x60
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF

// clipboard formats
#define CF_TEXT 1
#define CF_DIB 8

#define IDC_CROSS MAKEINTRESOURCEA(32515)

// windows and messages
ATOM WINAPI RegisterClassA(const WNDCLASSA *lpWndClass);
HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X, int Y, int nWidth, int nHeight,
                            HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam);
BOOL WINAPI DestroyWindow(HWND hWnd);
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
BOOL WINAPI UpdateWindow(HWND hWnd);
BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect);
UINT WINAPI GetDpiForWindow(HWND hwnd);
BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect);
BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL bMenu, DWORD dwExStyle);
int WINAPI GetSystemMetrics(int nIndex);
BOOL WINAPI SystemParametersInfoA(UINT uiAction, UINT uiParam, LPVOID pvParam, UINT fWinIni);
BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL WINAPI TranslateMessage(const MSG *lpMsg);
LRESULT WINAPI DispatchMessageA(const MSG *lpMsg);
LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int nExitCode);
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG lpMsg);

// painting, the scroll bar, timers
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *lpRect, BOOL bErase);
HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *lpPaint);
HDC WINAPI GetDC(HWND hWnd);
int WINAPI ReleaseDC(HWND hWnd, HDC hDC);
int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw);
UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// dialogs and message boxes
INT_PTR WINAPI DialogBoxParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
HWND WINAPI CreateDialogParamA(HINSTANCE hInstance, LPCSTR lpTemplateName, HWND hWndParent, DLGPROC lpDialogFunc, LPARAM dwInitParam);
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult);
BOOL WINAPI SetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPCSTR lpString);
UINT WINAPI GetDlgItemTextA(HWND hDlg, int nIDDlgItem, LPSTR lpString, int cchMax);
BOOL WINAPI SetDlgItemInt(HWND hDlg, int nIDDlgItem, UINT uValue, BOOL bSigned);
UINT WINAPI GetDlgItemInt(HWND hDlg, int nIDDlgItem, BOOL *lpTranslated, BOOL bSigned);
BOOL WINAPI CheckRadioButton(HWND hDlg, int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem);
HWND WINAPI SetFocus(HWND hWnd);
LRESULT WINAPI SendDlgItemMessageA(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam);
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString);

// resources, keys, the clipboard
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName);
HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName);
int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);
HMENU WINAPI GetMenu(HWND hWnd);
BOOL WINAPI EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
BOOL WINAPI OpenClipboard(HWND hWndNewOwner);
BOOL WINAPI EmptyClipboard(void);
HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem);
BOOL WINAPI CloseClipboard(void);

#ifdef __cplusplus
}
#endif

#endif
