#include "picture_layout.h"

#include "calculation_text.h"
#include "chart_layout.h"
#include "limits_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numeric>
#include <optional>

namespace section {
namespace {

// Lengths below are in line heights (L) of the font as laid out.
constexpr double columnShare = 0.75;    // the least height the columns keep of what they are given
constexpr double sectionWidth = 2.5;    // the narrowest section drawn, in L
constexpr double leastBand = 6;         // the least height of the columns, in L
constexpr double leastArrow = 3;        // the shortest force arrow, in L
constexpr double strainWidth = 3;       // the strip kept for a strain diagram, in L
constexpr double smallestResult = 0.75; // a result text shrinks this far before it wraps
constexpr int wrappedLines = 3;         // and wraps over at most this many lines
constexpr double smallestFont = 0.25;
constexpr double fontStep = 0.93;
constexpr double columns = modelColumns;
constexpr double stackAbove = 2;      // beside the columns the section may be this far from scale
constexpr double smallestBlock = 1.5; // a block less deep than this, in L, calls for a break
constexpr double breakShare = 0.4;    // of the column's height, for the zone above the break
constexpr double thinnestStrip = 1.2; // a section above them is at least this high, in L
constexpr double stackedShare = 0.35; // of the height, at most, for a section above the columns
constexpr double strainRows = 2;      // below each strain diagram: εs, then εyd
constexpr double chartBeside = 24;    // the narrowest chart beside the columns, in L
constexpr double chartBelow = 11;     // the lowest chart below them, in L
constexpr double chartHeightShare = 0.42; // of the height, for a chart below the columns

std::string whole(std::int64_t value)
{
    char buffer[24];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

// The dimensions are whole millimetres, as typed; written through whole numbers, since the C++
// library of the WebAssembly build has no to_chars for doubles.
std::string number(double value)
{
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return whole(std::int64_t(value));
    return decimal(value, 17);
}

// A ratio of scales to two significant digits, for a note.
std::string ratioText(double ratio)
{
    // "1 ×" would say the drawing is to scale.
    if (ratio < 1.095) {
        const auto hundredths = std::int64_t(std::round(ratio * 100));
        return whole(hundredths / 100) + "." + (hundredths % 100 < 10 ? "0" : "") +
               whole(hundredths % 100);
    }
    if (ratio < 9.95) {
        const auto tenths = std::int64_t(std::round(ratio * 10));
        return whole(tenths / 10) + (tenths % 10 ? "." + whole(tenths % 10) : "");
    }
    return whole(std::int64_t(std::min(std::round(ratio), 1e15)));
}

// Where each character starts, and the end: the places a word may be broken.
std::vector<std::size_t> boundaries(std::string_view text)
{
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i < text.size(); i = decodeUtf8(text, i).next)
        at.push_back(i);
    at.push_back(text.size());
    return at;
}

bool overlaps(const Rect &a, const Rect &b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

Rect shrunk(const Rect &r, double by)
{
    return {r.left + by, r.top + by, r.width - 2 * by, r.height - 2 * by};
}

// Whether the segment from p to q passes through the rectangle (Liang-Barsky clipping).
bool crosses(Point p, Point q, const Rect &r)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = q.x - p.x;
    const double dy = q.y - p.y;
    const double edges[4][2] = {{-dx, p.x - r.left},
                                {dx, r.left + r.width - p.x},
                                {-dy, p.y - r.top},
                                {dy, r.top + r.height - p.y}};
    for (const auto &edge : edges) {
        const double along = edge[0];
        const double room = edge[1];
        if (along == 0) {
            if (room < 0)
                return false;
        } else {
            const double t = room / along;
            if (along < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
            if (t0 > t1)
                return false;
        }
    }
    return true;
}

// The strokes of a shape as segments, and what it covers when filled as a rectangle.
std::vector<std::pair<Point, Point>> segmentsOf(const Shape &shape)
{
    std::vector<std::pair<Point, Point>> segments;
    const auto chain = [&segments](const std::vector<Point> &points, bool closed) {
        for (std::size_t i = 1; i < points.size(); ++i)
            segments.emplace_back(points[i - 1], points[i]);
        if (closed && points.size() > 2)
            segments.emplace_back(points.back(), points.front());
    };
    if (const auto *box = std::get_if<Box>(&shape.form)) {
        const Rect &r = box->rect;
        chain({{r.left, r.top},
               {r.left + r.width, r.top},
               {r.left + r.width, r.top + r.height},
               {r.left, r.top + r.height}},
              true);
    } else if (const auto *polygon = std::get_if<Polygon>(&shape.form)) {
        chain(polygon->points, true);
    } else if (const auto *line = std::get_if<Polyline>(&shape.form)) {
        chain(line->points, false);
    } else if (const auto *arrow = std::get_if<Arrow>(&shape.form)) {
        segments.emplace_back(arrow->from, arrow->to);
        const double dx = arrow->from.x - arrow->to.x;
        const double dy = arrow->from.y - arrow->to.y;
        const double length = std::hypot(dx, dy);
        if (length > 0) {
            const Point back{dx / length * arrow->head, dy / length * arrow->head};
            const Point across{-back.y / 2, back.x / 2};
            segments.emplace_back(
                arrow->to, Point{arrow->to.x + back.x + across.x, arrow->to.y + back.y + across.y});
            segments.emplace_back(
                arrow->to, Point{arrow->to.x + back.x - across.x, arrow->to.y + back.y - across.y});
        }
    } else if (const auto *circle = std::get_if<Circle>(&shape.form)) {
        const double r = circle->radius;
        const Point c = circle->centre;
        chain({{c.x - r, c.y - r}, {c.x + r, c.y - r}, {c.x + r, c.y + r}, {c.x - r, c.y + r}},
              true);
    }
    return segments;
}

// The rectangle around a shape's outline, an arrow's head included.
Rect boundsOf(const Shape &shape)
{
    double left = 1e300, top = 1e300, right = -1e300, bottom = -1e300;
    const auto take = [&](double x, double y) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    };
    if (const auto *box = std::get_if<Box>(&shape.form)) {
        take(box->rect.left, box->rect.top);
        take(box->rect.left + box->rect.width, box->rect.top + box->rect.height);
    } else if (const auto *polygon = std::get_if<Polygon>(&shape.form)) {
        for (const Point &p : polygon->points)
            take(p.x, p.y);
    } else if (const auto *line = std::get_if<Polyline>(&shape.form)) {
        for (const Point &p : line->points)
            take(p.x, p.y);
    } else if (const auto *circle = std::get_if<Circle>(&shape.form)) {
        take(circle->centre.x - circle->radius, circle->centre.y - circle->radius);
        take(circle->centre.x + circle->radius, circle->centre.y + circle->radius);
    } else if (const auto *arrow = std::get_if<Arrow>(&shape.form)) {
        take(arrow->from.x, arrow->from.y);
        take(arrow->to.x - arrow->head, arrow->to.y - arrow->head);
        take(arrow->to.x + arrow->head, arrow->to.y + arrow->head);
    }
    if (!(left <= right))
        return {};
    return {left, top, right - left, bottom - top};
}

// Places boxes of the given heights, in the order of their anchors, each as near its anchor
// as the boxes before it and the room from `low` to `high` allow; none overlaps another.
// Returns the tops, or nothing when they do not fit the room.
std::optional<std::vector<double>> pack(const std::vector<double> &anchors, double height,
                                        double low, double high)
{
    const std::size_t n = anchors.size();
    if (double(n) * height > high - low + 1e-9)
        return std::nullopt;
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&anchors](std::size_t a, std::size_t b) { return anchors[a] < anchors[b]; });
    std::vector<double> tops(n);
    double floor = low;
    for (const std::size_t i : order) {
        tops[i] = std::max(anchors[i] - height / 2, floor);
        floor = tops[i] + height;
    }
    double ceiling = high;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        tops[*it] = std::min(tops[*it], ceiling - height);
        ceiling = tops[*it];
    }
    return tops;
}

