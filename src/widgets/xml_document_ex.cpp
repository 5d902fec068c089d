// XML document writer (placeholder until the writer lands).
#include "widgets/xml_document_ex.h"

wxXmlDocumentEx::~wxXmlDocumentEx() = default;

bool wxXmlDocumentEx::Save(const wxString& filename, int indentstep) const
{
    return false;
}

bool wxXmlDocumentEx::Save(wxOutputStream& stream, int indentstep) const
{
    return false;
}
