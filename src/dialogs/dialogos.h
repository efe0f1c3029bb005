// dialogos.h - the modal dialogs that take the data: the number of vectors ("entnpt"), one
// vector with the coordinate system and angle unit ("entvt"), the region limits ("entlim") and
// the coordinate system alone ("entreg", also the system to convert to). Each ends with 1 after
// OK and 0 after Cancel. And which vector ("entidx"), which ends with the index plus 1 after OK,
// 0 after Cancel.
#ifndef ORBIX_DIALOGOS_H
#define ORBIX_DIALOGOS_H

#include <windows.h>

INT_PTR CALLBACK DlgProcEntNPt(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Shows vet, the last vector confirmed, as "%5.2f"; or, with an lParam, the three floats it
// points to, each in the shortest form that reads back to the same float.
INT_PTR CALLBACK DlgProcEntPt(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Only the index of a vector in use ends it with OK; another number is answered with a message
// box and the dialog stays.
INT_PTR CALLBACK DlgProcEntIdx(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DlgProcEntLim(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DlgProcCoord(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// A system and an angle unit, by their button ids.
struct Sistema {
    int sistema, unidade;
};
// "entreg" for converting: lParam points to a Sistema that shows checked at first and holds
// the one chosen after OK. The clicks only mark the choice; Cancel leaves the Sistema as it was.
INT_PTR CALLBACK DlgProcConverte(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The radio buttons of the system and the unit, shared by "entvt" and "entreg": a click stores
// its id in Scoord or Medgrau at once (Cancel keeps it) and checks it in its group. False for
// any other control.
bool escolhesistema(HWND hDlg, int id);
// Checks the buttons of the system and the unit in force.
void mostrasistema(HWND hDlg);

#endif
