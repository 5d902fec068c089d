// Saving a file so that no failure leaves half of it: the content goes to a
// new file in the same folder, which then takes the old one's place.
#pragma once

#include <wx/string.h>

#include <functional>

class wxOutputStream;

// Writes `path` through `write`, which returns false when it could not write
// everything. On any failure (the new file cannot be created, `write` or
// the disk fails, the new file cannot take the old one's place) the file at
// `path` is as it was, nothing is left beside it, and `error` says why,
// naming the file, in the interface language. A link is followed: the file
// it leads to is replaced.
bool SaveReplacing(const wxString& path, const std::function<bool(wxOutputStream&)>& write,
                   wxString& error);

// What differs per platform (safe_save_posix.cpp, safe_save_msw.cpp).
// The file a save to `path` replaces: the end of its links, or `path`.
wxString SaveTargetOf(const wxString& path);
// Gives `written` the permissions `target` has (or a new file would get),
// then puts it in `target`'s place in one step. False, leaving both as they
// were, when that fails; the system's error code tells why.
bool ReplaceWith(const wxString& written, const wxString& target);
