#include "section_geometry.h"

#include "extended.h"
#include "number_text.h"
#include "reinforcement.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace section {

using numtext::decimal;
using numtext::whole;

namespace {

// The depth, as a fraction of xu, over which the stress rises from the neutral axis to fcd: a
// parabola's area above that part is 1/3 of it, a straight line's 1/2, the rest is full.
double riseFraction(beam::BlockShape shape, double alpha)
{
    const double rise = (shape == beam::BlockShape::Parabola ? 3 : 2) * (1 - alpha);
    return std::clamp(rise, 0.0, 1.0);
}

// Stress as a fraction of fcd at depth y (0 <= y <= xu) from the top; fcd down to `top`.
double stress(beam::BlockShape shape, double top, double xu, double y)
{
    if (y <= top)
        return 1;
    const double t = (y - top) / (xu - top);
    return shape == beam::BlockShape::Parabola ? 1 - t * t : 1 - t;
}

} // namespace

std::vector<Point> blockOutline(beam::BlockShape shape, double alpha, double xu, double limit)
{
    std::vector<Point> outline;
    if (shape == beam::BlockShape::None || !(xu > 0) || !(limit > 0))
        return outline;
    const double bottom = std::min(xu, limit);
    const double top = xu - riseFraction(shape, alpha) * xu;
    // Depths where the outline bends, then samples along a curved part.
    std::vector<double> depths{0};
    if (top > 0)
        depths.push_back(top);
    if (shape == beam::BlockShape::Parabola) {
        for (int i = 1; i < curveSegments; ++i)
            depths.push_back(top + (xu - top) * i / curveSegments);
    }
    depths.push_back(xu);
    outline.push_back({0, 0});
    for (const double y : depths) {
        if (y >= bottom)
            break;
        outline.push_back({stress(shape, top, xu, y), y});
    }
    outline.push_back({stress(shape, top, xu, bottom), bottom});
    if (outline.back().x != 0)
        outline.push_back({0, bottom});
    return outline;
}

std::string missingSection(const beam::SectionInputs &inputs)
{
    if (inputs.b <= 0)
        return "Geen doorsnede: de breedte b is " + whole(inputs.b) + " mm.";
    if (inputs.H <= 0)
        return "Geen doorsnede: de hoogte h is " + whole(inputs.H) + " mm.";
    if (inputs.d <= 0)
        return "Geen nuttige hoogte (d = " + whole(inputs.d) +
               "): de hoogte laat geen ruimte voor dekking, beugels en staven.";
    return {};
}

SectionGeometry sectionGeometry(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                                int aggregate)
{
    SectionGeometry g;
    g.b = inputs.b;
    g.h = inputs.H;
    g.d = inputs.d;
    g.cover = inputs.c;
    // Why nothing is drawn comes from the inputs; what the models make of them from the run
    // itself: a height of 0 beside a negative cover still leaves a depth to compute with.
    const auto consequence = [&steps, &inputs] {
        return steps.guardPassed ? " De modellen rekenen wel, met d = " + whole(inputs.d) +
                                       " mm; de berekening toont hun uitkomsten."
                                 : std::string(" De modellen tonen daarom 0 en nan.");
    };
    if (std::string missing = missingSection(inputs); !missing.empty()) {
        g.emptyText = std::move(missing) + consequence();
        return g;
    }
    if (!steps.guardPassed) {
        g.emptyText = "Geen betonsterkte fcd: de modellen tonen 0 en nan.";
        return g;
    }
    g.empty = false;

    const double c = inputs.c;
    const double s = beam::stirrupDiameter(inputs.stirrupItem);
    const double phi = beam::barDiameter(inputs.barItem);
    g.stirrupDiameter = s;
    g.barDiameter = phi;
    if (s > 0) {
        g.stirrup = {c + s / 2, c + s / 2, g.b - 2 * c - s, g.h - 2 * c - s};
        g.hasStirrup = g.stirrup.width > 0 && g.stirrup.height > 0;
        if (!g.hasStirrup)
            g.notes.push_back("De beugel past niet binnen de dekking en wordt niet getekend.");
    }

    const std::int32_t n = std::max<std::int32_t>(inputs.barCount, 0);
    const double y = g.h - c - s - phi / 2;
    const double left = c + s + phi / 2;
    const double right = g.b - c - s - phi / 2;
    g.minimumSpacing = beam::spacingRule(beam::barDiameter(inputs.barItem), aggregate).minimum;
    for (std::int32_t i = 0; i < n; ++i)
        g.bars.push_back({n == 1 ? g.b / 2 : left + (right - left) * i / (n - 1), y});
    if (n >= 2) {
        g.clearSpacing = (right - left) / (n - 1) - phi;
        g.oneLayerNote = g.clearSpacing < g.minimumSpacing;
    } else if (n == 1) {
        g.oneLayerNote = right < left;
    }
    if (c < 0)
        g.notes.push_back("De dekking c = " + whole(inputs.c) +
                          " mm is negatief: beugel en staven komen buiten het beton; alleen wat "
                          "binnen de doorsnede valt is getekend.");
    if (g.oneLayerNote) {
        std::string note = "De staven passen niet naast elkaar in één laag";
        // A negative clear spacing is a distance the bars run into each other, not a spacing.
        if (n >= 2 && g.clearSpacing < 0)
            note += ": ze overlappen elkaar over " + decimal(-g.clearSpacing, 3) +
                    " mm, terwijl een vrije ruimte van " + decimal(g.minimumSpacing, 3) +
                    " mm nodig is";
        else if (n >= 2)
            note += " (vrije ruimte " + decimal(g.clearSpacing, 3) + " mm, nodig " +
                    decimal(g.minimumSpacing, 3) + " mm)";
        g.notes.push_back(note + "; d gaat uit van één laag.");
    }
    const std::int32_t barsArea = beam::steelArea(inputs.barItem, n);
    if (inputs.As != barsArea)
        g.notes.push_back("As = " + whole(inputs.As) + " mm2 is ingetypt; de getekende " +
                          whole(n) + " staven geven " + whole(barsArea) +
                          " mm2. De berekening gebruikt " + whole(inputs.As) + " mm2.");

    g.drawnDepth = std::max(g.h, g.d);
    g.steelForce = steps.steelForce;
    bool clipped = false;
    for (const beam::ModelDescriptor &model : beam::models) {
        const beam::ModelSteps &computed = steps.model(model.model);
        ModelColumn &column = g.columns[beam::index(model.model)];
        column.valid = computed.state == beam::ModelState::Valid;
        column.state = computed.state;
        column.neutralAxis = computed.xu;
        column.tension = g.d;
        column.leverArm = computed.z;
        column.compression = g.d - computed.z;
        column.block =
            blockOutline(model.shape, computed.constants.alpha, computed.xu, g.drawnDepth);
        column.hasBlock = !column.block.empty();
        column.clipped = column.hasBlock && computed.xu > g.drawnDepth;
        clipped = clipped || column.clipped;
    }
    if (steps.steelForce == 0)
        g.notes.push_back("Zonder staal (As = 0) is er geen trekkracht, en geen drukzone om te "
                          "tekenen.");
    if (steps.steelForce < 0)
        g.notes.push_back("De staalkracht is negatief (As < 0): er is geen drukzone aan de "
                          "bovenkant, en geen drukblok om te tekenen.");
    if (clipped)
        g.notes.push_back("Een drukzone reikt voorbij de doorsnede; het blok is onderaan "
                          "afgesneden.");
    return g;
}

} // namespace section
