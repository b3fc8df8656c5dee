// The plane geometry the picture's layout tests its boxes and lines with, and the numbers it
// writes. Plain doubles: nothing here feeds a shown digit.
#include "picture_parts.h"

#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace section::picture {

// The dimensions are whole millimetres, as typed; written through whole numbers, since the C++
// library of the WebAssembly build has no to_chars for doubles.
std::string number(double value)
{
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return whole(std::int64_t(value));
    return numtext::decimal(value, 17);
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

} // namespace section::picture
