// The map worker's thread: one request at a time, the newest only.
#include "map/map_worker.h"

#include "map/thread_priority.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

// Shared by the owner and the thread, so that a thread left to finish a
// layout after its owner is gone still has what it touches.
struct MapLayoutWorker::State
{
    std::mutex lock;
    std::condition_variable wake;
    struct Pending
    {
        unsigned long generation;
        MapGraph graph;
        std::shared_ptr<const MapTextMetrics> text;
    };
    std::optional<Pending> pending;
    unsigned long latest = 0;
    unsigned long running = 0;
    bool stop = false;
    Deliver deliver;
    std::thread thread;
};

MapLayoutWorker::MapLayoutWorker(Deliver deliver) : m_state(std::make_shared<State>())
{
    m_state->deliver = std::move(deliver);
    m_state->thread = std::thread(Work, m_state);
}

MapLayoutWorker::~MapLayoutWorker()
{
    bool busy = false;
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        m_state->stop = true;
        m_state->deliver = nullptr;
        m_state->pending.reset();
        busy = m_state->running != 0;
    }
    m_state->wake.notify_all();
    // Waiting for a large layout would freeze whoever closes the window or
    // the program; the thread ends by itself after it.
    if (busy)
        m_state->thread.detach();
    else
        m_state->thread.join();
}

unsigned long MapLayoutWorker::Request(MapGraph graph, std::shared_ptr<const MapTextMetrics> text)
{
    unsigned long generation = 0;
    {
        const std::lock_guard<std::mutex> hold(m_state->lock);
        generation = ++m_state->latest;
        m_state->pending = State::Pending{generation, std::move(graph), std::move(text)};
    }
    m_state->wake.notify_all();
    return generation;
}

unsigned long MapLayoutWorker::Running() const
{
    const std::lock_guard<std::mutex> hold(m_state->lock);
    return m_state->running;
}

void MapLayoutWorker::Work(std::shared_ptr<State> state)
{
    // A layout may take seconds of a processor the window needs more.
    LowerThisThreadsPriority();
    std::unique_lock<std::mutex> hold(state->lock);
    for (;;)
    {
        state->wake.wait(hold, [&] { return state->stop || state->pending; });
        if (state->stop)
            return;
        auto result = std::make_unique<Result>();
        result->generation = state->pending->generation;
        result->map.graph = std::move(state->pending->graph);
        const std::shared_ptr<const MapTextMetrics> text = std::move(state->pending->text);
        state->pending.reset();
        state->running = result->generation;
        hold.unlock();

        result->map.effort = EffortFor(result->map.graph);
        result->laidOut = LayOutMapGraph(result->map.graph, result->map.effort, result->map.layout, result->error,
                                         text ? *text : MapTextMetrics::MapFont());

        hold.lock();
        state->running = 0;
        if (!state->stop && result->generation == state->latest && state->deliver)
            state->deliver(std::move(result));
    }
}
