// USER32 timers: WM_TIMER is posted when a timer elapses.
#include "user32.h"

#include <QTimer>

#include <map>

namespace user32 {

namespace {
struct TimerKey {
    HWND h;
    UINT_PTR id;
    bool operator<(const TimerKey &o) const { return h != o.h ? h < o.h : id < o.id; }
};
std::map<TimerKey, QTimer *> &timers() {
    static auto *t = new std::map<TimerKey, QTimer *>;
    return *t;
}
}  // namespace

void killTimers(HWND h) {
    auto &t = timers();
    for (auto it = t.lower_bound(TimerKey{h, 0}); it != t.end() && it->first.h == h;) {
        it->second->stop();
        it->second->deleteLater();
        it = t.erase(it);
    }
}

bool timerActive(HWND h, UINT_PTR id, UINT *elapse) {
    auto it = timers().find(TimerKey{h, id});
    if (it == timers().end()) return false;
    if (elapse) *elapse = UINT(it->second->interval());
    return true;
}

}  // namespace user32

using namespace user32;

/* SetTimer (user32) */
UINT_PTR WINAPI SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC) {
    if (!win(hWnd)) return 0;
    QTimer *&t = timers()[TimerKey{hWnd, id}];
    if (!t) {
        t = new QTimer;
        QObject::connect(t, &QTimer::timeout, [hWnd, id] {
            if (win(hWnd)) postMessage(hWnd, WM_TIMER, id, 0);
        });
    }
    t->start(int(std::max<UINT>(elapse, 10)));  // Windows rounds tiny periods up as well
    return id;
}

/* KillTimer (user32) */
BOOL WINAPI KillTimer(HWND hWnd, UINT_PTR id) {
    auto it = timers().find(TimerKey{hWnd, id});
    if (it == timers().end()) return FALSE;
    it->second->stop();
    it->second->deleteLater();
    timers().erase(it);
    return TRUE;
}
