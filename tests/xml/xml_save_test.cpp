// The XML writer's output byte for byte: layout, escaping, encodings, failed
// writes and deep trees.
#include "widgets/xml_document_ex.h"
#include "test_support.h"
#include "xml_tree_util.h"

#include <wx/stream.h>

#include <gtest/gtest.h>

#include <initializer_list>

namespace
{

const std::string UTF8_DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

wxXmlNode* Element(const wxString& name, std::initializer_list<wxXmlNode*> children = {})
{
    auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, name);
    for (wxXmlNode* child : children)
        element->AddChild(child);
    return element;
}

wxXmlNode* WithAttribute(wxXmlNode* element, const wxString& name, const wxString& value)
{
    element->AddAttribute(name, value);
    return element;
}

wxXmlNode* Leaf(wxXmlNodeType type, const wxString& content, const wxString& name = wxString())
{
    return new wxXmlNode(type, name, content);
}

wxXmlNode* Text(const wxString& content)
{
    return Leaf(wxXML_TEXT_NODE, content);
}

struct Saved
{
    bool ok = false;
    std::string bytes;
};

Saved Save(wxXmlNode* root, int step, const wxString& encoding = wxS("UTF-8"))
{
    wxXmlDocumentEx document;
    document.SetRoot(root);
    document.SetFileEncoding(encoding);
    Saved saved;
    saved.bytes = SaveToBytes(document, step, &saved.ok);
    return saved;
}

wxString FromUtf8(const char* text)
{
    return wxString::FromUTF8(text);
}

// Accepts `room` bytes, then fails like a full disk.
class FailingStream : public wxOutputStream
{
public:
    explicit FailingStream(size_t room) : m_room(room) {}

protected:
    size_t OnSysWrite(const void*, size_t size) override
    {
        const size_t now = std::min(size, m_room);
        m_room -= now;
        if (now < size)
            m_lasterror = wxSTREAM_WRITE_ERROR;
        return now;
    }

private:
    size_t m_room;
};

// A tree bigger than the writer's block, so that it reaches the stream in
// several writes.
wxXmlNode* LargeTree()
{
    wxXmlNode* root = Element(wxS("questions"));
    for (int i = 0; i < 5000; ++i)
        root->AddChild(Element(wxS("Q"), {Text(FromUtf8("问题 & <答案>"))}));
    return root;
}

} // namespace

TEST(XmlSaveLayout, WritesEveryKindOfChildAtEachIndentStep)
{
    const auto sample = [] {
        return WithAttribute(
            Element(wxS("q"),
                    {Element(wxS("a"), {Text(wxS("x & y"))}),
                     WithAttribute(Element(wxS("e")), wxS("k"), wxS("v")),
                     Element(wxS("m"), {Text(wxS("t1")), Element(wxS("b")), Text(wxS("t2"))}),
                     Element(wxS("p"), {Leaf(wxXML_PI_NODE, wxS("data"), wxS("pi"))}),
                     Leaf(wxXML_COMMENT_NODE, wxS("c")), Leaf(wxXML_CDATA_SECTION_NODE, wxS("<r>"))}),
            wxS("id"), wxS("1"));
    };
    const struct
    {
        int step;
        std::string body;
    } cases[] = {
        {-1, "<q id=\"1\"><a>x &amp; y</a><e k=\"v\"/><m>t1<b/>t2</m><p></p><!--c--><![CDATA[<r>]]></q>"},
        {0, "<q id=\"1\">\n<a>x &amp; y</a>\n<e k=\"v\"/>\n<m>t1<b/>t2</m>\n<p>\n\n</p>\n<!--c-->\n"
            "<![CDATA[<r>]]>\n</q>"},
        {1, "<q id=\"1\">\n  <a>x &amp; y</a>\n  <e k=\"v\"/>\n  <m>t1<b/>t2</m>\n  <p>\n    \n  </p>\n"
            "  <!--c-->\n  <![CDATA[<r>]]>\n</q>"},
        {2, "<q id=\"1\">\n    <a>x &amp; y</a>\n    <e k=\"v\"/>\n    <m>t1<b/>t2</m>\n"
            "    <p>\n        \n    </p>\n    <!--c-->\n    <![CDATA[<r>]]>\n</q>"},
    };
    for (const auto& c : cases)
    {
        const Saved saved = Save(sample(), c.step);
        EXPECT_TRUE(saved.ok) << "step " << c.step;
        EXPECT_EQ(saved.bytes, UTF8_DECLARATION + c.body + "\n") << "step " << c.step;
    }
}

TEST(XmlSaveFaults, CDataHoldingItsEndMarkerIsSplitIntoSections)
{
    const Saved saved =
        Save(Element(wxS("r"), {Leaf(wxXML_CDATA_SECTION_NODE, wxS("a]]>b]]]>"))}), -1);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes, UTF8_DECLARATION
                               + "<r><![CDATA[a]]]]><![CDATA[>b]]]]]><![CDATA[>]]></r>\n");

    wxXmlDocument loaded;
    ASSERT_TRUE(LoadBytes(loaded, saved.bytes, wxXMLDOC_NONE));
    wxString joined;
    for (const wxXmlNode* n = loaded.GetRoot()->GetChildren(); n; n = n->GetNext())
        joined += n->GetContent();
    EXPECT_EQ(joined, wxS("a]]>b]]]>"));
}

