#include "svg_picture.h"

#include "text_metrics.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace section {
namespace {

// Hundredths of a unit are finer than any screen or printer shows the picture. Written through
// whole numbers: the C++ library of the WebAssembly build has no to_chars for doubles.
std::string num(double value)
{
    if (!std::isfinite(value))
        return "0";
    const double hundredths = std::round(std::clamp(value, -1e15, 1e15) * 100);
    const auto whole = static_cast<std::int64_t>(hundredths);
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole < 0 ? -whole : whole).ptr;
    std::string digits(buffer, end);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - 2);
    const std::string fraction = digits.substr(digits.size() - 2);
    if (fraction != "00")
        text += '.' + (fraction.back() == '0' ? fraction.substr(0, 1) : fraction);
    return whole < 0 ? '-' + text : text;
}

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

// Text as XML character data or attribute value: markup escaped, malformed UTF-8 replaced and
// the control characters that XML 1.0 forbids left out, so the document is always well formed.
std::string escaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const Decoded d = decodeUtf8(text, i);
        i = d.next;
        switch (d.codePoint) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        default:
            if (d.codePoint >= 0x20 || d.codePoint == '\t' || d.codePoint == '\n' ||
                d.codePoint == '\r')
                if (d.codePoint != 0xFFFE && d.codePoint != 0xFFFF)
                    appendUtf8(out, d.codePoint);
        }
    }
    return out;
}

std::string colour(Role role)
{
    const Rgba c = colourOf(role);
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}

std::string opacity(const char *attribute, Role role)
{
    const Rgba c = colourOf(role);
    if (c.alpha == 255)
        return {};
    return std::string(" ") + attribute + "=\"" + num(c.alpha / 255.0) + "\"";
}

std::string points(const std::vector<Point> &list)
{
    std::string out;
    for (const Point &p : list) {
        if (!out.empty())
            out += ' ';
        out += num(p.x) + "," + num(p.y);
    }
    return out;
}

std::string paint(const Shape &shape)
{
    std::string out;
    switch (shape.fill.kind) {
    case FillKind::None:
        out += " fill=\"none\"";
        break;
    case FillKind::Solid:
        out +=
            " fill=\"" + colour(shape.fill.role) + "\"" + opacity("fill-opacity", shape.fill.role);
        break;
    }
    if (shape.stroke) {
        const Stroke &s = *shape.stroke;
        out += " stroke=\"" + colour(s.role) + "\"" + opacity("stroke-opacity", s.role) +
               " stroke-width=\"" + num(s.width) + "\"";
        if (s.dash == Dash::Dashed)
            out += " stroke-dasharray=\"" + num(4 * s.width) + "," + num(2 * s.width) + "\"";
        else if (s.dash == Dash::Dotted)
            out += " stroke-dasharray=\"" + num(s.width) + "," + num(2 * s.width) + "\"";
    }
    return out;
}

} // namespace

std::string svgPicture(const DisplayList &list, double fontPixelSize, std::string_view fontFamily)
{
    const std::string w = num(list.width);
    const std::string h = num(list.height);
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w +
           "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"" +
           escaped(fontFamily) + "\" stroke-linecap=\"butt\">\n";
    svg += "<title>" + escaped(list.title) + "</title>\n";
    svg += "<desc>" + escaped(list.description) + "</desc>\n";
    svg += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"white\"/>\n";

    for (const Shape &shape : list.shapes) {
        const std::string style = paint(shape);
        if (const auto *box = std::get_if<Box>(&shape.form)) {
            const Rect &r = box->rect;
            svg += "<rect x=\"" + num(r.left) + "\" y=\"" + num(r.top) + "\" width=\"" +
                   num(r.width) + "\" height=\"" + num(r.height) + "\"" + style + "/>\n";
        } else if (const auto *polygon = std::get_if<Polygon>(&shape.form)) {
            svg += "<polygon points=\"" + points(polygon->points) + "\"" + style + "/>\n";
        } else if (const auto *line = std::get_if<Polyline>(&shape.form)) {
            svg += "<polyline points=\"" + points(line->points) + "\"" + style + "/>\n";
        } else if (const auto *circle = std::get_if<Circle>(&shape.form)) {
            svg += "<circle cx=\"" + num(circle->centre.x) + "\" cy=\"" + num(circle->centre.y) +
                   "\" r=\"" + num(circle->radius) + "\"" + style + "/>\n";
        } else if (const auto *arrow = std::get_if<Arrow>(&shape.form)) {
            std::string d = "M" + num(arrow->from.x) + "," + num(arrow->from.y) + " L" +
                            num(arrow->to.x) + "," + num(arrow->to.y);
            const double dx = arrow->from.x - arrow->to.x;
            const double dy = arrow->from.y - arrow->to.y;
            const double length = std::hypot(dx, dy);
            if (length > 0) {
                const double bx = dx / length * arrow->head;
                const double by = dy / length * arrow->head;
                for (const double side : {0.5, -0.5})
                    d += " M" + num(arrow->to.x) + "," + num(arrow->to.y) + " L" +
                         num(arrow->to.x + bx - by * side) + "," +
                         num(arrow->to.y + by + bx * side);
            }
            svg += "<path d=\"" + d + "\"" + style + "/>\n";
        }
    }
    for (const Label &label : list.labels) {
        svg += "<text x=\"" + num(label.box.left) + "\" y=\"" + num(label.baseline) +
               "\" font-size=\"" + num(fontPixelSize * label.size) + "\" fill=\"" +
               colour(label.role) + "\" textLength=\"" + num(label.box.width) +
               "\" lengthAdjust=\"spacingAndGlyphs\" xml:space=\"preserve\">" +
               escaped(label.text) + "</text>\n";
    }
    svg += "</svg>\n";
    return svg;
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
