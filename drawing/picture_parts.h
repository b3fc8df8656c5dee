// The picture's layout in parts, for the files that carry them out: the frame that chooses
// between the section beside the columns and above them (picture_frame.cpp), the section's
// marks (section_marks.cpp), the model columns (column_marks.cpp) and their strain diagrams
// (strain_marks.cpp), the lanes and boxes of the labels (label_lanes.cpp) and the driver that
// tries font sizes (picture_layout.cpp). Not for use outside drawing/.
//
// Every gap and proportion is named once in `gap` below: the frame reserves room with the same
// names that the marks are placed with, so that what is reserved is what is drawn.
#pragma once

#include "models.h"
#include "number_text.h"
#include "picture_layout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace section::picture {

// Lengths in line heights (L) of the font as laid out, unless they say otherwise.
namespace gap {
inline constexpr double pad = 0.5; // around the picture, and between it and a chart beside it
// The section and its dimension lines.
inline constexpr double dimension = 0.6;     // from a face to the dimension line of h, b or d
inline constexpr double heightLabel = 0.35;  // from the h dimension line to its label
inline constexpr double coverLine = 0.25;    // from the right face to the c dimension line
inline constexpr double lane = 1.05;         // from the right face to the lane of d and c
inline constexpr double beforeColumns = 0.6; // from that lane to the columns
inline constexpr double tick = 0.25;         // half a dimension line's end stroke
inline constexpr double coverTick = 0.6;     // of `tick`, at the short c dimension line
inline constexpr double widthLabel = 0.3;    // from the b dimension line to its label
inline constexpr double labelStep = 0.5;     // between the places tried for the h and b labels
inline constexpr int heightLabelSteps = 8;   // places tried each way for the h label
inline constexpr int widthLabelSteps = 6;    // and below its line for the b label
inline constexpr double dot = 0.2;           // the radius of a bar drawn too small to see
inline constexpr double dotOfSpacing = 0.4;  // of the bars' spacing, at most, for that dot
inline constexpr int barChords = 48;         // of a bar cut off at a face
inline constexpr double chartSection = 8;    // beside a chart, the least room for the section
// Top to bottom: the room above a section drawn above the columns, the b dimension and its
// label below it, a gap, the headings, the band of the columns, the results below it.
inline constexpr double aboveStacked = 0.6;
inline constexpr double belowSection = 1.9;
inline constexpr double beforeHeadings = 0.4;
inline constexpr double heading = 1.7;
inline constexpr double beforeResults = 0.7;
inline constexpr double beforeNotes = 0.3;
inline constexpr double belowWidthLabel = 1.3; // from the b dimension line to the notes
// Across a column, left to right: an inset, the xu label, the strain strip, the zero-stress
// axis, the block, the arrows, the C, z and T labels, the lever arm, the room of a z label
// that keeps it apart from the next column's xu, an inset.
inline constexpr double inset = 0.3;
inline constexpr double beforeStrain = 0.3;    // from the xu label to the strain strip
inline constexpr double beforeGrid = 0.2;      // from the xu label or the strip to the grid lines
inline constexpr double beforeAxis = 0.3;      // from there to the zero-stress axis
inline constexpr double afterArrows = 0.25;    // from the arrows to the C and T labels
inline constexpr double aroundArm = 0.45;      // either side of the lever arm's line
inline constexpr double blockClear = 1.15;     // the arrows reach this far past the widest block
inline constexpr double textMargin = 0.3;      // of a column's width, left free beside its results
inline constexpr double textWidthMargin = 0.6; // around the widest sample text of a column
inline constexpr double widening = 0.5; // of a column's natural width, at most, from what is left
inline constexpr double arrowHead = 0.35;
inline constexpr double leaderStart = 0.1; // past the arrows, where the leader of C or T starts
inline constexpr double moved = 0.1;       // a label this far off its anchor gets a leader
inline constexpr double leaderEnd = 0.1;   // before the label, where its leader ends
inline constexpr double coverBend = 0.2;   // before the lane, where the leader of c turns
inline constexpr double coverEnd = 0.05;   // before the lane, where it ends
inline constexpr double laneReach = 0.6;   // a lane runs this far past its part, up and down
inline constexpr double hatch = 0.35;      // between the hatch lines of an invalid block
inline constexpr double breakGap = 0.7;    // the height a column's break takes
inline constexpr double breakStroke = 0.3; // half the slanted stroke that marks it
// The strain diagrams: the row above the band, from the band's top to the top of that row, the
// rows below it, from the band's bottom to the first of them, and below them a gap.
inline constexpr double strainRow = 1;
inline constexpr double strainTop = 1.65;
inline constexpr double strainRowsBelow = 0.65;
inline constexpr double afterStrains = 0.25;
inline constexpr double yieldPast = 0.3; // the εyd line reaches this far past the steel
inline constexpr double yieldTag = 0.15; // from the εyd line to its label
inline constexpr double yieldTagSize =
    0.8;                              // of the font, for that label, where full size has no room
inline constexpr double clear = 0.02; // a label's box may touch others by this much
} // namespace gap

