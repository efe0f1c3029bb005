// The vector calculator: keypad layout, press feedback, release rules and the evaluation made
// at repaint time.
#include "calc/calculadora.h"

#include "canvas/tela.h"
#include "state/estado.h"
#include "state/vetorial.h"

#include <limits>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// A key on the reference canvas: left, top, right, bottom.
struct Tecla {
    int esq, topo, dir, base;
};

Tecla teclavetor(int j) {
    const int col = j / 5, lin = j % 5;
    return {185 + 50 * col, 163 + 35 * lin, 230 + 50 * col, 190 + 35 * lin};
}

Tecla tecladigito(int d) {
    const int lin = d / 5, col = d % 5;
    return {185 + 30 * col, 355 + 35 * lin, 205 + 30 * col, 377 + 35 * lin};
}

Tecla teclaoperador(int k) { return {355, 160 + 30 * k, 385, 185 + 30 * k}; }

constexpr int OPERADOR_PONTO = 0;
constexpr int OPERADOR_VEZES = 6;
constexpr int OPERADOR_IGUAL = 7;
constexpr int OPERADOR_LIMPA = 8;
constexpr int NUM_OPERADORES = 9;
constexpr char ROTULOS_OPERADORES[] = ",+-X./x=";

// The operation a key 1..5 chooses after a number and after a vector.
constexpr int OPER_POR_ESCALAR[6] = {0, 0, 1, OPER_NENHUMA, OPER_NENHUMA, 4};
constexpr int OPER_POR_VETOR[6] = {0, 6, 7, 2, 3, 9};

// Divisors below this are refused: with the keypad it means a typed 0.
constexpr double DIVISOR_MINIMO = 9e-7;

// The edges are compared unrounded, so at any window size a point on an edge is outside.
bool contem(const Tecla &t, int x, int y) {
    const Tela tela = telaatual();
    const float px = float(x), py = float(y);
    return px > t.esq * tela.maxx && px < t.dir * tela.maxx && py > t.topo * tela.maxy && py < t.base * tela.maxy;
}

// Whether a key answers a press or a release now: a crossed-out vector never does, the decimal
// point only while the number has none.
bool responde(const TeclaCalc &t) {
    switch (t.grupo) {
    case TeclaCalc::DIGITO: return true;
    case TeclaCalc::VETOR: return t.indice < numpt && t.indice < MAXVETORES;
    case TeclaCalc::OPERADOR: return t.indice != OPERADOR_PONTO || pto == 1;
    default: return false;
    }
}

Tecla retangulo(const TeclaCalc &t) {
    switch (t.grupo) {
    case TeclaCalc::DIGITO: return tecladigito(t.indice);
    case TeclaCalc::VETOR: return teclavetor(t.indice);
    default: return teclaoperador(t.indice);
    }
}

void linha(HDC hdc, const Tela &t, int x0, int y0, int x1, int y1) {
    MoveToEx(hdc, t.x(x0), t.y(y0), NULL);
    LineTo(hdc, t.x(x1), t.y(y1));
}

void diagonais(HDC hdc, const Tela &t, const Tecla &k) {
    linha(hdc, t, k.esq, k.topo, k.dir, k.base);
    linha(hdc, t, k.esq, k.base, k.dir, k.topo);
}

void moldura(HDC hdc, const Tela &t, const Tecla &k) { Rectangle(hdc, t.x(k.esq), t.y(k.topo), t.x(k.dir), t.y(k.base)); }

void texto(HDC hdc, const Tela &t, int x, int y, const char *s) { TextOutA(hdc, t.x(x), t.y(y), s, int(strlen(s))); }

// Set when a piece of the typed text did not fit: from then on the number stays as it was
// until an operator key starts the next one. Only meaningful while temps3 holds text.
bool temps3cheio = false;

bool acrescentanumero(const char *pedaco) {
    if (temps3[0] == '\0') temps3cheio = false;
    const size_t len = strlen(temps3), n = strlen(pedaco);
    if (temps3cheio || len + n >= sizeof temps3) {
        temps3cheio = true;
        return false;
    }
    memcpy(temps3 + len, pedaco, n + 1);
    return true;
}

void esvazianumero() {
    temps3[0] = '\0';
    temps3cheio = false;
}

