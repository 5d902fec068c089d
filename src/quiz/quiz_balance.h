// The balance of a quiz's results: how often each result comes out when
// every answer is chosen at random, worked out exactly from the quiz's
// graph (an absorbing Markov chain), not by playing it.
#pragma once

#include <wx/string.h>

#include <vector>

struct QuizOutline;

struct ResultShare
{
    wxString result;
    double share;  // a fraction, 0..1
};

struct QuizBalance
{
    // Every result an ending answer gives, reachable or not: largest share
    // first, equal shares by result text.
    std::vector<ResultShare> results;
    // Players who never reach an end: caught in a loop with no way out, or
    // at a question none of whose answers leads anywhere. A quiz that has
    // no entry question cannot be played: all of them.
    double neverEnds = 0;
};

// The result an answer that ends the quiz gives: the text after its last
// "→", trimmed; the whole text when it has no "→" (or nothing after it).
wxString ResultOf(const wxString& answerText);

// Where random play leaves the quiz: for each box of the outline, for each
// of its answers, the share of players who end the quiz by that answer
// (zero for answers that do not end it); and the share that never ends.
// Every answer of a question is equally likely, except that an answer whose
// target names no question does not count: the player stays and chooses
// again.
struct EndingShares
{
    std::vector<std::vector<double>> byAnswer;
    double neverEnds = 0;
};
EndingShares EndingSharesOf(const QuizOutline& outline);

// The shares of EndingSharesOf gathered by result.
QuizBalance BalanceOf(const QuizOutline& outline);