// Strokes, in hairlines.
namespace weight {
inline constexpr double face = 2;              // the concrete's outline
inline constexpr double bold = 1.5;            // a block, a force, a strain diagram's edge
inline constexpr double hatch = 0.8;           // an invalid block's hatching
inline constexpr double lineToHair = 1.0 / 16; // a hairline of a line height, at least half a unit
} // namespace weight

inline constexpr double columnShare = 0.75;    // the least height the columns keep of what they get
inline constexpr double sectionWidth = 2.5;    // the narrowest section drawn, in L
inline constexpr double leastBand = 6;         // the least height of the columns, in L
inline constexpr double leastArrow = 3;        // the shortest force arrow, in L
inline constexpr double strainWidth = 3;       // the strip kept for a strain diagram, in L
inline constexpr double smallestResult = 0.75; // a result text shrinks this far before it wraps
inline constexpr int wrappedLines = 3;         // and wraps over at most this many lines
inline constexpr double smallestFont = 0.25;
inline constexpr double fontStep = 0.93;
inline constexpr double columns = beam::modelCount;
// A section drawn this much out of scale or less looks to scale: it is drawn to scale, a few
// hundredths narrower or thinner than the least size that would otherwise apply.
inline constexpr double unseenDistortion = 0.05;
// Beside the columns the section shares their scale where they keep `columnShare` of the
// height they are given, or at least this height in L, which reads on any target.
inline constexpr double readableBand = 16;
// The font may shrink this much further, where that draws the section to scale.
inline constexpr double scaleFont = 0.85;
inline constexpr double stackAbove = 2; // beside the columns the section may be this far from scale
inline constexpr double smallestBlock = 1.5; // a block less deep than this, in L, calls for a break
inline constexpr double breakShare = 0.4;    // of the column's height, for the zone above the break
inline constexpr double shallowZone = 10;    // a zone deeper than the depth over this never breaks
inline constexpr double thinnestStrip = 1.2; // a section above them is at least this high, in L
inline constexpr double stackedShare = 0.35; // of the height, at most, for a section above them
inline constexpr double pairedShare = 0.2;   // the same, above two rows of two models
inline constexpr double pairedChart = 0.3;   // of the height, for the chart below them
inline constexpr double betweenRows = 1;     // from one row's results to the next row's headings
inline constexpr double pairedSlack = 0.1;   // rows this much taller stay at the section's scale
inline constexpr double pairsFont = 0.8;     // four across at a smaller font than this go in pairs
inline constexpr double strainRows = 2;      // below each strain diagram: εs, then εyd
inline constexpr double chartBeside = 24;    // the narrowest chart beside the columns, in L
inline constexpr double chartBelow = 11;     // the lowest chart below them, in L
inline constexpr double chartHeightShare = 0.42; // of the height, for a chart below the columns
inline constexpr double chartWidthShare = 0.6;   // of the width, at most, kept for a chart

using numtext::whole;
// A dimension in whole millimetres as typed, else in full.
std::string number(double value);