// The parts of the line x + y = s inside a simple polygon, as pairs of points: where the line
// crosses the outline, sorted along it and taken two by two.
std::vector<std::pair<Point, Point>> chords(const std::vector<Point> &polygon, double s)
{
    std::vector<double> xs;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point p = polygon[i];
        const Point q = polygon[(i + 1) % polygon.size()];
        const double fp = p.x + p.y - s;
        const double fq = q.x + q.y - s;
        // Half open, so that a line through a corner counts it once.
        if ((fp < 0) != (fq < 0))
            xs.push_back(p.x + (q.x - p.x) * fp / (fp - fq));
    }
    std::sort(xs.begin(), xs.end());
    std::vector<std::pair<Point, Point>> parts;
    for (std::size_t i = 0; i + 1 < xs.size(); i += 2)
        parts.push_back({{xs[i], s - xs[i]}, {xs[i + 1], s - xs[i + 1]}});
    return parts;
}

std::optional<Rect> intersection(const Rect &a, const Rect &b)
{
    const double l = std::max(a.left, b.left);
    const double t = std::max(a.top, b.top);
    const double r = std::min(a.left + a.width, b.left + b.width);
    const double d = std::min(a.top + a.height, b.top + b.height);
    if (!(l < r && t < d))
        return std::nullopt;
    return Rect{l, t, r - l, d - t};
}

// A convex polygon cut off at the four sides of a rectangle (Sutherland-Hodgman).
std::vector<Point> clipped(std::vector<Point> polygon, const Rect &r)
{
    const auto edge = [&polygon](auto inside, auto cross) {
        std::vector<Point> out;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const Point p = polygon[i];
            const Point q = polygon[(i + 1) % polygon.size()];
            if (inside(p))
                out.push_back(p);
            if (inside(p) != inside(q))
                out.push_back(cross(p, q));
        }
        polygon = std::move(out);
    };
    const auto atX = [](double x) {
        return [x](Point p, Point q) {
            return Point{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)};
        };
    };
    const auto atY = [](double y) {
        return [y](Point p, Point q) {
            return Point{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y};
        };
    };
    const double right = r.left + r.width;
    const double bottom = r.top + r.height;
    edge([&](Point p) { return p.x >= r.left; }, atX(r.left));
    edge([&](Point p) { return p.x <= right; }, atX(right));
    edge([&](Point p) { return p.y >= r.top; }, atY(r.top));
    edge([&](Point p) { return p.y <= bottom; }, atY(bottom));
    return polygon;
}

class Layout
{
public:
    Layout(const SectionGeometry &geometry, const beam::MomentTexts &texts, double width,
           double height, const TextMetrics &metrics, const PictureOptions &options,
           const PictureLimits &extras)
        : g(geometry)
        , t(texts)
        , W(width)
        , H(height)
        , m(metrics)
        , o(options)
        , x(extras)
    {}

    // What the next attempts draw of the extras, and the note that says what they leave out.
    void setLevel(bool chart, bool strains, std::vector<std::string> notes)
    {
        useChart = chart && x.chart && !x.chart->empty;
        useStrains = strains && x.limits;
        levelNotes = std::move(notes);
    }
    bool drawsChart() const { return useChart; }
    // The chart at the least size that reads, which leaves the section and the columns more.
    bool compactChart = false;

    std::optional<DisplayList> attempt(double fontScale, std::size_t reservedNoteLines);
    DisplayList fallback(double fontScale);
    // The lines of notes on the scale that the last attempt needed, and had no room for.
    std::size_t wantsNoteLines = 0;

private:
    struct Fitted {
        std::vector<std::string> lines;
        double size = 1;
    };
    // The widths and heights that do not depend on the arrangement.
    struct Sizes {
        std::string hText, bText, dText, cText;
        double leftWidth = 0, laneWidth = 0, rightWidth = 0;
        double xuWidth = 0, forceWidth = 0, zWidth = 0, inset = 0;
        double naturalColumn = 0;
        double resultsHeight = 0;
        double aboveBand = 0; // the strains' top row
        double belowBand = 0; // the strains' rows below the columns, and a gap
    };
    // Where the section and the columns go, and at which scales, in target units per mm.
    struct Frame {
        double sectionLeft = 0, sectionTop = 0, sx = 0, sectionSy = 0;
        double columnsLeft = 0, columnWidth = 0, headingTop = 0, bandTop = 0, sy = 0;
        bool stacked = false;
    };

    // Down a column: one scale, or where the compression zones are too shallow to read, a
    // break below them, with the zone above it drawn larger than the rest below it.
    struct ColumnScale {
        double top = 0;   // target units: where the column's top face is drawn
        double scale = 0; // per mm, below the break where there is one
        bool broken = false;
        double breakDepth = 0; // mm
        double zoom = 0;       // per mm, above the break
        double above = 0;      // target units from the top to the break
        double gap = 0;        // target units the break takes
        double operator()(double mm) const
        {
            if (!broken || mm <= breakDepth)
                return top + mm * (broken ? zoom : scale);
            return top + above + gap + (mm - breakDepth) * scale;
        }
    };

    double advance(std::string_view text, double size = 1) const
    {
        return m.advance(text) * f * size;
    }
    std::vector<std::string> wrap(std::string_view text, double width, double size) const;
    std::string elide(std::string_view text, double width, double size) const;
    Fitted fit(const std::string &text, double width) const;
    Label label(std::string text, double left, double top, double size, Align align, Role role,
                Owner owner) const;
    void add(Shape shape) { list.shapes.push_back(std::move(shape)); }
    void line(std::vector<Point> points, Stroke stroke, Owner owner);
    void dimension(Point from, Point to, double tick, Stroke stroke, Owner owner);
    void broken(Point top, Point bottom, const ColumnScale &scale, Stroke stroke, Owner owner);
    bool free(const Rect &box, Owner owner) const;
    void placeFirstFree(Label label, const std::vector<Point> &corners);
    bool layOutEmpty();
    std::vector<std::string> wrapNotes(const std::vector<std::string> &notes) const;
    struct Line {
        std::string text;
        Role role = Role::Ink;
    };
    enum class Steel { Unknown, Yields, DoesNotYield };
    Steel steel(int column) const;
    Role columnRole(int column) const;
    bool strainDrawn(int column) const;
    std::vector<std::string> strainLines(int column) const;
    std::vector<Line> resultLines(int column) const;
    Label oneLine(std::string text, double left, double top, double width, Role role, Owner owner);
    void strainDiagram(int column, const Rect &strip, const ColumnScale &columnY, double perMille,
                       double zero);
    void measure();
    std::optional<Frame> sideBySide(double notesHeight) const;
    std::optional<Frame> stacked(double notesHeight) const;
    ColumnScale columnScale(const Frame &frame) const;
    std::vector<std::string> scaleNotes(const Frame &frame) const;
    // False where labels did not fit their lanes.
    bool emit(const Frame &frame, const std::vector<std::string> &notes);

