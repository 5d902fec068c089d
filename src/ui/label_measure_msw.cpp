// Label measuring on Windows: the static control wraps its text itself, with
// the system's line breaking (between Chinese characters too), so the label
// needs only the height that the same drawing call reports for its text.
#include "ui/label_measure.h"

#include <wx/stattext.h>

#include <wx/msw/wrapwin.h>

wxSize MeasureWrappedLabel(wxStaticText* label, int width)
{
    const HWND window = static_cast<HWND>(label->GetHandle());
    const wxString text = label->GetLabel();
    // Measured as the control draws: its font, word breaks, tabs, and "&"
    // as a mnemonic unless the control shows it as it is.
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if (::GetWindowLongPtr(window, GWL_STYLE) & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previous = ::SelectObject(dc, label->GetFont().GetHFONT());
    RECT rect = {0, 0, width, 0};
    ::DrawTextW(dc, text.wc_str(), static_cast<int>(text.length()), &rect, format);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return wxSize(width, rect.bottom - rect.top);
}
