// wingdi.h - the GDI32 subset this layer implements: exactly what the program calls.
// Implements: CreatePen (PS_SOLID), CreateFontA, GetStockObject (WHITE_BRUSH), SelectObject
// (pens, fonts, and bitmaps into memory DCs), DeleteObject, MoveToEx, LineTo, Rectangle,
// TextOutA, CreateCompatibleDC, CreateCompatibleBitmap, DeleteDC, BitBlt (SRCCOPY), GetDIBits
// (24-bit bottom-up rows), SetMapMode (MM_TEXT, MM_ISOTROPIC), SetWindowExtEx, SetViewportExtEx
// (positive extents), SetViewportOrgEx, GetDeviceCaps (HORZRES, VERTRES, LOGPIXELSX, LOGPIXELSY),
// CreateDCA (the "Microsoft Print to PDF" printer), StartDocA, StartPage, EndPage, EndDoc,
// AbortDoc.
// Printing: a printer DC draws every call as vector graphics on its pages, in the mapping mode's
// units (a pen's width and a font's height are units too, so the picture keeps its proportions
// at any scale), text as text. The layer's "Microsoft Print to PDF" writes A4 pages at 600 dots
// an inch with no margins to DOCINFOA.lpszOutput, which is written whole at EndDoc or not at all.
// Differences from Win32: a rectangle is filled with the white brush every DC has; text is black
// on an opaque white box; fonts resolve through fontconfig, "Times New Roman" to the
// metric-compatible Liberation Serif and any other face to Liberation Sans.
// GDI scaling is always on, as Windows 10 1703 gives it to a program whose manifest declares it:
// a window DC takes logical coordinates and renders at the screen's device pixel ratio r (pens r
// times wider, text in the font scaled by r, a bitmap stretched smoothly); BitBlt keeps logical
// coordinates on both sides. Memory DCs are not scaled but by a mapping mode: under MM_ISOTROPIC
// a DC renders as a window does at the ratio of its viewport to its window extent (the smaller
// of the two axes'), so a bitmap of the device size gets the very pixels the scaled window shows.
#ifndef ORBIX_WINGDI_H
#define ORBIX_WINGDI_H

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

#define PS_SOLID 0
#define WHITE_BRUSH 0
#define SRCCOPY (DWORD)0x00CC0020
#define BI_RGB 0L
#define DIB_RGB_COLORS 0
#define MM_TEXT 1
#define MM_ISOTROPIC 7
#define HORZRES 8
#define VERTRES 10
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SP_ERROR (-1)

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO, *LPBITMAPINFO;

typedef struct _DOCINFOA {
    int cbSize;
    LPCSTR lpszDocName;
    LPCSTR lpszOutput;
    LPCSTR lpszDatatype;
    DWORD fwType;
} DOCINFOA;
typedef struct _devicemodeA DEVMODEA;  // the program passes none: a printer's own settings

HPEN WINAPI CreatePen(int iStyle, int cWidth, COLORREF color);
HFONT WINAPI CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic, DWORD bUnderline,
                         DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision, DWORD iQuality, DWORD iPitchAndFamily,
                         LPCSTR pszFaceName);
HGDIOBJ WINAPI GetStockObject(int i);
HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h);
BOOL WINAPI DeleteObject(HGDIOBJ ho);
BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
BOOL WINAPI LineTo(HDC hdc, int x, int y);
BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c);
HDC WINAPI CreateCompatibleDC(HDC hdc);
HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int cx, int cy);
int WINAPI GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits, LPBITMAPINFO lpbmi, UINT usage);
BOOL WINAPI DeleteDC(HDC hdc);
BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);
int WINAPI SetMapMode(HDC hdc, int iMode);
BOOL WINAPI SetWindowExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL WINAPI SetViewportExtEx(HDC hdc, int x, int y, LPSIZE lpsz);
BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
int WINAPI GetDeviceCaps(HDC hdc, int index);
HDC WINAPI CreateDCA(LPCSTR pszDriver, LPCSTR pszDevice, LPCSTR pszPort, const DEVMODEA *pdm);
int WINAPI StartDocA(HDC hdc, const DOCINFOA *lpdi);
int WINAPI StartPage(HDC hdc);
int WINAPI EndPage(HDC hdc);
int WINAPI EndDoc(HDC hdc);
int WINAPI AbortDoc(HDC hdc);

#ifdef __cplusplus
}
#endif

#endif
