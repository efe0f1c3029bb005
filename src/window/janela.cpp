// The window class and the creation of the main window.
#include "window/janela.h"

#include "draw/listagem.h"
#include "state/estado.h"
#include "state/historico.h"

ATOM registraclasse(HINSTANCE hCopia) {
    WNDCLASSA wndclass;
    wndclass.style = CS_HREDRAW | CS_VREDRAW;
    wndclass.lpfnWndProc = ProcJan;
    wndclass.cbClsExtra = 0;
    wndclass.cbWndExtra = 0;
    wndclass.hInstance = hCopia;
    wndclass.hIcon = LoadIconA(hCopia, "ICON_Orbix");
    wndclass.hCursor = LoadCursorA(NULL, IDC_CROSS);
    wndclass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wndclass.lpszMenuName = szNomeAplic;
    wndclass.lpszClassName = szNomeAplic;
    return RegisterClassA(&wndclass);
}

// The picture is laid out on a 1024 x 768 client area: the window opens at that size when the
// work area has room for it, wherever the system placed it, so the picture first appears at its
// reference size.
static void tamanhoreferencia(HWND hjan) {
    RECT r = {0, 0, 1024 + GetSystemMetrics(SM_CXVSCROLL), 768};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW | WS_VSCROLL, TRUE, 0);
    RECT area;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) return;
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w > area.right - area.left || h > area.bottom - area.top) return;
    RECT atual;
    GetWindowRect(hjan, &atual);
    // Kept where the system put it unless part of it would then lie outside the work area.
    int x = atual.left < area.left || atual.left + w > area.right ? area.left : atual.left;
    int y = atual.top < area.top || atual.top + h > area.bottom ? area.top : atual.top;
    SetWindowPos(hjan, NULL, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND criajanela(HINSTANCE hCopia, int iCmdMostrar) {
    HWND hjan = CreateWindowExA(0, szNomeAplic, "Álgebra Vetorial", WS_OVERLAPPEDWINDOW | WS_VSCROLL, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hCopia, NULL);
    if (!hjan) return NULL;
    tamanhoreferencia(hjan);
    hInst = hCopia;
    BMP_Orbix = LoadBitmapA(hInst, "BITMAPOrbix");
    hAceleradores = LoadAcceleratorsA(hInst, szNomeAplic);
    marcasalvo();
    atualizajanela(hjan);
    ShowWindow(hjan, iCmdMostrar);
    UpdateWindow(hjan);
    return hjan;
}

HACCEL hAceleradores = NULL;

void despachamensagem(HWND hjan, MSG *msg) {
    // The help dialog lives beside the main window: its keys (Tab, Enter) need the loop.
    if (IsDialogMessageA(hDlgnmodal, msg)) return;
    // In a listing the keys that move through text move through it (the arrows turn the view
    // in the drawings).
    if (msg->hwnd == hjan && msg->message == WM_KEYDOWN && elistagem(num)) {
        static const struct {
            WPARAM tecla;
            int codigo;
        } teclas[] = {{VK_UP, SB_LINEUP},     {VK_DOWN, SB_LINEDOWN}, {VK_PRIOR, SB_PAGEUP},
                      {VK_NEXT, SB_PAGEDOWN}, {VK_HOME, SB_TOP},      {VK_END, SB_BOTTOM}};
        for (const auto &t : teclas)
            if (msg->wParam == t.tecla) {
                SendMessageA(hjan, WM_VSCROLL, MAKEWPARAM(t.codigo, 0), 0);
                return;
            }
    }
    if (hAceleradores && TranslateAcceleratorA(hjan, hAceleradores, msg)) return;
    TranslateMessage(msg);
    DispatchMessageA(msg);
}
