#include "moment_chart.h"

#include "calculation_text.h"
#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace section {

using numtext::whole;

namespace {

// A yield limit more than this many times the areas looked at is left off the axis.
constexpr double yieldReach = 3;
constexpr double largestArea = std::numeric_limits<std::int32_t>::max();
constexpr double smallestArea = std::numeric_limits<std::int32_t>::min();
// Far beyond any moment a run can produce (about 10^22 kNm), and far from the double limit,
// so that widening an axis to whole steps stays finite.
constexpr double farMoment = 1e300;

double bounded(double value)
{
    if (std::isnan(value))
        return 0;
    return std::clamp(value, -farMoment, farMoment);
}

// n x 10^e as a decimal text: fixed notation from 10^-5 to 10^15, else "2e21", "1.5e-9".
std::string tickLabel(std::int64_t n, int e, char separator)
{
    if (n == 0)
        return "0";
    for (; n % 10 == 0; n /= 10)
        ++e;
    const std::string sign = n < 0 ? "-" : "";
    std::string digits = whole(n < 0 ? -n : n);
    const int leading = int(digits.size()) - 1 + e; // the decimal exponent of the first digit
    if (leading < -5 || leading > 14)
        return sign + digits.front() +
               (digits.size() > 1 ? separator + digits.substr(1) : std::string()) + "e" +
               whole(leading);
    if (e >= 0)
        return sign + digits + std::string(std::size_t(e), '0');
    const std::size_t fraction = std::size_t(-e);
    if (digits.size() <= fraction)
        digits.insert(0, fraction - digits.size() + 1, '0');
    return sign + digits.substr(0, digits.size() - fraction) + separator +
           digits.substr(digits.size() - fraction);
}

// Mu as the main window shows it, read back from its text; 0 for a text that holds no finite
// number (the fall-back texts, or a moment beyond the double range).
double shownMoment(const std::string &text)
{
    const auto value = numtext::parseReal(text);
    if (!value)
        return 0;
    return bounded(ext::toDouble(*value));
}

struct Sample {
    std::int32_t As = 0;
    std::array<double, beam::modelCount> Mu{};
};

} // namespace

ChartAxis niceAxis(double lo, double hi, int count, char separator)
{
    lo = bounded(lo);
    hi = bounded(hi);
    // At least a billionth, and a billionth of the values, so that the step has a finite power
    // of ten and lo / step a whole number within 64 bits.
    hi = lo + std::max({hi - lo, 1e-9, 1e-9 * std::abs(lo)});
    count = std::clamp(count, 1, 20);
    const double raw = (hi - lo) / count;
    int e = int(std::floor(std::log10(raw)));
    const double fraction = raw / std::pow(10.0, e);
    std::int64_t m = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    if (m == 10) {
        m = 1;
        ++e;
    }
    // A tick's value from whole numbers: k m 10^e, divided for a negative e so that 0.1 is the
    // double nearest to it, not 1 x 0.1000000000000000055.
    const auto value = [m, e](std::int64_t k) {
        return e >= 0 ? double(k * m) * std::pow(10.0, e) : double(k * m) / std::pow(10.0, -e);
    };
    const double step = value(1);
    const auto first = std::int64_t(std::floor(lo / step));
    const auto last = std::max(first + 1, std::int64_t(std::ceil(hi / step)));
    ChartAxis axis;
    axis.min = value(first);
    axis.max = value(last);
    for (std::int64_t k = first; k <= last; ++k)
        axis.ticks.push_back({value(k), tickLabel(k * m, e, separator)});
    return axis;
}

