// Tree helpers shared by the XML writer's tests and its fuzzer: saving to and
// loading from memory, and comparing a tree with the one read back.
#pragma once

#include <wx/string.h>

#include <string>

class wxXmlDocument;
class wxXmlNode;

enum class TextMode
{
    Exact,
    // Text nodes are left out of the comparison: indentation joins text.
    Ignore
};

// How `actual` differs from `expected`, or "" when it does not. Both are
// seen as the writer writes them: node types it does not write (processing
// instructions, ...) are dropped, adjacent text is merged, and comments are
// normalised as by NormalisedComment.
wxString TreeDifference(const wxXmlNode& expected, const wxXmlNode& actual,
                        TextMode mode = TextMode::Exact);

// The comment content read back after the writer wrote `content`: a space
// follows each hyphen that precedes another hyphen or ends the content.
wxString NormalisedComment(const wxString& content);

// Saves `document` (a wxXmlDocumentEx) to memory; `ok` receives the result.
std::string SaveToBytes(const wxXmlDocument& document, int step, bool* ok = nullptr);

// Loads `bytes` with the toolkit's loader, its log silenced.
bool LoadBytes(wxXmlDocument& document, const std::string& bytes, int flags);
