// Test main for code that needs wxBase only: no display.
#include <wx/init.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer toolkit;
    if (!toolkit.IsOk())
    {
        // A suite that fails before its first test says why, rather than
        // ending without a word.
        std::fprintf(stderr, "cannot start the toolkit's base library\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}
