// What a window test process needs of its platform: a scratch folder, a
// settings store of its own, and the stand-in program (see gui_test.h)
// registered as the browser and mail program. Each platform has its own
// small source file, chosen by the build.
#pragma once

#include <string>

// Before the toolkit starts: makes a private scratch folder and registers the
// stand-in program for web and mail addresses, web pages and mail, for this
// process. Returns the file the stand-in appends its records to, or "" (and
// says why on stderr) when the platform refused.
std::string InstallStandIn();

// After the toolkit started: points its default settings store at a place of
// this process's own.
void UsePrivateSettingsStore();

// At the end: removes the registrations, the settings and the scratch folder.
void RemoveTestPlatform();
