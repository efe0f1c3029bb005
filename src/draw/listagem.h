// listagem.h - the text listings (angles, dot and cross products, moduli, the vectors with the
// region, every vector in the three systems) and the lines they are made of.
//
// Each line kind has one function that builds its text from the program-wide state; the window
// draws it and the report writes it, so the two can never disagree. The functions read the
// tables and never write them: the unit conversions of the vector and region lines are made on
// copies, so nothing is left to undo.
#ifndef ORBIX_LISTAGEM_H
#define ORBIX_LISTAGEM_H

#include <windows.h>

#include <stddef.h>

#include <string>
#include <vector>

// A report record's text holds at most TAMLINHA - 1 bytes, one formatted number at most
// TAMPECA - 1: longer texts are cut there, never written past. A listing's line is never cut:
// TAMLINHAINTEIRA holds the longest any listing makes (a cross product of the largest floats).
constexpr size_t TAMLINHA = 100;
constexpr size_t TAMLINHAINTEIRA = 512;
constexpr size_t TAMPECA = 30;

// Where the listings stand, in device pixels (they do not follow the window size).
constexpr int LISTA_X = 30;
constexpr int LISTA_Y = 30;
constexpr int LISTA_PASSO = 16;    // between lines
constexpr int LISTA_ROLAGEM = 10;  // per scroll unit of SBPosy

// Titles of the vector list and of the region block, by the current coordinate system.
const char *titulovetores();
const char *tituloregiao();

// The lines. Each writes into dest (cut to fit size, always terminated) and returns the length.
// i and j are vector numbers 0..numpt-1, k a coordinate 0..2.
// Vector i with its angle entries in radians whatever the unit of entry.
size_t linhavetor(char *dest, size_t size, int i);
// Limits of coordinate k with angle limits in degrees whatever the unit of entry.
size_t linharegiao(char *dest, size_t size, int k);
// "indefinido" in place of the angle when a vector has modulus 0.
size_t linhaangulo(char *dest, size_t size, int i, int j);
size_t linhaescalar(char *dest, size_t size, int i, int j);
size_t linhavetorial(char *dest, size_t size, int i, int j);
size_t linhamodulo(char *dest, size_t size, int i);

// Number of vectors the listings cover: numpt held to 0..MAXVETORES.
int vetoreslistados();

// One line of a listing where it stands on the reference canvas before scrolling: a line that
// rola moves up LISTA_ROLAGEM pixels per scroll unit; novobloco marks the first line of a block
// set apart from the one before it (the region after the vectors).
struct LinhaListagem {
    int x, y;
    bool rola, novobloco;
    std::string texto;
};

// Every line of listing mode modo (MODO_ANGULOS, MODO_ESCALARES, MODO_VETORIAIS, MODO_LISTAGEM,
// MODO_MODULOS, MODO_SISTEMAS) in reading order, not only those on screen: the one source the window, the
// clipboard and the printout all take the listing from. Empty for any other mode, and when there
// is nothing to list.
std::vector<LinhaListagem> linhaslistagem(int modo);

// Whether mode modo is a listing, and the scroll position (SBPosy) that brings its last line up
// to where its first one stands: the end of its scroll range (0 when nothing in it scrolls).
bool elistagem(int modo);
int fimrolagem(int modo);

// The whole listing as text: every line ended with CR LF, a block set apart by an empty line;
// "" when there is nothing to list.
std::string textolistagem(int modo);

// Draws listing mode modo (any of linhaslistagem's) into hdc; any other mode draws nothing.
void desenhalistagem(HDC hdc, int modo);

#endif
