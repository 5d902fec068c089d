// The built-in result catalogue keeps its fixed form: the dialog and the
// English catalogue (keyed by the whole text) depend on it.
#include "quiz/result_catalogue.h"

#include <wx/string.h>
#include <wx/tokenzr.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{

struct Section
{
    const char* heading;
    const char* tagline;  // null when the section has none
    size_t opening, relations, otherSex, career, length;
};

const Section SECTIONS[] = {
    {"A. 梅花鹿", "谨慎小心，待人和蔼可亲", 127, 84, 59, 31, 409},
    {"B. 海龟", nullptr, 63, 91, 62, 24, 334},
    {"C. 折耳猫", nullptr, 106, 82, 68, 22, 373},
    {"D. 牧羊犬", nullptr, 125, 85, 71, 28, 404},
    {"E. 金丝猴", nullptr, 111, 23, 67, 24, 320},
    {"F. 长颈鹿", "知性优雅，默默等待爱情", 128, 48, 69, 26, 379},
    {"G. 野象", "自由奔放的霸道主义者", 129, 77, 73, 30, 413},
};

std::vector<wxString> Lines(const wxString& text)
{
    std::vector<wxString> lines;
    wxStringTokenizer tokens(text, wxS("\n"), wxTOKEN_RET_EMPTY_ALL);
    while (tokens.HasMoreTokens())
        lines.push_back(tokens.GetNextToken());
    return lines;
}

} // namespace

TEST(ResultCatalogue, HasItsFixedSizeAndSections)
{
    const wxString catalogue(RESULT_CATALOGUE);
    EXPECT_EQ(catalogue.length(), 2632u);
    EXPECT_FALSE(catalogue.Contains(wxS("\r")));
    EXPECT_FALSE(catalogue.EndsWith(wxS("\n")));
    const std::vector<wxString> lines = Lines(catalogue);
    ASSERT_EQ(lines.size(), 124u);

    const wxString separator(wxS('-'), 24);
    size_t at = 0;
    size_t total = 0;
    const auto expectLine = [&](const wxString& expected) {
        ASSERT_LT(at, lines.size());
        EXPECT_EQ(lines[at], expected) << "line " << at + 1;
        ++at;
    };
    const auto expectParagraph = [&](size_t length) {
        ASSERT_LT(at, lines.size());
        EXPECT_EQ(lines[at].length(), length) << "line " << at + 1;
        ++at;
    };
    for (const Section& section : SECTIONS)
    {
        const size_t first = at;
        expectLine(separator);
        expectLine(wxString::FromUTF8(section.heading));
        expectLine(separator);
        if (section.tagline)
        {
            expectLine(wxString::FromUTF8(section.tagline));
            expectLine(wxString());
        }
        else if (section.heading[0] == 'B')
        {
            EXPECT_TRUE(lines[at].StartsWith(wxString::FromUTF8("协调性强，对人温柔体贴")));
        }
        expectParagraph(section.opening);
        for (const auto& part : {std::make_pair("【如何排除人际烦恼】", section.relations),
                                 std::make_pair("【对异性的态度】", section.otherSex),
                                 std::make_pair("【职业预测】", section.career)})
        {
            expectLine(wxString());
            expectLine(wxString::FromUTF8(part.first));
            expectLine(wxString());
            expectParagraph(part.second);
        }
        if (at < lines.size())
            expectLine(wxString());  // the empty line between sections
        size_t length = 0;
        for (size_t i = first; i < at; ++i)
            length += lines[i].length() + 1;
        if (at == lines.size())
            --length;  // no line feed after the last line
        EXPECT_EQ(length, section.length) << section.heading;
        total += length;
    }
    EXPECT_EQ(at, lines.size());
    EXPECT_EQ(total, 2632u);
}
