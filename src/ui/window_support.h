// Helpers shared by the application's windows: layout, colours, pictures.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/window.h>

class wxTopLevelWindow;

// The least width of a list of answers, in pixels at 96 DPI: the player's,
// and the editor's, which shows each answer after where it leads.
constexpr int ANSWER_LIST_WIDTH = 480;

// The windows keep their historical sizer flags, some of which a box sizer
// ignores (vertical alignment in a column, alignment next to wxEXPAND). The
// toolkit reports such flags as failed assertions, which this build shows
// to the user as message boxes; the layout is the same with or without them.
inline void KeepHistoricalSizerFlags()
{
    wxSizerFlags::DisableConsistencyChecks();
}

// Tooltip colours for the boxes that show quiz text. The text colour goes
// with the background: many GTK themes have dark tooltips, where the
// default black text would be invisible.
inline void UseTooltipColours(wxWindow* window)
{
    window->SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
    window->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
}

// A picture from the run-time files, or an empty bitmap when the file is
// missing or unreadable (the toolkit logs why). The window goes on without it.
wxBitmap LoadPicture(const wxString& file);

// A picture of the windows, with its copy drawn at twice the size when one
// lies beside it ("NAME@2x.EXT"), so that a display scaled to 200 % shows
// it sharp. Empty when the picture itself is missing.
wxBitmapBundle LoadPictureBundle(const wxString& file);

// Grows `window` by `by` as far as its display's client area allows, moving
// it back onto that area when it would grow past an edge; returns how much
// it grew, to be given back later. A maximised window does not grow.
wxSize GrowWithinDisplay(wxTopLevelWindow& window, const wxSize& by);

// Where a window of `wanted` size goes beside `owner` within `area`: on the
// first side (right, left, below, above) with room for at least `least`,
// as large as that room allows; with no such room, at `wanted` size on the
// side where it covers `owner` least. `gap` pixels keep it off `owner`.
wxRect PlaceBeside(const wxRect& owner, const wxSize& wanted, const wxSize& least, const wxRect& area,
                   int gap);

// Whether a display shows enough of `rect`'s top (where a title bar is) to
// take hold of it: a place remembered from another set of screens may not.
bool ReachableOnAScreen(const wxRect& rect, const wxSize& enough);
