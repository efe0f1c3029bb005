// resources.h - the files of the program's resources, built into the executable, and the
// resource script read from them once.
//
// On Windows the resource compiler links these into the executable; here the build turns each
// file under res/ into a byte array that registers itself before main() runs.
#ifndef ORBIX_RC_RESOURCES_H
#define ORBIX_RC_RESOURCES_H

#include <optional>
#include <string_view>

#include "rc.h"

namespace rc {

struct EmbeddedFile {
    const char *name;  // file name as the script names it, e.g. "orbix.bmp"
    const unsigned char *data;
    unsigned long size;
};

// Called by a static initialiser of the generated file; the array must outlive the program.
// A name registered again replaces the earlier file.
void RegisterEmbeddedFiles(const EmbeddedFile *files, unsigned long count);

// The bytes of an embedded file; names match ignoring ASCII case, as Windows file names do.
std::optional<std::string_view> EmbeddedFileData(std::string_view name);

// The script "orbix.rc", parsed on first use with its quoted includes taken from the embedded
// files. A missing or unreadable script is a broken build: the program stops with a message
// on stderr.
const Script &ModuleScript();

}  // namespace rc

#endif
