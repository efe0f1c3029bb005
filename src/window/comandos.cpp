// The menu commands.
#include "window/janela.h"

#include "calc/calculadora.h"
#include "dialogs/dialogos.h"
#include "print/impressao.h"
#include "report/relatorio.h"
#include "resource.h"
#include "state/estado.h"
#include "state/historico.h"
#include "state/vetorial.h"
#include "trabalho/trabalho.h"
#include "window/ajuda.h"

#include <string.h>

namespace {

void redesenha(HWND hjan) { InvalidateRect(hjan, NULL, TRUE); }

// An undone or redone step: the state it restores is shown, a listing from its top, the
// calculator afresh (its keys may name vectors no longer there).
void voltaa(HWND hjan) {
    mostrarolagem(hjan);
    if (num == MODO_CALCULADORA) {
        iniciacalc();
        resultadoveto = 0;
        contr = 1;
        contre = 1;
    }
    redesenha(hjan);
}

// The vector chosen in the index dialog, or -1 when it was cancelled.
int escolhevetor(HWND hjan) { return int(DialogBoxParamA(hInst, "entidx", hjan, DlgProcEntIdx, 0)) - 1; }

void editavetor(HWND hjan) {
    const int k = escolhevetor(hjan);
    if (k < 0) return;
    const float proprio[3] = {vetores[0][k], vetores[1][k], vetores[2][k]};
    if (DialogBoxParamA(hInst, "entvt", hjan, DlgProcEntPt, LPARAM(proprio)))
        for (int e = 0; e < 3; e++) vetores[e][k] = vet[e];
}

void acrescentavetor(HWND hjan) {
    if (numpt >= MAXVETORES || !DialogBoxParamA(hInst, "entvt", hjan, DlgProcEntPt, 0)) return;
    for (int e = 0; e < 3; e++) vetores[e][numpt] = vet[e];
    numpt++;
}

// The later vectors move down one place; the column freed at the end is cleared.
void removevetor(HWND hjan) {
    const int k = escolhevetor(hjan);
    if (k < 0) return;
    for (int e = 0; e < 3; e++) {
        for (int i = k; i + 1 < numpt; i++) vetores[e][i] = vetores[e][i + 1];
        vetores[e][numpt - 1] = 0;
    }
    numpt--;
}

bool regiaoentrada() {
    for (auto &par : reg)
        if (par[0] != 0 || par[1] != 0) return true;
    return false;
}

// Every vector becomes the same point written in the system and unit chosen. A region is not a
// box of the same shape in another system, so its limits stay as typed, and the user is told.
void convertevetores(HWND hjan) {
    Sistema escolha = {Scoord, Medgrau};
    if (!DialogBoxParamA(hInst, "entreg", hjan, DlgProcConverte, LPARAM(&escolha))) return;
    for (int i = 0; i < numpt; i++) {
        const float e[3] = {vetores[0][i], vetores[1][i], vetores[2][i]};
        float c[3];
        convertevetor(Scoord, Medgrau, e, escolha.sistema, escolha.unidade, c);
        for (int k = 0; k < 3; k++) vetores[k][i] = c[k];
    }
    Scoord = escolha.sistema, Medgrau = escolha.unidade;
    if (regiaoentrada())
        MessageBoxA(hjan,
                    "Os vetores foram convertidos. Os limites da região ficam como foram digitados "
                    "e passam a ser lidos no novo sistema.",
                    szNomeAplic, MB_OK | MB_ICONINFORMATION);
}

void executa(HWND hjan, int id) {
    switch (id) {
    case IDM_SALVAR:
        if (salvadados(hjan)) redesenha(hjan);
        break;
    case IDM_ABRIRTRAB: abrirtrabalho(hjan); break;
    case IDM_SALVARTRAB: salvartrabalho(hjan); break;
    case IDM_SALVARCOMO: salvartrabalhocomo(hjan); break;
    case IDM_COPIAR: copiavista(hjan); break;
    case IDM_IMPRIMIR: imprimir(hjan); break;
    case IDM_SAIR: SendMessageA(hjan, WM_CLOSE, 0, 0); break;
    case IDM_PONTOS:
        if (DialogBoxParamA(hInst, "entnpt", hjan, DlgProcEntNPt, 0)) {
            for (int k = 0; k < numpt; k++) {
                // A cancelled vector keeps what its column held; the series goes on.
                if (DialogBoxParamA(hInst, "entvt", hjan, DlgProcEntPt, 0))
                    for (int e = 0; e < 3; e++) vetores[e][k] = vet[e];
            }
        }
        num = MODO_VETORES;
        redesenha(hjan);
        break;
    case IDM_EDITARVET:
    case IDM_ACRESCVET:
    case IDM_REMOVERVET:
        if (id == IDM_EDITARVET)
            editavetor(hjan);
        else if (id == IDM_ACRESCVET)
            acrescentavetor(hjan);
        else
            removevetor(hjan);
        num = MODO_VETORES;
        redesenha(hjan);
        break;
    case IDM_CONVERTER:
        convertevetores(hjan);
        redesenha(hjan);
        break;
    case IDM_LIMITES:
        if (DialogBoxParamA(hInst, "entlim", hjan, DlgProcEntLim, 0)) num = MODO_REGIAO;
        redesenha(hjan);
        break;
    case IDM_COORD:
        if (DialogBoxParamA(hInst, "entreg", hjan, DlgProcCoord, 0)) redesenha(hjan);
        break;
    case IDM_AJUDA: abreajuda(hjan); break;
    case IDM_SOBRE: mostrasobre(hjan); break;
    case IDM_DESENHARVET:
        if (numpt != 0) {
            num = MODO_VETORES;
            redesenha(hjan);
        }
        break;
    case IDM_DESENHARREG:
        num = MODO_REGIAO;
        redesenha(hjan);
        break;
    case IDM_ESCVETORES:
        mostnum = ESCALA_VETORES;
        redesenha(hjan);
        break;
    case IDM_ESCMEDIA:
        mostnum = ESCALA_MEDIA;
        redesenha(hjan);
        break;
    case IDM_NAOMOSTRAR:
        mostnum = ESCALA_NENHUMA;
        redesenha(hjan);
        break;
    case IDM_VERVET:
        num = MODO_LISTAGEM;
        redesenha(hjan);
        break;
    case IDM_ANGULO:
        num = MODO_ANGULOS;
        redesenha(hjan);
        break;
    case IDM_MODULO:
        num = MODO_MODULOS;
        redesenha(hjan);
        break;
    case IDM_ESCALAR:
        num = MODO_ESCALARES;
        redesenha(hjan);
        break;
    case IDM_VETORIAL:
        num = MODO_VETORIAIS;
        redesenha(hjan);
        break;
    case IDM_SISTEMAS:
        num = MODO_SISTEMAS;
        redesenha(hjan);
        break;
    case IDM_CALC:
        num = MODO_CALCULADORA;
        iniciacalc();
        resultadoveto = 0;
        contr = 1;
        contre = 1;
        redesenha(hjan);
        break;
    case IDM_DIREITA:
        angulox += PASSO_GIRO;
        if (angulox > ANGULOX_MAX) angulox = ANGULOX_MAX;
        redesenha(hjan);
        break;
    case IDM_ESQUERDA:
        angulox -= PASSO_GIRO;
        if (angulox < GIRO_MIN) angulox = GIRO_MIN;
        redesenha(hjan);
        break;
    case IDM_CIMA:
        anguloz -= PASSO_GIRO;
        if (anguloz < GIRO_MIN) anguloz = GIRO_MIN;
        redesenha(hjan);
        break;
    case IDM_BAIXO:
        anguloz += PASSO_GIRO;
        if (anguloz > ANGULOZ_MAX) anguloz = ANGULOZ_MAX;
        redesenha(hjan);
        break;
    default: break;  // the dialogs, the calculator, the report and the help arrive with their own work
    }
}

}  // namespace

