// The application's XML document class: the toolkit's document with a writer
// of its own.
#pragma once

#include <wx/xml/xml.h>

class wxOutputStream;

class wxXmlDocumentEx : public wxXmlDocument
{
public:
    wxXmlDocumentEx() = default;
    ~wxXmlDocumentEx() override;

    bool Save(const wxString& filename, int indentstep = 2) const override;
    bool Save(wxOutputStream& stream, int indentstep = 2) const override;
};
