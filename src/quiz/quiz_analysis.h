// The findings that need the whole quiz (the entry, targets, reachability,
// endings) and the quiz's summary.
#pragma once

#include "quiz/check_report.h"
#include "quiz/read_recorder.h"

#include <optional>
#include <vector>

class QuestionTable;

// The quiz as its map draws it: the questions the application keeps, in
// document order, with where each answer leads and what the analysis found.
// It holds copies, so it outlives the loaded quiz.
struct QuizOutline
{
    struct Arrow
    {
        wxString text;
        wxString target;
        bool ends = false;         // the target is exactly the end
        std::optional<size_t> to;  // the box it leads to; empty: the end or no question
    };
    struct Box
    {
        wxString id;
        wxString text;
        bool reachable = false;  // from the entry
        bool canEnd = false;     // some path from it reaches an end
        std::vector<Arrow> arrows;
    };
    std::vector<Box> boxes;
    std::optional<size_t> entry;
    // The names of the results the quiz describes (see QuizResults), each
    // once, in the file's order: also those no ending names.
    std::vector<wxString> results;
};

// Analyses the questions `recorder` saw stored in `table`, adding findings,
// and fills `outline` when one is given.
QuizSummary AnalyseQuiz(const QuestionTable& table, const ReadRecorder& recorder,
                        FindingList& findings, QuizOutline* outline = nullptr);
