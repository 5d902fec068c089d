// Laying out a quiz map with the renderer and reading the layout back.
#include "map/map_layout.h"

#include "map/map_render.h"

bool LayOutMapGraph(const MapGraph& graph, const MapEffort& effort, MapLayout& layout,
                    std::string& error, const MapTextMetrics& text)
{
    MapRenderer renderer;
    if (!renderer.Layout(MapDot(graph, effort), text) || !renderer.Read(graph, layout))
    {
        error = renderer.Error();
        return false;
    }
    return true;
}

bool LayOutQuizMap(const QuizOutline& outline, QuizMap& map, std::string& error, const MapTextMetrics& text)
{
    map.graph = MakeMapGraph(outline);
    map.effort = EffortFor(map.graph);
    return LayOutMapGraph(map.graph, map.effort, map.layout, error, text);
}
