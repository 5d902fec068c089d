// How a list box takes the keyboard focus when its label's mnemonic is
// pressed. GTK wraps the list in a scrolled window that can take the focus
// itself, and the label hands the focus to that frame, not to the rows: the
// keys then reach no list, and Down moves the focus on to the next control.
// Each platform's file makes the rows take it.
#pragma once

class wxListBox;

// Lets `list`'s rows, not a frame around them, take the focus from a label.
void FocusRowsFromLabel(wxListBox* list);
