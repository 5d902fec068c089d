// wxHyperLink: drawing, mouse states and opening the link's address.
#include "widgets/hyperlink.h"

#include "widgets/command_split.h"

#include <wx/dcclient.h>
#include <wx/link.h>
#include <wx/mimetype.h>
#include <wx/utils.h>

#include <memory>

wxIMPLEMENT_DYNAMIC_CLASS(wxHyperLink, wxControl);
// The program creates the control only by its class name, so nothing would
// pull this file in from the library: the program forces it in by name.
wxFORCE_LINK_THIS_MODULE(hyperlink);

wxBEGIN_EVENT_TABLE(wxHyperLink, wxControl)
    EVT_LEFT_DCLICK(wxHyperLink::OnLeftClick)
    EVT_LEFT_DOWN(wxHyperLink::OnLeftClick)
    EVT_PAINT(wxHyperLink::OnPaint)
    EVT_ENTER_WINDOW(wxHyperLink::OnEnterWindow)
    EVT_LEAVE_WINDOW(wxHyperLink::OnLeaveWindow)
wxEND_EVENT_TABLE()

namespace
{

// Address prefixes we know how to open, and the kind of document whose
// registered program opens them. Matched case-sensitively, first hit wins.
struct Scheme
{
    const char* prefix;
    const char* mimeType;
};

const Scheme kSchemes[] = {
    {"http://", "text/html"},
    {"https://", "text/html"},
    {"ftp://", "text/html"},
    {"mailto:", "message/rfc822"},
};

wxString MimeTypeFor(const wxString& address)
{
    for (const Scheme& scheme : kSchemes)
    {
        if (address.StartsWith(scheme.prefix))
            return scheme.mimeType;
    }
    return wxString();
}

// Takes the address's place while the open command is split into arguments.
const wxString ADDRESS_SLOT = wxS("MINDPRISM-ADDRESS-7f3c9e");

} // namespace

wxHyperLink::wxHyperLink() = default;

wxHyperLink::wxHyperLink(wxWindow* parent, wxWindowID id, const wxString& label,
                         const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
{
    Create(parent, id, label, pos, size, style, name);
}

bool wxHyperLink::Create(wxWindow* parent, wxWindowID id, const wxString& label,
                         const wxPoint& pos, const wxSize& size, long style,
                         const wxString& name)
{
    const bool created =
        wxControl::Create(parent, id, pos, size, style | wxBORDER_NONE, wxDefaultValidator, name);

    SetLabel(label);
    m_URL.clear();
    m_visited = false;
    m_linkCursor = wxCursor(wxCURSOR_HAND);
    m_hoverColour = wxColour(wxS("RED"));
    m_linkColour = wxColour(wxS("BLUE"));
    m_visitedColour = wxColour(wxS("PURPLE"));
    SetForegroundColour(m_linkColour);
    // Without its native widget the toolkit crashes on asking the window
    // for its default font or background, so stop with the state set.
    if (!created)
        return false;

    wxFont font = GetFont();
    font.SetUnderlined(true);
    SetFont(font);
    m_savedBackgroundColour = GetBackgroundColour();

    // Measured once: the control keeps this size even if the label changes.
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    dc.GetTextExtent(GetLabel(), &m_bestWidth, &m_bestHeight);
    SetInitialSize(DoGetBestSize());
    return true;
}

void wxHyperLink::SetLinkColour(const wxColour& colour)
{
    m_linkColour = colour;
    // A visited link keeps its visited colour for good.
    if (!m_visited)
        ShowInColour(m_linkColour);
}

void wxHyperLink::SetVisitedColour(const wxColour& colour)
{
    m_visitedColour = colour;
    if (m_visited)
        ShowInColour(m_visitedColour);
}

wxSize wxHyperLink::DoGetBestSize() const
{
    return wxSize(m_bestWidth, m_bestHeight);
}

void wxHyperLink::ShowInColour(const wxColour& colour)
{
    SetForegroundColour(colour);
    Refresh(true);
}

void wxHyperLink::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    dc.SetFont(GetFont());
    dc.SetTextForeground(GetForegroundColour());
    // DrawText, not DrawLabel: an ampersand is part of an address, not a mnemonic.
    dc.DrawText(GetLabel(), 0, 0);
}

void wxHyperLink::OnEnterWindow(wxMouseEvent&)
{
    SetCursor(m_linkCursor);
    ShowInColour(m_hoverColour);
}

void wxHyperLink::OnLeaveWindow(wxMouseEvent&)
{
    SetCursor(wxNullCursor);
    ShowInColour(m_visited ? m_visitedColour : m_linkColour);
}

void wxHyperLink::OnLeftClick(wxMouseEvent&)
{
    m_visited = true;
    SetForegroundColour(m_visitedColour);
    // Pins the background the link was created with, whatever was set since.
    SetBackgroundColour(m_savedBackgroundColour);
    Refresh(true);
    GotoURL(m_URL.empty() ? GetLabel() : m_URL);
}

void wxHyperLink::GotoURL(const wxString& address)
{
    const wxString mimeType = MimeTypeFor(address);
    if (mimeType.empty())
        return;

    std::unique_ptr<wxFileType> fileType(
        wxTheMimeTypesManager->GetFileTypeFromMimeType(mimeType));
    if (!fileType)
        return;

    // The registered command is expanded with a stand-in for the address and
    // split into arguments before the address goes in: pasted in as text, a
    // quote or backslash in it would be taken as the command's own syntax,
    // and could add arguments to the browser's command line.
    wxString command;
    if (!fileType->GetOpenCommand(&command,
                                  wxFileType::MessageParameters(ADDRESS_SLOT, wxEmptyString))
        || command.empty())
        return;
    // Commands registered for files put "file://" before the name, which
    // would turn the address into a file path.
    command.Replace(wxS("file://"), wxEmptyString);

    wxArrayString arguments = SplitOpenCommand(command);
    if (arguments.empty())
        return;
    for (wxString& argument : arguments)
        argument.Replace(ADDRESS_SLOT, address);
    StartProgram(arguments, wxEXEC_ASYNC);
}
