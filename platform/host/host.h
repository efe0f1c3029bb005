// host.h - what every library of the layer shares over Qt: the application, text between
// Windows-1252 and Unicode, the command line as Windows passes it, and waking a waiting loop.
// The libraries' own internals are in their own headers (gdi32.h, user32.h); the test hooks in
// hooks.h.
#ifndef ORBIX_HOST_H
#define ORBIX_HOST_H

#include <windows.h>

#include <QString>

#include <string>

#include "hooks.h"

namespace host {

QString fromAnsi(const char *s, int len = -1);  // Windows-1252 bytes to Unicode
std::string toAnsi(const QString &s);           // Unicode to Windows-1252 ('?' when unmappable)

// The arguments the Qt application will be made with (kept, so they outlive it).
void setArguments(int argc, char **argv);
// Starts the Qt application the first time the window system is needed (the tests start it
// themselves); numbers stay in the "C" locale whatever the user's language. Where there is no
// display at all (no X server or Wayland session named, and no platform asked for), it starts
// without one, for what needs no window (printing to a file, its fonts), and no window opens.
void ensureApplication();
bool windowless();
// argv[1..] as one Windows command line: each argument quoted where it must be, so that
// CommandLineToArgv-style splitting gives the arguments back.
std::string windowsCommandLine(int argc, char **argv);
// The program's module handle, as WinMain gets it.
HINSTANCE moduleInstance();

// Wakes a message loop blocked waiting for Qt events.
void wake();

}  // namespace host

#endif
