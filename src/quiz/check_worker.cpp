// The check worker's thread: one snapshot at a time, the newest only.
#include "quiz/check_worker.h"

#include "quiz/quiz_analysis.h"
#include "quiz/quiz_document.h"

#include <wx/log.h>
#include <wx/xml/xml.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct QuizCheckWorker::State
{
    std::mutex lock;
    std::condition_variable wake;  // a request or the end, for the thread
    std::condition_variable done;  // a request checked or dropped, for Wait
    std::unique_ptr<QuizSnapshot> pending;
    unsigned long latest = 0;
    unsigned long running = 0;
    std::unique_ptr<Result> ready;
    std::vector<std::shared_ptr<void>> garbage;
    bool stop = false;
    Ready notify;
    std::thread thread;
};

QuizCheckWorker::QuizCheckWorker(Ready ready) : m_state(std::make_unique<State>())
{
    m_state->notify = std::move(ready);
    m_state->thread = std::thread(Work, std::ref(*m_state));
}

QuizCheckWorker::~QuizCheckWorker()
{
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->stop = true;
        m_state->pending.reset();
    }
    m_state->wake.notify_all();
    m_state->thread.join();
}

unsigned long QuizCheckWorker::Request(QuizSnapshot snapshot)
{
    auto request = std::make_unique<QuizSnapshot>(std::move(snapshot));
    unsigned long generation = 0;
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        generation = ++m_state->latest;
        m_state->pending.swap(request);  // the superseded one is freed outside the lock
        m_state->ready.reset();
    }
    m_state->wake.notify_all();
    return generation;
}

void QuizCheckWorker::Cancel()
{
    std::unique_ptr<QuizSnapshot> dropped;
    std::unique_ptr<Result> stale;
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        ++m_state->latest;  // what is under way now answers nobody
        dropped = std::move(m_state->pending);
        stale = std::move(m_state->ready);
    }
    m_state->done.notify_all();
}

std::unique_ptr<QuizCheckWorker::Result> QuizCheckWorker::Take()
{
    const std::lock_guard<std::mutex> hold(m_state->lock);
    return std::move(m_state->ready);
}

void QuizCheckWorker::Discard(std::shared_ptr<void> garbage)
{
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->garbage.push_back(std::move(garbage));
    }
    m_state->wake.notify_all();
}

void QuizCheckWorker::Wait()
{
    std::unique_lock<std::mutex> hold(m_state->lock);
    m_state->done.wait(hold, [&] {
        return !m_state->pending && (m_state->running == 0 || m_state->running != m_state->latest);
    });
}

void QuizCheckWorker::Work(State& state)
{
    std::unique_lock<std::mutex> hold(state.lock);
    for (;;)
    {
        state.wake.wait(hold, [&] { return state.stop || state.pending || !state.garbage.empty(); });
        if (!state.garbage.empty())
        {
            std::vector<std::shared_ptr<void>> garbage;
            garbage.swap(state.garbage);
            hold.unlock();
            garbage.clear();
            hold.lock();
        }
        if (state.stop)
            return;
        if (!state.pending)
            continue;
        std::unique_ptr<QuizSnapshot> snapshot = std::move(state.pending);
        auto result = std::make_unique<Result>();
        result->generation = state.latest;
        state.running = result->generation;
        hold.unlock();

        // What the reader would log is in the findings; the toolkit's log
        // is the window's, so it is off on this thread.
        wxLogNull quiet;
        std::unique_ptr<wxXmlDocument> tree = ReadSnapshot(*snapshot);
        const wxString path(snapshot->path.c_str(), snapshot->path.length());
        snapshot.reset();
        auto outline = std::make_shared<QuizOutline>();
        if (!tree)
            result->unread = true;
        else
            result->playable =
                CheckQuizDocument(*tree, path, result->table, result->check, outline.get());
        if (result->playable)
        {
            result->balance = std::make_shared<const QuizBalance>(BalanceOf(*outline));
            result->outline = std::move(outline);
            result->progress = QuizProgressMap(result->table);
        }
        tree.reset();  // a large tree takes a while to free: not under the lock

        hold.lock();
        state.running = 0;
        if (!state.stop && result->generation == state.latest)
        {
            state.ready = std::move(result);
            if (state.notify)
                state.notify();
        }
        state.done.notify_all();
        if (result)
        {
            // Superseded: a large quiz's records take a while to free, and
            // the window's thread may be waiting for the lock meanwhile.
            hold.unlock();
            result.reset();
            hold.lock();
        }
    }
}
