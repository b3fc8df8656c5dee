#include "section_geometry.h"

#include "extended.h"
#include "reinforcement.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace section {
namespace {

std::string whole(std::int64_t value)
{
    char buffer[24];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

} // namespace

// As std::to_chars writes a double in the general format with a precision (printf's "%.*g"),
// from the exactly rounded digits of ext::toDecimal: libc++ before 14, and so emscripten's, has
// no to_chars for floating point, and the C library's printf would consult the locale.
std::string decimal(double value, int digits, char separator)
{
    std::string text = std::signbit(value) ? "-" : "";
    if (std::isnan(value))
        return text + "nan";
    if (std::isinf(value))
        return text + "inf";
    if (value == 0)
        return text + '0';
    const int precision = std::clamp(digits, 1, 17);
    const ext::Decimal rounded = ext::toDecimal(ext::fromDouble(value), precision);
    std::string_view significant = rounded.digits;
    while (significant.size() > 1 && significant.back() == '0')
        significant.remove_suffix(1); // trailing zeros never show
    const std::int64_t exponent = rounded.exponent;
    if (exponent < -4 || exponent >= precision) {
        text += significant.front();
        if (significant.size() > 1) {
            text += separator;
            text += significant.substr(1);
        }
        text += exponent < 0 ? "e-" : "e+";
        const std::int64_t power = exponent < 0 ? -exponent : exponent;
        if (power < 10)
            text += '0'; // at least two exponent digits
        text += whole(power);
    } else if (exponent < 0) {
        text += '0';
        text += separator;
        text.append(std::size_t(-exponent - 1), '0');
        text += significant;
    } else if (significant.size() <= std::size_t(exponent) + 1) {
        text += significant;
        text.append(std::size_t(exponent) + 1 - significant.size(), '0');
    } else {
        text += significant.substr(0, std::size_t(exponent) + 1);
        text += separator;
        text += significant.substr(std::size_t(exponent) + 1);
    }
    return text;
}

namespace {

// Stress as a fraction of fcd at depth y (0 <= y <= xu) from the top.
double stress(beam::StressBlockModel model, double alpha, double xu, double y)
{
    switch (model) {
    case beam::Parabolic: {
        // From 0 at the neutral axis to fcd at the top with a horizontal tangent there: area
        // 2/3 xu, centroid 3/8 xu from the top.
        const double t = y / xu;
        return 1 - t * t;
    }
    case beam::BiLinear: {
        // Linear over the lower 2(1 - alpha) xu, constant above: area alpha xu.
        const double linear = std::min(xu, 2 * (1 - alpha) * xu);
        return linear > 0 ? std::min(1.0, (xu - y) / linear) : 1.0;
    }
    default: {
        // A parabola over the lower 4/7 of xu, constant above: area 17/21 xu.
        const double top = 3.0 / 7.0 * xu;
        if (y <= top)
            return 1;
        const double t = (y - top) / (xu - top);
        return 1 - t * t;
    }
    }
}

} // namespace

std::vector<Point> blockOutline(beam::StressBlockModel model, double alpha, double xu, double limit)
{
    std::vector<Point> outline;
    if (!(xu > 0) || !(limit > 0))
        return outline;
    const double bottom = std::min(xu, limit);
    // Depths where the outline bends, then samples along the curved part.
    std::vector<double> depths{0};
    switch (model) {
    case beam::Parabolic:
        for (int i = 1; i <= curveSegments; ++i)
            depths.push_back(xu * i / curveSegments);
        break;
    case beam::BiLinear:
        depths.push_back(xu - std::min(xu, 2 * (1 - alpha) * xu));
        depths.push_back(xu);
        break;
    default:
        for (int i = 0; i <= curveSegments; ++i)
            depths.push_back(xu * (3.0 + 4.0 * i / curveSegments) / 7.0);
        break;
    }
    outline.push_back({0, 0});
    for (const double y : depths) {
        if (y >= bottom)
            break;
        outline.push_back({stress(model, alpha, xu, y), y});
    }
    outline.push_back({stress(model, alpha, xu, bottom), bottom});
    if (outline.back().x != 0)
        outline.push_back({0, bottom});
    return outline;
}

SectionGeometry sectionGeometry(const beam::SectionInputs &inputs, const beam::MomentSteps &steps)
{
    SectionGeometry g;
    g.b = inputs.b;
    g.h = inputs.H;
    g.d = inputs.d;
    g.cover = inputs.c;
    if (inputs.b <= 0) {
        g.emptyText = "Geen doorsnede: de breedte b is " + whole(inputs.b) +
                      " mm. De modellen tonen daarom 0 en nan.";
        return g;
    }
    if (inputs.H <= 0) {
        g.emptyText = "Geen doorsnede: de hoogte h is " + whole(inputs.H) +
                      " mm. De modellen tonen daarom 0 en nan.";
        return g;
    }
    if (inputs.d <= 0) {
        g.emptyText = "Geen nuttige hoogte (d = " + whole(inputs.d) +
                      "): de hoogte laat geen ruimte voor dekking, beugels en staven. De modellen "
                      "tonen daarom 0 en nan.";
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
    g.minimumSpacing = std::max(phi, 20.0);
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
    ModelColumn &approx = g.columns[Approximation];
    approx.valid = true;
    approx.tension = g.d;
    approx.leverArm = 0.9 * g.d;
    approx.compression = g.d - approx.leverArm;
    for (int m = 0; m < beam::StressBlockModelCount; ++m) {
        const beam::ModelSteps &model = steps.models[std::size_t(m)];
        ModelColumn &column = g.columns[std::size_t(m + 1)];
        column.valid = model.state == beam::ModelState::Valid;
        column.state = model.state;
        column.neutralAxis = model.xu;
        column.tension = g.d;
        column.leverArm = model.z;
        column.compression = g.d - model.z;
        column.block = blockOutline(beam::StressBlockModel(m), model.alpha, model.xu, g.drawnDepth);
        column.hasBlock = !column.block.empty();
        column.clipped = column.hasBlock && model.xu > g.drawnDepth;
    }
    if (steps.steelForce == 0)
        g.notes.push_back("Zonder staal (As = 0) is er geen trekkracht, en geen drukzone om te "
                          "tekenen.");
    if (steps.steelForce < 0)
        g.notes.push_back("De staalkracht is negatief (As < 0): er is geen drukzone aan de "
                          "bovenkant, en geen drukblok om te tekenen.");
    if (g.columns[Parabolic].clipped || g.columns[BiLinear].clipped ||
        g.columns[ParabolaRectangle].clipped)
        g.notes.push_back("Een drukzone reikt voorbij de doorsnede; het blok is onderaan "
                          "afgesneden.");
    return g;
}

} // namespace section
