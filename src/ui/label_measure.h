// How much room a label needs when its text wraps at a given width. Each
// platform wraps with its own text layout (line breaking between Chinese
// characters, punctuation kept with its neighbour), so the measuring lives
// in one file per platform, chosen by the build.
#pragma once

#include <wx/gdicmn.h>

class wxStaticText;

// Makes `label` wrap its text by the platform's own rules once it is laid
// out `width` pixels wide, and returns the size it then needs: `width` by
// the height of all its lines.
wxSize MeasureWrappedLabel(wxStaticText* label, int width);
