// Program entry: the main window and the message loop.
#include "window/janela.h"

#include "state/estado.h"

int WINAPI WinMain(HINSTANCE hCopia, HINSTANCE hCopiaAnt, LPSTR szLinhaCmd, int iCmdMostrar) {
    (void)hCopiaAnt;
    (void)szLinhaCmd;
    if (!registraclasse(hCopia)) return 0;
    if (!criajanela(hCopia, iCmdMostrar)) return 0;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) {
        // The help dialog lives beside the main window: its keys (Tab, Enter) need the loop.
        if (!IsDialogMessageA(hDlgnmodal, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return (int)msg.wParam;
}
