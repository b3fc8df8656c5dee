// The lanes and boxes of the picture's labels: a text measured, wrapped, shrunk or elided to
// its room, a box tested against what is drawn, labels packed along a lane.
#include "picture_parts.h"

#include <algorithm>
#include <cmath>

namespace section::picture {
namespace {

// Where each character starts, and the end: the places a word may be broken.
std::vector<std::size_t> boundaries(std::string_view text)
{
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < text.size(); i = decodeUtf8(text, i).next)
        at.push_back(i);
    at.push_back(text.size());
    return at;
}

} // namespace

std::vector<std::string> Layout::wrap(std::string_view text, double width, double size) const
{
    std::vector<std::string> lines;
    std::string current;
    const auto fits = [&](std::string_view s) {
        return advance(s, size) <= width;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == text.npos)
            end = text.size();
        std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const std::string joined =
            current.empty() ? std::string(word) : current + ' ' + std::string(word);
        if (fits(joined)) {
            current = joined;
            continue;
        }
        if (!current.empty())
            lines.push_back(current);
        current.clear();
        // A word wider than the line is broken between characters.
        while (!fits(word)) {
            const std::vector<std::size_t> at = boundaries(word);
            std::size_t cut = at[1];
            for (std::size_t i = 2; i < at.size() && fits(word.substr(0, at[i])); ++i)
                cut = at[i];
            lines.emplace_back(word.substr(0, cut));
            word.remove_prefix(cut);
        }
        current = std::string(word);
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::string Layout::elide(std::string_view text, double width, double size) const
{
    const std::vector<std::size_t> at = boundaries(text);
    for (std::size_t i = at.size(); i-- > 0;) {
        std::string shortened = std::string(text.substr(0, at[i])) + "…";
        if (advance(shortened, size) <= width || i == 0)
            return shortened;
    }
    return "…";
}

// A result that is wider than its column shrinks, then wraps, then ends in an ellipsis: the
// column keeps its width, and the digits stay in the calculation text.
Layout::Fitted Layout::fit(const std::string &text, double width) const
{
    const double full = advance(text);
    if (full <= width)
        return {{text}, 1};
    if (full * smallestResult <= width)
        return {{text}, width / full};
    std::vector<std::string> lines = wrap(text, width, smallestResult);
    if (lines.size() > std::size_t(wrappedLines)) {
        lines.resize(std::size_t(wrappedLines));
        lines.back() = elide(lines.back(), width, smallestResult);
    }
    return {lines, smallestResult};
}

Label Layout::label(std::string text, double left, double top, double size, Align align, Role role,
                    Owner owner) const
{
    const double width = advance(text, size);
    return placeLabel(std::move(text), left, top, width, L * size, m.ascent() * f * size, f * size,
                      align, role, owner);
}

void Layout::line(std::vector<Point> points, Stroke stroke, Owner owner)
{
    Shape shape{Polyline{std::move(points)}, stroke, {}, owner};
    add(std::move(shape));
}

// A dimension line with short strokes across its ends.
void Layout::dimension(Point from, Point to, double tick, Stroke stroke, Owner owner)
{
    line({from, to}, stroke, owner);
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (!(length > 0))
        return;
    const Point across{-dy / length * tick, dx / length * tick};
    for (const Point &end : {from, to})
        line({{end.x - across.x, end.y - across.y}, {end.x + across.x, end.y + across.y}}, stroke,
             owner);
}

bool Layout::free(const Rect &box, Owner owner) const
{
    const Rect inner = shrunk(box, L * gap::clear);
    if (inner.left < 0 || inner.top < 0 || inner.left + inner.width > W ||
        inner.top + inner.height > H)
        return false;
    for (const Label &other : list.labels)
        if (overlaps(inner, other.box))
            return false;
    for (const Shape &shape : list.shapes) {
        if (shape.owner == owner)
            continue;
        // Hairlines have a bounding box of no height or width: compare with its edges too.
        const Rect bounds = boundsOf(shape);
        if (bounds.left > inner.left + inner.width || bounds.left + bounds.width < inner.left ||
            bounds.top > inner.top + inner.height || bounds.top + bounds.height < inner.top)
            continue;
        if (shape.fill.kind != FillKind::None)
            return false;
        if (shape.stroke)
            for (const auto &[p, q] : segmentsOf(shape))
                if (crosses(p, q, inner))
                    return false;
    }
    return true;
}

// The label goes to the first of the given top left corners where it is free; where none is,
// to the first.
void Layout::placeFirstFree(Label l, const std::vector<Point> &corners)
{
    for (const Point &corner : corners) {
        Rect box = l.box;
        box.left = corner.x;
        box.top = corner.y;
        if (free(box, l.owner)) {
            l.baseline += corner.y - l.box.top;
            l.box = box;
            list.labels.push_back(std::move(l));
            return;
        }
    }
    if (!corners.empty()) {
        l.baseline += corners.front().y - l.box.top;
        l.box.left = corners.front().x;
        l.box.top = corners.front().y;
    }
    list.labels.push_back(std::move(l));
}

std::vector<Layout::Line> Layout::wrapNotes(const std::vector<Line> &notes) const
{
    std::vector<Line> lines;
    for (const Line &note : notes)
        for (std::string &part : wrap(note.text, area.width, 1))
            lines.push_back({std::move(part), note.role});
    return lines;
}

// A label on one line, shrunk to the width it has.
Label Layout::oneLine(std::string text, double left, double top, double width, Role role,
                      Owner owner)
{
    const double full = advance(text);
    const double size = full > width && full > 0 ? width / full : 1;
    readable = readable && size >= smallestResult;
    return label(std::move(text), left, top, size, Align::Left, role, owner);
}

bool Layout::placeLane(const std::vector<Pending> &lane, double low, double high)
{
    std::vector<double> anchors;
    for (const Pending &p : lane)
        anchors.push_back(p.anchor);
    const auto tops = pack(anchors, L, low, high);
    if (!tops)
        return false;
    for (std::size_t k = 0; k < lane.size(); ++k) {
        const Pending &p = lane[k];
        const double top = (*tops)[k];
        if (p.leaderFrom > 0 && std::fabs(top + L / 2 - p.anchor) > L * gap::moved)
            line({{p.leaderFrom, p.anchor}, {p.left - L * gap::leaderEnd, top + L / 2}},
                 Stroke{p.role, hair}, p.owner);
        list.labels.push_back(label(p.text, p.left, top, 1, Align::Left, p.role, p.owner));
    }
    return true;
}

// The notes follow what is drawn, over the whole width.
void Layout::placeNotes(const std::vector<Line> &notes, double drawnBottom)
{
    double top = std::min(area.top + area.height - double(notes.size()) * L,
                          drawnBottom + L * gap::beforeNotes);
    for (const Line &note : notes) {
        list.labels.push_back(
            label(note.text, area.left, top, 1, Align::Left, note.role, {Part::Notes}));
        top += L;
    }
}

} // namespace section::picture
