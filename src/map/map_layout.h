// A quiz map laid out: where each box and arrow of the map's graph lies, in
// points (1/72 inch) with y growing downwards, as plain data that a window
// draws at any zoom and a benchmark measures. GUI-free.
#pragma once

#include "map/map_text.h"
#include "map/quiz_map.h"

#include <optional>
#include <string>
#include <vector>

struct QuizOutline;

struct MapPoint
{
    double x = 0;
    double y = 0;
};

struct MapBox
{
    MapPoint centre;
    double width = 0;
    double height = 0;
};

struct MapLine
{
    // A chain of cubic Bézier pieces: the first point, then three for each
    // piece (two controls and its end).
    std::vector<MapPoint> curve;
    std::optional<MapPoint> head;   // the arrowhead's tip, when there is one
    std::optional<MapPoint> label;  // the centre of the label
    double labelWidth = 0;          // the label's size as measured for the layout
    double labelHeight = 0;
};

struct MapLayout
{
    std::vector<MapBox> boxes;   // one per node of the graph, in its order
    std::vector<MapLine> lines;  // one per arrow of the graph, in its order
    double width = 0;
    double height = 0;
};

// A map and its layout, together.
struct QuizMap
{
    MapGraph graph;
    MapLayout layout;
    MapEffort effort;
};

// Lays out the outline's map with the effort its size gets, its labels as
// wide as `text` has them. False with `error` set when this build cannot
// lay maps out or Graphviz fails. Graphviz is not made for two threads at
// once: calls from several threads take turns.
bool LayOutQuizMap(const QuizOutline& outline, QuizMap& map, std::string& error,
                   const MapTextMetrics& text = MapTextMetrics::MapFont());
// The same with a given graph and effort (for measuring what effort costs).
bool LayOutMapGraph(const MapGraph& graph, const MapEffort& effort, MapLayout& layout,
                    std::string& error, const MapTextMetrics& text = MapTextMetrics::MapFont());
