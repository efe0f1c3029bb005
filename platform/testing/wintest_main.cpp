// main() of every test program: the offscreen application, and layer failures as test failures.
#include <gtest/gtest.h>

#include "testing/wintest.h"

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    wintest::Init(argc, argv);
    wintest::SetFailureHandler([](const std::string &what) { ADD_FAILURE() << what; });
    return RUN_ALL_TESTS();
}
