// The drawing of a section and its four stress blocks, as geometry in millimetres.
//
// Pipeline: the window's section inputs and the steps of its moment run -> outline, stirrup,
// bar centres, notes -> per model the block outline, neutral axis, forces and lever arm.
// Plain doubles throughout: nothing here feeds a shown digit, the moment run does that.
// Coordinates: x from the left face, y down from the top face, both in mm.
#pragma once

#include "moment.h"
#include "section_checks.h"
#include "section_inputs.h"

#include <array>
#include <string>
#include <vector>

namespace section {

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point &) const = default;
};

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// One model's column beside the section.
struct ModelColumn {
    bool valid = false;
    beam::ModelState state = beam::ModelState::Valid;
    bool hasBlock = false;  // a stress block to draw: not for "benadering", nor for xu <= 0
    bool clipped = false;   // the block goes on below what is drawn; it is cut off there
    double neutralAxis = 0; // xu, mm from the top
    double compression = 0; // where C acts: d - z
    double tension = 0;     // where T acts: d
    double leverArm = 0;    // z
    // The block's outline from the top at the zero-stress line, with x the stress as a
    // fraction of fcd (0 to 1) and y in mm; closed by the caller.
    std::vector<Point> block;
};

struct SectionGeometry {
    // Empty: nothing to draw, and `emptyText` says why.
    bool empty = true;
    std::string emptyText;
    double b = 0;
    double h = 0;
    double d = 0;
    double cover = 0;
    // The stirrup's centre line, drawn with the stirrup's diameter as its width.
    bool hasStirrup = false;
    Rect stirrup;
    double stirrupDiameter = 0;
    double barDiameter = 0;
    std::vector<Point> bars;
    // Clear spacing between neighbouring bars; meaningful for two bars or more.
    double clearSpacing = 0;
    double minimumSpacing = 0;
    bool oneLayerNote = false;
    // Sentences about what is drawn in another way than the inputs say, or not at all, and for
    // each whether it says what is wrong with the inputs rather than how they are drawn.
    std::vector<std::string> notes;
    std::vector<bool> wrongNotes;
    // The depth that the drawing must show at its vertical scale: h, or d where it is deeper.
    double drawnDepth = 0;
    // As x fyd as the run stored it, N: forces are drawn only where it pulls.
    double steelForce = 0;
    std::array<ModelColumn, beam::modelCount> columns; // indexed by beam::Model

    const ModelColumn &column(beam::Model model) const { return columns[beam::index(model)]; }
};

void note(SectionGeometry &g, std::string text, bool wrong = false);

// Samples along each curved part of a block outline.
inline constexpr int curveSegments = 16;

// Why the width, the height or d leave no section, in one sentence; empty where they do not.
std::string missingSection(const beam::SectionInputs &inputs);

// Dmax in mm sets the clear distance the bars need (beam::spacingRule).
SectionGeometry sectionGeometry(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                                int aggregate = beam::defaultAggregate);

// The outline of a stress block of the given shape and α, of depth xu (in mm, > 0), from the
// top at the zero-stress line down to the neutral axis and back along it, cut off at `limit` mm.
std::vector<Point> blockOutline(beam::BlockShape shape, double alpha, double xu, double limit);

} // namespace section