// A double rounded to float as IEEE arithmetic does; beyond the float range C++ leaves the
// plain conversion undefined, so the infinity it would round to is given explicitly.
float paraflutuante(double v) {
    constexpr double ARREDONDA_INFINITO = 0x1.ffffffp127;  // FLT_MAX plus half its last step
    constexpr float INF = std::numeric_limits<float>::infinity();
    if (v >= ARREDONDA_INFINITO) return INF;
    if (v <= -ARREDONDA_INFINITO) return -INF;
    return float(v);
}

void vetorguardado(int j, float b[3]) {
    for (int k = 0; k < 3; k++) b[k] = (j >= 0 && j < MAXVETORES) ? vetores[k][j] : 0.0f;
}

void mostranumero(float v) { snprintf(equacao, sizeof equacao, "%f", v); }

void mostravetor(const float v[3]) { textovetor(equacao, sizeof equacao, NULL, v, Scoord); }

void operador(int k) {
    pto = 1;
    if (resultadoescalar == 1 && resultadoesca == 0 && contre == 1) resultadoesca = 1;
    if (k >= 1 && k <= 5) {
        if (resultadoescalar == 1)
            oper = OPER_POR_ESCALAR[k];
        else if (resultadovetor == 1)
            oper = OPER_POR_VETOR[k];
    } else if (k == 6) {
        oper = 5;
    } else if (k == OPERADOR_IGUAL) {
        result = 1;
        // A pending multiplication involving a vector becomes the vector form.
        if (oper == 5 && resultadovetor == 1) {
            oper = 8;
            controlesc = controlvet != 0 ? 1 : 0;
        } else if (oper == 5 && controlesc != 0 && controlvetr != 0) {
            oper = 8;
        }
    } else if (k == OPERADOR_LIMPA) {
        iniciacalc();
    }
    esvazianumero();
}

void resultadonumero() {
    mostranumero(resultadoesc);
    resultadoescalar = 1;
    resultadovetor = 0;
    controlesc = 0;
    controlvetr = 0;
    pto = 1;
}

void resultadovetorial() {
    mostravetor(resultadovet);
    resultadoescalar = 0;
    resultadovetor = 1;
    controlvetr = 1;
    pto = 1;
}

// The error keeps every operand and flag, so the equation goes on from the same state.
void divisaoporzero() { snprintf(equacao, sizeof equacao, "%s", "Erro de divisão por zero!"); }

void avalia() {
    float b[3];
    vetorguardado(vets, b);
    float *a = resultadovet;
    const double s = resultadoesc, n = numr;
    switch (oper) {
    case 0:
        resultadoesc = paraflutuante(n + s);
        resultadonumero();
        break;
    case 1:
        resultadoesc = paraflutuante(s - n);
        resultadonumero();
        break;
    case 2:
        produtovetorial(a, b, a);
        resultadovetorial();
        break;
    case 3:
        resultadoesc = produtoescalarcalc(a, b);
        resultadonumero();
        break;
    case 4:
        if (n < DIVISOR_MINIMO) {
            divisaoporzero();
            break;
        }
        resultadoesc = paraflutuante(s / n);
        resultadonumero();
        break;
    case 5:
        resultadoesc = paraflutuante(s * n);
        resultadonumero();
        break;
    case 6:
        somavet(a, b, a);
        resultadovetorial();
        break;
    case 7:
        subtraivet(a, b, a);
        resultadovetorial();
        break;
    case 8:
        if (controlesc != 0) {
            multiplicavet(numr, a, a);
        } else {
            multiplicavet(resultadoesc, b, a);
            controlesc = 1;
        }
        resultadovetorial();
        break;
    case 9:
        if (n < DIVISOR_MINIMO) {
            divisaoporzero();
            break;
        }
        dividevet(a, numr, a);
        resultadovetorial();
        break;
    default: break;  // no operation pending: the line keeps its text
    }
}

void desenhateclado(HDC hdc, const Tela &t) {
    char rotulo[16];
    for (int j = 0; j < MAXVETORES; j++) {
        const Tecla v = teclavetor(j);
        moldura(hdc, t, v);
        snprintf(rotulo, sizeof rotulo, "V(%d)", j);
        texto(hdc, t, 190 + 50 * (j / 5), 166 + 35 * (j % 5), rotulo);
        if (j >= numpt) diagonais(hdc, t, v);
        if (j < 10) {
            moldura(hdc, t, tecladigito(j));
            snprintf(rotulo, sizeof rotulo, "%d", j);
            texto(hdc, t, 190 + 30 * (j % 5), 357 + 35 * (j / 5), rotulo);
        }
    }
    linha(hdc, t, 180, 430, 345, 430);
    linha(hdc, t, 345, 160, 345, 445);
    linha(hdc, t, 345, 278, 400, 278);
    linha(hdc, t, 345, 217, 400, 217);
    linha(hdc, t, 345, 367, 400, 367);
    for (int k = 0; k < NUM_OPERADORES; k++) {
        moldura(hdc, t, teclaoperador(k));
        if (k < OPERADOR_LIMPA) {
            snprintf(rotulo, sizeof rotulo, "%c", ROTULOS_OPERADORES[k]);
            texto(hdc, t, 364, 162 + 30 * k, rotulo);
        }
    }
    linha(hdc, t, 355, 400, 385, 425);
    linha(hdc, t, 355, 425, 385, 400);
    Rectangle(hdc, t.x(130), t.y(110), t.x(450), t.y(155));
}

