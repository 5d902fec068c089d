// Saving, loading and comparing trees for the XML writer's tests and fuzzer.
#include "xml_tree_util.h"

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <optional>

namespace
{

void Put(wxString& out, const wxString& text)
{
    out << static_cast<unsigned long>(text.length()) << ':' << text;
}

// `element` as the writer writes it, in one line that tells all trees apart:
// node kinds, names, attributes and contents (each after its length).
void Dump(const wxXmlNode& element, TextMode mode, wxString& out)
{
    Put(out << '<', element.GetName());
    for (const wxXmlAttribute* attribute = element.GetAttributes(); attribute;
         attribute = attribute->GetNext())
    {
        Put(out << ' ', attribute->GetName());
        Put(out, attribute->GetValue());
    }
    out << '>';
    // Adjacent text is one text, also when nodes the writer drops stood between.
    std::optional<wxString> text;
    const auto endText = [&] {
        if (text)
            Put(out << 'T', *text);
        text.reset();
    };
    for (const wxXmlNode* child = element.GetChildren(); child; child = child->GetNext())
    {
        const wxXmlNodeType type = child->GetType();
        if (type == wxXML_TEXT_NODE && mode == TextMode::Exact)
            text = text.value_or(wxString()) + child->GetContent();
        if (type != wxXML_ELEMENT_NODE && type != wxXML_CDATA_SECTION_NODE && type != wxXML_COMMENT_NODE)
            continue;
        endText();
        if (type == wxXML_ELEMENT_NODE)
            Dump(*child, mode, out);
        else if (type == wxXML_COMMENT_NODE)
            Put(out << 'C', NormalisedComment(child->GetContent()));
        else
            Put(out << 'D', child->GetContent());
    }
    endText();
    out << "</>";
}

wxString Dump(const wxXmlNode& element, TextMode mode)
{
    wxString out;
    Dump(element, mode, out);
    return out;
}

} // namespace

wxString TreeDifference(const wxXmlNode& expected, const wxXmlNode& actual, TextMode mode)
{
    const wxString a = Dump(expected, mode);
    const wxString b = Dump(actual, mode);
    if (a == b)
        return wxString();
    size_t at = 0;
    while (at < a.length() && at < b.length() && a[at] == b[at])
        ++at;
    const size_t from = at > 60 ? at - 60 : 0;
    return wxString::Format("at %zu of the written tree: '%s' read back as '%s'", at,
                            a.Mid(from, 160), b.Mid(from, 160));
}

wxString NormalisedComment(const wxString& content)
{
    wxString normalised;
    for (size_t i = 0; i < content.length(); ++i)
    {
        normalised += content[i];
        if (content[i] == '-' && (i + 1 == content.length() || content[i + 1] == '-'))
            normalised += ' ';
    }
    return normalised;
}

std::string SaveToBytes(const wxXmlDocument& document, int step, bool* ok)
{
    wxMemoryOutputStream stream;
    const bool saved = document.Save(stream, step);
    if (ok)
        *ok = saved;
    std::string bytes(stream.GetLength(), '\0');
    if (!bytes.empty())
        stream.CopyTo(&bytes[0], bytes.size());
    return bytes;
}

bool LoadBytes(wxXmlDocument& document, const std::string& bytes, int flags)
{
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    return document.Load(stream, wxS("UTF-8"), flags);
}
