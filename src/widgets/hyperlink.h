// wxHyperLink: a self-drawn one-line link that opens its address in the
// program the system registers for that kind of address.
#pragma once

#include <wx/colour.h>
#include <wx/control.h>
#include <wx/cursor.h>

class wxMouseEvent;
class wxPaintEvent;

class wxHyperLink : public wxControl
{
public:
    // Uncreated: for dynamic creation, followed by Create().
    wxHyperLink();
    wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxString& name = wxS("hyperlink"));

    // The control always takes the size of its label; `size` is overridden.
    bool Create(wxWindow* parent, wxWindowID id, const wxString& label,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = 0, const wxString& name = wxS("hyperlink"));

    // Empty means the label itself is the address.
    wxString GetURL() const { return m_URL; }
    void SetURL(const wxString& url) { m_URL = url; }

    wxColour GetLinkColour() const { return m_linkColour; }
    void SetLinkColour(const wxColour& colour);
    wxColour GetVisitedColour() const { return m_visitedColour; }
    void SetVisitedColour(const wxColour& colour);
    // Only stored: it shows the next time the pointer comes over the link.
    wxColour GetHoverColour() const { return m_hoverColour; }
    void SetHoverColour(const wxColour& colour) { m_hoverColour = colour; }
    wxCursor GetLinkCursor() const { return m_linkCursor; }
    void SetLinkCursor(const wxCursor& cursor) { m_linkCursor = cursor; }

    // Opens web, ftp and mail addresses with the program registered for
    // them, handing the address over as one argument exactly as given;
    // anything else is ignored.
    void GotoURL(const wxString& address);

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnLeftClick(wxMouseEvent& event);
    void OnPaint(wxPaintEvent& event);
    void OnEnterWindow(wxMouseEvent& event);
    void OnLeaveWindow(wxMouseEvent& event);

    // Paints the label in `colour` from now on.
    void ShowInColour(const wxColour& colour);

    wxString m_URL;
    bool m_visited = false;
    wxCursor m_linkCursor;
    wxColour m_hoverColour;
    wxColour m_linkColour;
    wxColour m_visitedColour;
    wxColour m_savedBackgroundColour;
    int m_bestWidth = 0;
    int m_bestHeight = 0;

    wxDECLARE_DYNAMIC_CLASS(wxHyperLink);
    wxDECLARE_EVENT_TABLE();
};
