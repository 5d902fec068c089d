// Saving, loading and comparing trees for the XML writer's tests and fuzzer.
#include "xml_tree_util.h"

#include <wx/log.h>
#include <wx/mstream.h>
#include <wx/xml/xml.h>

#include <vector>

namespace
{

// One child as the writer writes it.
struct Item
{
    const wxXmlNode* node;
    wxString content;
};

bool IsWritten(wxXmlNodeType type, TextMode mode)
{
    if (type == wxXML_TEXT_NODE)
        return mode == TextMode::Exact;
    return type == wxXML_ELEMENT_NODE || type == wxXML_CDATA_SECTION_NODE || type == wxXML_COMMENT_NODE;
}

std::vector<Item> WrittenChildren(const wxXmlNode& parent, TextMode mode)
{
    std::vector<Item> items;
    bool lastIsText = false;
    for (const wxXmlNode* child = parent.GetChildren(); child; child = child->GetNext())
    {
        const wxXmlNodeType type = child->GetType();
        if (!IsWritten(type, mode))
            continue;
        const bool isText = type == wxXML_TEXT_NODE;
        if (isText && lastIsText)
            items.back().content += child->GetContent();
        else if (type == wxXML_COMMENT_NODE)
            items.push_back({child, NormalisedComment(child->GetContent())});
        else
            items.push_back({child, child->GetContent()});
        lastIsText = isText;
    }
    return items;
}

wxString Quoted(const wxString& text)
{
    return wxS("'") + text + wxS("'");
}

wxString AttributeDifference(const wxXmlNode& expected, const wxXmlNode& actual)
{
    const wxXmlAttribute* a = expected.GetAttributes();
    const wxXmlAttribute* b = actual.GetAttributes();
    for (; a && b; a = a->GetNext(), b = b->GetNext())
    {
        if (a->GetName() != b->GetName() || a->GetValue() != b->GetValue())
            return wxS("attribute ") + a->GetName() + wxS("=") + Quoted(a->GetValue())
                + wxS(" read back as ") + b->GetName() + wxS("=") + Quoted(b->GetValue());
    }
    if (a || b)
        return wxS("attribute count differs");
    return wxString();
}

wxString ItemDifference(const Item& expected, const Item& actual, TextMode mode,
                        const wxString& path);

wxString ChildrenDifference(const wxXmlNode& expected, const wxXmlNode& actual, TextMode mode,
                            const wxString& path)
{
    const std::vector<Item> a = WrittenChildren(expected, mode);
    const std::vector<Item> b = WrittenChildren(actual, mode);
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    {
        const wxString difference = ItemDifference(a[i], b[i], mode,
                                                   path + wxString::Format("/%zu", i));
        if (!difference.empty())
            return difference;
    }
    if (a.size() != b.size())
        return path + wxString::Format(": %zu children read back as %zu", a.size(), b.size());
    return wxString();
}

wxString ItemDifference(const Item& expected, const Item& actual, TextMode mode,
                        const wxString& path)
{
    const wxXmlNode& a = *expected.node;
    const wxXmlNode& b = *actual.node;
    if (a.GetType() != b.GetType())
        return path + wxString::Format(": node type %d read back as %d", a.GetType(), b.GetType());
    if (a.GetType() != wxXML_ELEMENT_NODE)
    {
        if (expected.content != actual.content)
            return path + wxS(": ") + Quoted(expected.content) + wxS(" read back as ")
                + Quoted(actual.content);
        return wxString();
    }
    const wxString here = path + wxS("<") + a.GetName() + wxS(">");
    if (a.GetName() != b.GetName())
        return here + wxS(" read back as <") + b.GetName() + wxS(">");
    const wxString attributes = AttributeDifference(a, b);
    if (!attributes.empty())
        return here + wxS(": ") + attributes;
    return ChildrenDifference(a, b, mode, here);
}

} // namespace

wxString TreeDifference(const wxXmlNode& expected, const wxXmlNode& actual, TextMode mode)
{
    return ItemDifference({&expected, expected.GetContent()}, {&actual, actual.GetContent()},
                          mode, wxString());
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
