// Where the setting lives on Linux: an account without a settings folder
// gets one, so that the first start's language choice is kept, and a choice
// that cannot be stored says so.
#include "ui_test_util.h"

#include "app/language.h"
#include "app/settings_store.h"

#include <wx/config.h>
#include <wx/dir.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/utils.h>

TEST(SettingsFolder, AnAccountWithoutOneGetsItAndTheFirstChoiceIsKept)
{
    TempDir home;
    wxString before;
    ASSERT_TRUE(wxGetEnv(wxS("XDG_CONFIG_HOME"), &before));
    const wxString folder = home.File(wxS("config"));
    wxSetEnv(wxS("XDG_CONFIG_HOME"), folder);
    delete wxConfigBase::Set(nullptr);  // the next Get() makes the store afresh
    PrepareSettingsStore();
    EXPECT_TRUE(wxFileName::DirExists(folder));
    EXPECT_TRUE(SaveUiLanguage(wxLANGUAGE_ENGLISH));
    EXPECT_TRUE(wxDir(folder).HasFiles());

    // Where no folder can be made (a file is in the way), nothing pretends.
    wxSetEnv(wxS("XDG_CONFIG_HOME"), home.Write(wxS("in-the-way"), "") + wxS("/config"));
    delete wxConfigBase::Set(nullptr);
    PrepareSettingsStore();
    {
        wxLogNull quiet;
        EXPECT_FALSE(SaveUiLanguage(wxLANGUAGE_ENGLISH));
        delete wxConfigBase::Set(nullptr);
    }
    wxSetEnv(wxS("XDG_CONFIG_HOME"), before);
}
