// USER32 painting: the invalid area is one flag per window (the whole client area), and the
// client image is retained like a screen, so GetDC drawings stay until the next erase.
#include "qt/host.h"

using namespace host;

/* InvalidateRect (user32) */
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *, BOOL bErase) {
    Window *w = win(hWnd);
    if (!w) return FALSE;
    w->invalid = true;
    if (bErase) w->erase = true;
    wake();
    return TRUE;
}

/* BeginPaint (user32) */
HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT ps) {
    Window *w = win(hWnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    ps->fErase = FALSE;
    if (w->erase && !w->image.isNull()) {
        // The class brush erases; a class without one leaves the picture for the program to erase,
        // as Windows does (fErase then tells it so).
        GdiObject *b = w->cls ? gdi(w->cls->wc.hbrBackground) : nullptr;
        if (b && b->type == ObjType::Brush && !b->nullBrush) {
            releasePainters(&w->image);
            w->image.fill(QColor(GetRValue(b->color), GetGValue(b->color), GetBValue(b->color)));
        }
        ps->fErase = TRUE;
    }
    w->erase = false;
    w->invalid = false;
    w->painting = true;
    ps->rcPaint = RECT{0, 0, w->clientW, w->clientH};
    ps->hdc = makeDc(w);
    return ps->hdc;
}

/* EndPaint (user32) */
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *ps) {
    Window *w = win(hWnd);
    if (ps && ps->hdc) freeDc(ps->hdc);
    if (!w) return FALSE;
    w->painting = false;
    showImage(w);
    return TRUE;
}

/* GetDC (user32) */
HDC WINAPI GetDC(HWND hWnd) {
    Window *w = win(hWnd);
    if (!w) return nullptr;
    return makeDc(w);
}

/* ReleaseDC (user32) */
int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    if (!hDC) return 0;
    freeDc(hDC);
    showImage(win(hWnd));
    return 1;
}
