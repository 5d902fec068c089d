// The lines a wrapped label shows, as the platform's text layout broke them.
#pragma once

#include <wx/string.h>

#include <vector>

class wxStaticText;

struct LabelLine
{
    wxString text;  // including a blank that ends the line
    int width;      // in pixels
};

// Waits (briefly, for the windowing system to lay the label out at its
// current width) and returns its lines; empty if that never happens.
std::vector<LabelLine> ShownLines(wxStaticText* label);
