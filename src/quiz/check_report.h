// What the checker found in one quiz file: its findings and, when the quiz
// could be analysed, its summary.
#pragma once

#include "quiz/quiz_balance.h"
#include "quiz/quiz_results.h"

#include <wx/string.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class Severity
{
    Warning,
    Error
};

struct Finding
{
    long line = 1;  // 1-based line of the node concerned; 1 for the whole file
    Severity severity = Severity::Warning;
    const char* code = "";  // stable short name, listed in --help
    // One sentence in the language of the translations in force when the
    // finding was made (English without a catalogue).
    wxString message;
    // The question the finding is about, where it is about one (the window
    // shows it when the finding is chosen); empty otherwise.
    wxString questionId{};
    // The same sentence for the window, which speaks of where an answer leads
    // rather than of the file's GOTO; empty where the message already suits.
    wxString windowMessage{};
    // The answer of that question it is about, counted from 0 among its
    // ANSWER elements, dropped ones too (the editor selects it); -1 for none.
    int answer = -1;
    // The RESULT a finding is about, by its place among the quiz's results
    // (as the editor lists them); -1 for a finding about none.
    int result = -1;

    const wxString& WindowMessage() const { return windowMessage.empty() ? message : windowMessage; }
};

using FindingList = std::vector<Finding>;

struct QuizSummary
{
    size_t questions = 0;  // questions the application keeps (IDs, not elements)
    size_t endings = 0;    // answers whose GOTO is exactly "0"
    // Questions answered on the way from the entry to an end; empty when no
    // end can be reached (shortest) or when the path is unbounded (longest).
    std::optional<size_t> shortest;
    std::optional<size_t> longest;
    bool unbounded = false;  // a loop that can still end is reachable
};

struct FileReport
{
    std::string file;  // as given on the command line: bytes, not necessarily UTF-8
    FindingList findings;
    std::optional<QuizSummary> summary;
    std::optional<QuizBalance> balance;  // when asked for and the quiz could be analysed
    QuizResults results;  // the title and results the quiz describes

    size_t Count(Severity severity) const;
    bool Clean() const { return findings.empty(); }
};

// Exit status for a set of reports: 0 when all are clean, 1 when the worst
// finding is a warning, 2 when any is an error.
int ExitStatus(const std::vector<FileReport>& reports);

// Orders findings by line, keeping the order of discovery within a line.
void SortByLine(FindingList& findings);

// The translation of `sentence` (marked with wxTRANSLATE), in UTF-8, with
// `bytes` in place of its "%s": bytes as they were given, since a file name
// or another program's words need not be UTF-8.
std::string SentenceWith(const char* sentence, const std::string& bytes = std::string());

// Shows a value from the quiz inside a message: quoted, control characters
// escaped (a finding is one line) and values longer than `length`
// characters shortened (the default: long enough to recognise an answer
// text, short enough for one line). An empty ID shows as "".
wxString Quoted(const wxString& value, size_t length = 40);
