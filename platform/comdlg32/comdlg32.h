// comdlg32.h - the COMDLG32 library's own internals, for the test drivers above it.
#ifndef ORBIX_COMDLG32_H
#define ORBIX_COMDLG32_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace comdlg32 {

// lpstrFilter as (description, patterns) pairs.
std::vector<std::pair<std::string, std::string>> fileFilters(LPCSTR filter);
// Hands back the name a person typed into a file dialog: completed with lpstrDefExt when it has
// no extension, then written to lpstrFile and lpstrFileTitle. FALSE if it does not fit.
BOOL deliverTypedPath(LPOPENFILENAMEA ofn, const std::string &typed);
// The file dialog itself, for a person (GetSaveFileNameA and GetOpenFileNameA outside tests).
BOOL runFileDialog(LPOPENFILENAMEA ofn, bool save);

}  // namespace comdlg32

#endif
