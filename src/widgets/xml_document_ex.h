// The application's XML document class: the toolkit's document with a writer
// of its own and a destructor that copes with deep trees.
#pragma once

#include <wx/xml/xml.h>

class wxOutputStream;

// Loading, the node tree and its accessors are the toolkit's. Saving writes
// the declaration and the root element only (no prolog, no doctype), with
// `indentstep` units of two spaces per level; a negative step writes no line
// breaks at all. What differs from the toolkit's own writer:
// - bytes reach the stream in large blocks; UTF-8 is escaped and encoded in
//   one pass, other encodings are converted in runs;
// - no indentation is written next to text (mixed content stays on one
//   line), so an indented save reads back with the texts it had;
// - every "&" is escaped, "\r" in text and tab/line ends in attribute values
//   become character references, so a tree the loader produced reads back
//   the same (processing instructions are not written);
// - CDATA holding "]]>" is split into consecutive sections; a space follows
//   every "-" of a comment that is followed by "-" or ends it;
// - characters the file encoding lacks become "&#N;" in text and attribute
//   values; anywhere else, or a character XML cannot hold at all, fails;
// - a file encoding that does not write ASCII as ASCII (UTF-16, UTF-32, ...),
//   or a version or encoding value holding anything but letters, digits and
//   ".", "_", ":", "-", fails before anything is written;
// - a write the stream reports as failed fails the save;
// - nothing recurses, so trees of any depth are written and freed.
// When Save returns false the output may hold a partial document.
class wxXmlDocumentEx : public wxXmlDocument
{
public:
    wxXmlDocumentEx() = default;
    ~wxXmlDocumentEx() override;

    bool Save(const wxString& filename, int indentstep = 2) const override;
    bool Save(wxOutputStream& stream, int indentstep = 2) const override;
};
