// janela.h - the main window: its class, its creation and its window procedure.
#ifndef ORBIX_JANELA_H
#define ORBIX_JANELA_H

#include <windows.h>

// The timer that holds the start-up picture on screen before the vector view takes its place.
constexpr UINT_PTR ID_ABERTURA = 1;
constexpr UINT TEMPO_ABERTURA = 1500;  // milliseconds

// Registers the window class "Orbix"; 0 when it cannot be registered.
ATOM registraclasse(HINSTANCE hCopia);
// Creates the main window (WM_CREATE runs inside), stores hInst, loads the start-up picture,
// shows the window and paints it once. Null when the window cannot be created.
HWND criajanela(HINSTANCE hCopia, int iCmdMostrar);

LRESULT CALLBACK ProcJan(HWND hjan, UINT iMsg, WPARAM wParam, LPARAM lParam);

// The keys of the main window (accelerator table "Orbix"), loaded with the window.
extern HACCEL hAceleradores;
// One turn of the message loop: the help dialog takes its own keys first, then the keys of the
// main window become its commands, then the rest is dispatched.
void despachamensagem(HWND hjan, MSG *msg);

// Puts the view on the clipboard: the picture always, and in a listing the whole listing as
// text. A clipboard another program holds is reported in a message box.
void copiavista(HWND hjan);
// The scroll bar's thumb where SBPosy says.
void mostrarolagem(HWND hjan);
// The menu commands (WM_COMMAND, by the low word of wParam), each one undoable step when it
// changed the work.
void comando(HWND hjan, int id);
// The title for the work and its file, the scroll bar for the view; greys the menu items that
// have nothing to act on: undo and redo with no step, editing and removing with no vector, adding
// with the table full.
void atualizajanela(HWND hjan);

#endif
