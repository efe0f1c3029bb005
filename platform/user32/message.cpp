// USER32 messages: the queue, the loop functions, sending and posting.
// Paint messages are not queued: like Windows, GetMessage makes a WM_PAINT for a window with an
// invalid client area when nothing else is waiting.
#include "user32.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEventLoop>

#include <deque>

namespace user32 {

namespace {

// Each message keeps the state of Ctrl, Shift and Alt when it was posted, for GetKeyState, and a
// key down the character its key made, for TranslateMessage.
struct Posted {
    MSG msg;
    unsigned keys;
    char character;
};
std::deque<Posted> &queue() {
    static std::deque<Posted> q;
    return q;
}
unsigned keysNow = 0;
Posted taken{};  // the message the program last took from the queue
bool quitPending = false;
int quitCode = 0;

}  // namespace

void postMessage(HWND h, UINT m, WPARAM wp, LPARAM lp, unsigned keys, char character) {
    MSG msg{};
    msg.hwnd = h;
    msg.message = m;
    msg.wParam = wp;
    msg.lParam = lp;
    queue().push_back(Posted{msg, keys, character});
    host::wake();
}

unsigned messageKeys() { return keysNow; }

void processHostEvents(bool wait) {
    if (!QCoreApplication::instance()) return;
    QCoreApplication::sendPostedEvents();
    // Widgets of destroyed windows go now: there is no Qt event loop level to wait for.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(wait ? QEventLoop::WaitForMoreEvents : QEventLoop::AllEvents);
    freeDestroyedWindows();
}

bool takeMessage(MSG *msg) {
    auto &q = queue();
    while (!q.empty()) {
        Posted p = q.front();
        q.pop_front();
        // Messages for windows destroyed since they were posted are dropped, as Windows does.
        if (p.msg.hwnd && !win(p.msg.hwnd)) continue;
        *msg = p.msg;
        keysNow = p.keys;
        taken = p;
        return true;
    }
    if (quitPending) {
        *msg = MSG{};
        msg->message = WM_QUIT;
        msg->wParam = WPARAM(quitCode);
        quitPending = false;
        return true;
    }
    for (Window *w : liveWindows()) {
        if (w->invalid && !w->painting && w->canvas && w->widget) {
            *msg = MSG{};
            msg->hwnd = hwndOf(w);
            msg->message = WM_PAINT;
            return true;
        }
    }
    return false;
}

void reactivateOwner(HWND owner) {
    Window *o = win(owner);
    if (o && o->widget && o->widget->isVisible()) o->widget->window()->activateWindow();
}

QWidget *ownerWidget(HWND owner) {
    Window *o = win(owner);
    return o && o->widget ? o->widget->window() : nullptr;
}

int runModal(QDialog &dialog, HWND owner, const std::function<void()> &shown) {
    bool done = false;
    int result = 0;
    QObject::connect(&dialog, &QDialog::finished, [&](int r) {
        result = r;
        done = true;
        postMessage(nullptr, WM_NULL, 0, 0);  // wakes the loop, which may be waiting
    });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    dialog.activateWindow();
    if (shown) shown();
    modalLoop([&] { return done; });
    reactivateOwner(owner);
    return result;
}

void modalLoop(const std::function<bool()> &done, HWND dialog) {
    ModalScope scope;
    while (!done()) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            return;
        }
        if (dialog && IsDialogMessageA(dialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace user32

using namespace user32;

/* GetMessageA (user32) */
BOOL WINAPI GetMessageA(LPMSG msg, HWND, UINT, UINT) {
    host::ensureApplication();
    processHostEvents(false);
    while (!takeMessage(msg)) processHostEvents(true);
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

/* TranslateMessage (user32) */
BOOL WINAPI TranslateMessage(const MSG *msg) {
    if (!msg) return FALSE;
    const UINT m = msg->message;
    if (m != WM_KEYDOWN && m != WM_KEYUP && m != WM_SYSKEYDOWN && m != WM_SYSKEYUP) return FALSE;
    const MSG &t = taken.msg;
    const bool fromQueue = t.hwnd == msg->hwnd && t.message == m && t.wParam == msg->wParam && t.lParam == msg->lParam;
    // Windows posts the character where GetMessage finds it before any input still waiting, so
    // it comes between its key's down and up however fast they were typed.
    if (m == WM_KEYDOWN && fromQueue && taken.character) {
        MSG c = *msg;
        c.message = WM_CHAR;
        c.wParam = WPARAM(static_cast<unsigned char>(taken.character));
        queue().push_front(Posted{c, taken.keys, 0});
        taken.character = 0;  // translated once
        host::wake();
    }
    return TRUE;
}

/* DispatchMessageA (user32) */
LRESULT WINAPI DispatchMessageA(const MSG *msg) {
    if (!msg || !msg->hwnd) return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

/* SendMessageA (user32) */
LRESULT WINAPI SendMessageA(HWND hWnd, UINT m, WPARAM wp, LPARAM lp) {
    Window *w = win(hWnd);
    return w && w->proc ? w->proc(hWnd, m, wp, lp) : 0;
}

/* PostQuitMessage (user32) */
void WINAPI PostQuitMessage(int code) {
    quitPending = true;
    quitCode = code;
    host::wake();
}

/* IsDialogMessageA (user32) */
BOOL WINAPI IsDialogMessageA(HWND hDlg, LPMSG msg) {
    Window *d = win(hDlg);
    if (!d || !msg || !d->isDialog) return FALSE;
    // Keys reach the dialog's widgets directly through Qt; what is left in the queue for the
    // dialog or its controls is handled here, the rest goes back to the caller.
    Window *t = win(msg->hwnd);
    if (!t || (t != d && t->owner != d)) return FALSE;
    DispatchMessageA(msg);
    return TRUE;
}
