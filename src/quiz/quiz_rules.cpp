// The quiz reader's rules for a file's tree.
#include "quiz/quiz_rules.h"

#include <cstring>

const wxString QUIZ_NO_VALUE;

bool IsQuizName(const wxString& name, const char* upper)
{
    const size_t length = std::strlen(upper);
    if (name.length() != length)
        return false;
    for (size_t i = 0; i < length; ++i)
    {
        unsigned c = name[i].GetValue();
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        if (c != static_cast<unsigned char>(upper[i]))
            return false;
    }
    return true;
}

wxXmlNode* ValueNode(const wxXmlNode& leaf)
{
    for (wxXmlNode* child = leaf.GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_TEXT_NODE || child->GetType() == wxXML_CDATA_SECTION_NODE)
            return child;
    return nullptr;
}

const wxString& LeafValue(const wxXmlNode& leaf)
{
    const wxXmlNode* value = ValueNode(leaf);
    return value ? value->GetContent() : QUIZ_NO_VALUE;
}

wxXmlNode* LastQuizChild(const wxXmlNode& parent, const char* upper)
{
    wxXmlNode* found = nullptr;
    for (wxXmlNode* child = parent.GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && IsQuizName(child->GetName(), upper))
            found = child;
    return found;
}

std::vector<wxXmlNode*> QuizChildren(const wxXmlNode& parent, const char* upper)
{
    std::vector<wxXmlNode*> found;
    for (wxXmlNode* child = parent.GetChildren(); child; child = child->GetNext())
        if (child->GetType() == wxXML_ELEMENT_NODE && IsQuizName(child->GetName(), upper))
            found.push_back(child);
    return found;
}

QuestionsRead ReadableQuestions(const wxXmlNode& root)
{
    QuestionsRead read;
    for (wxXmlNode* child = root.GetChildren(); child; child = child->GetNext())
    {
        if (IsMarkupAside(*child))
            continue;
        if (!IsQuizElement(*child, "QUESTION"))
        {
            read.stop = child;
            break;
        }
        read.questions.push_back(child);
    }
    return read;
}

bool StartsResults(const wxXmlNode& node)
{
    return IsQuizElement(node, "TITLE") || IsQuizElement(node, "RESULT");
}

ResultsRead ReadableResults(const wxXmlNode* stop)
{
    ResultsRead read;
    const bool lostQuestions = stop && StartsResults(*stop);
    for (const wxXmlNode* node = stop; node; node = node->GetNext())
    {
        wxXmlNode* element = const_cast<wxXmlNode*>(node);
        if (IsQuizElement(*node, "TITLE"))
            read.titles.push_back(element);
        else if (IsQuizElement(*node, "RESULT"))
            read.results.push_back(element);
        else if (lostQuestions && IsQuizElement(*node, "QUESTION"))
            read.unread.push_back(element);
    }
    return read;
}

wxString ResultNameOf(const wxXmlNode& result)
{
    const wxXmlNode* name = LastQuizChild(result, "NAME");
    if (!name)
        return wxString();
    wxString value = LeafValue(*name);
    return value.Trim(true).Trim(false);
}
