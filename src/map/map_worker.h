// Lays quiz maps out on one background thread, so that a large map never
// holds up the window that asked for it. A newer request supersedes an
// older one: a layout not yet begun is dropped, one under way finishes
// (Graphviz cannot be stopped) but is not delivered. GUI-free.
#pragma once

#include "map/map_layout.h"

#include <functional>
#include <memory>
#include <string>

class MapLayoutWorker
{
public:
    struct Result
    {
        unsigned long generation = 0;  // of the request it answers
        bool laidOut = false;
        QuizMap map;
        std::string error;  // why not, when not laid out
    };
    // Called on the worker's thread, with the result of the newest request
    // only, never after the worker is destroyed. It must be quick: it runs
    // under the worker's lock.
    using Deliver = std::function<void(std::unique_ptr<Result>)>;

    explicit MapLayoutWorker(Deliver deliver);
    // Returns at once: an idle thread is joined, one laying out is left to
    // finish on its own, delivering nothing.
    ~MapLayoutWorker();
    MapLayoutWorker(const MapLayoutWorker&) = delete;
    MapLayoutWorker& operator=(const MapLayoutWorker&) = delete;

    // Asks for the graph to be laid out with the effort its size gets, its
    // labels as wide as `text` has them (the map font's own when null);
    // returns the request's generation, higher than any before.
    unsigned long Request(MapGraph graph, std::shared_ptr<const MapTextMetrics> text = nullptr);

    // The generation being laid out now; 0 when idle.
    unsigned long Running() const;

private:
    struct State;
    static void Work(std::shared_ptr<State> state);

    std::shared_ptr<State> m_state;
};
