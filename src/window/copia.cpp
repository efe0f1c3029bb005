// The view on the clipboard: the picture as a device-independent bitmap, a listing as text too.
#include "window/janela.h"

#include "draw/display.h"
#include "draw/listagem.h"
#include "state/estado.h"

#include <string.h>

#include <string>

namespace {

// The view as the screen shows it, as a packed 24-bit DIB in memory the clipboard may own. A
// window read back gives one pixel per unit, so on a screen that renders it finer the view is
// drawn again at that resolution, as sharp as the window.
HGLOBAL imagem(HWND hjan) {
    RECT r;
    if (!GetClientRect(hjan, &r) || r.right <= 0 || r.bottom <= 0) return NULL;
    const UINT dpi = GetDpiForWindow(hjan);
    const bool redesenha = dpi > 96;
    // Each unit covers the device pixels whose middles fall inside it, so a half rounds down.
    const int largura = redesenha ? (int(r.right) * int(dpi) + 47) / 96 : r.right;
    const int altura = redesenha ? (int(r.bottom) * int(dpi) + 47) / 96 : r.bottom;
    HDC hdc = GetDC(hjan);
    HDC mem = CreateCompatibleDC(hdc);
    HBITMAP bmp = CreateCompatibleBitmap(hdc, largura, altura);
    HGLOBAL dib = NULL;
    if (mem && bmp) {
        HGDIOBJ antes = SelectObject(mem, bmp);
        if (redesenha) {
            SetMapMode(mem, MM_ISOTROPIC);
            SetWindowExtEx(mem, 96, 96, NULL);  // the screen's own ratio, not one the rounded sizes make
            SetViewportExtEx(mem, int(dpi), int(dpi), NULL);
            Rectangle(mem, -1, -1, r.right + 1, r.bottom + 1);  // white, its outline outside
            display(mem, num);
        } else {
            BitBlt(mem, 0, 0, largura, altura, hdc, 0, 0, SRCCOPY);
        }
        SelectObject(mem, antes);
        BITMAPINFOHEADER cab;
        memset(&cab, 0, sizeof cab);
        cab.biSize = sizeof cab;
        cab.biWidth = largura;
        cab.biHeight = altura;  // bottom-up, as the clipboard expects
        cab.biPlanes = 1;
        cab.biBitCount = 24;
        cab.biCompression = BI_RGB;
        const size_t linha = (size_t(largura) * 3 + 3) / 4 * 4;
        cab.biSizeImage = DWORD(linha * size_t(altura));
        dib = GlobalAlloc(GMEM_MOVEABLE, sizeof cab + cab.biSizeImage);
        char *p = dib ? static_cast<char *>(GlobalLock(dib)) : NULL;
        if (p) {
            memcpy(p, &cab, sizeof cab);
            BITMAPINFO info;
            memset(&info, 0, sizeof info);
            info.bmiHeader = cab;
            const bool ok = GetDIBits(hdc, bmp, 0, UINT(altura), p + sizeof cab, &info, DIB_RGB_COLORS) == altura;
            GlobalUnlock(dib);
            if (!ok) dib = GlobalFree(dib);
        }
    }
    if (bmp) DeleteObject(bmp);
    if (mem) DeleteDC(mem);
    ReleaseDC(hjan, hdc);
    return dib;
}

HGLOBAL texto(const std::string &t) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, t.size() + 1);
    char *p = h ? static_cast<char *>(GlobalLock(h)) : NULL;
    if (!p) return h ? GlobalFree(h) : NULL;
    memcpy(p, t.c_str(), t.size() + 1);
    GlobalUnlock(h);
    return h;
}

// Hands a block to the clipboard, which owns it from then on; kept and freed here otherwise.
bool entrega(UINT formato, HGLOBAL h) {
    if (!h) return false;
    if (SetClipboardData(formato, h)) return true;
    GlobalFree(h);
    return false;
}

}  // namespace

void copiavista(HWND hjan) {
    const std::string listagem = textolistagem(num);
    HGLOBAL figura = imagem(hjan);
    if (!OpenClipboard(hjan)) {
        if (figura) GlobalFree(figura);
        MessageBoxA(hjan, "A área de transferência está sendo usada por outro programa.\nTente copiar de novo.", szNomeAplic,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EmptyClipboard();
    bool ok = entrega(CF_DIB, figura);
    if (!listagem.empty()) ok = entrega(CF_TEXT, texto(listagem)) && ok;
    CloseClipboard();
    if (!ok) MessageBoxA(hjan, "Não foi possível copiar a vista: falta memória.", szNomeAplic, MB_OK | MB_ICONEXCLAMATION);
}
