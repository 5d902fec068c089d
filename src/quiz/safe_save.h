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
// Whether the file a save to `path` replaces is marked read only (by its
// permissions, even for a user the system would let write, or by its
// attribute); false when there is none.
bool IsReadOnlyFile(const wxString& path);
// The file a save to `path` replaces: the end of its links, or `path`.
wxString SaveTargetOf(const wxString& path);
// Gives `written` the permissions (or attributes) `target` has, or a new
// file would get, then puts it in `target`'s place in one step, also over a
// read-only file. False, leaving both as they
// were, when that fails; the system's error code tells why.
bool ReplaceWith(const wxString& written, const wxString& target);
