// USER32 scroll bars: the window's standard vertical bar, range 0..100 unless set.
#include "qt/host.h"

#include <QScrollBar>

#include <algorithm>

using namespace host;

/* SetScrollInfo (user32) */
int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO si, BOOL) {
    Window *w = win(hwnd);
    if (!w || !si || nBar != SB_VERT) return 0;
    if (si->fMask & SIF_RANGE) {
        w->scrollMin = si->nMin;
        w->scrollMax = std::max(si->nMin, si->nMax);
    }
    if (si->fMask & SIF_POS) w->scrollPos = si->nPos;
    w->scrollPos = std::clamp(w->scrollPos, w->scrollMin, w->scrollMax);
    if (w->vscroll) {
        QSignalBlocker block(w->vscroll);
        w->vscroll->setRange(w->scrollMin, w->scrollMax);
        w->vscroll->setValue(w->scrollPos);
    }
    return w->scrollPos;
}

/* GetScrollInfo (user32) */
BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO si) {
    Window *w = win(hwnd);
    if (!w || !si || nBar != SB_VERT) return FALSE;
    if (si->fMask & SIF_RANGE) {
        si->nMin = w->scrollMin;
        si->nMax = w->scrollMax;
    }
    if (si->fMask & SIF_POS) si->nPos = w->scrollPos;
    if (si->fMask & SIF_PAGE) si->nPage = 0;
    if (si->fMask & SIF_TRACKPOS) si->nTrackPos = w->vscroll ? w->vscroll->sliderPosition() : w->scrollPos;
    return TRUE;
}
