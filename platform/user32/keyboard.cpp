// USER32 keyboard: key messages from Qt key events, GetKeyState, accelerator tables.
#include "qt/host.h"
#include "rc/rc.h"
#include "rc/resources.h"

#include <set>

using namespace host;

int host::virtualKey(int k) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return '0' + (k - Qt::Key_0);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12) return VK_F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

void host::postKey(HWND h, int qtKey, unsigned keys, bool press, bool autoRepeat) {
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

/* GetKeyState (user32) */
SHORT WINAPI GetKeyState(int vk) {
    unsigned k = messageKeys();
    bool down = (vk == VK_CONTROL && (k & KeyControl)) || (vk == VK_SHIFT && (k & KeyShift)) ||
                (vk == VK_MENU && (k & KeyAlt));
    return down ? SHORT(0x8000) : 0;
}

namespace {
std::set<const rc::AcceleratorTable *> &tables() {
    static auto *s = new std::set<const rc::AcceleratorTable *>;
    return *s;
}
}  // namespace

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
    bool control = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0, alt = GetKeyState(VK_MENU) < 0;
    for (const rc::Accelerator &a : t->keys) {
        if (!a.virtkey || WPARAM(a.key) != msg->wParam) continue;
        if (a.control != control || a.shift != shift || a.alt != alt) continue;
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(a.id, 1), 0);
        return 1;
    }
    return 0;
}
