// The window class and the creation of the main window.
#include "window/janela.h"

#include "state/estado.h"

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

HWND criajanela(HINSTANCE hCopia, int iCmdMostrar) {
    HWND hjan = CreateWindowExA(0, szNomeAplic, "Álgebra Vetorial", WS_OVERLAPPEDWINDOW | WS_VSCROLL,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, NULL, NULL, hCopia,
                                NULL);
    if (!hjan) return NULL;
    hInst = hCopia;
    BMP_Orbix = LoadBitmapA(hInst, "BITMAPOrbix");
    ShowWindow(hjan, iCmdMostrar);
    UpdateWindow(hjan);
    return hjan;
}
