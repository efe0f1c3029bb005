// estado.cpp - the program-wide variables with their start values.
#include "state/estado.h"

#include "state/historico.h"

#include <string.h>

// One list for the start value and for reiniciaestado, so the two cannot drift apart.
#define CORES_INICIAIS                                                                                                     \
    RGB(255, 0, 0), RGB(0, 0, 255), RGB(0, 255, 0), RGB(0, 0, 0), RGB(200, 100, 255), RGB(255, 180, 0), RGB(80, 20, 255),  \
        RGB(200, 255, 60), RGB(100, 100, 0), RGB(100, 200, 155), RGB(255, 180, 120), RGB(130, 80, 205), RGB(100, 155, 90), \
        RGB(90, 200, 30), RGB(20, 190, 155)

float vetores[3][MAXVETORES];
float reg[3][2];
int numpt = 0;
float vet[3];

int Scoord = CARTESIANO;
int Medgrau = GRAUS;

int num = MODO_ABERTURA;
int inicia = 1;
double angulox = ANGULOX_INICIAL;
double anguloz = ANGULOZ_INICIAL;
int mostnum = ESCALA_VETORES;
int SBPosy = 0;
int maxX = 0, maxY = 0;
int pox = 0, poy = 0;

COLORREF Cor[MAXVETORES] = {CORES_INICIAIS};
HPEN caneta[MAXVETORES];
HFONT hFonte = NULL;
HBITMAP BMP_Orbix = NULL;
HINSTANCE hInst = NULL;
HWND hDlgnmodal = NULL;

char szNomeAplic[6] = "Orbix";
char ajuda[TAMAJUDA];
char temps[100];
char temps2[30];
char temps3[30];
OPENFILENAMEA fname;
char fn[TAMCAMINHO];
char filename[64];
FILE *fp = NULL;
char fntrabalho[TAMCAMINHO];

float posxini, posxfin, posyini, posyfin;

int oper = OPER_NENHUMA;
int pto = 1;
int vets = 0;
float numr = 0;
char equacao[100];
float resultadovet[3];
float resultadoesc = 0;
int resultadoveto = 0, resultadoesca = 0, resultadoescalar = 0, resultadovetor = 0;
int controlvetr = 0, controlvet = 0, controlesc = 0;
int contr = 0, contre = 0, result = 0;

void reiniciaestado() {
    static const COLORREF corinicial[MAXVETORES] = {CORES_INICIAIS};

    memset(vetores, 0, sizeof vetores);
    memset(reg, 0, sizeof reg);
    numpt = 0;
    memset(vet, 0, sizeof vet);

    Scoord = CARTESIANO;
    Medgrau = GRAUS;

    num = MODO_ABERTURA;
    inicia = 1;
    angulox = ANGULOX_INICIAL;
    anguloz = ANGULOZ_INICIAL;
    mostnum = ESCALA_VETORES;
    SBPosy = 0;
    maxX = maxY = 0;
    pox = poy = 0;

    memcpy(Cor, corinicial, sizeof Cor);
    for (HPEN &c : caneta) c = NULL;
    hFonte = NULL;
    BMP_Orbix = NULL;
    hInst = NULL;
    hDlgnmodal = NULL;

    strcpy(szNomeAplic, "Orbix");
    memset(ajuda, 0, sizeof ajuda);
    memset(temps, 0, sizeof temps);
    memset(temps2, 0, sizeof temps2);
    memset(temps3, 0, sizeof temps3);
    memset(&fname, 0, sizeof fname);
    memset(fn, 0, sizeof fn);
    memset(filename, 0, sizeof filename);
    memset(fntrabalho, 0, sizeof fntrabalho);
    fp = NULL;

    posxini = posxfin = posyini = posyfin = 0;

    oper = OPER_NENHUMA;
    pto = 1;
    vets = 0;
    numr = 0;
    memset(equacao, 0, sizeof equacao);
    memset(resultadovet, 0, sizeof resultadovet);
    resultadoesc = 0;
    resultadoveto = resultadoesca = resultadoescalar = resultadovetor = 0;
    controlvetr = controlvet = controlesc = 0;
    contr = contre = result = 0;
    esquecehistorico();
}
