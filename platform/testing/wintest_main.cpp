// main() of every test program: the offscreen application, and layer failures as test failures.
#include <gtest/gtest.h>

#include "testing/wintest.h"

// Under LeakSanitizer: fontconfig and D-Bus keep caches for the life of the process on purpose.
extern "C" const char *__lsan_default_suppressions() { return "leak:libfontconfig.so\nleak:libdbus-1.so\n"; }

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    wintest::Init(argc, argv);
    wintest::SetFailureHandler([](const std::string &what) { ADD_FAILURE() << what; });
    return RUN_ALL_TESTS();
}
