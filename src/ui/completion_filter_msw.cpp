// Windows' auto-completion shows the completions that start with the text,
// which the toolkit offers no way to change: IDs are offered as typed, and
// words of a text are found when the field is accepted.
#include "ui/completion_filter.h"

void OfferEveryCompletion(wxTextCtrl*)
{
}
