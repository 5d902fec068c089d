// The setting on Linux: a file in $XDG_CONFIG_HOME (~/.config/Mindprism.conf),
// as today's desktops expect, rather than the toolkit's ~/.Mindprism.
#include "app/settings_store.h"

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/stdpaths.h>

void PrepareSettingsStore()
{
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
    // The store writes its file but makes no folder for it: on an account
    // without one, the first start's language choice would not be kept.
    const wxString folder = wxStandardPaths::Get().GetUserConfigDir();
    if (!folder.empty() && !wxFileName::DirExists(folder))
    {
        wxLogNull quiet;  // a store that cannot be written says so when it is
        wxFileName::Mkdir(folder, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    }
}
