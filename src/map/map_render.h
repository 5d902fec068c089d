// Laying out a quiz map and drawing it as a picture, in the process, with
// Graphviz's libraries, the text measured by the program's own metrics. Builds without Graphviz get a stand-in that says so
// (cmake/Platform.cmake picks the file). Graphviz keeps process-wide state:
// renderers in several threads take turns, each call holding one lock.
#pragma once

#include "map/map_text.h"

#include <memory>
#include <mutex>
#include <string>

struct MapGraph;
struct MapLayout;

enum class MapFormat
{
    Dot,
    Svg,
    Png
};

class MapRenderer
{
public:
    MapRenderer();
    ~MapRenderer();
    MapRenderer(const MapRenderer&) = delete;
    MapRenderer& operator=(const MapRenderer&) = delete;

    // False when this build cannot draw pictures at all.
    static bool Available();
    // Whether this build writes maps in `format` (DOT always).
    static bool Draws(MapFormat format);
    // Keeps renderers in other threads waiting while the lock is held.
    static std::unique_lock<std::mutex> Hold();

    // Lays out a graph given in DOT form, its labels as wide as `text` has
    // them. False, with Error() set, when Graphviz is missing, lacks a
    // plugin, or refuses the graph.
    bool Layout(const std::string& dot, const MapTextMetrics& text = MapTextMetrics::MapFont());
    // Reads where the laid-out graph's boxes and arrows lie; `graph` must be
    // the one whose DOT was laid out.
    bool Read(const MapGraph& graph, MapLayout& layout);
    // Draws the laid-out graph as SVG or PNG into `image`.
    bool Render(MapFormat format, std::string& image);

    const std::string& Error() const { return m_error; }
    // What Graphviz said while succeeding (a picture scaled down to fit, say).
    const std::string& Warnings() const { return m_warnings; }

private:
    struct Graphviz;
    std::unique_ptr<Graphviz> m_graphviz;
    std::string m_error;
    std::string m_warnings;
};
