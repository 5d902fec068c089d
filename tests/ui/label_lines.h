// The lines a wrapped label shows, as the platform's text layout broke them.
// Each platform has its own small source file, chosen by the build.
#pragma once

#include <wx/string.h>

#include <optional>
#include <vector>

class wxStaticText;

struct LabelLine
{
    wxString text;  // including a blank that ends the line
    int width;      // in pixels
};

// The lines `label` shows at its current width: empty if it is never laid
// out at that width, none at all where the platform's control keeps its
// lines to itself.
std::optional<std::vector<LabelLine>> ShownLines(wxStaticText* label);
