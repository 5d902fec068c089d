// Reads and checks snapshots of an edited quiz on one background thread, so
// that an edit of a large quiz never waits for its findings, balance and
// progress figures. A newer request supersedes an older one: a check not
// yet begun is dropped, one under way finishes but is not delivered.
// GUI-free.
#pragma once

#include "quiz/question_table.h"
#include "quiz/quiz_balance.h"
#include "quiz/quiz_checker.h"
#include "quiz/quiz_progress.h"

#include <functional>
#include <memory>

struct QuizOutline;
struct QuizSnapshot;

class QuizCheckWorker
{
public:
    // What the loader makes of one snapshot, as QuizDocument::Read reads it.
    struct Result
    {
        unsigned long generation = 0;  // of the request it answers
        bool playable = false;
        QuestionTable table{100};
        QuizFileCheck check;
        std::shared_ptr<const QuizOutline> outline;  // only when playable
        std::shared_ptr<const QuizBalance> balance;  // of the outline
        QuizProgressMap progress;                    // of the table
        // The snapshot did not read back as the tree it was taken of (a
        // value the writer cannot keep apart): nothing above was read, the
        // document is to be read where it is.
        bool unread = false;
    };
    // Called on the worker's thread when the newest request's result can
    // be taken; quick, under the worker's lock. Never after destruction.
    using Ready = std::function<void()>;

    explicit QuizCheckWorker(Ready ready);
    // Waits for a check under way (a quiz within the loader's limits is
    // checked in well under a second).
    ~QuizCheckWorker();
    QuizCheckWorker(const QuizCheckWorker&) = delete;
    QuizCheckWorker& operator=(const QuizCheckWorker&) = delete;

    // Asks for `snapshot` to be read and checked as QuizDocument::Read
    // reads the document it was taken of; returns the request's
    // generation, higher than any before.
    unsigned long Request(QuizSnapshot snapshot);
    // Drops what was asked for: nothing is delivered until the next request.
    void Cancel();
    // The newest request's result once checked, taken; null before.
    std::unique_ptr<Result> Take();
    // Returns once the newest request was checked (or dropped).
    void Wait();
    // Frees `garbage` on the worker's thread, before the next check: a
    // large quiz's records and outline take a while to free.
    void Discard(std::shared_ptr<void> garbage);

private:
    struct State;
    static void Work(State& state);

    std::unique_ptr<State> m_state;
};
