// On Windows a label's mnemonic focuses the list box itself already.
#include "ui/list_focus.h"

void FocusRowsFromLabel(wxListBox*)
{
}
