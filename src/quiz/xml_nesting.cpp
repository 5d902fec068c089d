// Shape scan of XML text: nesting depth and the cost of long texts.
#include "quiz/xml_nesting.h"

#include <cstring>

namespace
{

class Scanner
{
public:
    Scanner(const char* data, size_t size) : m_p(data), m_end(data + size) {}

    bool AtEnd() const { return m_p >= m_end; }

    bool StartsWith(const char* prefix) const
    {
        const size_t n = std::strlen(prefix);
        return static_cast<size_t>(m_end - m_p) >= n && std::memcmp(m_p, prefix, n) == 0;
    }

    // Moves past the next occurrence of `terminator`, or to the end.
    void SkipPast(const char* terminator)
    {
        const size_t n = std::strlen(terminator);
        while (m_p < m_end)
        {
            const void* hit = std::memchr(m_p, terminator[0], m_end - m_p);
            if (!hit)
                break;
            m_p = static_cast<const char*>(hit);
            if (StartsWith(terminator))
            {
                m_p += n;
                return;
            }
            ++m_p;
        }
        m_p = m_end;
    }

    // Moves to the next '<' outside markup; returns the work of joining
    // the text passed over.
    unsigned long long SkipText()
    {
        const void* hit = std::memchr(m_p, '<', m_end - m_p);
        const char* end = hit ? static_cast<const char*>(hit) : m_end;
        const unsigned long long work = TextWork(m_p, end);
        m_p = end;
        return work;
    }

    // Moves past the end of a CDATA section whose content starts here;
    // returns the work of joining that content.
    unsigned long long SkipCdata()
    {
        const char* start = m_p;
        SkipPast("]]>");
        return TextWork(start, m_p);
    }

    // Skips a tag body up to and past its '>', honouring quoted values.
    // Returns the character before the '>' (to tell "<a/>" from "<a>").
    char SkipTag()
    {
        char last = 0;
        char quote = 0;
        for (; m_p < m_end; ++m_p)
        {
            const char c = *m_p;
            if (quote)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
            {
                ++m_p;
                return last;
            }
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
                last = c;
        }
        return last;
    }

    // Skips "<!DOCTYPE ...>" including an internal subset, whose entity
    // values, comments and processing instructions may hold '>' and quotes.
    void SkipDeclaration()
    {
        int brackets = 0;
        char quote = 0;
        while (m_p < m_end)
        {
            if (!quote && StartsWith("<!--"))
            {
                SkipPast("-->");
                continue;
            }
            if (!quote && StartsWith("<?"))
            {
                SkipPast("?>");
                continue;
            }
            const char c = *m_p++;
            if (quote)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '[')
                ++brackets;
            else if (c == ']')
                --brackets;
            else if (c == '>' && brackets <= 0)
                return;
        }
    }

    void Advance(size_t n) { m_p += n; }

private:
    static unsigned long long TextWork(const char* begin, const char* end)
    {
        const size_t length = end - begin;
        unsigned long long pieces = 1 + length / 1024;
        for (const char* p = begin; p < end; ++p)
            pieces += (*p == '\n' || *p == '&') ? 2 : 0;
        return pieces * length;
    }

    const char* m_p;
    const char* m_end;
};

} // namespace

XmlShape MeasureXmlShape(const char* data, size_t size, unsigned depthLimit)
{
    Scanner scan(data, size);
    XmlShape shape;
    unsigned depth = 0;
    const auto text = [&shape](unsigned long long work) {
        if (work > shape.textWork)
            shape.textWork = work;
    };
    while (!scan.AtEnd())
    {
        text(scan.SkipText());
        if (scan.AtEnd())
            break;
        if (scan.StartsWith("<!--"))
            scan.SkipPast("-->");
        else if (scan.StartsWith("<![CDATA["))
        {
            scan.Advance(9);
            text(scan.SkipCdata());
        }
        else if (scan.StartsWith("<?"))
            scan.SkipPast("?>");
        else if (scan.StartsWith("<!"))
            scan.SkipDeclaration();
        else if (scan.StartsWith("</"))
        {
            scan.SkipTag();
            if (depth > 0)
                --depth;
        }
        else
        {
            scan.Advance(1);
            if (scan.SkipTag() != '/' && ++depth > shape.depth)
            {
                shape.depth = depth;
                if (depth > depthLimit)
                    break;
            }
        }
    }
    return shape;
}

bool XmlNestingExceeds(const char* data, size_t size, unsigned limit)
{
    return MeasureXmlShape(data, size, limit).depth > limit;
}
