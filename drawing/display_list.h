// The section's picture as a list of marks in target units, for any renderer: the Qt painter
// (screen, print, PDF, SVG, PNG) and the browser's SVG writer read the same list.
//
// Coordinates: x to the right, y down, from the target's top left corner, in its units.
// Colours are roles; colourOf gives the one palette that every renderer uses.
#pragma once

#include "models.h"
#include "section_geometry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace section {

// One meaning each, always beside a word that says it. Warning (amber) marks what lies outside
// a model's assumption σs = fyd: its steel does not yield at the window's As ("staal vloeit
// niet"), or at As,nodig ("buiten model"). Invalid (red) marks only what is wrong: a model
// that is invalid ("ongeldig"), a section that falls short of MEd ("voldoet niet"), inputs
// that cannot be built. Everything else, the notes on how the picture is drawn too, is Ink.
// Series0 to Series3 tell the models' curves in the chart apart, in the columns' order.
enum class Role : std::uint8_t {
    Ink,
    Concrete,
    Steel,
    Block,
    Invalid,
    Force,
    Grid,
    Warning,
    WarningBlock,
    Strain,
    Series0,
    Series1,
    Series2,
    Series3,
};

struct Rgba {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
    bool operator==(const Rgba &) const = default;
};

Rgba colourOf(Role role);

// How the chart tells the models apart: each curve's colour and, so that print without colour
// tells them apart too, the shape of its markers.
enum class MarkerShape : std::uint8_t { Square, Circle, Triangle, Diamond };
struct SeriesStyle {
    Role role;
    MarkerShape marker;
};
inline constexpr SeriesStyle seriesStyles[] = {
    {Role::Series0, MarkerShape::Square},   // benadering
    {Role::Series1, MarkerShape::Circle},   // parabolisch
    {Role::Series2, MarkerShape::Triangle}, // bi_lineair
    {Role::Series3, MarkerShape::Diamond},  // parabool rechthoek
};
static_assert(std::size(seriesStyles) == beam::modelCount, "one series style for every model");
constexpr const SeriesStyle &seriesStyle(beam::Model model)
{
    return seriesStyles[beam::index(model)];
}

// Dash patterns in multiples of the stroke's width: dashed 4 on 2 off, dotted 1 on 2 off.
enum class Dash : std::uint8_t { Solid, Dashed, Dotted };

struct Stroke {
    Role role = Role::Ink;
    double width = 1;
    Dash dash = Dash::Solid;
};

enum class FillKind : std::uint8_t { None, Solid };

struct Fill {
    FillKind kind = FillKind::None;
    Role role = Role::Ink;
};

// What a mark belongs to. A label may touch the lines of its own part and no other.
enum class Part : std::uint8_t {
    Concrete,
    Stirrup,
    Bars,
    HeightDimension,
    WidthDimension,
    DepthDimension,
    CoverDimension,
    Heading,
    Grid,
    Block,
    NeutralAxis,
    Compression,
    Tension,
    LeverArm,
    Results,
    Notes,
    Strain,     // a model's strain diagram and its values
    ChartAxis,  // the chart's axes, grid, ticks and their texts
    ChartCurve, // one model's curve, its end and its markers (column: the model)
    ChartMark,  // the current As and MEd across the plot
    Legend,
};

struct Owner {
    Part part = Part::Notes;
    std::optional<beam::Model> model = std::nullopt; // none for the section and the notes
    bool operator==(const Owner &) const = default;
};

struct Box {
    Rect rect;
};
struct Polygon {
    std::vector<Point> points; // closed: the last point joins the first
};
struct Polyline {
    std::vector<Point> points;
};
struct Circle {
    Point centre;
    double radius = 0;
};
// A line with an open head at `to`: two strokes of length `head` back from the tip, half as
// far apart as they are long.
struct Arrow {
    Point from;
    Point to;
    double head = 0;
};

struct Shape {
    std::variant<Box, Polygon, Polyline, Circle, Arrow> form;
    std::optional<Stroke> stroke;
    Fill fill;
    Owner owner;
};

enum class Align : std::uint8_t { Left, Centre, Right };

struct Label {
    std::string text; // one line, UTF-8
    // The text's advance by its line height, as the layout measured it at `size`.
    Rect box;
    double baseline = 0;
    // The font size as a multiple of the size the layout measured with.
    double size = 1;
    // Where a text that renders narrower than its box stands in it; a renderer squeezes a
    // text that renders wider, so that no label ever leaves its box.
    Align align = Align::Left;
    Role role = Role::Ink;
    Owner owner;
};

// A label of `width` whose line, `height` high with its baseline `ascent` below its top,
// starts, centres or ends at `x` as `align` says.
Label placeLabel(std::string text, double x, double top, double width, double height, double ascent,
                 double size, Align align, Role role, Owner owner);

struct DisplayList {
    double width = 0;
    double height = 0;
    std::string title;
    std::string description;
    // In painting order, all under the labels. Nothing needs clipping, patterns or transforms:
    // the layout cuts off and hatches itself, so that the plainest SVG viewer shows it all.
    std::vector<Shape> shapes;
    std::vector<Label> labels;

    // How the section came out, for the renderers' callers and the tests.
    double fontScale = 1;       // the size of every text against the measured font
    double horizontalScale = 0; // target units per mm across the section
    double verticalScale = 0;   // target units per mm down the section and the columns
    bool toScale = true;
    bool columnsBroken = false;  // the columns break below shallow compression zones
    std::optional<Rect> section; // the concrete
    // Each model's column from its heading to its results, and its diagram from the top face
    // to the depth drawn.
    std::array<std::optional<Rect>, beam::modelCount> columns;
    std::array<std::optional<Rect>, beam::modelCount> bands;

    // The strip beside each stress block for its strain diagram, at the columns' vertical
    // scale, and the part of the target for the chart; the plot is where the chart's axes map
    // As from chartX[0] to chartX[1] and Mu from chartY[0] (bottom) to chartY[1] (top).
    std::array<std::optional<Rect>, beam::modelCount> strainAreas;
    std::optional<Rect> chartArea;
    std::optional<Rect> plot;
    std::array<double, 2> chartX{};
    std::array<double, 2> chartY{};
    // Target units per mille across every strain diagram, and each diagram's zero line.
    double strainScale = 0;
    std::array<std::optional<double>, beam::modelCount> strainZero;
    // What the extras left out for want of room, at the font that laid them out.
    bool chartLeftOut = false;
    bool strainLeftOut = false;
    // The models in two rows of two, and the notes that were then left for the caller to set.
    bool paired = false;
    std::vector<std::string> notes;
};

} // namespace section