bool overlaps(const Rect &a, const Rect &b);
Rect shrunk(const Rect &r, double by);
bool crosses(Point p, Point q, const Rect &r);
std::vector<std::pair<Point, Point>> segmentsOf(const Shape &shape);
Rect boundsOf(const Shape &shape);
std::vector<std::pair<Point, Point>> chords(const std::vector<Point> &polygon, double s);
std::optional<Rect> intersection(const Rect &a, const Rect &b);
std::vector<Point> clipped(std::vector<Point> polygon, const Rect &r);
std::optional<std::vector<double>> pack(const std::vector<double> &anchors, double height,
                                        double low, double high);

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
        , givenHeight(height)
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
        // The columns in rows of this many, each row `rowStep` below the one before.
        std::size_t perRow = beam::modelCount;
        double rowStep = 0;
        double columnLeft(std::size_t i) const
        {
            return columnsLeft + double(i % perRow) * columnWidth;
        }
        double rowShift(std::size_t i) const { return double(i / perRow) * rowStep; }
        double x(double mm) const { return sectionLeft + mm * sx; }
        double y(double mm) const { return sectionTop + mm * sectionSy; }
        // Where the b dimension line runs, below the section.
        double widthLine(const SectionGeometry &g, double L) const
        {
            return y(g.h) + L * gap::dimension;
        }
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
        // The same scale for a column drawn `by` lower, in a row below the first.
        ColumnScale shifted(double by) const
        {
            ColumnScale lower = *this;
            lower.top += by;
            return lower;
        }
    };
    // A label that waits for its lane, and where a leader starts when it moves off its anchor.
    struct Pending {
        std::string text;
        double left;
        double anchor;
        Role role;
        Owner owner;
        double leaderFrom;
    };
    struct Line {
        std::string text;
        Role role = Role::Ink;
    };
    enum class Steel { Unknown, Yields, DoesNotYield };

    double advance(std::string_view text, double size = 1) const
    {
        return m.advance(text) * f * size;
    }
    std::vector<std::string> wrap(std::string_view text, double width, double size) const;
    std::string elide(std::string_view text, double width, double size) const;
    Fitted fit(const std::string &text, double width) const;
    Label label(std::string text, double left, double top, double size, Align align, Role role,
                Owner owner) const;
    Label oneLine(std::string text, double left, double top, double width, Role role, Owner owner);
    void add(Shape shape) { list.shapes.push_back(std::move(shape)); }
    void line(std::vector<Point> points, Stroke stroke, Owner owner);
    void dimension(Point from, Point to, double tick, Stroke stroke, Owner owner);
    void broken(Point top, Point bottom, const ColumnScale &scale, Stroke stroke, Owner owner);
    bool free(const Rect &box, Owner owner) const;
    void placeFirstFree(Label label, const std::vector<Point> &corners);
    // False where the labels do not fit between `low` and `high`.
    bool placeLane(const std::vector<Pending> &lane, double low, double high);
    bool layOutEmpty();
    std::vector<Line> wrapNotes(const std::vector<Line> &notes) const;
    void placeNotes(const std::vector<Line> &notes, double drawnBottom);

    Steel steel(beam::Model column) const;
    Role columnRole(beam::Model column) const;
    bool strainDrawn(beam::Model column) const;
    std::vector<std::string> strainLines(beam::Model column) const;
    std::vector<Line> resultLines(beam::Model column) const;
    void strainDiagram(beam::Model column, const Rect &strip, const ColumnScale &columnY,
                       double perMille, double zero);

    void measure();
    std::optional<Frame> sideBySide(double notesHeight) const;
    std::optional<Frame> stacked(double notesHeight) const;
    std::optional<Frame> paired() const;
    Frame below(double sx, double sectionSy, double sectionHeight, double bandHeight,
                double across) const;
    bool pairsWanted() const;
    ColumnScale columnScale(const Frame &frame) const;
    std::vector<Line> scaleNotes(const Frame &frame) const;

    // The parts of one arrangement; emit calls them in this order. The label placements return
    // false where labels did not fit their lanes.
    bool emit(const Frame &frame, const std::vector<Line> &notes);
    void sectionMarks(const Frame &frame);
    void columnMarks(const Frame &frame, const ColumnScale &columnY);
    void column(beam::Model i, const Frame &frame, const ColumnScale &columnY, double compression,
                double perMille);
    bool columnLabels(const Frame &frame, const ColumnScale &columnY);
    bool depthLabels(const Frame &frame);
    void results(const Frame &frame, double resultsTop);
    void outerLabels(const Frame &frame);

    const SectionGeometry &g;
    const beam::MomentTexts &t;
    const double W;
    double H; // the height given, or where the models go in pairs, the height for that
    const double givenHeight;
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
    // The labels of the columns, gathered while their marks are drawn, placed after them.
    std::array<std::vector<Pending>, beam::modelCount> forceLabels;
    std::array<std::optional<Pending>, beam::modelCount> xuLabels;
    // Each strain diagram's εyd line, from the neutral axis down, and its zero line, for the
    // line's label, which goes where the other labels leave room.
    struct YieldLine {
        double x, top, bottom, zero;
    };
    std::array<std::optional<YieldLine>, beam::modelCount> yieldLines;
    void yieldLabel(beam::Model column, const YieldLine &line);
};

} // namespace section::picture
