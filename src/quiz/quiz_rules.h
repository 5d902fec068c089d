// How the quiz reader reads a file's tree, in one place: which children of
// the root it reads as questions and where it stops, which of several equal
// elements counts, and what a leaf element's value is. The loader, the
// editor's document, the checker and the tests of what a save writes all
// read by these rules, so that none of them sees a quiz the others do not.
#pragma once

#include <wx/string.h>
#include <wx/xml/xml.h>

#include <cstddef>
#include <vector>

// True when `name` is `upper` (upper-case ASCII) in any mix of ASCII case,
// as the reader compares element names. Inline, with the length known when
// compiled: this is the loader's innermost loop.
template <size_t N>
inline bool QuizNameIs(const wxString& name, const char (&upper)[N])
{
    constexpr size_t length = N - 1;
    if (name.length() != length)
        return false;
    const wxStringCharType* chars = name.wx_str();
    for (size_t i = 0; i < length; ++i)
    {
        const wxStringCharType wanted = static_cast<unsigned char>(upper[i]);
        const wxStringCharType c = chars[i];
        if (c != wanted && !(c >= 'a' && c <= 'z' && c - ('a' - 'A') == wanted))
            return false;
    }
    return true;
}

// The same for a name known only when running.
bool IsQuizName(const wxString& name, const char* upper);

template <size_t N>
inline bool IsQuizElement(const wxXmlNode& node, const char (&upper)[N])
{
    return node.GetType() == wxXML_ELEMENT_NODE && QuizNameIs(node.GetName(), upper);
}

// A comment or processing instruction: no quiz content, skipped where the
// reader walks the root's children (stopping there would silently drop
// every later question).
inline bool IsMarkupAside(const wxXmlNode& node)
{
    return node.GetType() == wxXML_COMMENT_NODE || node.GetType() == wxXML_PI_NODE;
}

// The node holding a leaf element's value: its first text or CDATA child;
// null when it has none (the value is empty).
wxXmlNode* ValueNode(const wxXmlNode& leaf);

// The value of a leaf element without a value node. One object, so that a
// reader moving values out of the tree can tell it from a value there.
extern const wxString QUIZ_NO_VALUE;

// The value of a leaf element (a reference into the tree, valid while the
// node lives), QUIZ_NO_VALUE without a value node.
const wxString& LeafValue(const wxXmlNode& leaf);

// The last child element named `upper`: of several, the one that counts.
wxXmlNode* LastQuizChild(const wxXmlNode& parent, const char* upper);

// Every child element named `upper`, in order (ANSWER elements).
std::vector<wxXmlNode*> QuizChildren(const wxXmlNode& parent, const char* upper);

// How the reader walks the children of a `questions` root: the QUESTION
// elements it reads, in order, and the node where it stops (null when it
// reads to the end).
struct QuestionsRead
{
    std::vector<wxXmlNode*> questions;
    wxXmlNode* stop = nullptr;
};
QuestionsRead ReadableQuestions(const wxXmlNode& root);

// After its questions a quiz may name itself and describe its results:
// TITLE and RESULT elements (each RESULT one NAME and one TEXT) among the
// children of the root from the node where the reading of questions stops.
// A reader that knows only questions stops at them, so such a file plays
// there unchanged.
struct ResultsRead
{
    std::vector<wxXmlNode*> titles;   // in order; the last one counts
    std::vector<wxXmlNode*> results;  // in order
    // QUESTION elements after a TITLE or RESULT where the reading stopped:
    // never read as questions.
    std::vector<wxXmlNode*> unread;

    wxXmlNode* Title() const { return titles.empty() ? nullptr : titles.back(); }
};
// `stop` as ReadableQuestions gives it (null: nothing follows the questions).
ResultsRead ReadableResults(const wxXmlNode* stop);

// Whether the reading of questions stopping at `node` is the start of the
// title and results, not a stray element.
bool StartsResults(const wxXmlNode& node);

// A RESULT's name as endings name it: its NAME's value, trimmed as ResultOf
// trims; empty without one.
wxString ResultNameOf(const wxXmlNode& result);
