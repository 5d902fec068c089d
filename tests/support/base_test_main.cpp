// Test main for code that needs wxBase only: no display.
#include <wx/init.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer toolkit;
    if (!toolkit.IsOk()) {
        // Said aloud: a suite that fails before its first test must not
        // look like one that printed nothing.
        std::fprintf(stderr, "cannot start the toolkit's base library\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
