// The coordinate system and the angle unit on their own. Nothing stored is converted: the
// numbers are read in the new system from now on.
#include "dialogs/dialogos.h"

#include "resource.h"
#include "state/estado.h"
#include "state/vetorial.h"

INT_PTR CALLBACK DlgProcCoord(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (msg) {
    case WM_INITDIALOG: mostrasistema(hDlg); return TRUE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        switch (id) {
        case IDOK:
            // The region's limits are now read as limits of the new system.
            verificaregiao(hDlg);
            EndDialog(hDlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(hDlg, 0); return TRUE;
        }
        if (escolhesistema(hDlg, id)) return TRUE;
        break;
    }
    }
    return FALSE;
}
