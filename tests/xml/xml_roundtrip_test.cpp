// Saving and loading again gives the same tree: generated trees full of
// markup characters, non-ASCII text and mixed content, and a shipped quiz.
#include "widgets/xml_document_ex.h"
#include "test_support.h"
#include "xml_tree_util.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{

// Builds random trees from pieces that stress the writer. Comments and CDATA
// avoid what the loader itself could never produce in them ("\r", and "]]>"
// in CDATA); everything else may appear anywhere.
class TreeGenerator
{
public:
    TreeGenerator(unsigned seed, bool latin1Only) : m_random(seed)
    {
        if (!latin1Only)
        {
            m_names.push_back(Unicode("问题"));
            m_plain.insert(m_plain.end(), {Unicode("中文"), Unicode("😀")});
        }
    }

    wxXmlNode* Tree() { return Element(0); }

private:
    wxXmlNode* Element(int depth)
    {
        auto* element = new wxXmlNode(wxXML_ELEMENT_NODE, Pick(m_names));
        std::vector<wxString> attributes = {wxS("id"), wxS("k"), wxS("v"), Unicode("é")};
        std::shuffle(attributes.begin(), attributes.end(), m_random);
        attributes.resize(Below(attributes.size() + 1));
        for (const wxString& name : attributes)
            element->AddAttribute(name, Pieces(m_text, 0));
        for (size_t children = depth < 4 ? Below(6) : 0; children > 0; --children)
            element->AddChild(Child(depth));
        return element;
    }

    wxXmlNode* Child(int depth)
    {
        switch (Below(10))
        {
        case 0:
            return new wxXmlNode(wxXML_CDATA_SECTION_NODE, wxString(), Pieces(m_plain, 0));
        case 1:
            return new wxXmlNode(wxXML_COMMENT_NODE, wxString(), Pieces(m_plain, 0));
        case 2:
            return new wxXmlNode(wxXML_PI_NODE, wxS("pi"), Pieces(m_plain, 0));
        case 3:
        case 4:
        case 5:
            return Element(depth + 1);
        default:
            return new wxXmlNode(wxXML_TEXT_NODE, wxString(), Pieces(m_text, 1));
        }
    }

    wxString Pieces(const std::vector<wxString>& pieces, size_t least)
    {
        wxString text;
        for (size_t count = least + Below(6); count > 0; --count)
            text += Pick(pieces);
        return text;
    }

    const wxString& Pick(const std::vector<wxString>& from) { return from[Below(from.size())]; }
    size_t Below(size_t bound) { return std::uniform_int_distribution<size_t>(0, bound - 1)(m_random); }
    static wxString Unicode(const char* utf8) { return wxString::FromUTF8(utf8); }

    std::mt19937 m_random;
    std::vector<wxString> m_names = {wxS("a"), wxS("item"), wxS("Q"), Unicode("é")};
    // Text and attribute values: every encoding writes the rest as references.
    const std::vector<wxString> m_text = {
        wxS("a"), wxS("Zz 9"), wxS(" "), wxS("<"), wxS(">"), wxS("&"), wxS("&amp;"), wxS("&lt;"),
        wxS("\""), wxS("'"), wxS("]]>"), wxS("--"), wxS("\t"), wxS("\n"), wxS("\r"), wxS("\r\n"),
        Unicode("é"), Unicode("中文"), Unicode("😀"), Unicode("\u00a0"), wxS("?>")};
    // Comments, CDATA and processing instructions.
    std::vector<wxString> m_plain = {wxS("a"), wxS(" "), wxS("<b>"), wxS("&amp;"), wxS("\""), wxS("-"),
                                     wxS("--"), wxS("\n"), wxS("\t"), wxS("]]"), Unicode("é")};
};

} // namespace

TEST(XmlRoundTrip, GeneratedTreesReadBackTheSame)
{
    for (const wxString encoding : {wxS("UTF-8"), wxS("ISO-8859-1")})
    {
        for (unsigned seed = 0; seed < 300; ++seed)
        {
            wxXmlDocumentEx generated;
            generated.SetRoot(TreeGenerator(seed, encoding != wxS("UTF-8")).Tree());
            generated.SetFileEncoding(encoding);
            bool ok = false;
            const std::string bytes = SaveToBytes(generated, -1, &ok);
            ASSERT_TRUE(ok) << encoding << " seed " << seed;

            wxXmlDocumentEx loaded;
            ASSERT_TRUE(LoadBytes(loaded, bytes, wxXMLDOC_KEEP_WHITESPACE_NODES)) << bytes;
            ASSERT_EQ(TreeDifference(*generated.GetRoot(), *loaded.GetRoot()), wxString())
                << encoding << " seed " << seed << "\n" << bytes;
            // A tree the loader produced reads back the same, and saves as
            // it was saved (a PI-only element may have become empty above).
            const std::string again = SaveToBytes(loaded, -1);
            wxXmlDocumentEx reloaded;
            ASSERT_TRUE(LoadBytes(reloaded, again, wxXMLDOC_KEEP_WHITESPACE_NODES)) << again;
            ASSERT_EQ(TreeDifference(*loaded.GetRoot(), *reloaded.GetRoot()), wxString()) << again;
            ASSERT_EQ(SaveToBytes(reloaded, -1), again);
        }
    }
}

TEST(XmlRoundTrip, IndentedQuizReadsBackTheSame)
{
    wxXmlDocumentEx quiz;
    ASSERT_TRUE(LoadBytes(quiz, ReadBytes(SourceDir() + wxS("/data/Quiz_000-zh_CN.xml")),
                          wxXMLDOC_NONE));
    for (int step : {0, 1, 2})
    {
        bool ok = false;
        const std::string bytes = SaveToBytes(quiz, step, &ok);
        ASSERT_TRUE(ok);
        wxXmlDocumentEx loaded;
        ASSERT_TRUE(LoadBytes(loaded, bytes, wxXMLDOC_NONE));
        EXPECT_EQ(TreeDifference(*quiz.GetRoot(), *loaded.GetRoot()), wxString()) << "step " << step;
    }
}
