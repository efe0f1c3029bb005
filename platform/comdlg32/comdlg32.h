// comdlg32.h - the COMDLG32 library's own internals, for the test drivers above it.
#ifndef ORBIX_COMDLG32_H
#define ORBIX_COMDLG32_H

#include <windows.h>

#include <QString>

#include <memory>

#include <string>
#include <utility>
#include <vector>

class QPrinter;

namespace comdlg32 {

// What CommDlgExtendedError reports of the last dialog, whichever kind it was.
DWORD &extendedError();
// A printer DC printing on printer (a print dialog's choice, or a test driver's).
HDC printerDc(std::unique_ptr<QPrinter> printer);

// lpstrFilter as (description, patterns) pairs.
std::vector<std::pair<std::string, std::string>> fileFilters(LPCSTR filter);
// Hands back the name a person typed into a file dialog (UTF-8, as the desktop has it): completed
// with lpstrDefExt when it has no extension, then as deliverChosen.
BOOL deliverTypedPath(LPOPENFILENAMEA ofn, const std::string &typed);
// Hands back the name a dialog chose, in Windows-1252, to lpstrFile and lpstrFileTitle. FALSE when
// it does not fit (FNERR_BUFFERTOOSMALL) or holds a character Windows-1252 lacks
// (FNERR_INVALIDFILENAME, lpstrFile then holding the name with '?' in its place).
BOOL deliverChosen(LPOPENFILENAMEA ofn, const QString &path);
// The file dialog itself, for a person (GetSaveFileNameA and GetOpenFileNameA outside tests).
BOOL runFileDialog(LPOPENFILENAMEA ofn, bool save);

}  // namespace comdlg32

#endif
