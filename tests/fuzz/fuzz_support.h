// Shared by the fuzz targets: the toolkit's assertions end the run.
#pragma once

#include <wx/debug.h>
#include <wx/init.h>
#include <wx/string.h>

#include <cstdio>
#include <cstdlib>

// The toolkit's assertions would otherwise print and carry on.
inline void AbortOnAssert(const wxString& file, int line, const wxString& function,
                          const wxString& condition, const wxString& message)
{
    std::fprintf(stderr, "toolkit assertion %s failed in %s (%s:%d): %s\n",
                 static_cast<const char*>(condition.utf8_str()),
                 static_cast<const char*>(function.utf8_str()),
                 static_cast<const char*>(file.utf8_str()), line,
                 static_cast<const char*>(message.utf8_str()));
    std::abort();
}

// The toolkit started once for the run, its assertions ending it; for
// LLVMFuzzerInitialize.
inline int StartToolkitForFuzzing()
{
    static wxInitializer toolkit;
    wxSetAssertHandler(AbortOnAssert);
    return toolkit.IsOk() ? 0 : 1;
}