// The keyboard's part: the key each held key pressed (acting when that key comes up), and the
// vector key being typed.
struct Segura {
    bool baixa;
    TeclaCalc tecla;
};
Segura seguras[256];
int ultimatecla = 0;             // the virtual key of the last key down, whose character follows
bool caractereignorado = false;  // that key was read by itself; its character is not a key
bool prefixov = false;           // a V was typed: a digit names a vector key
bool esperav1 = false;           // V1 with more than ten vectors, waiting for a second digit

// A V1 that waited acts as V(1), with its repaint, before anything else goes down.
void completaespera(HWND hjan) {
    prefixov = false;
    if (!esperav1) return;
    esperav1 = false;
    soltatecla({TeclaCalc::VETOR, 1});
    InvalidateRect(hjan, NULL, TRUE);
    UpdateWindow(hjan);
}

void pressiona(HWND hjan, TeclaCalc t) {
    marcatecla(hjan, t);
    seguras[ultimatecla] = {true, t};
}

// The key a character types: the labels of the keypad, and the aliases a keyboard offers.
TeclaCalc teclapelocaractere(char c) {
    if (c >= '0' && c <= '9') return {TeclaCalc::DIGITO, c - '0'};
    const char *rotulo = c ? strchr(ROTULOS_OPERADORES, c) : NULL;
    if (rotulo) return {TeclaCalc::OPERADOR, int(rotulo - ROTULOS_OPERADORES)};
    switch (c) {
    case '*': return {TeclaCalc::OPERADOR, OPERADOR_VEZES};
    case '\r': return {TeclaCalc::OPERADOR, OPERADOR_IGUAL};
    case '\x1b': return {TeclaCalc::OPERADOR, OPERADOR_LIMPA};
    default: return {TeclaCalc::NENHUMA, 0};
    }
}

bool caractere(HWND hjan, char c) {
    const bool digito = c >= '0' && c <= '9';
    if (esperav1 && c >= '0' && c <= '4') {
        esperav1 = false;
        pressiona(hjan, {TeclaCalc::VETOR, 10 + (c - '0')});
        return true;
    }
    if (prefixov && digito) {
        const TeclaCalc v = {TeclaCalc::VETOR, c - '0'};
        if (c == '1' && numpt > 10) {
            pressiona(hjan, v);
            seguras[ultimatecla].tecla = {TeclaCalc::NENHUMA, 0};  // it acts once its wait ends
            esperav1 = true;
        } else {
            pressiona(hjan, v);
        }
        return true;
    }
    if (c == 'V' || c == 'v') {
        completaespera(hjan);
        prefixov = true;
        return true;
    }
    const TeclaCalc t = teclapelocaractere(c);
    if (t.grupo == TeclaCalc::NENHUMA) {
        completaespera(hjan);
        return false;
    }
    pressiona(hjan, t);
    return true;
}

}  // namespace

void iniciacalc() {
    numr = 0;
    oper = OPER_NENHUMA;
    pto = 1;
    resultadoescalar = 0;
    resultadovetor = 1;
    resultadoesc = 0;
    resultadovet[0] = resultadovet[1] = resultadovet[2] = 0;
    contr = 1;
    resultadoveto = 0;
    contre = 1;
    resultadoesca = 0;
    equacao[0] = '\0';
    temps[0] = '\0';
    prefixov = esperav1 = false;
}

TeclaCalc teclaem(int x, int y) {
    for (int d = 0; d < 10; d++)
        if (contem(tecladigito(d), x, y)) return {TeclaCalc::DIGITO, d};
    for (int j = 0; j < MAXVETORES; j++)
        if (contem(teclavetor(j), x, y)) return {TeclaCalc::VETOR, j};
    for (int k = 0; k < NUM_OPERADORES; k++)
        if (contem(teclaoperador(k), x, y)) return {TeclaCalc::OPERADOR, k};
    return {TeclaCalc::NENHUMA, 0};
}

