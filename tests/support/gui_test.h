// Window tests: the toolkit is started once per test process by
// gui_test_main.cpp, with a settings store of the process's own.
#pragma once

#include <wx/event.h>
#include <wx/window.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Every window test process has a stand-in program as its default browser
// and mail program: it records the arguments of each start and does nothing
// else, so no test starts a real browser.
// The arguments of one start of the stand-in program, in UTF-8.
using Launch = std::vector<std::string>;

// Starts of the stand-in program so far, in order, once there are at least
// `count` of them or `timeoutMs` has passed.
std::vector<Launch> WaitForLaunches(size_t count, int timeoutMs = 20000);
void ForgetLaunches();

// Waits until no program started by this process runs any more, so that
// the record of launches is complete; false if one still runs after
// `timeoutMs`.
bool WaitForStartedProgramsToEnd(int timeoutMs = 20000);

// Sends a command event from `source` as a click or selection would, so it
// travels up to the handlers of the source's parents.
void SendCommand(wxWindow* source, wxEventType type, int intValue = 0);

// Runs pending events (layout, size, paint) for a moment.
void Settle();

// Lets the toolkit run until `condition` holds; false if it still does not
// after `timeoutMs` (generous: a loaded machine can be slow, a healthy one
// returns at once).
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 20000);

// The descendant of `parent` with this window name, cast to T; null, and a
// test failure, when there is none.
template <typename T>
T* FindByName(wxWindow* parent, const char* name)
{
    T* window = dynamic_cast<T*>(wxWindow::FindWindowByName(wxString::FromUTF8(name), parent));
    EXPECT_NE(window, nullptr) << name;
    return window;
}
