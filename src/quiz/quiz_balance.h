// The balance of a quiz's results: how often each result comes out when
// every answer is chosen at random, worked out from the quiz's graph (an
// absorbing Markov chain), not by playing it: exactly, to double precision,
// or where a densely linked part is too large to solve exactly in time,
// with a bound on the error of every share it touches.
#pragma once

#include "quiz/core_solver.h"

#include <wx/string.h>

#include <vector>

struct QuizOutline;

struct ResultShare
{
    wxString result;
    double share;  // a fraction, 0..1
    // False when the share came through a part of the quiz that was solved
    // by iteration, or so rarely left that its solution cannot be vouched
    // for to twelve digits: it is then within QuizBalance::errorBound of
    // the exact one.
    bool exact = true;
};

struct QuizBalance
{
    // Every result an ending answer gives, reachable or not: largest share
    // first, equal shares by result text.
    std::vector<ResultShare> results;
    // Players who never reach an end, all told: the sum of the three below,
    // or all of them when the quiz cannot start.
    double neverEnds = 0;
    double caughtInLoop = 0;  // in a loop with no way out
    double stuck = 0;         // at a question none of whose answers leads on
    // In a loop left so rarely (once in more than 10^4900 rounds) that no
    // player would ever see its end.
    double rarelyLeft = 0;
    bool cannotStart = false;  // no entry question: nothing can be played
    bool neverEndsExact = true;
    // No share that is not exact is off by more than this (zero when every
    // share is exact).
    double errorBound = 0;

    bool Exact() const;
};

// The result an answer that ends the quiz gives: the text after its last
// "→", trimmed; the whole text when it has no "→" (or nothing after it).
// The balance, the map, the editor and the checker all name results so.
wxString ResultOf(const wxString& answerText);

// Where random play leaves the quiz. Every answer of a question is equally
// likely, except that an answer whose target names no question does not
// count: the player stays and chooses again. `budget` bounds the work
// spent on the densely linked parts, all told (see SolveCore).
QuizBalance BalanceOf(const QuizOutline& outline, const SolverBudget& budget = SolverBudget());

// A share as the views show it in the interface language, "12.5 %", with
// "≈ " before a share that is not exact.
wxString ShareText(double share, bool exact = true);
// The balance's rows for a list: "12.5 %  Type A" per result, then the
// share that never reaches an end, when there is one.
std::vector<wxString> BalanceRows(const QuizBalance& balance);