    const SectionGeometry &g;
    const beam::MomentTexts &t;
    const double W;
    const double H;
    const TextMetrics &m;
    const PictureOptions &o;
    const PictureLimits &x;
    bool useChart = false;
    bool useStrains = false;
    std::vector<std::string> levelNotes;
    bool readable = true; // false where a one-line label had to shrink past reading

    double f = 1;
    double L = 0;
    double hair = 0;
    Rect area;
    Sizes s;
    DisplayList list;
};

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

// A vertical line down a column, interrupted at the column's break with two short slanted
// strokes across each end, as a drawing marks a part left out.
void Layout::broken(Point top, Point bottom, const ColumnScale &scale, Stroke stroke, Owner owner)
{
    const double upper = scale.top + scale.above;
    const double lower = upper + scale.gap;
    if (!scale.broken || top.y >= upper || bottom.y <= lower) {
        line({top, bottom}, stroke, owner);
        return;
    }
    line({top, {top.x, upper}}, stroke, owner);
    line({{bottom.x, lower}, bottom}, stroke, owner);
    const double half = L * 0.3;
    for (const double y : {upper, lower})
        line({{top.x - half, y + half / 2}, {top.x + half, y - half / 2}}, stroke, owner);
}

bool Layout::free(const Rect &box, Owner owner) const
{
    const Rect inner = shrunk(box, L * 0.02);
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

std::vector<std::string> Layout::wrapNotes(const std::vector<std::string> &notes) const
{
    std::vector<std::string> lines;
    for (const std::string &note : notes)
        for (std::string &part : wrap(note, area.width, 1))
            lines.push_back(std::move(part));
    return lines;
}

bool Layout::layOutEmpty()
{
    const std::vector<std::string> lines = wrap(g.emptyText, area.width, 1);
    const double height = double(lines.size()) * L;
    if (height > area.height)
        return false;
    double top = area.top + (area.height - height) / 2;
    for (const std::string &text : lines) {
        list.labels.push_back(label(text, area.left + area.width / 2, top, 1, Align::Centre,
                                    Role::Invalid, {Part::Notes}));
        top += L;
    }
    return true;
}

// Linear over the depth: εc at the top face, 0 at the neutral axis, εs at the steel, with
// compression to the left of the zero line and tension to the right; a dashed line at εyd from
// the neutral axis to just past the steel shows whether the strain there reaches it. Across a
// break of the column the diagram breaks with it.
void Layout::strainDiagram(int column, const Rect &strip, const ColumnScale &columnY,
                           double perMille, double zero)
{
    const beam::StrainState &st = x.limits->models[std::size_t(column)].strain;
    const Owner owner{Part::Strain, column};
    const bool yields = steel(column) == Steel::Yields;
    const double top = columnY(0);
    const double yXu = columnY(st.xu);
    const double yD = columnY(st.d);
    const double left = zero - st.topStrain * perMille;
    const double right = zero + st.steelStrain * perMille;
    const Fill fill{FillKind::Solid, Role::Strain};
    const Fill tensionFill{FillKind::Solid, yields ? Role::Strain : Role::WarningBlock};
    const Stroke edge{yields ? Role::Ink : Role::Warning, hair * 1.5};
    add({Polygon{{{zero, top}, {left, top}, {zero, yXu}}}, std::nullopt, fill, owner});
    const double breakDepth = columnY.breakDepth;
    if (columnY.broken && st.xu < breakDepth && breakDepth < st.d) {
        const double atBreak =
            zero + st.steelStrain * perMille * (breakDepth - st.xu) / (st.d - st.xu);
        const double upper = columnY.top + columnY.above;
        const double lower = upper + columnY.gap;
        add({Polygon{{{zero, yXu}, {atBreak, upper}, {zero, upper}}}, std::nullopt, tensionFill,
             owner});
        add({Polygon{{{zero, lower}, {atBreak, lower}, {right, yD}, {zero, yD}}}, std::nullopt,
             tensionFill, owner});
        line({{left, top}, {zero, yXu}, {atBreak, upper}}, edge, owner);
        line({{atBreak, lower}, {right, yD}}, edge, owner);
    } else {
        add({Polygon{{{zero, yXu}, {right, yD}, {zero, yD}}}, std::nullopt, tensionFill, owner});
        line({{left, top}, {zero, yXu}, {right, yD}}, edge, owner);
    }
    line({{left, top}, {zero, top}}, edge, owner);
    line({{zero, yD}, {right, yD}}, edge, owner);
    broken({zero, top}, {zero, strip.top + strip.height}, columnY, Stroke{Role::Grid, hair}, owner);
    const double yieldAt = zero + st.yieldStrain * perMille;
    broken({yieldAt, yXu}, {yieldAt, std::min(yD + L * 0.3, strip.top + strip.height + L * 0.3)},
           columnY, Stroke{Role::Ink, hair, Dash::Dashed}, owner);
}

void Layout::measure()
{
    s.hText = "h = " + number(g.h);
    s.bText = "b = " + number(g.b);
    s.dText = "d = " + number(g.d);
    s.cText = "c = " + number(g.cover);
    // The h label, a gap, its dimension line and a gap before the section.
    s.leftWidth = advance(s.hText) + L * 0.95;
    // The dimension lines of c and d, the lane of their labels, a gap before the columns.
    s.laneWidth = std::max(advance(s.dText), advance(s.cText));
    s.rightWidth = L * 1.05 + s.laneWidth + L * 0.6;

    s.xuWidth = advance("xu");
    s.forceWidth = std::max(advance("C"), advance("T"));
    s.zWidth = advance("z");
    s.inset = L * 0.3;
    const double strain = o.strainDiagrams || useStrains ? L * (strainWidth + 0.3) : 0;
    const double diagram = s.inset + s.xuWidth + L * 0.5 + strain + L * leastArrow + L * 0.25 +
                           s.forceWidth + L * 0.9 + s.zWidth + s.inset;
    // The columns are as wide as the texts they usually hold, whatever the digits are now, so
    // that they keep their places while the inputs change.
    double textWidth = 0;
    for (const char *sample : {"ongeldig: xu ≥ d", "xu = 0000 mm", "Mu = 00000 kNm", "z/d = 0.00"})
        textWidth = std::max(textWidth, advance(sample));
    for (const beam::ModelDescriptor &model : beam::models)
        textWidth = std::max(textWidth, advance(model.name));
    s.naturalColumn = std::max(textWidth + L * 0.6, diagram);

    std::size_t mostLines = 0;
    for (int i = 0; i < modelColumns; ++i) {
        std::size_t count = 0;
        for (const Line &line : resultLines(i))
            count += fit(line.text, s.naturalColumn - L * 0.3).lines.size();
        mostLines = std::max(mostLines, count);
    }
    s.resultsHeight = double(mostLines) * L;
    s.aboveBand = 0;
    s.belowBand = 0;
    if (useStrains) {
        double rows = strainRows;
        for (int i = 0; i < modelColumns; ++i)
            rows = std::max(rows, double(strainLines(i).size()));
        s.aboveBand = L;
        s.belowBand = rows * L + L * 0.25;
    }
}

Layout::Steel Layout::steel(int column) const
{
    if (!useStrains)
        return Steel::Unknown;
    const std::optional<bool> yields = yieldsIn(g, *x.limits, column);
    return !yields ? Steel::Unknown : *yields ? Steel::Yields : Steel::DoesNotYield;
}

Role Layout::columnRole(int column) const
{
    if (!g.columns[std::size_t(column)].valid)
        return Role::Invalid;
    return steel(column) == Steel::DoesNotYield ? Role::Warning : Role::Ink;
}

bool Layout::strainDrawn(int column) const
{
    return useStrains && strainShown(g, *x.limits, column);
}

// Below a strain diagram: the steel strain against the yield strain, with the digits it takes
// to tell them apart, and what a strain is worth where the model's own assumption fails.
std::vector<std::string> Layout::strainLines(int column) const
{
    if (!strainDrawn(column))
        return {};
    const beam::StrainState &st = x.limits->models[std::size_t(column)].strain;
    const auto [steelText, yieldText] =
        distinctStrains(st.steelStrain, st.yieldStrain, x.separator);
    const bool yields = steel(column) == Steel::Yields;
    std::vector<std::string> lines{"εs = " + steelText + " ‰",
                                   (yields ? "≥ εyd = " : "< εyd = ") + yieldText + " ‰"};
    if (!yields)
        lines.push_back("(controlewaarde)");
    return lines;
}

std::vector<Layout::Line> Layout::resultLines(int column) const
{
    const Role role = columnRole(column);
    std::vector<Line> lines;
    for (std::string &text : columnResults(t, column))
        lines.push_back({std::move(text), role});
    const ModelColumn &col = g.columns[std::size_t(column)];
    if (!col.valid)
        lines.push_back({shortReason(col.state), Role::Invalid});
    if (!useStrains)
        return lines;
    const beam::ModelLimits &model = x.limits->models[std::size_t(column)];
    if (const Steel verdict = steel(column); verdict != Steel::Unknown) {
        lines.push_back({verdict == Steel::Yields ? "staal vloeit" : "staal vloeit niet", role});
        if (column == approximationColumn)
            lines.push_back({"als parabool rechthoek", role});
    }
    if (model.yieldLimit)
        lines.push_back({"As,vloei = " + whole(*model.yieldLimit) + " mm2", role});
    if (model.required) {
        const beam::RequiredArea &r = *model.required;
        if (r.outcome == beam::Requirement::Found)
            // An area past the yield limit is outside what the model assumes.
            lines.push_back({"As,nodig = " + whole(r.As) + " mm2",
                             role == Role::Ink && model.yieldLimit && !r.withinYieldLimit
                                 ? Role::Warning
                                 : role});
        else
            lines.push_back({"As,nodig: geen", role});
    }
    if (model.unity && model.unity->hasMoment)
        lines.push_back({"MEd/MRd = " + unityText(*model.unity, x.separator),
                         model.unity->satisfied || role != Role::Ink ? role : Role::Warning});
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

// The section beside the columns, at their vertical scale, so that the top face, the bars'
// level and the neutral axes line up across the picture.
std::optional<Layout::Frame> Layout::sideBySide(double notesHeight) const
{
    const double room = area.width - s.leftWidth - s.rightWidth - columns * s.naturalColumn;
    if (room < L * sectionWidth)
        return std::nullopt;
    const double bandTop = area.top + L * 1.7 + s.aboveBand;
    const double bandHeight =
        area.top + area.height - notesHeight - s.resultsHeight - s.belowBand - L * 0.7 - bandTop;
    if (bandHeight < L * leastBand)
        return std::nullopt;

    // The section and the columns share one scale where that leaves the columns at least
    // three quarters of the height they are given; otherwise the columns take all of it, and
    // the section keeps the width it has room for.
    const double depth = g.drawnDepth;
    const double full = bandHeight / depth;
    double sy = full;
    double sx = full;
    if (g.b * full > room) {
        sx = room / g.b;
        sy = sx >= columnShare * full ? sx : full;
    }
    if (g.b * sx < L * sectionWidth)
        sx = L * sectionWidth / g.b;

    Frame frame;
    frame.sx = sx;
    frame.sectionSy = sy;
    frame.sy = sy;
    // What the section leaves over widens the columns a little; the rest centres the picture.
    const double spare = std::max(room - g.b * sx, 0.0);
    frame.columnWidth = s.naturalColumn + std::min(spare / columns, s.naturalColumn * 0.5);
    const double offset = (spare - columns * (frame.columnWidth - s.naturalColumn)) / 2;
    frame.sectionLeft = area.left + offset + s.leftWidth;
    frame.sectionTop = bandTop;
    frame.columnsLeft = frame.sectionLeft + g.b * sx + s.rightWidth;
    frame.bandTop = bandTop;
    frame.headingTop = area.top;
    return frame;
}

// The section to scale above the columns, which then take the height that is left at a
// vertical scale of their own: for sections too wide to stand beside them.
std::optional<Layout::Frame> Layout::stacked(double notesHeight) const
{
    const double across = area.width - s.leftWidth - s.rightWidth;
    if (across < L * sectionWidth || columns * s.naturalColumn > area.width)
        return std::nullopt;
    // Above the section room for the d label, below it the b dimension, then the headings.
    const double fixed = L * (0.6 + 1.9 + 0.4 + 1.7 + 0.7) + s.aboveBand + s.belowBand;
    const double height = area.height - notesHeight - s.resultsHeight - fixed;
    const double depth = g.drawnDepth;
    double sx = across / g.b;
    double sectionSy = sx;
    double sectionHeight = depth * sx;
    if (sectionHeight > height * stackedShare) {
        sectionHeight = height * stackedShare;
        sx = sectionSy = sectionHeight / depth;
    }
    // A strip thinner than this would hide its bars: it is drawn taller than its scale.
    if (sectionHeight < L * thinnestStrip) {
        sectionHeight = L * thinnestStrip;
        sectionSy = sectionHeight / depth;
    }
    const double bandHeight = height - sectionHeight;
    if (bandHeight < L * leastBand)
        return std::nullopt;

    Frame frame;
    frame.sx = sx;
    frame.sectionSy = sectionSy;
    frame.sy = bandHeight / depth;
    frame.sectionLeft =
        area.left + (area.width - s.leftWidth - g.b * sx - s.rightWidth) / 2 + s.leftWidth;
    frame.sectionTop = area.top + L * 0.6;
    const double spare = area.width - columns * s.naturalColumn;
    frame.columnWidth = s.naturalColumn + std::min(spare / columns, s.naturalColumn * 0.5);
    frame.columnsLeft = area.left + (area.width - columns * frame.columnWidth) / 2;
    frame.headingTop = frame.sectionTop + sectionHeight + L * (1.9 + 0.4);
    frame.bandTop = frame.headingTop + L * 1.7 + s.aboveBand;
    frame.stacked = true;
    return frame;
}

// A compression zone of a few hundredths of a deep section would be a sliver at the columns'
// scale: the columns then break below the deepest zone, and show it larger above the break.
Layout::ColumnScale Layout::columnScale(const Frame &frame) const
{
    const double depth = g.drawnDepth;
    const double band = depth * frame.sy;
    ColumnScale scale;
    scale.top = frame.bandTop;
    scale.scale = frame.sy;
    double deepest = 0;
    for (const ModelColumn &col : g.columns)
        if (col.hasBlock)
            deepest = std::max(deepest, std::min(col.neutralAxis, depth));
    if (!(deepest > 0) || deepest * frame.sy >= L * smallestBlock || deepest > depth / 10)
        return scale;
    scale.broken = true;
    scale.breakDepth = 2 * deepest;
    scale.above = band * breakShare;
    scale.gap = L * 0.7;
    scale.zoom = scale.above / scale.breakDepth;
    scale.scale = (band - scale.above - scale.gap) / (depth - scale.breakDepth);
    return scale;
}

std::vector<std::string> Layout::scaleNotes(const Frame &frame) const
{
    std::vector<std::string> notes;
    if (const ColumnScale scale = columnScale(frame); scale.broken)
        notes.push_back("De modellen zijn onderbroken: boven de onderbreking staat de drukzone " +
                        ratioText(scale.zoom / scale.scale) + " × zo groot als eronder.");
    const double ratio = frame.sectionSy / frame.sx;
    if (std::fabs(ratio - 1) > 1e-9)
        notes.push_back(ratio > 1 ? "Niet op schaal: verticaal is " + ratioText(ratio) +
                                        " × zo groot getekend als horizontaal; de maten gelden."
                                  : "Niet op schaal: horizontaal is " + ratioText(1 / ratio) +
                                        " × zo groot getekend als verticaal; de maten gelden.");
    if (frame.stacked)
        notes.push_back("De modellen staan op een eigen schaal: verticaal " +
                        ratioText(frame.sy / frame.sectionSy) + " × die van de doorsnede.");
    return notes;
}

std::optional<DisplayList> Layout::attempt(double fontScale, std::size_t reservedNoteLines)
{
    f = fontScale;
    L = m.lineHeight() * f;
    hair = std::max(L / 16, 0.5);
    list = DisplayList{};
    list.width = W;
    list.height = H;
    list.fontScale = f;
    wantsNoteLines = 0;
    readable = true;
    const double pad = L * 0.5;
    double right = W - pad;
    double bottom = H - pad;
    if (o.chartShare > 0) {
        const double chart = W * std::min(o.chartShare, 0.6);
        list.chartArea = Rect{W - chart, pad, chart - pad, H - 2 * pad};
        right = W - chart - pad;
    }
    if (!g.empty) {
        measure();
        // Beside the columns where they keep their natural width and the section some room;
        // otherwise below them, over the whole width.
        if (useChart && !list.chartArea) {
            const double need = s.leftWidth + s.rightWidth + columns * s.naturalColumn + L * 8;
            const double spare = W - 3 * pad - need;
            if (spare >= L * chartBeside) {
                const double width =
                    compactChart ? L * chartBeside : std::min(spare, (W - 3 * pad) / 2);
                list.chartArea = Rect{W - pad - width, pad, width, H - 2 * pad};
                right = W - 2 * pad - width;
            } else {
                const double height =
                    compactChart ? L * chartBelow
                                 : std::max(L * chartBelow, (H - 3 * pad) * chartHeightShare);
                list.chartArea = Rect{pad, H - pad - height, W - 2 * pad, height};
                bottom = H - 2 * pad - height;
            }
        }
    }
    area = {pad, pad, right - pad, bottom - pad};
    if (!(area.width > 0 && area.height > 0))
        return std::nullopt;
    if (g.empty)
        return layOutEmpty() ? std::optional(std::move(list)) : std::nullopt;

    std::vector<std::string> allNotes = g.notes;
    allNotes.insert(allNotes.end(), x.notes.begin(), x.notes.end());
    allNotes.insert(allNotes.end(), levelNotes.begin(), levelNotes.end());
    const std::vector<std::string> geometryNotes = wrapNotes(allNotes);
    const std::size_t noteLines = geometryNotes.size() + reservedNoteLines;
    const double notesHeight = noteLines ? double(noteLines) * L + L * 0.3 : 0;

    // Beside the columns where the section is drawn to scale or nearly so; above them where it
    // is wider than deep, and beside them would have to be drawn far out of scale. A deep one
    // above them would come out smaller still.
    std::optional<Frame> frame = sideBySide(notesHeight);
    const bool farOutOfScale = frame && frame->sectionSy / frame->sx > stackAbove;
    if (g.b > g.drawnDepth && (!frame || farOutOfScale))
        if (const std::optional<Frame> above = stacked(notesHeight))
            frame = above;
    if (!frame)
        return std::nullopt;
    // The extras give way before a slab is drawn as a narrow post beside the columns.
    if ((useChart || useStrains) && g.b > g.drawnDepth && !frame->stacked && farOutOfScale)
        return std::nullopt;
    const std::vector<std::string> written = wrapNotes(scaleNotes(*frame));
    if (written.size() > reservedNoteLines) {
        wantsNoteLines = written.size();
        return std::nullopt;
    }
    std::vector<std::string> notes = geometryNotes;
    notes.insert(notes.end(), written.begin(), written.end());
    if (!emit(*frame, notes) || !readable)
        return std::nullopt;
    if (useChart && !layoutChart(list, *x.chart, *list.chartArea, ChartFont{m, f, hair}))
        return std::nullopt;
    return std::optional(std::move(list));
}

bool Layout::emit(const Frame &fr, const std::vector<std::string> &notes)
{
    const double depth = g.drawnDepth;
    const double sx = fr.sx;
    list.horizontalScale = sx;
    list.verticalScale = fr.sy;
    list.toScale = std::fabs(fr.sectionSy - sx) <= 1e-9 * sx && !fr.stacked;
    const auto X = [&](double mm) {
        return fr.sectionLeft + mm * sx;
    };
    const auto Y = [&](double mm) {
        return fr.sectionTop + mm * fr.sectionSy;
    };
    const ColumnScale columnY = columnScale(fr);
    list.columnsBroken = columnY.broken;

    // The concrete, the stirrup and the bars; what a typed cover puts outside the concrete is
    // cut off at its faces.
    const Rect concrete{X(0), Y(0), g.b * sx, g.h * fr.sectionSy};
    list.section = concrete;
    add({Box{concrete},
         Stroke{Role::Ink, 2 * hair},
         {FillKind::Solid, Role::Concrete},
         {Part::Concrete}});
    const double smaller = std::min(sx, fr.sectionSy);
    if (g.hasStirrup) {
        const Rect &st = g.stirrup;
        const double half = g.stirrupDiameter / 2;
        const bool inside = st.left - half >= 0 && st.top - half >= 0 &&
                            st.left + st.width + half <= g.b && st.top + st.height + half <= g.h;
        const double width = std::max(g.stirrupDiameter * smaller, hair);
        const Rect centre{X(st.left), Y(st.top), st.width * sx, st.height * fr.sectionSy};
        if (inside) {
            add({Box{centre}, Stroke{Role::Steel, width}, {}, {Part::Stirrup}});
        } else {
            // Its four legs as bands, each cut off at the concrete's faces.
            const Rect outer{centre.left - width / 2, centre.top - width / 2, centre.width + width,
                             centre.height + width};
            const double right = outer.left + outer.width;
            const double bottom = outer.top + outer.height;
            const double side = std::max(outer.height - 2 * width, 0.0);
            for (const Rect &leg : {Rect{outer.left, outer.top, outer.width, width},
                                    Rect{outer.left, bottom - width, outer.width, width},
                                    Rect{outer.left, outer.top + width, width, side},
                                    Rect{right - width, outer.top + width, width, side}})
                if (const auto part = intersection(leg, concrete))
                    add({Box{*part},
                         std::nullopt,
                         {FillKind::Solid, Role::Steel},
                         {Part::Stirrup}});
        }
    }
    // A bar is drawn no smaller than a readable dot, as long as that dot stays clear of its
    // neighbours; bars that overlap are drawn as they are. A dot that would cross a face is
    // moved in by what it grew, so that a bar inside the concrete is drawn inside it.
    const double trueRadius = g.barDiameter / 2 * smaller;
    double dot = std::min({L * 0.2, concrete.width / 2 - hair, concrete.height / 2 - hair});
    if (g.bars.size() >= 2 && g.clearSpacing >= 0)
        dot = std::min(dot, 0.4 * (g.bars[1].x - g.bars[0].x) * sx);
    const double radius = std::max(trueRadius, dot);
    for (const Point &bar : g.bars) {
        const double r = g.barDiameter / 2;
        const bool inside =
            bar.x - r >= 0 && bar.x + r <= g.b && bar.y - r >= 0 && bar.y + r <= g.h;
        Point centre{X(bar.x), Y(bar.y)};
        if (inside && radius > trueRadius) {
            const double room = radius + hair;
            if (concrete.width > 2 * room)
                centre.x = std::clamp(centre.x, concrete.left + room,
                                      concrete.left + concrete.width - room);
            if (concrete.height > 2 * room)
                centre.y = std::clamp(centre.y, concrete.top + room,
                                      concrete.top + concrete.height - room);
        }
        if (inside) {
            add({Circle{centre, radius},
                 std::nullopt,
                 {FillKind::Solid, Role::Steel},
                 {Part::Bars}});
            continue;
        }
        // What lies outside the concrete is cut off: the circle as a polygon of short chords.
        std::vector<Point> round;
        for (int k = 0; k < 48; ++k) {
            const double angle = 2 * 3.14159265358979323846 * k / 48;
            round.push_back(
                {centre.x + radius * std::cos(angle), centre.y + radius * std::sin(angle)});
        }
        std::vector<Point> part = clipped(std::move(round), concrete);
        if (part.size() >= 3)
            add({Polygon{std::move(part)},
                 std::nullopt,
                 {FillKind::Solid, Role::Steel},
                 {Part::Bars}});
    }

    // Dimension lines: h at the left, b below, c and d at the right.
    const Stroke thin{Role::Ink, hair};
    const double tick = L * 0.25;
    const double hx = X(0) - L * 0.6;
    dimension({hx, Y(0)}, {hx, Y(g.h)}, tick, thin, {Part::HeightDimension});
    const double by = Y(g.h) + L * 0.6;
    dimension({X(0), by}, {X(g.b), by}, tick, thin, {Part::WidthDimension});
    const double dx = X(g.b) + L * 0.6;
    dimension({dx, Y(0)}, {dx, Y(g.d)}, tick, thin, {Part::DepthDimension});
    const double cx = X(g.b) + L * 0.25;
    const bool coverLine = g.cover > 0;
    if (coverLine)
        dimension({cx, Y(g.h - g.cover)}, {cx, Y(g.h)}, tick * 0.6, thin, {Part::CoverDimension});

    // The four models, each from the top face down to the depth drawn.
    struct Pending {
        std::string text;
        double left;
        double anchor;
        Role role;
        Owner owner;
        double leaderFrom; // where a leader starts when the label moves off its anchor
    };
    std::array<std::vector<Pending>, modelColumns> forceLabels;
    std::array<std::optional<Pending>, modelColumns> xuLabels;
    std::array<std::optional<Pending>, modelColumns> zLabels;
    // One strain scale for all diagrams, so that they compare: the widest of them, compression
    // and tension together, fills its strip.
    double compression = 0;
    double tension = 0;
    for (int i = 0; i < modelColumns; ++i)
        if (strainDrawn(i)) {
            const beam::StrainState &st = x.limits->models[std::size_t(i)].strain;
            compression = std::max(compression, st.topStrain);
            tension = std::max({tension, st.steelStrain, st.yieldStrain});
        }
    const double perMille =
        compression + tension > 0 ? L * strainWidth / (compression + tension) : 0;
    list.strainScale = perMille;
    const double rowsTop = columnY(depth) + L * 0.65;
    for (int i = 0; i < modelColumns; ++i) {
        const std::size_t c = std::size_t(i);
        const ModelColumn &col = g.columns[c];
        const double x0 = fr.columnsLeft + i * fr.columnWidth;
        const double xuLeft = x0 + s.inset;
        double lineStart = xuLeft + s.xuWidth + L * 0.2;
        double gridStart = lineStart;
        if (o.strainDiagrams || useStrains) {
            const double strainLeft = xuLeft + s.xuWidth + L * 0.3;
            const Rect strip{strainLeft, columnY(0), L * strainWidth, columnY(depth) - columnY(0)};
            list.strainAreas[c] = strip;
            lineStart = strainLeft + L * strainWidth + L * 0.2;
            const double textWidth = x0 + fr.columnWidth - s.inset - strainLeft;
            if (useStrains) {
                // The top face, the neutral axis and the steel level run on through the strain
                // diagram, where its strain is εc, 0 and εs.
                gridStart = strainLeft;
                const Owner owner{Part::Strain, i};
                const double top = fr.bandTop - L * 1.65;
                if (i == approximationColumn)
                    list.labels.push_back(
                        oneLine("geen eigen rek", strainLeft, top, textWidth, Role::Ink, owner));
                if (strainDrawn(i)) {
                    const double zero = strainLeft + compression * perMille;
                    list.strainZero[c] = zero;
                    strainDiagram(i, strip, columnY, perMille, zero);
                    const beam::StrainState &st = x.limits->models[c].strain;
                    list.labels.push_back(
                        oneLine("εc = " + perMilleText(st.topStrain, 10, x.separator) + " ‰",
                                strainLeft, top, textWidth, Role::Ink, owner));
                    double row = rowsTop;
                    for (std::string &text : strainLines(i)) {
                        list.labels.push_back(oneLine(std::move(text), strainLeft, row, textWidth,
                                                      columnRole(i), owner));
                        row += L;
                    }
                }
            }
        }
        const double axis = lineStart + L * 0.3;
        const double zRight = x0 + fr.columnWidth - s.inset;
        const double zLeft = zRight - s.zWidth;
        const double zx = zLeft - L * 0.45;
        const double forceLeft = zx - L * 0.45 - s.forceWidth;
        const double arrowsEnd = forceLeft - L * 0.25;
        const double blockWidth = (arrowsEnd - axis) / 1.15; // C stands clear of the block
        const Role colour = columnRole(i);
        list.bands[c] = Rect{lineStart, columnY(0), arrowsEnd - lineStart, depth * fr.sy};
        list.columns[c] = Rect{x0, fr.headingTop, fr.columnWidth,
                               columnY(depth) + L * 0.7 + s.resultsHeight - fr.headingTop};

        list.labels.push_back(label(modelName(c), x0 + fr.columnWidth / 2, fr.headingTop, 1,
                                    Align::Centre, colour, {Part::Heading, i}));
        // The top face, the reinforcement's level and the zero-stress line.
        const Stroke grid{Role::Grid, hair, Dash::Dotted};
        line({{gridStart, columnY(0)}, {arrowsEnd, columnY(0)}}, grid, {Part::Grid, i});
        line({{gridStart, columnY(g.d)}, {arrowsEnd, columnY(g.d)}}, grid, {Part::Grid, i});
        broken({axis, columnY(0)}, {axis, columnY(depth)}, columnY, Stroke{Role::Grid, hair},
               {Part::Grid, i});

        if (col.hasBlock) {
            std::vector<Point> outline;
            for (const Point &p : col.block)
                outline.push_back({axis + p.x * blockWidth, columnY(p.y)});
            // An invalid model's block is hatched, with lines a third of a line apart.
            if (!col.valid) {
                double low = 1e300;
                double high = -1e300;
                for (const Point &p : outline) {
                    low = std::min(low, p.x + p.y);
                    high = std::max(high, p.x + p.y);
                }
                const double spacing = L * 0.35;
                for (double at = std::ceil(low / spacing) * spacing; at < high; at += spacing)
                    for (const auto &[p, q] : chords(outline, at))
                        line({p, q}, Stroke{Role::Invalid, hair * 0.8}, {Part::Block, i});
            }
            const Fill fill{FillKind::Solid,
                            colour == Role::Warning ? Role::WarningBlock : Role::Block};
            add({Polygon{std::move(outline)},
                 Stroke{colour, hair * 1.5},
                 col.valid ? fill : Fill{},
                 {Part::Block, i}});
            if (col.neutralAxis <= depth) {
                const double y = columnY(col.neutralAxis);
                line({{gridStart, y}, {arrowsEnd, y}}, Stroke{colour, hair, Dash::Dashed},
                     {Part::NeutralAxis, i});
                xuLabels[c] = Pending{"xu", xuLeft, y, colour, {Part::NeutralAxis, i}, 0};
            }
        }
        // Forces only where steel pulls: none without bars, none for a model that is invalid.
        if (!col.valid || !(g.steelForce > 0))
            continue;
        const Stroke force{Role::Force, hair * 1.5};
        const double head = L * 0.35;
        if (col.compression >= 0 && col.compression <= depth) {
            const double y = columnY(col.compression);
            add({Arrow{{arrowsEnd, y}, {axis, y}, head}, force, {}, {Part::Compression, i}});
            forceLabels[c].push_back(Pending{
                "C", forceLeft, y, Role::Force, {Part::Compression, i}, arrowsEnd + L * 0.1});
        }
        const double ty = columnY(col.tension);
        add({Arrow{{axis, ty}, {arrowsEnd, ty}, head}, force, {}, {Part::Tension, i}});
        forceLabels[c].push_back(
            Pending{"T", forceLeft, ty, Role::Force, {Part::Tension, i}, arrowsEnd + L * 0.1});
        const double zTop = std::clamp(col.compression, 0.0, depth);
        const Stroke arm{Role::Force, hair};
        dimension({zx, columnY(zTop)}, {zx, ty}, tick, arm, {Part::LeverArm, i});
        // The dimension line was drawn whole; across a break it is drawn again in two parts.
        if (columnY.broken && zTop < columnY.breakDepth && col.tension > columnY.breakDepth) {
            list.shapes.erase(list.shapes.end() - 3);
            broken({zx, columnY(zTop)}, {zx, ty}, columnY, arm, {Part::LeverArm, i});
        }
        zLabels[c] =
            Pending{"z", zLeft, (columnY(zTop) + ty) / 2, Role::Force, {Part::LeverArm, i}, 0};
    }

    // Labels in lanes of their own: each near its anchor, pushed apart where two would meet,
    // with a leader where one had to move.
    bool packed = true;
    const auto placeLane = [&](const std::vector<Pending> &lane, double low, double high) {
        std::vector<double> anchors;
        for (const Pending &p : lane)
            anchors.push_back(p.anchor);
        const auto tops = pack(anchors, L, low, high);
        if (!tops) {
            packed = false;
            return;
        }
        for (std::size_t k = 0; k < lane.size(); ++k) {
            const Pending &p = lane[k];
            const double top = (*tops)[k];
            if (p.leaderFrom > 0 && std::fabs(top + L / 2 - p.anchor) > L * 0.1)
                line({{p.leaderFrom, p.anchor}, {p.left - L * 0.1, top + L / 2}},
                     Stroke{p.role, hair}, p.owner);
            list.labels.push_back(label(p.text, p.left, top, 1, Align::Left, p.role, p.owner));
        }
    };
    const double columnLow = fr.bandTop - L * 0.6;
    const double columnHigh = columnY(depth) + L * 0.6;
    for (std::size_t c = 0; c < modelColumns; ++c) {
        placeLane(forceLabels[c], columnLow, columnHigh);
        for (const auto *single : {&xuLabels[c], &zLabels[c]})
            if (*single)
                placeLane({**single}, columnLow, columnHigh);
    }

    // d and c share the lane right of their dimension lines; c reaches it by a leader.
    const double laneLeft = X(g.b) + L * 1.05;
    const double coverAnchor = coverLine ? Y(g.h - g.cover / 2) : Y(g.h);
    const double sectionLow = Y(0) - L * 0.6;
    const double sectionHigh = Y(depth) + L * 0.6;
    if (const auto tops = pack({Y(g.d / 2), coverAnchor}, L, sectionLow, sectionHigh)) {
        list.labels.push_back(label(s.dText, laneLeft, (*tops)[0], 1, Align::Left, Role::Ink,
                                    {Part::DepthDimension}));
        if (coverLine)
            line({{cx, coverAnchor},
                  {laneLeft - L * 0.2, coverAnchor},
                  {laneLeft - L * 0.05, (*tops)[1] + L / 2}},
                 thin, {Part::CoverDimension});
        list.labels.push_back(label(s.cText, laneLeft, (*tops)[1], 1, Align::Left, Role::Ink,
                                    {Part::CoverDimension}));
    } else {
        packed = false;
    }

    // Below each column what the main window shows for it, and where the model holds.
    const double resultsTop = columnY(depth) + L * 0.7 + s.belowBand;
    for (int i = 0; i < modelColumns; ++i) {
        const double centre = fr.columnsLeft + i * fr.columnWidth + fr.columnWidth / 2;
        double top = resultsTop;
        for (const Line &result : resultLines(i)) {
            const Fitted fitted = fit(result.text, fr.columnWidth - L * 0.3);
            for (const std::string &part : fitted.lines) {
                list.labels.push_back(label(part, centre, top, fitted.size, Align::Centre,
                                            result.role, {Part::Results, i}));
                top += L * fitted.size;
            }
        }
    }

    // The notes follow what is drawn, over the whole width.
    const double drawnBottom =
        std::max(resultsTop + s.resultsHeight, fr.stacked ? 0.0 : by + L * 1.3);
    double top = std::min(area.top + area.height - double(notes.size()) * L, drawnBottom + L * 0.3);
    for (const std::string &note : notes) {
        list.labels.push_back(
            label(note, area.left, top, 1, Align::Left, Role::Invalid, {Part::Notes}));
        top += L;
    }

    // h at the left of its line, b below its line; both where nothing else stands.
    Label h = label(s.hText, hx - L * 0.35, 0, 1, Align::Right, Role::Ink, {Part::HeightDimension});
    const double middle = std::clamp(Y(g.h / 2) - L / 2, sectionLow, sectionHigh - L);
    std::vector<Point> corners;
    for (int k = 0; k < 8; ++k)
        for (const int sign : {1, -1})
            corners.push_back({h.box.left, middle + sign * k * L * 0.5});
    placeFirstFree(std::move(h), corners);

    Label b = label(s.bText, 0, 0, 1, Align::Left, Role::Ink, {Part::WidthDimension});
    const double width = b.box.width;
    const double centred = std::max(area.left, X(g.b / 2) - width / 2);
    const double flushRight = std::max(area.left, std::min(centred, X(g.b) - width));
    std::vector<Point> bCorners;
    for (int k = 0; k < 6; ++k)
        for (const double x : {centred, flushRight})
            bCorners.push_back({x, by + L * (0.3 + 0.5 * k)});
    placeFirstFree(std::move(b), bCorners);
    return packed;
}

DisplayList Layout::fallback(double fontScale)
{
    f = fontScale;
    L = m.lineHeight() * f;
    list = DisplayList{};
    list.width = W;
    list.height = H;
    list.fontScale = f;
    const std::string text = "Te weinig ruimte om de doorsnede te tekenen.";
    const double width = advance(text);
    const double size = width > 0 ? std::min(1.0, W / width) : 1;
    if (L * size <= H && W > 0)
        list.labels.push_back(label(text, W / 2, (H - L * size) / 2, size, Align::Centre,
                                    Role::Invalid, {Part::Notes}));
    return list;
}

} // namespace

DisplayList layoutPicture(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                          double width, double height, const TextMetrics &metrics,
                          const PictureOptions &options, const PictureLimits &extras)
{
    Layout layout(geometry, texts, width, height, metrics, options, extras);
    DisplayList list;
    if (!(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height) &&
          metrics.lineHeight() > 0)) {
        list.width = std::isfinite(width) ? std::max(width, 0.0) : 0;
        list.height = std::isfinite(height) ? std::max(height, 0.0) : 0;
        return list;
    }
    // The font shrinks until the picture fits, down to `least`; a smaller chart comes before a
    // smaller font.
    const auto firstFit = [&layout](double least) -> std::optional<DisplayList> {
        // The lines reserved for the notes on the scale only grow, so this ends.
        std::size_t reserved = 0;
        for (double f = 1; f >= least; f *= fontStep)
            for (const bool compact : {false, true}) {
                if (compact && !layout.drawsChart())
                    break;
                layout.compactChart = compact;
                std::optional<DisplayList> attempt = layout.attempt(f, reserved);
                while (!attempt && layout.wantsNoteLines > reserved) {
                    reserved = layout.wantsNoteLines;
                    attempt = layout.attempt(f, reserved);
                }
                if (attempt)
                    return attempt;
            }
        return std::nullopt;
    };
    const auto leftOutNote = [](bool chart, bool strains) {
        if (!chart && !strains)
            return std::vector<std::string>{};
        const std::string what = chart && strains ? "de rekken en de grafiek"
                                 : chart          ? "de grafiek"
                                                  : "de rekken";
        return std::vector<std::string>{"Voor " + what +
                                        " is hier geen ruimte; maak de tekening groter."};
    };

    // The picture without the extras first: they may shrink the font it needs by a fifth at
    // most, the chart giving way first, then the strains; where both give way, the picture
    // is laid out again with a note that says so.
    const bool chart = extras.chart && !extras.chart->empty && !geometry.empty;
    const bool strains = extras.limits && !geometry.empty;
    layout.setLevel(false, false, {});
    std::optional<DisplayList> laidOut = firstFit(smallestFont);
    bool chartLeftOut = false;
    bool strainLeftOut = false;
    if (laidOut && (chart || strains)) {
        const double least = std::max(laidOut->fontScale * extrasFont, leastExtrasFont);
        struct Level {
            bool chart;
            bool strains;
        };
        std::vector<Level> levels;
        if (chart)
            levels.push_back({true, strains});
        if (strains)
            levels.push_back({false, true});
        levels.push_back({false, false});
        for (const Level level : levels) {
            chartLeftOut = chart && !level.chart;
            strainLeftOut = strains && !level.strains;
            layout.setLevel(level.chart, level.strains, leftOutNote(chartLeftOut, strainLeftOut));
            const bool plain = !level.chart && !level.strains;
            if (std::optional<DisplayList> richer = firstFit(plain ? smallestFont : least)) {
                laidOut = std::move(richer);
                break;
            }
        }
    }
    list = laidOut ? std::move(*laidOut) : layout.fallback(smallestFont);
    list.chartLeftOut = chartLeftOut && laidOut;
    list.strainLeftOut = strainLeftOut && laidOut;
    list.title = geometry.empty ? "Doorsnede"
                                : "Doorsnede b × h = " + number(geometry.b) + " × " +
                                      number(geometry.h) + " mm";
    list.description = describePicture(geometry, texts, extras);
    for (const std::string &note : leftOutNote(list.chartLeftOut, list.strainLeftOut))
        list.description += ' ' + note;
    return list;
}

} // namespace section
