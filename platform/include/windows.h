// windows.h - umbrella header of the Win32 subset this program is written against.
// The program under src/ includes only this; on Windows the real SDK header takes its place.
#ifndef ORBIX_WINDOWS_H
#define ORBIX_WINDOWS_H

#include "windef.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"
#include "commdlg.h"

#ifdef __cplusplus
extern "C" {
#endif
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nShowCmd);
#ifdef __cplusplus
}
#endif

#endif
