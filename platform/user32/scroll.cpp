// USER32 scroll bars: the window's vertical bar, of range 0..100 until the program sets one; the
// program sets its thumb.
#include "user32.h"

#include <QScrollBar>

#include <algorithm>

using namespace user32;

/* SetScrollInfo (user32) */
// A range with nothing to scroll leaves the bar in place, disabled: as SIF_DISABLENOSCROLL asks,
// and as this layer does without it too (a bar that came and went would resize the client area).
int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO si, BOOL) {
    Window *w = win(hwnd);
    if (!w || !si || nBar != SB_VERT) return 0;
    if (si->fMask & SIF_RANGE) w->scrollMin = si->nMin, w->scrollMax = std::max(si->nMin, si->nMax);
    if (si->fMask & SIF_POS) w->scrollPos = std::clamp(si->nPos, w->scrollMin, w->scrollMax);
    if (w->vscroll) {
        QSignalBlocker block(w->vscroll);
        w->vscroll->setRange(w->scrollMin, w->scrollMax);
        w->vscroll->setValue(w->scrollPos);
        w->vscroll->setEnabled(w->scrollMax > w->scrollMin);
    }
    return w->scrollPos;
}
