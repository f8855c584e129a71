// Entry point of tallyvox_e2e.exe: runs the GoogleTest cases, or with --harness-app becomes the
// stand-in program that the driver's own tests drive in a separate process.
#include <gtest/gtest.h>

#include <string_view>

#include "HarnessApp.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == "--harness-app") {
        return tallyvox::e2e::harness::RunHarnessApp();
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
