// What a map layout is worth, measured from its geometry: the crossings of
// its arrows, their total length and the arrow labels lying on top of each
// other. Shared by the map benchmarks.
#pragma once

#include "map/map_layout.h"
#include "map/quiz_map.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// An arrow as a polyline: each Bézier piece cut into eight straight ones,
// then the stretch to the arrowhead's tip.
inline std::vector<MapPoint> Polyline(const MapLine& line)
{
    std::vector<MapPoint> points;
    if (line.curve.empty())
        return points;
    points.push_back(line.curve.front());
    for (size_t at = 0; at + 3 < line.curve.size(); at += 3)
    {
        const MapPoint* p = &line.curve[at];
        for (int step = 1; step <= 8; ++step)
        {
            const double t = step / 8.0, u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            points.push_back({a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
                              a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y});
        }
    }
    if (line.head)
        points.push_back(*line.head);
    return points;
}

struct Quality
{
    size_t crossings = 0;
    double length = 0;    // points
    size_t overlaps = 0;  // pairs of arrow labels on top of each other
};

inline double Cross(MapPoint o, MapPoint a, MapPoint b)
{
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Where two segments cross, if they do (touching ends do not count).
inline bool Crossing(MapPoint p, MapPoint q, MapPoint r, MapPoint s, MapPoint& at)
{
    const double d1 = Cross(r, s, p), d2 = Cross(r, s, q), d3 = Cross(p, q, r), d4 = Cross(p, q, s);
    if (!(((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))))
        return false;
    const double t = d1 / (d1 - d2);
    at = {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
    return true;
}

// Crossings between arrows that share no box, found cell by cell of a grid
// (each counted in the cell where it lies), and the arrows' total length.
inline Quality Measure(const MapGraph& graph, const MapLayout& layout)
{
    struct Segment
    {
        MapPoint from, to;
        size_t arrow;
    };
    const double cell = 50;
    std::vector<Segment> segments;
    Quality quality;
    for (size_t arrow = 0; arrow < layout.lines.size(); ++arrow)
    {
        const std::vector<MapPoint> points = Polyline(layout.lines[arrow]);
        for (size_t i = 1; i < points.size(); ++i)
        {
            segments.push_back({points[i - 1], points[i], arrow});
            quality.length += std::hypot(points[i].x - points[i - 1].x, points[i].y - points[i - 1].y);
        }
    }
    std::map<std::pair<long, long>, std::vector<size_t>> grid;
    for (size_t i = 0; i < segments.size(); ++i)
    {
        const Segment& s = segments[i];
        for (long x = long(std::floor(std::min(s.from.x, s.to.x) / cell));
             x <= long(std::floor(std::max(s.from.x, s.to.x) / cell)); ++x)
            for (long y = long(std::floor(std::min(s.from.y, s.to.y) / cell));
                 y <= long(std::floor(std::max(s.from.y, s.to.y) / cell)); ++y)
                grid[{x, y}].push_back(i);
    }
    const auto Share = [&](size_t a, size_t b) {
        const MapArrow &x = graph.arrows[a], &y = graph.arrows[b];
        return x.from == y.from || x.from == y.to || x.to == y.from || x.to == y.to;
    };
    for (const auto& [place, members] : grid)
        for (size_t i = 0; i < members.size(); ++i)
            for (size_t j = i + 1; j < members.size(); ++j)
            {
                const Segment &a = segments[members[i]], &b = segments[members[j]];
                MapPoint at;
                if (a.arrow != b.arrow && !Share(a.arrow, b.arrow) && Crossing(a.from, a.to, b.from, b.to, at) &&
                    long(std::floor(at.x / cell)) == place.first && long(std::floor(at.y / cell)) == place.second)
                    ++quality.crossings;
            }
    // Labels overlap when their boxes do by more than a point each way.
    std::vector<const MapLine*> labelled;
    for (const MapLine& line : layout.lines)
        if (line.label)
            labelled.push_back(&line);
    std::sort(labelled.begin(), labelled.end(),
              [](const MapLine* a, const MapLine* b) { return a->label->x < b->label->x; });
    for (size_t i = 0; i < labelled.size(); ++i)
        for (size_t j = i + 1; j < labelled.size(); ++j)
        {
            const MapLine &a = *labelled[i], &b = *labelled[j];
            if (b.label->x - a.label->x >= (a.labelWidth + b.labelWidth) / 2 - 1)
                break;
            if (std::fabs(b.label->y - a.label->y) < (a.labelHeight + b.labelHeight) / 2 - 1)
                ++quality.overlaps;
        }
    return quality;
}

// The effort as dot's attributes, for the reports.
inline std::string EffortText(const MapEffort& effort)
{
    if (effort.Full())
        return "full effort";
    char text[200];
    std::snprintf(text, sizeof text, "nslimit=%g nslimit1=%g mclimit=%g searchsize=%d%s%s", effort.nslimit,
                  effort.nslimit1, effort.mclimit, effort.searchsize, effort.answerOrder ? " ordering=out" : "",
                  effort.levels ? ", rows by levels" : "");
    return text;
}