MomentChart momentChart(const beam::SectionInputs &inputs, const beam::MomentSteps &steps,
                        const beam::SectionLimits &limits, int samples)
{
    MomentChart chart;
    const char sep = inputs.decimalSeparator;
    if (!steps.guardPassed) {
        chart.emptyText = "Geen doorsnede (d, b of fcd is niet positief): geen grafiek.";
        return chart;
    }
    chart.empty = false;
    chart.header = "Mu (kNm) tegen As (mm2), voor elke hele As zoals het venster rekent. "
                   "Lijnen: Mu vóór afkappen, doorgetrokken zolang het staal vloeit; daarna "
                   "gestreept, voor de blokmodellen met σs = Es·εs uit de rekken, zodat de lijn "
                   "ombuigt waar het staal niet meer vloeit. benadering volgt het oordeel van "
                   "parabool rechthoek. Stippen bij As = " +
                   whole(inputs.As) +
                   " mm2: Mu zoals het hoofdvenster toont (afgekapt, in hele kNm).";

    // Past the current As and the areas MEd needs, and the yield limits near them: a limit far
    // beyond them would leave the section's own area a dot in the corner.
    double focus = std::max(0.0, double(inputs.As));
    for (const beam::ModelLimits &model : limits.models)
        if (model.required && model.required->outcome == beam::Requirement::Found)
            focus = std::max(focus, double(model.required->As));
    double far = focus;
    for (const beam::ModelLimits &model : limits.models)
        if (model.yieldLimit && (!(focus > 0) || *model.yieldLimit <= yieldReach * focus))
            far = std::max(far, double(*model.yieldLimit));
    const double near = std::min(0.0, 1.15 * inputs.As);
    chart.x = niceAxis(near, std::max(100.0, 1.15 * far), 6, sep);
    chart.x.title = "As (mm2)";

    // Whole areas along the axis, then the ones where something happens.
    std::vector<std::int32_t> areas;
    samples = std::clamp(samples, 2, 10000);
    const double from = std::max(chart.x.min, smallestArea);
    const double to = std::min(chart.x.max, largestArea);
    for (int i = 0; i <= samples; ++i)
        areas.push_back(std::int32_t(std::nearbyint(from + (to - from) * i / samples)));
    const auto mark = [&](double As) {
        if (As >= from && As <= to)
            areas.push_back(std::int32_t(As));
    };
    mark(inputs.As);
    for (const beam::ModelLimits &model : limits.models) {
        if (model.yieldLimit)
            mark(*model.yieldLimit);
        mark(model.validLimit);
        if (model.required && model.required->outcome == beam::Requirement::Found)
            mark(model.required->As);
    }
    std::sort(areas.begin(), areas.end());
    areas.erase(std::unique(areas.begin(), areas.end()), areas.end());

    // One run per area gives all four moments.
    beam::MomentInputs run = inputs.momentInputs();
    std::vector<Sample> points;
    points.reserve(areas.size());
    for (const std::int32_t As : areas) {
        run.As = As;
        const beam::MomentSteps s = beam::computeMomentSteps(run);
        Sample sample;
        sample.As = As;
        for (const beam::Model model : beam::allModels)
            sample.Mu[beam::index(model)] = bounded(beam::modelMoment(s, model));
        points.push_back(sample);
    }

    double low = 0;
    double high = 0;
    const auto include = [&](double Mu) {
        low = std::min(low, Mu);
        high = std::max(high, Mu);
    };
    for (const beam::Model kind : beam::allModels) {
        const std::size_t c = beam::index(kind);
        const beam::ModelLimits &model = limits.models[c];
        ChartCurve &curve = chart.curves[c];
        ChartSegment solid;
        ChartSegment dashed{true, {}};
        // Past As,vloei a block's steel follows the strains, which hold for every area, also
        // where xu >= d would make the yielding model invalid.
        const bool compatible =
            !beam::borrowsStrain(kind) && model.yieldLimit && model.strain.Es > 0;
        int beyondCount = 0;
        for (const Sample &sample : points) {
            const bool beyond = model.yieldLimit && sample.As >= *model.yieldLimit;
            // The limit itself, then every few samples, and the axis's end, where the strains'
            // curve ends.
            if (compatible && beyond && beyondCount++ % chartStrideBeyond != 0 &&
                &sample != &points.back())
                continue;
            if (sample.As > model.validLimit && !(compatible && beyond))
                break;
            // The limit itself ends the solid run and starts the dashed one.
            if (!model.yieldLimit || sample.As <= *model.yieldLimit) {
                const ChartPoint p{double(sample.As), sample.Mu[c]};
                include(p.Mu);
                solid.points.push_back(p);
            }
            if (beyond) {
                const double Mu =
                    compatible
                        ? bounded(beam::compatibleState(steps, kind, sample.As,
                                                        inputs.concreteClass, model.strain.Es)
                                      .moment)
                        : sample.Mu[c];
                // benadering's straight line past its limit would set the moment axis by a
                // moment no model reaches; the chart cuts it off at the top instead.
                if (compatible)
                    include(Mu);
                dashed.points.push_back({double(sample.As), Mu});
            }
        }
        for (ChartSegment *segment : {&solid, &dashed})
            if (segment->points.size() >= 2)
                curve.segments.push_back(std::move(*segment));
        if (!compatible && model.validLimit < to && model.validLimit >= 0 && !points.empty()) {
            curve.endsInvalid = true;
            const auto last = std::upper_bound(
                points.begin(), points.end(), model.validLimit,
                [](std::int32_t As, const Sample &sample) { return As < sample.As; });
            if (last != points.begin())
                curve.end = {double(std::prev(last)->As), std::prev(last)->Mu[c]};
        }
    }

    for (const beam::ModelDescriptor &model : beam::models) {
        ChartMarker &marker = chart.current[beam::index(model.model)];
        marker.model = model.model;
        marker.at = {double(inputs.As), shownMoment(steps.texts[std::size_t(model.mu)])};
        marker.label =
            std::string(model.name) + ": Mu = " + steps.texts[std::size_t(model.mu)] + " kNm";
        include(marker.at.Mu);
    }

    if (limits.designMoment) {
        chart.hasDesignMoment = true;
        chart.designMoment = bounded(ext::toDouble(*limits.designMoment));
        chart.designLabel =
            "MEd = " + numtext::formatGeneral(ext::fromDouble(chart.designMoment), 15, sep) +
            " kNm";
        include(chart.designMoment);
        for (const beam::Model model : beam::allModels) {
            const auto &required = limits.models[beam::index(model)].required;
            if (!required || required->outcome != beam::Requirement::Found || required->As < from ||
                required->As > to)
                continue;
            chart.required.push_back({model,
                                      {double(required->As), bounded(required->moment)},
                                      "As,nodig = " + whole(required->As) + " mm2"});
        }
    }

    chart.y = niceAxis(low, high + 0.05 * (high - low), 5, sep);
    chart.y.title = "Mu (kNm)";
    return chart;
}

} // namespace section
