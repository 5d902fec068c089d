// The maker's addresses and notice, shown by the main window and the about box.
#pragma once

#include <wx/string.h>

// Download page; the update command and the about box's picture button open it.
extern const wxString MAKER_DOWNLOAD_URL;
// The maker's web site (link label and address).
extern const wxString MAKER_SITE_LABEL;
extern const wxString MAKER_SITE_URL;
// Contact address, without the "mailto:" scheme.
extern const wxString MAKER_EMAIL;
// Status-bar notice, the same in every language.
extern const wxString MAKER_NOTICE;
