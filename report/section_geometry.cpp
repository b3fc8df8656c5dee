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

// Why the stirrup is not drawn: the cover on both sides takes the whole width or height, or
// what it leaves has no room for the stirrup's own diameter.
std::string stirrupFault(const beam::SectionInputs &inputs, bool widthFits)
{
    const std::int32_t side = widthFits ? inputs.H : inputs.b;
    const std::string name = widthFits ? "de hoogte h = " : "de breedte b = ";
    const std::int64_t twice = 2 * std::int64_t(inputs.c);
    if (twice >= side)
        return "Twee keer de dekking, 2c = " + whole(twice) + " mm, is niet kleiner dan " + name +
               whole(side) +
               " mm: er is geen plaats voor beugel en staven; de beugel wordt niet "
               "getekend.";
    return "Binnen de dekking blijft " + std::string(widthFits ? "h" : "b") +
           " − 2c = " + whole(side - twice) + " mm over, te weinig voor de beugel van " +
           decimal(beam::stirrupDiameter(inputs.stirrupItem), 3) + " mm: hij wordt niet getekend.";
}

} // namespace

void note(SectionGeometry &g, std::string text, bool wrong)
{
    g.notes.push_back(std::move(text));
    g.wrongNotes.push_back(wrong);
}

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
            note(g, stirrupFault(inputs, g.stirrup.width > 0), true);
    }

    const std::int32_t n = std::max<std::int32_t>(inputs.barCount, 0);
    const double y = g.h - c - s - phi / 2;
    const double left = c + s + phi / 2;
    const double right = g.b - c - s - phi / 2;
    g.minimumSpacing = beam::spacingRule(beam::barDiameter(inputs.barItem), aggregate).minimum;
    // Where not even one bar fits between the stirrups, spacing the bars from `left` to `right`
    // would draw them neatly apart in reverse order: they are drawn into each other in the
    // middle instead, half a diameter apart, as the note says.
    const bool noRoom = right < left;
    const double pitch = noRoom ? phi / 2 : n >= 2 ? (right - left) / (n - 1) : 0;
    const double first = noRoom ? g.b / 2 - pitch * (n - 1) / 2 : left;
    for (std::int32_t i = 0; i < n; ++i)
        g.bars.push_back({n == 1 ? g.b / 2 : first + pitch * i, y});
    if (n >= 2) {
        g.clearSpacing = (right - left) / (n - 1) - phi;
        g.oneLayerNote = g.clearSpacing < g.minimumSpacing;
    } else if (n == 1) {
        g.oneLayerNote = noRoom;
    }
    if (c < 0)
        note(g,
             "De dekking c = " + whole(inputs.c) +
                 " mm is negatief: beugel en staven komen buiten het beton; alleen wat binnen de "
                 "doorsnede valt is getekend.",
             true);
    if (g.oneLayerNote && noRoom) {
        note(
            g,
            "De staven passen niet in de breedte: tussen de beugels blijft b − 2c − 2·ø beugel = " +
                decimal(g.b - 2 * c - 2 * s, 3) + " mm, minder dan één staaf van " +
                decimal(phi, 3) +
                " mm; ze zijn in het midden over elkaar heen getekend, en d gaat "
                "uit van één laag.",
            true);
    } else if (g.oneLayerNote) {
        std::string text = "De staven passen niet naast elkaar in één laag";
        // A negative clear spacing is a distance the bars run into each other, not a spacing.
        if (n >= 2 && g.clearSpacing < 0)
            text += ": ze overlappen elkaar over " + decimal(-g.clearSpacing, 3) +
                    " mm, terwijl een vrije ruimte van " + decimal(g.minimumSpacing, 3) +
                    " mm nodig is";
        else if (n >= 2)
            text += " (vrije ruimte " + decimal(g.clearSpacing, 3) + " mm, nodig " +
                    decimal(g.minimumSpacing, 3) + " mm)";
        note(g, text + "; d gaat uit van één laag.", true);
    }
    const std::int32_t barsArea = beam::steelArea(inputs.barItem, n);
    if (inputs.As != barsArea)
        note(g, "As = " + whole(inputs.As) + " mm2 is ingetypt; de getekende " + whole(n) +
                    " staven geven " + whole(barsArea) + " mm2. De berekening gebruikt " +
                    whole(inputs.As) + " mm2.");

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
        note(g, "Zonder staal (As = 0) is er geen trekkracht, en geen drukzone om te "
                "tekenen.");
    if (steps.steelForce < 0)
        note(g,
             "De staalkracht is negatief (As < 0): er is geen drukzone aan de bovenkant, en geen "
             "drukblok om te tekenen.",
             true);
    if (clipped)
        note(g, "Een drukzone reikt voorbij de doorsnede; het blok is onderaan "
                "afgesneden.");
    return g;
}

} // namespace section
