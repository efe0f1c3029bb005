// USER32 windows by handle. A handle is never given again: a stale one (a message posted to a
// window since destroyed, a handle kept after DestroyWindow) finds nothing rather than a newer
// window that happens to sit at the same address. The memory of a destroyed window goes once
// its widgets are gone, so a program that opens dialogs all day keeps a handful of windows, not
// every window it ever made. The tables are never destroyed, which keeps them usable to the end.
#include "user32.h"

#include <algorithm>
#include <unordered_map>

namespace user32 {

namespace {
struct Registry {
    std::unordered_map<HWND, Window *> byHandle;
    std::vector<Window *> order;  // creation order, destroyed windows included until freed
    uintptr_t nextHandle = 0x10010;
    int modalDepth = 0;
};
Registry &registry() {
    static auto *r = new Registry;
    return *r;
}
}  // namespace

Window *win(HWND h) {
    if (!h) return nullptr;
    auto &m = registry().byHandle;
    auto it = m.find(h);
    if (it == m.end()) return nullptr;
    return it->second->destroyed ? nullptr : it->second;
}

std::vector<Window *> liveWindows() {
    std::vector<Window *> out;
    for (Window *w : registry().order)
        if (!w->destroyed) out.push_back(w);
    return out;
}

void registerWindow(Window *w) {
    Registry &r = registry();
    // Multiples of 4, as Windows gives them; far below any address, so never mistaken for one.
    w->handle = reinterpret_cast<HWND>(r.nextHandle);
    r.nextHandle += 4;
    r.byHandle[w->handle] = w;
    r.order.push_back(w);
}

void freeDestroyedWindows() {
    Registry &r = registry();
    if (r.modalDepth > 0) return;
    // Controls go with their dialog (DestroyWindow never destroys a control alone); a window
    // goes when its widget, and so every child widget that could still reach it, is deleted,
    // and no DC draws on it any more.
    auto unreachable = [](const Window *w) { return !w->widget && w->client.openDcs == 0; };
    std::vector<Window *> dead;
    for (Window *w : r.order)
        if (w->destroyed && !w->isControl && unreachable(w) && std::all_of(w->controls.begin(), w->controls.end(), unreachable)) {
            dead.push_back(w);
            dead.insert(dead.end(), w->controls.begin(), w->controls.end());
        }
    if (dead.empty()) return;
    std::sort(dead.begin(), dead.end());
    std::erase_if(r.order, [&dead](Window *w) { return std::binary_search(dead.begin(), dead.end(), w); });
    for (Window *w : dead) {
        r.byHandle.erase(w->handle);
        delete w;
    }
}

ModalScope::ModalScope() { ++registry().modalDepth; }
ModalScope::~ModalScope() { --registry().modalDepth; }

Window *childById(Window *dlg, int id) {
    if (!dlg) return nullptr;
    for (Window *c : dlg->controls)
        if (c->ctrlId == id && !c->destroyed) return c;
    return nullptr;
}

}  // namespace user32