TEST(XmlSaveFaults, CommentsGetASpaceAfterDoubleAndFinalHyphens)
{
    const Saved saved = Save(Element(wxS("r"), {Leaf(wxXML_COMMENT_NODE, wxS("a--b---"))}), -1);
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes, UTF8_DECLARATION + "<r><!--a- -b- - - --></r>\n");

    wxXmlDocument loaded;
    ASSERT_TRUE(LoadBytes(loaded, saved.bytes, wxXMLDOC_NONE));
    EXPECT_EQ(loaded.GetRoot()->GetChildren()->GetContent(), NormalisedComment(wxS("a--b---")));
}

TEST(XmlSaveFaults, FailedWritesAreReportedAndFilesHoldTheStreamForm)
{
    wxXmlDocumentEx document;
    document.SetRoot(LargeTree());
    const size_t size = SaveToBytes(document, 1).size();
    for (size_t room : {size_t(0), size_t(10), size_t(70000), size - 1})
    {
        FailingStream stream(room);
        EXPECT_FALSE(document.Save(stream, 1)) << "room " << room;
    }
    FailingStream enough(size);
    EXPECT_TRUE(document.Save(enough, 1));

    wxLogNull quiet;
    EXPECT_FALSE(document.Save(wxS("/dev/full"), 1));
    TempDir dir;
    EXPECT_FALSE(document.Save(dir.File(wxS("missing/folder/quiz.xml")), 1));

    // A file holds the stream form's bytes, and nothing of a longer file
    // it replaced.
    const wxString path = dir.File(wxS("quiz.xml"));
    ASSERT_TRUE(dir.Write(wxS("quiz.xml"), std::string(1 << 20, 'x')) == path);
    ASSERT_TRUE(document.Save(path, 1));
    EXPECT_EQ(ReadBytes(path), SaveToBytes(document, 1));
}

TEST(XmlSaveEncoding, Latin1WritesReferencesInTextAndAttributesOnly)
{
    const wxString mixed = FromUtf8("café 中😀 <");
    const Saved saved = Save(WithAttribute(Element(FromUtf8("é"), {Text(mixed)}), wxS("v"), mixed),
                             -1, wxS("ISO-8859-1"));
    ASSERT_TRUE(saved.ok);
    EXPECT_EQ(saved.bytes, "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
                           "<\xE9 v=\"caf\xE9 &#20013;&#128512; &lt;\">"
                           "caf\xE9 &#20013;&#128512; &lt;</\xE9>\n");

    const wxString cjk = FromUtf8("中");
    EXPECT_FALSE(Save(Element(wxS("r"), {Leaf(wxXML_COMMENT_NODE, cjk)}), -1, wxS("ISO-8859-1")).ok);
    EXPECT_FALSE(Save(Element(wxS("r"), {Leaf(wxXML_CDATA_SECTION_NODE, cjk)}), -1, wxS("ISO-8859-1")).ok);
    EXPECT_FALSE(Save(Element(cjk), -1, wxS("ISO-8859-1")).ok);
    EXPECT_FALSE(Save(WithAttribute(Element(wxS("r")), cjk, wxS("v")), -1, wxS("ISO-8859-1")).ok);
    EXPECT_FALSE(Save(Element(FromUtf8("é")), -1, wxS("US-ASCII")).ok);
}

TEST(XmlSaveEncoding, OtherEncodingsWriteWhatTheyCanAndReferencesForTheRest)
{
    const auto expectWritten = [](const char* encoding, const char* text, const std::string& body) {
        const Saved saved = Save(Element(wxS("r"), {Text(FromUtf8(text))}), -1, encoding);
        EXPECT_EQ(saved.bytes, "<?xml version=\"1.0\" encoding=\"" + std::string(encoding) + "\"?>\n<r>"
                                   + body + "</r>\n");
        wxXmlDocument loaded;
        ASSERT_TRUE(saved.ok && LoadBytes(loaded, saved.bytes, wxXMLDOC_NONE)) << encoding;
        EXPECT_EQ(loaded.GetRoot()->GetNodeContent(), FromUtf8(text)) << encoding;
    };
    expectWritten("windows-1252", "€ – ü 中", "\x80 \x96 \xFC &#20013;");
    expectWritten("US-ASCII", "café", "caf&#233;");
}

