// USER32 scroll bars: the window's vertical bar, of range 0..100; the program sets its thumb.
#include "user32.h"

#include <QScrollBar>

#include <algorithm>

using namespace user32;

/* SetScrollInfo (user32) */
int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO si, BOOL) {
    Window *w = win(hwnd);
    if (!w || !si || nBar != SB_VERT) return 0;
    if (si->fMask & SIF_POS) w->scrollPos = std::clamp(si->nPos, 0, 100);
    if (w->vscroll) {
        QSignalBlocker block(w->vscroll);
        w->vscroll->setValue(w->scrollPos);
    }
    return w->scrollPos;
}