void marcatecla(HWND hjan, TeclaCalc t) {
    completaespera(hjan);
    if (!responde(t)) return;
    HDC hdc = GetDC(hjan);
    if (!hdc) return;
    diagonais(hdc, telaatual(), retangulo(t));
    ReleaseDC(hjan, hdc);
}

void soltatecla(TeclaCalc t) {
    temps2[0] = '\0';
    if (!responde(t)) return;
    switch (t.grupo) {
    case TeclaCalc::DIGITO: {
        const char digito[2] = {char('0' + t.indice), '\0'};
        if (!acrescentanumero(digito)) break;
        numr = paraflutuante(atof(temps3));
        resultadoescalar = 1;
        resultadovetor = 0;
        mostranumero(numr);
        controlesc = 1;
        break;
    }
    case TeclaCalc::VETOR: {
        vets = t.indice;
        // The index joins the typed text, so a digit right after it continues that number.
        char indice[12];
        snprintf(indice, sizeof indice, "%d", t.indice);
        acrescentanumero(indice);
        resultadovetor = 1;
        resultadoescalar = 0;
        if (resultadoveto == 0 && contr == 1) resultadoveto = 1;
        controlvet = 1;
        break;
    }
    case TeclaCalc::OPERADOR:
        if (t.indice != OPERADOR_PONTO)
            operador(t.indice);
        else if (acrescentanumero("."))
            pto = 0;
        break;
    case TeclaCalc::NENHUMA: break;
    }
}

bool teclacalculadora(HWND hjan, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Held keys act once, as a held button does: the repeats of a key down are ignored.
    const bool repeticao = (lParam & (LPARAM(1) << 30)) != 0;
    switch (msg) {
    case WM_KEYDOWN: {
        if (num != MODO_CALCULADORA) return false;
        ultimatecla = int(wParam & 0xFF);
        caractereignorado = false;
        // The keypad's decimal key makes "," or "." by the keyboard's layout, and "." is the dot
        // product: the key is read, its character dropped. Delete makes no character.
        const TeclaCalc t = wParam == VK_DECIMAL  ? TeclaCalc{TeclaCalc::OPERADOR, OPERADOR_PONTO}
                            : wParam == VK_DELETE ? TeclaCalc{TeclaCalc::OPERADOR, OPERADOR_LIMPA}
                                                  : TeclaCalc{TeclaCalc::NENHUMA, 0};
        if (t.grupo == TeclaCalc::NENHUMA) return false;
        caractereignorado = true;
        if (!repeticao) pressiona(hjan, t);
        return true;
    }
    case WM_CHAR: {
        if (num != MODO_CALCULADORA) return false;
        if (caractereignorado) {
            caractereignorado = false;
            return true;
        }
        if (repeticao) return teclapelocaractere(char(wParam)).grupo != TeclaCalc::NENHUMA;
        return caractere(hjan, char(wParam));
    }
    case WM_KEYUP: {
        Segura &s = seguras[wParam & 0xFF];
        if (!s.baixa) return false;
        s.baixa = false;
        soltatecla(s.tecla);
        InvalidateRect(hjan, NULL, TRUE);
        return true;
    }
    default: return false;
    }
}

void desenhacalculadora(HDC hdc) {
    SelectObject(hdc, hFonte);
    const Tela t = telaatual();
    linha(hdc, t, 180, 337, 400, 337);

    // The first operand of each kind is taken once, at the paint after its key.
    if (resultadoveto == 1 && contr == 1) {
        vetorguardado(vets, resultadovet);
        resultadoveto = 0;
        contr = 0;
        resultadovetor = 1;
    }
    if (resultadoesca == 1 && contre == 1) {
        resultadoesc = numr;
        resultadoesca = 0;
        contre = 0;
        resultadoescalar = 1;
    }

    desenhateclado(hdc, t);

    if (result != 0) {
        result = 0;
        avalia();
    } else if (resultadoescalar == 1 && oper == OPER_NENHUMA) {
        mostranumero(numr);
    } else if (resultadovetor == 1 && controlvet == 1) {
        controlvet = 0;
        float b[3];
        vetorguardado(vets, b);
        mostravetor(b);
    }
    equacao[sizeof equacao - 1] = '\0';
    texto(hdc, t, 140, 130, equacao);
}
