// Program entry: the command line, the main window and the message loop.
#include "window/janela.h"
#include "window/linhacmd.h"

#include "state/estado.h"
#include "trabalho/trabalho.h"

int WINAPI WinMain(HINSTANCE hCopia, HINSTANCE hCopiaAnt, LPSTR szLinhaCmd, int iCmdMostrar) {
    (void)hCopiaAnt;
    const Opcoes opcoes = leopcoes(szLinhaCmd);
    const int saida = respondeopcoes(opcoes, stdout, stderr);
    if (saida >= 0) return saida;
    if (!registraclasse(hCopia)) return 0;
    HWND hjan = criajanela(hCopia, iCmdMostrar);
    if (!hjan) return semjanela(stderr);
    // Opened behind the start-up picture, which then gives way to it; a file that cannot be
    // opened is reported over the picture and leaves the program as it starts.
    if (!opcoes.trabalho.empty() && abretrabalho(hjan, opcoes.trabalho.c_str())) atualizajanela(hjan);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0)) despachamensagem(hjan, &msg);
    return (int)msg.wParam;
}
