// estado.h - the program-wide state of Orbix: every variable the window, the dialogs, the
// drawing, the calculator and the report share, under the names they all use, with the codes
// stored in them.
#ifndef ORBIX_ESTADO_H
#define ORBIX_ESTADO_H

#include <windows.h>

#include <stdio.h>

// Coordinate systems and angle units. They are the ids of the radio buttons that choose them,
// because the dialogs store the id of the clicked button as it is.
constexpr int CARTESIANO = 101;
constexpr int CILINDRICO = 102;
constexpr int ESFERICO = 103;
constexpr int GRAUS = 105;
constexpr int RADIANOS = 106;

// Display modes held in num.
constexpr int MODO_VETORES = 1;
constexpr int MODO_REGIAO = 2;
constexpr int MODO_ANGULOS = 3;
constexpr int MODO_ESCALARES = 4;
constexpr int MODO_VETORIAIS = 5;
constexpr int MODO_LISTAGEM = 6;
constexpr int MODO_CALCULADORA = 7;
constexpr int MODO_MODULOS = 8;
constexpr int MODO_ABERTURA = 9;
constexpr int MODO_SISTEMAS = 10;

// Scale-label modes held in mostnum.
constexpr int ESCALA_NENHUMA = 0;
constexpr int ESCALA_VETORES = 1;
constexpr int ESCALA_MEDIA = 2;

// Pending calculator operation meaning "none".
constexpr int OPER_NENHUMA = 11;

constexpr int MAXVETORES = 15;

// pi is 3.1415 throughout, so every angle the user sees agrees with every other one.
constexpr double PI = 3.1415;
constexpr double VOLTA_RAD = 6.283;       // phi limit in radians
constexpr double MEIAVOLTA_RAD = 3.1415;  // theta limit in radians
constexpr float VOLTA_GRAUS = 360.0f;
constexpr float MEIAVOLTA_GRAUS = 180.0f;
constexpr float RETO_LISTAGEM = 1.57f;    // angle when the cosine is exactly 0
constexpr double RETO_DESENHO = 1.57075;  // right angle of the drawing
constexpr double ANGULOX_INICIAL = 60 * PI / 180;
constexpr double ANGULOZ_INICIAL = 30 * PI / 180;
// The view turns in steps within these limits: 22.5, 80 and 100 degrees on the pi = 3.1415 scale.
constexpr double PASSO_GIRO = 0.05;
constexpr double GIRO_MIN = 0.3926875;
constexpr double ANGULOX_MAX = 1.3962222222222223;
constexpr double ANGULOZ_MAX = 1.745277777777778;

constexpr int TAMAJUDA = 4300;  // the help text is 4206 bytes

// Vectors and region. Entry k (1..3) of vector i is vetores[k-1][i]; the limits of
// coordinate k are reg[k-1][0] (lower) and reg[k-1][1] (upper).
extern float vetores[3][MAXVETORES];
extern float reg[3][2];
extern int numpt;
extern float vet[3];

// Coordinate system and angle unit.
extern int Scoord;
extern int Medgrau;

// View and window.
extern int num;
extern int inicia;
extern double angulox;
extern double anguloz;
extern int mostnum;
extern int SBPosy;
extern int maxX, maxY;
extern int pox, poy;

// Graphic resources: vector k is drawn with caneta[k] in colour Cor[k].
extern COLORREF Cor[MAXVETORES];
extern HPEN caneta[MAXVETORES];
extern HFONT hFonte;
extern HBITMAP BMP_Orbix;
extern HINSTANCE hInst;
extern HWND hDlgnmodal;

// Text and file.
extern char szNomeAplic[6];
extern char ajuda[TAMAJUDA];
extern char temps[100];
extern char temps2[30];
extern char temps3[30];
extern OPENFILENAMEA fname;
// Room for the longest path the system takes (4,095 bytes on Linux) and its terminator.
constexpr int TAMCAMINHO = 4096;
extern char fn[TAMCAMINHO];
extern char filename[64];
extern FILE *fp;
// The last work file opened or saved, which the work-file dialogs propose.
extern char fntrabalho[TAMCAMINHO];

// End points of the drawn x axis, in reference pixels.
extern float posxini, posxfin, posyini, posyfin;

// Calculator.
extern int oper;
extern int pto;
extern int vets;
extern float numr;
extern char equacao[100];
extern float resultadovet[3];
extern float resultadoesc;
extern int resultadoveto, resultadoesca, resultadoescalar, resultadovetor;
extern int controlvetr, controlvet, controlesc;
extern int contr, contre, result;

// Puts every variable back to the value it has at start. Handles are forgotten (set to null),
// not deleted: whoever created them still owns them.
void reiniciaestado();

#endif
