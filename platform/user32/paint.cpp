// USER32 painting: the invalid area is one flag per window (the whole client area), and the
// client image is retained like a screen, so GetDC drawings stay until the next erase.
#include "user32.h"

namespace user32 {
void showImage(Window *w) {
    if (w && w->canvas) w->canvas->update();
}
}  // namespace user32

using namespace user32;

/* InvalidateRect (user32) */
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT *, BOOL bErase) {
    Window *w = win(hWnd);
    if (!w) return FALSE;
    w->invalid = true;
    if (bErase) w->erase = true;
    host::wake();
    return TRUE;
}

/* BeginPaint (user32) */
HDC WINAPI BeginPaint(HWND hWnd, LPPAINTSTRUCT ps) {
    Window *w = win(hWnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    ps->fErase = FALSE;
    if (w->erase && !w->client.image.isNull()) {
        // The class brush erases; a class without one leaves the picture for the program to erase,
        // as Windows does (fErase then tells it so).
        gdi32::GdiObject *b = w->cls ? gdi32::gdi(w->cls->wc.hbrBackground) : nullptr;
        if (b && b->type == gdi32::ObjType::Brush) {
            gdi32::releasePainters(&w->client.image);
            w->client.image.fill(gdi32::qcolor(b->color));
        }
        ps->fErase = TRUE;
    }
    w->erase = false;
    w->invalid = false;
    w->painting = true;
    ps->rcPaint = RECT{0, 0, w->client.width, w->client.height};
    ps->hdc = gdi32::makeDc(&w->client);
    return ps->hdc;
}

/* EndPaint (user32) */
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT *ps) {
    Window *w = win(hWnd);
    if (ps && ps->hdc) gdi32::freeDc(ps->hdc);
    if (!w) return FALSE;
    w->painting = false;
    showImage(w);
    return TRUE;
}

/* GetDC (user32) */
HDC WINAPI GetDC(HWND hWnd) {
    Window *w = win(hWnd);
    return w ? gdi32::makeDc(&w->client) : nullptr;
}

/* ReleaseDC (user32) */
int WINAPI ReleaseDC(HWND hWnd, HDC hDC) {
    if (!hDC) return 0;
    gdi32::freeDc(hDC);
    showImage(win(hWnd));
    return 1;
}
