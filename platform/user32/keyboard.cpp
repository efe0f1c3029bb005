// USER32 keyboard: key messages from Qt key events, the modifiers of the message being handled,
// accelerator tables.
#include "user32.h"
#include "rc.h"
#include "resources.h"

#include <QKeyEvent>

#include <set>

namespace user32 {

// The keys the program reads: letters and digits, the arrows, Page Up and Down, Home and End, F1,
// Enter, Esc, Delete, the modifiers, the keypad, and the punctuation the calculator types. Qt
// names a key by the symbol it made, so a punctuation key is known by both of its symbols and
// given the code of its place on a US keyboard ('*' being Shift+8 there).
int virtualKey(int k, bool keypad) {
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return 'A' + (k - Qt::Key_A);
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return (keypad ? VK_NUMPAD0 : '0') + (k - Qt::Key_0);
    if (keypad) {
        switch (k) {
        case Qt::Key_Asterisk: return VK_MULTIPLY;
        case Qt::Key_Plus: return VK_ADD;
        case Qt::Key_Minus: return VK_SUBTRACT;
        case Qt::Key_Slash: return VK_DIVIDE;
        case Qt::Key_Period:
        case Qt::Key_Comma: return VK_DECIMAL;  // which of the two it makes is the layout's
        case Qt::Key_Enter: return VK_RETURN;
        default: break;  // the rest of the keypad (its arrows, Home, End) is the keys themselves
        }
    }
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
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return VK_OEM_PLUS;
    case Qt::Key_Comma:
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Period:
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Slash:
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_Asterisk: return '8';
    default: return 0;
    }
}

void postKey(HWND h, const QKeyEvent &e, bool press) {
    int vk = virtualKey(e.key(), e.modifiers() & Qt::KeypadModifier);
    if (!vk) return;
    unsigned keys = 0;
    if (e.modifiers() & Qt::ControlModifier) keys |= KeyControl;
    if (e.modifiers() & Qt::ShiftModifier) keys |= KeyShift;
    if (e.modifiers() & Qt::AltModifier) keys |= KeyAlt;
    // lParam as Windows gives it: repeat count 1, bit 29 with Alt, bit 30 when the key was down
    // already (auto-repeat), bit 31 on release.
    DWORD lp = 1;
    if (keys & KeyAlt) lp |= 1u << 29;
    if (e.isAutoRepeat() || !press) lp |= 1u << 30;
    if (!press) lp |= 1u << 31;
    UINT m = (keys & KeyAlt) && vk != VK_MENU ? (press ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (press ? WM_KEYDOWN : WM_KEYUP);
    // The character rides with the key down, for TranslateMessage: one that Windows-1252 holds;
    // Delete's DEL is no character on Windows.
    char character = 0;
    const std::string text = press && e.text().size() == 1 ? host::toAnsi(e.text()) : std::string();
    if (text.size() == 1 && text[0] != '\x7f') character = text[0];
    postMessage(h, m, WPARAM(vk), LPARAM(lp), keys, character);
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
