// The map font's metrics and the width of a line.
#include "map/map_text.h"

namespace
{

// WenQuanYi Micro Hei's advances for the printable ASCII characters, from
// the space to the tilde, in its units (2,048 to the em), as its font file
// (Debian's fonts-wqy-microhei) has them.
constexpr int ASCII_ADVANCES[] = {
    532,  551,  823,  1323, 1128, 1690, 1438, 463,  616,  616,  1128, 1128, 512,  659,  549,  764,
    1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 1128, 549,  549,  1128, 1128, 1128, 872,
    1774, 1245, 1272, 1235, 1401, 1081, 1006, 1413, 1436, 694,  555,  1186, 1006, 1782, 1493, 1520,
    1180, 1518, 1208, 1063, 1063, 1430, 1163, 1810, 1120, 1079, 1104, 621,  764,  621,  1090, 842,
    1182, 1087, 1200, 948,  1200, 1096, 674,  1061, 1206, 530,  530,  1016, 530,  1835, 1206, 1182,
    1200, 1200, 817,  924,  694,  1206, 981,  1528, 1024, 1001, 903,  725,  1128, 725,  1128};
constexpr double UNITS_PER_EM = 2048;
// From U+2000 on (punctuation, arrows, CJK) its characters are one em wide;
// other letters about as wide as a digit.
constexpr char32_t FIRST_WIDE = 0x2000;
constexpr double LETTER = 1128 / UNITS_PER_EM;
// Graphviz's text layout on Pango gives a line 1.1 em, rounded to a point;
// 1.09 em rounded up gives the same at the map's sizes.
constexpr double LINE_HEIGHT = 1.09;

MapTextMetrics MakeMapFontMetrics()
{
    MapTextMetrics metrics(LINE_HEIGHT);
    for (char32_t c = 0x20; c < 0x7F; ++c)
        metrics.SetAdvance(c, ASCII_ADVANCES[c - 0x20] / UNITS_PER_EM);
    return metrics;
}

} // namespace

const MapTextMetrics& MapTextMetrics::MapFont()
{
    static const MapTextMetrics metrics = MakeMapFontMetrics();
    return metrics;
}

double MapTextMetrics::Advance(char32_t c) const
{
    const auto found = m_advances.find(c);
    if (found != m_advances.end())
        return found->second;
    if (this != &MapFont())
        return MapFont().Advance(c);
    return c >= FIRST_WIDE ? 1 : LETTER;
}

double MapTextMetrics::Width(const std::string& line, double size) const
{
    double ems = 0;
    ForEachCharacter(line, [&](char32_t c) { ems += Advance(c); });
    return ems * size;
}