void atualizajanela(HWND hjan) {
    SetWindowTextA(hjan, titulojanela().c_str());
    mostrarolagem(hjan);
    HMENU menu = GetMenu(hjan);
    EnableMenuItem(menu, IDM_DESFAZER, MF_BYCOMMAND | (podedesfazer() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REFAZER, MF_BYCOMMAND | (poderefazer() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_EDITARVET, MF_BYCOMMAND | (numpt > 0 ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REMOVERVET, MF_BYCOMMAND | (numpt > 0 ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_CONVERTER, MF_BYCOMMAND | (numpt > 0 ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_ACRESCVET, MF_BYCOMMAND | (numpt < MAXVETORES ? MF_ENABLED : MF_GRAYED));
}

// Every command may change the work, whichever dialog or key it came from: the history sees the
// state before and after each, and keeps a step only where the work changed.
void comando(HWND hjan, int id) {
    if (id == IDM_DESFAZER || id == IDM_REFAZER) {
        if (id == IDM_DESFAZER ? desfaz() : refaz()) voltaa(hjan);
    } else {
        const Instante antes = instanteatual();
        executa(hjan, id);
        // A listing of a work that changed starts at its top.
        if (registrapasso(antes) && SBPosy != 0) {
            SBPosy = 0;
            redesenha(hjan);
        }
    }
    atualizajanela(hjan);
}
