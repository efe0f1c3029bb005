// stored.h - expectations kept as files beside the tests: a text (a trace of GDI calls, a listing,
// a report) or the client picture, compared with the stored one.
//
// On a difference the actual text or picture is written under the build's "differences" folder,
// with a picture of the pixels that differ, and the failure names the files. With
// ORBIX_UPDATE_STORED=1 in the environment the stored files are rewritten instead, so that an
// intended change shows in review as a diff of the stored data.
#ifndef ORBIX_STORED_H
#define ORBIX_STORED_H

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testing/wintest.h"

namespace wintest {

// True while the stored files are being rewritten.
bool UpdatingStored();

// text against the file at path (bytes compared as they are).
::testing::AssertionResult MatchesStoredText(const std::string &path, const std::string &text);
// The client picture of hwnd at device resolution against the PNG at path.
::testing::AssertionResult MatchesStoredImage(const std::string &path, HWND hwnd);

// The calls one a line, as a reviewer reads them: texts from Windows-1252 to UTF-8.
std::string Trace(const std::vector<GdiCall> &calls);

}  // namespace wintest

#endif
