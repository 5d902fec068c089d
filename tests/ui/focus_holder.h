// The control that holds the keyboard focus, as the platform sees it: a
// control may hand the focus to a part of its own that the toolkit does not
// report (GTK's choice, to its button). Each platform has its own file.
#pragma once

class wxWindow;

// The control in `top` whose window holds the keyboard focus; null when
// none does.
wxWindow* FocusHolder(wxWindow* top);
