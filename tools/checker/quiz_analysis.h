// The findings that need the whole quiz (the entry, targets, reachability,
// endings) and the quiz's summary.
#pragma once

#include "check_report.h"
#include "read_recorder.h"

class QuestionTable;

// Analyses the questions `recorder` saw stored in `table`, adding findings.
QuizSummary AnalyseQuiz(const QuestionTable& table, const ReadRecorder& recorder,
                        FindingList& findings);