TEST(XmlSave, WritesNothingWithoutARootOrWithADeclarationItCannotWrite)
{
    bool ok = true;
    EXPECT_EQ(SaveToBytes(wxXmlDocumentEx(), 1, &ok), "");
    EXPECT_FALSE(ok);
    // Versions that would break the declaration; encodings that do not write
    // ASCII as ASCII, and unknown ones.
    const std::pair<const char*, const char*> cases[] = {
        {"1\" encoding=\"x", "UTF-8"}, {"1 0", "UTF-8"},   {"1?>", "UTF-8"},
        {"1.0", "UTF-16"},             {"1.0", "UTF-16LE"}, {"1.0", "UTF-32"},
        {"1.0", "UCS-2"},              {"1.0", "UTF-7"},    {"1.0", "no-such-encoding"}};
    for (const auto& [version, encoding] : cases)
    {
        wxXmlDocumentEx document;
        document.SetRoot(Element(wxS("r"), {Text(wxS("x"))}));
        document.SetVersion(version);
        document.SetFileEncoding(encoding);
        ok = true;
        EXPECT_EQ(SaveToBytes(document, 1, &ok), "") << version << " " << encoding;
        EXPECT_FALSE(ok) << version << " " << encoding;
    }
    // Empty values break nothing and are written as they are.
    wxXmlDocumentEx document;
    document.SetRoot(Element(wxS("r")));
    document.SetVersion(wxString());
    document.SetFileEncoding(wxString());
    EXPECT_EQ(SaveToBytes(document, 1), "<?xml version=\"\" encoding=\"\"?>\n<r/>\n");
}

TEST(XmlSaveEncoding, CharactersXmlCannotHoldFail)
{
    const wxString bad[] = {wxString(wxUniChar(0x1)), wxString(wxUniChar(0xFFFE)),
                            wxString(wxUniChar(0xD800))};
    for (const wxString& c : bad)
    {
        EXPECT_FALSE(Save(Element(wxS("r"), {Text(wxS("a") + c)}), -1).ok);
        EXPECT_FALSE(Save(WithAttribute(Element(wxS("r")), wxS("v"), c), -1).ok);
        EXPECT_FALSE(Save(Element(wxS("r"), {Leaf(wxXML_COMMENT_NODE, c)}), -1).ok);
    }
}

// Plain ASCII is copied in blocks: a character that needs work must be
// found at any offset, in a block or in the tail after the last block.
TEST(XmlSaveEscaping, EveryOffsetOfALongTextIsEscapedAndChecked)
{
    struct Case
    {
        wxString special;
        std::string inText, inAttribute;
    };
    const Case cases[] = {{"&", "&amp;", "&amp;"},      {"<", "&lt;", "&lt;"},
                          {">", "&gt;", "&gt;"},        {"\"", "\"", "&quot;"},
                          {"\t", "\t", "&#9;"},         {"\n", "\n", "&#10;"},
                          {"\r", "&#13;", "&#13;"},      {"\x7F", "\x7F", "\x7F"},
                          {FromUtf8("é"), "é", "é"}, {FromUtf8("中"), "中", "中"},
                          {FromUtf8("😀"), "😀", "😀"}};
    const std::string plain = "abcdefghijklmnopqrst";
    for (size_t at = 0; at <= plain.size(); ++at)
    {
        const std::string before = plain.substr(0, at), after = plain.substr(at);
        for (const Case& c : cases)
        {
            const wxString text = wxString(before) + c.special + wxString(after);
            const Saved saved = Save(WithAttribute(Element(wxS("r"), {Text(text)}), wxS("v"), text), -1);
            EXPECT_EQ(saved.bytes, UTF8_DECLARATION + "<r v=\"" + before + c.inAttribute + after
                                       + "\">" + before + c.inText + after + "</r>\n")
                << "offset " << at;
        }
        for (const wxUniChar bad : {wxUniChar(0x1), wxUniChar(0xFFFE), wxUniChar(0x110000)})
            EXPECT_FALSE(Save(Element(wxS("r"), {Text(wxString(before) + bad + wxString(after))}), -1).ok)
                << "offset " << at;
    }
}

TEST(XmlSaveDeep, TwoHundredThousandLevelsAreSavedLoadedAndFreed)
{
    constexpr size_t DEPTH = 200000;
    std::string bytes;
    {
        wxXmlDocumentEx document;
        wxXmlNode* node = Element(wxS("d"));
        document.SetRoot(node);
        for (size_t i = 1; i < DEPTH; ++i)
            node = new wxXmlNode(node, wxXML_ELEMENT_NODE, wxS("d"));
        node->AddChild(Text(wxS("x")));
        bool ok = false;
        bytes = SaveToBytes(document, -1, &ok);
        ASSERT_TRUE(ok);
    }
    std::string expected = UTF8_DECLARATION;
    for (size_t i = 0; i < DEPTH; ++i)
        expected += "<d>";
    expected += "x";
    for (size_t i = 0; i < DEPTH; ++i)
        expected += "</d>";
    ASSERT_EQ(bytes, expected + "\n");

    wxXmlDocumentEx loaded;
    ASSERT_TRUE(LoadBytes(loaded, bytes, wxXMLDOC_NONE));
    EXPECT_EQ(SaveToBytes(loaded, -1), bytes);
}
