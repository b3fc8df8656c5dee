#include "svg_picture.h"

#include "text_metrics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace section {
namespace {

// The document is written straight into one string: the page asks for it at every change,
// and a temporary for every number and attribute took a fifth of the time of an answer.
class Writer
{
public:
    // Hundredths of a unit are finer than any screen or printer shows the picture. Written
    // through whole numbers: the C++ library of the WebAssembly build has no to_chars for
    // doubles.
    Writer &operator<<(double value)
    {
        if (!std::isfinite(value))
            return *this << "0";
        const auto whole =
            static_cast<std::int64_t>(std::round(std::clamp(value, -1e15, 1e15) * 100));
        if (whole < 0)
            m_text += '-';
        const auto size = whole < 0 ? 0 - std::uint64_t(whole) : std::uint64_t(whole);
        char buffer[24];
        m_text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, size / 100).ptr);
        if (const auto fraction = unsigned(size % 100)) {
            m_text += '.';
            m_text += char('0' + fraction / 10);
            if (fraction % 10 != 0)
                m_text += char('0' + fraction % 10);
        }
        return *this;
    }
    Writer &operator<<(std::string_view text)
    {
        m_text += text;
        return *this;
    }
    Writer &operator<<(const char *text) { return *this << std::string_view(text); }
    Writer &operator<<(Rgba colour)
    {
        return *this << "rgb(" << Whole{colour.red} << "," << Whole{colour.green} << ","
                     << Whole{colour.blue} << ")";
    }

    // Text as XML character data or attribute value: markup escaped, malformed UTF-8 replaced
    // and the control characters that XML 1.0 forbids left out, so the document is always well
    // formed.
    Writer &escaped(std::string_view text);
    // A role's colour as `attribute`, and where it is not opaque its opacity as
    // `opacityAttribute`.
    Writer &paint(const char *attribute, const char *opacityAttribute, Role role);
    Writer &paint(const Shape &shape);
    Writer &points(const std::vector<Point> &list);

    std::string take() { return std::move(m_text); }

private:
    struct Whole {
        int value;
    };
    Writer &operator<<(Whole number)
    {
        char buffer[16];
        m_text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, number.value).ptr);
        return *this;
    }

    std::string m_text;
};

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

Writer &Writer::escaped(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decodeUtf8(text, i);
        i = d.next;
        switch (d.codePoint) {
        case '&':
            m_text += "&amp;";
            break;
        case '<':
            m_text += "&lt;";
            break;
        case '>':
            m_text += "&gt;";
            break;
        case '"':
            m_text += "&quot;";
            break;
        case '\'':
            m_text += "&apos;";
            break;
        default:
            if (d.codePoint >= 0x20 || d.codePoint == '\t' || d.codePoint == '\n' ||
                d.codePoint == '\r')
                if (d.codePoint != 0xFFFE && d.codePoint != 0xFFFF)
                    appendUtf8(m_text, d.codePoint);
        }
    }
    return *this;
}

Writer &Writer::paint(const char *attribute, const char *opacityAttribute, Role role)
{
    const Rgba c = colourOf(role);
    *this << " " << attribute << "=\"" << c << "\"";
    if (c.alpha != 255)
        *this << " " << opacityAttribute << "=\"" << c.alpha / 255.0 << "\"";
    return *this;
}

Writer &Writer::paint(const Shape &shape)
{
    switch (shape.fill.kind) {
    case FillKind::None:
        *this << " fill=\"none\"";
        break;
    case FillKind::Solid:
        paint("fill", "fill-opacity", shape.fill.role);
        break;
    }
    if (shape.stroke) {
        const Stroke &s = *shape.stroke;
        paint("stroke", "stroke-opacity", s.role) << " stroke-width=\"" << s.width << "\"";
        if (s.dash == Dash::Dashed)
            *this << " stroke-dasharray=\"" << 4 * s.width << "," << 2 * s.width << "\"";
        else if (s.dash == Dash::Dotted)
            *this << " stroke-dasharray=\"" << s.width << "," << 2 * s.width << "\"";
    }
    return *this;
}

Writer &Writer::points(const std::vector<Point> &list)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        *this << (i ? " " : "") << list[i].x << "," << list[i].y;
    return *this;
}

} // namespace

std::string svgPicture(const DisplayList &list, double fontPixelSize, std::string_view fontFamily)
{
    Writer svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << list.width
        << "\" height=\"" << list.height << "\" viewBox=\"0 0 " << list.width << " " << list.height
        << "\" font-family=\"";
    svg.escaped(fontFamily) << "\" stroke-linecap=\"butt\">\n<title>";
    svg.escaped(list.title) << "</title>\n<desc>";
    svg.escaped(list.description) << "</desc>\n";
    svg << "<rect x=\"0\" y=\"0\" width=\"" << list.width << "\" height=\"" << list.height
        << "\" fill=\"white\"/>\n";

    for (const Shape &shape : list.shapes) {
        if (const auto *box = std::get_if<Box>(&shape.form)) {
            const Rect &r = box->rect;
            svg << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.width
                << "\" height=\"" << r.height << "\"";
        } else if (const auto *polygon = std::get_if<Polygon>(&shape.form)) {
            svg << "<polygon points=\"";
            svg.points(polygon->points) << "\"";
        } else if (const auto *line = std::get_if<Polyline>(&shape.form)) {
            svg << "<polyline points=\"";
            svg.points(line->points) << "\"";
        } else if (const auto *circle = std::get_if<Circle>(&shape.form)) {
            svg << "<circle cx=\"" << circle->centre.x << "\" cy=\"" << circle->centre.y
                << "\" r=\"" << circle->radius << "\"";
        } else if (const auto *arrow = std::get_if<Arrow>(&shape.form)) {
            svg << "<path d=\"M" << arrow->from.x << "," << arrow->from.y << " L" << arrow->to.x
                << "," << arrow->to.y;
            const double dx = arrow->from.x - arrow->to.x;
            const double dy = arrow->from.y - arrow->to.y;
            const double length = std::hypot(dx, dy);
            if (length > 0) {
                const double bx = dx / length * arrow->head;
                const double by = dy / length * arrow->head;
                for (const double side : {0.5, -0.5})
                    svg << " M" << arrow->to.x << "," << arrow->to.y << " L"
                        << arrow->to.x + bx - by * side << "," << arrow->to.y + by + bx * side;
            }
            svg << "\"";
        } else {
            continue;
        }
        svg.paint(shape) << "/>\n";
    }
    for (const Label &label : list.labels) {
        svg << "<text x=\"" << label.box.left << "\" y=\"" << label.baseline << "\" font-size=\""
            << fontPixelSize * label.size << "\" fill=\"" << colourOf(label.role)
            << "\" textLength=\"" << label.box.width
            << "\" lengthAdjust=\"spacingAndGlyphs\" xml:space=\"preserve\">";
        svg.escaped(label.text) << "</text>\n";
    }
    svg << "</svg>\n";
    return svg.take();
}

std::string svgDocument(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                        const PictureLimits &extras, double width, double height,
                        double fontPixelSize)
{
    const SansMetrics metrics(fontPixelSize);
    return svgPicture(layoutPicture(geometry, texts, width, height, metrics, {}, extras),
                      fontPixelSize);
}

} // namespace section
