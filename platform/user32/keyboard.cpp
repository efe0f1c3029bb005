// USER32 keyboard: key messages from Qt key events, the modifiers of the message being handled,
// accelerator tables.
#include "user32.h"
#include "rc.h"
#include "resources.h"

#include <set>

namespace user32 {

// The keys the program reads: letters, the arrows, Page Up and Down, Home and End, F1, and the
// modifiers.
int virtualKey(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    switch (k) {
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_End: return VK_END;
    case Qt::Key_F1: return VK_F1;
    default: return 0;
    }
}

void postKey(HWND h, int qtKey, unsigned keys, bool press, bool autoRepeat) {
    int vk = virtualKey(qtKey);
    if (!vk) return;
    // lParam as Windows gives it: repeat count 1, bit 29 with Alt, bit 30 when the key was down
    // already (auto-repeat), bit 31 on release.
    DWORD lp = 1;
    if (keys & KeyAlt) lp |= 1u << 29;
    if (autoRepeat || !press) lp |= 1u << 30;
    if (!press) lp |= 1u << 31;
    UINT m = (keys & KeyAlt) && vk != VK_MENU ? (press ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (press ? WM_KEYDOWN : WM_KEYUP);
    postMessage(h, m, WPARAM(vk), LPARAM(lp), keys);
}

}  // namespace user32

namespace {

// Whether a modifier was down when the message being handled was posted.
bool keyDown(int vk) {
    using namespace user32;
    unsigned k = messageKeys();
    bool down = (vk == VK_CONTROL && (k & KeyControl)) || (vk == VK_SHIFT && (k & KeyShift)) || (vk == VK_MENU && (k & KeyAlt));
    return down;
}

std::set<const rc::AcceleratorTable *> &tables() {
    static auto *s = new std::set<const rc::AcceleratorTable *>;
    return *s;
}
}  // namespace

using namespace user32;

/* LoadAcceleratorsA (user32) */
HACCEL WINAPI LoadAcceleratorsA(HINSTANCE, LPCSTR name) {
    if (!name || IS_INTRESOURCE(name)) return nullptr;
    const rc::AcceleratorTable *t = rc::ModuleScript().acceleratorTable(name);
    if (!t) return nullptr;
    tables().insert(t);
    return reinterpret_cast<HACCEL>(const_cast<rc::AcceleratorTable *>(t));
}

/* TranslateAcceleratorA (user32) */
int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL h, LPMSG msg) {
    auto *t = reinterpret_cast<const rc::AcceleratorTable *>(h);
    if (!msg || !win(hWnd) || !tables().count(t)) return 0;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return 0;
    const bool control = keyDown(VK_CONTROL), shift = keyDown(VK_SHIFT), alt = keyDown(VK_MENU);
    for (const rc::Accelerator &a : t->keys) {
        if (WPARAM(a.key) != msg->wParam || a.control != control || a.shift != shift || alt) continue;
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(a.id, 1), 0);
        return 1;
    }
    return 0;
}
