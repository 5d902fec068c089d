// Test main for code that needs wxBase only: no display.
#include <wx/init.h>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    wxInitializer toolkit;
    if (!toolkit.IsOk())
        return 1;
    return RUN_ALL_TESTS();
}
