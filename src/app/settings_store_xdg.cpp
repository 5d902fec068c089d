// The setting on Linux: a file in $XDG_CONFIG_HOME (~/.config/Mindprism.conf),
// as today's desktops expect, rather than the toolkit's ~/.Mindprism.
#include "app/settings_store.h"

#include <wx/stdpaths.h>

void PrepareSettingsStore()
{
    wxStandardPaths::Get().SetFileLayout(wxStandardPaths::FileLayout_XDG);
}
