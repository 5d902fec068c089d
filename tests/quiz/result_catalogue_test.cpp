// The built-in result catalogue keeps its fixed form: the English catalogue
// is keyed by the whole text, so any change loses the translation.
#include "quiz/result_catalogue.h"

#include <wx/string.h>
#include <wx/tokenzr.h>

#include <gtest/gtest.h>

#include <vector>

TEST(ResultCatalogue, HasItsFixedSizeAndSections)
{
    const wxString catalogue(RESULT_CATALOGUE);
    EXPECT_EQ(catalogue.length(), 2632u);
    EXPECT_FALSE(catalogue.Contains(wxS("\r")));
    EXPECT_FALSE(catalogue.EndsWith(wxS("\n")));

    // The expected lines, "*" standing for a paragraph of text.
    const wxString separator(wxS('-'), 24), paragraph(wxS("*"));
    std::vector<wxString> expected;
    const struct
    {
        const char* heading;
        const char* tagline;
    } sections[] = {{"A. 梅花鹿", "谨慎小心，待人和蔼可亲"}, {"B. 海龟", nullptr},
                    {"C. 折耳猫", nullptr},                  {"D. 牧羊犬", nullptr},
                    {"E. 金丝猴", nullptr},                  {"F. 长颈鹿", "知性优雅，默默等待爱情"},
                    {"G. 野象", "自由奔放的霸道主义者"}};
    for (const auto& section : sections)
    {
        if (!expected.empty())
            expected.push_back(wxString());
        expected.insert(expected.end(), {separator, wxString::FromUTF8(section.heading), separator});
        if (section.tagline)
            expected.insert(expected.end(), {wxString::FromUTF8(section.tagline), wxString()});
        expected.push_back(paragraph);
        for (const char* part : {"【如何排除人际烦恼】", "【对异性的态度】", "【职业预测】"})
            expected.insert(expected.end(), {wxString(), wxString::FromUTF8(part), wxString(), paragraph});
    }

    std::vector<wxString> lines;
    wxStringTokenizer tokens(catalogue, wxS("\n"), wxTOKEN_RET_EMPTY_ALL);
    while (tokens.HasMoreTokens())
        lines.push_back(tokens.GetNextToken());
    ASSERT_EQ(lines.size(), expected.size());
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (expected[i] == paragraph)
            EXPECT_GT(lines[i].length(), 20u) << "line " << i + 1;
        else
            EXPECT_EQ(lines[i], expected[i]) << "line " << i + 1;
    }
}
