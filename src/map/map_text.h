// How wide the map's labels are: each character's advance and the height of
// a line, in ems of the font size. The layout sizes the boxes and the
// arrows' labels from these, and whoever draws the map draws in the font
// they describe, so that every label fits its box. Plain data, GUI-free:
// the window fills one from the toolkit before a layout, the checker's
// pictures use the map font's own on every platform.
#pragma once

#include <string>
#include <unordered_map>

class MapTextMetrics
{
public:
    explicit MapTextMetrics(double lineHeight) : m_lineHeight(lineHeight) {}

    // The map font's own (WenQuanYi Micro Hei, see MAP_FONT), as a viewer
    // that has it draws the checker's pictures.
    static const MapTextMetrics& MapFont();

    void SetAdvance(char32_t c, double ems) { m_advances[c] = ems; }
    bool Knows(char32_t c) const { return m_advances.count(c) != 0; }

    // A line of UTF-8 text at `size` points, in points. A character these
    // metrics do not know is as wide as the map font has it.
    double Width(const std::string& line, double size) const;
    double LineHeight(double size) const { return m_lineHeight * size; }

private:
    double Advance(char32_t c) const;

    std::unordered_map<char32_t, double> m_advances;
    double m_lineHeight;
};

// Calls `each` with every character of a UTF-8 text; bytes that are not
// UTF-8 count as characters of their own.
template <typename Each>
void ForEachCharacter(const std::string& text, Each each)
{
    for (size_t at = 0; at < text.size();)
    {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = at + length <= text.size();
        for (size_t next = 1; whole && next < length; ++next)
        {
            const unsigned char byte = static_cast<unsigned char>(text[at + next]);
            whole = (byte & 0xC0) == 0x80;
            c = (c << 6) | (byte & 0x3F);
        }
        if (!whole)
        {
            each(char32_t(lead));
            ++at;
            continue;
        }
        each(c);
        at += length;
    }
}
