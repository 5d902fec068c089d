// Window tests: the toolkit is started once per test process by
// gui_test_main.cpp, with settings in a temporary folder.
#pragma once

#include <wx/event.h>
#include <wx/window.h>

#include <vector>

// Folder that XDG_CONFIG_HOME points at for this test process.
wxString TestConfigDir();

// Path of the settings file the application writes there.
wxString TestConfigFile();

// Forgets the settings object so the next use reads the file afresh.
void ResetConfig();

// Addresses opened by the stand-in browser so far (one per line it was
// started with), waiting up to `timeoutMs` for at least `count` of them.
std::vector<wxString> WaitForLaunches(size_t count, int timeoutMs = 5000);
void ForgetLaunches();

// Sends a command event from `source` as a click or selection would, so it
// travels up to the handlers of the source's parents.
void SendCommand(wxWindow* source, wxEventType type, int intValue = 0);

// Runs pending events (layout, size, paint) for a moment.
void Settle();

// The descendant of `parent` with this window name, cast to T, or null.
template <typename T>
T* FindByName(wxWindow* parent, const wxString& name)
{
    return dynamic_cast<T*>(wxWindow::FindWindowByName(name, parent));
}
