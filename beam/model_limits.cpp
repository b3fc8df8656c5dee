#include "model_limits.h"

#include "materials.h"
#include "number_text.h"
#include "reinforcement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace beam {
namespace {

using ext::Extended;

constexpr std::int32_t largestArea = std::numeric_limits<std::int32_t>::max();

// A design-value text written with the window's separator or with a point, as the tables
// write them ("2.0e5").
std::optional<Extended> readValue(std::string_view text, char separator)
{
    if (auto value = numtext::parseReal(text, separator))
        return value;
    if (separator != '.')
        return numtext::parseReal(text, '.');
    return std::nullopt;
}

// The largest whole x in first .. last for which `holds` is true, given that it holds at
// first and that it holds for a prefix of the range. The search starts at `guess` and widens
// its steps from there until it has the boundary between two tries, then halves: a good guess
// finds the boundary in a handful of runs, any guess (even NaN) within about 64.
template <typename Holds>
std::int32_t lastHolding(std::int32_t first, std::int32_t last, double guess, Holds holds)
{
    std::int64_t lo = first;                  // holds
    std::int64_t hi = std::int64_t(last) + 1; // does not hold, or lies past the range
    const std::int64_t start = guess > first ? (guess < last ? std::int64_t(guess) : last) : first;
    const bool up = start == first || holds(std::int32_t(start));
    (up ? lo : hi) = start;
    for (std::int64_t step = 1;; step *= 2) {
        const std::int64_t probe = up ? lo + step : hi - step;
        if (probe >= hi || probe <= lo)
            break;
        const bool held = holds(std::int32_t(probe));
        (held ? lo : hi) = probe;
        if (held != up)
            break;
    }
    while (hi - lo > 1) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (holds(std::int32_t(mid)))
            lo = mid;
        else
            hi = mid;
    }
    return std::int32_t(lo);
}

// The window's section with another steel area: the same texts, depth, width and class, so
// each area goes through exactly the run the window makes.
class Rerun
{
public:
    explicit Rerun(const SectionInputs &inputs)
        : m_inputs(inputs.momentInputs())
    {}

    MomentSteps operator()(std::int32_t As) const
    {
        MomentInputs inputs = m_inputs;
        inputs.As = As;
        return computeMomentSteps(inputs);
    }

private:
    MomentInputs m_inputs;
};

struct StrainRule {
    int concreteClass = 0;
    std::optional<double> Es;
    double yieldStrain = 0;
};

StrainRule strainRule(double fyd, int concreteClass, std::string_view EsText, char separator)
{
    StrainRule rule;
    rule.concreteClass = concreteClass;
    const auto Es = readValue(EsText, separator);
    if (!Es)
        return rule;
    const double stored = ext::toDouble(*Es);
    if (!(stored > 0) || !std::isfinite(stored))
        return rule;
    rule.Es = stored;
    rule.yieldStrain =
        ext::toDouble((Extended(1000) * ext::fromDouble(fyd)) / ext::fromDouble(stored));
    return rule;
}

StrainState strainOf(const MomentSteps &steps, Model model, std::int32_t As, const StrainRule &rule)
{
    StrainState s;
    s.d = steps.d;
    s.xu = steps.model(model).xu;
    s.topStrain = ext::toDouble(topStrain(model, rule.concreteClass));
    s.Es = rule.Es.value_or(0);
    s.fyd = steps.fyd;
    s.yieldStrain = rule.yieldStrain;
    if (!steps.guardPassed) {
        s.reason = NoCheck::NoSection;
        return s;
    }
    if (As <= 0 || !(steps.fyd > 0)) {
        s.reason = NoCheck::NoSteel;
        return s;
    }
    if (!rule.Es) {
        s.reason = NoCheck::NoModulus;
        return s;
    }
    if (!(s.xu > 0) || !std::isfinite(s.xu)) {
        s.reason = NoCheck::NoFiniteZone;
        return s;
    }
    // Linear over the depth: the block's end strain at the top, 0 at xu, so at the steel
    // εc (d - xu) / xu; computed in that order and stored once.
    const Extended xu = ext::fromDouble(s.xu);
    s.steelStrain = ext::toDouble(
        (topStrain(model, rule.concreteClass) * (ext::fromDouble(steps.d) - xu)) / xu);
    s.reason = NoCheck::None;
    s.verdict = s.steelStrain >= s.yieldStrain ? Verdict::Yields : Verdict::DoesNotYield;
    return s;
}

// Steel area per millimetre of xu, from As fyd = α b xu fcd in doubles: only where a search
// starts, never what it finds.
double areaPerDepth(const MomentSteps &steps, Model model)
{
    return steps.model(model).constants.alpha * steps.b * steps.fcd / steps.fyd;
}

// Sets the yield limit, or why there is none: whatever keeps As = 1 from being checked.
void setYieldLimit(ModelLimits &limit, const Rerun &rerun, const MomentSteps &steps, Model model,
                   const StrainRule &rule)
{
    const StrainState first = strainOf(rerun(1), model, 1, rule);
    limit.limitReason = first.reason;
    if (first.verdict == Verdict::NotChecked)
        return;
    if (first.verdict == Verdict::DoesNotYield) {
        limit.yieldLimit = 0;
        return;
    }
    const auto yields = [&](std::int32_t As) {
        return strainOf(rerun(As), model, As, rule).verdict == Verdict::Yields;
    };
    // The strain falls as As grows (xu grows with it, and every step rounds monotonically),
    // so the areas that yield are 1 up to the limit.
    const double top = ext::toDouble(topStrain(model, rule.concreteClass));
    const double xu = top * steps.d / (top + rule.yieldStrain);
    limit.yieldLimit = lastHolding(1, largestArea, xu * areaPerDepth(steps, model), yields);
}

// -1 when not even As = 0 gives a valid zone, which the guard rules out.
std::int32_t validLimitOf(const Rerun &rerun, const MomentSteps &steps, Model model)
{
    const auto valid = [&](std::int32_t As) {
        return rerun(As).model(model).state == ModelState::Valid;
    };
    if (!valid(0))
        return -1;
    return lastHolding(0, largestArea, steps.d * areaPerDepth(steps, model), valid);
}

// The area whose moment is MEd in doubles: for a block, the smaller root of
// F (d - β F / (α b fcd)) = MEd 10^6 in the steel force F; for "benadering" F 0.9 d = MEd 10^6.
double requiredGuess(const MomentSteps &steps, Model model, const Extended &designMoment)
{
    const double moment = ext::toDouble(designMoment) * 1e6;
    if (const std::optional<double> arm = descriptor(model).leverArm)
        return moment / (*arm * steps.d * steps.fyd);
    const double perForce = steps.model(model).constants.beta /
                            (steps.model(model).constants.alpha * steps.b * steps.fcd);
    const double discriminant = steps.d * steps.d - 4 * perForce * moment;
    if (!(discriminant >= 0))
        return steps.d * areaPerDepth(steps, model);
    return 2 * moment / (steps.d + std::sqrt(discriminant)) / steps.fyd;
}

RequiredArea requiredAreaOf(const Rerun &rerun, const MomentSteps &steps, Model model,
                            std::int32_t validLimit, const Extended &designMoment)
{
    RequiredArea r;
    if (!steps.guardPassed) {
        r.outcome = Requirement::NoSection;
        return r;
    }
    const auto momentAt = [&](std::int32_t As) {
        return modelMoment(rerun(As), model);
    };
    const auto reaches = [&](std::int32_t As) {
        return ext::fromDouble(momentAt(As)) >= designMoment;
    };
    // Over the valid areas the moment grows with As: the parabola As fyd (d - β xu) has its
    // top at xu = d / (2β), beyond d for every β below 1/2.
    if (validLimit < 0 || !reaches(validLimit)) {
        r.outcome = steps.fyd > 0 ? Requirement::Unreachable : Requirement::NoSteel;
        r.As = std::max(validLimit, 0);
        r.moment = validLimit < 0 ? 0 : momentAt(validLimit);
        r.stoppedByDepth = validLimit < largestArea;
        return r;
    }
    r.outcome = Requirement::Found;
    if (reaches(0)) {
        r.As = 0;
    } else {
        // The first area that reaches: one past the last one that does not.
        r.As = lastHolding(0, validLimit, requiredGuess(steps, model, designMoment),
                           [&](std::int32_t As) { return !reaches(As); }) +
               1;
    }
    r.moment = momentAt(r.As);
    return r;
}

// Each diameter at the effective depth it gives, through the same searches as the window's
// own: about 9 x 40 runs of the model.
std::optional<Arrangement> leastSteel(const SectionInputs &inputs, Model model,
                                      const Extended &designMoment, int aggregate)
{
    std::optional<Arrangement> best;
    for (int item = 0; item < int(barDiameters.size()); ++item) {
        SectionInputs other = inputs;
        other.barItem = item;
        other.d = effectiveDepth(item, inputs.stirrupItem, inputs.H, inputs.c);
        if (other.d <= 0)
            continue;
        const Rerun rerun(other);
        const MomentSteps steps = rerun(0);
        const std::int32_t validLimit = !steps.guardPassed     ? -1
                                        : borrowsStrain(model) ? largestArea
                                                               : validLimitOf(rerun, steps, model);
        const RequiredArea r = requiredAreaOf(rerun, steps, model, validLimit, designMoment);
        if (r.outcome != Requirement::Found)
            continue;
        const ReinforcementBounds bounds = reinforcementBounds(
            inputs.concreteClass, inputs.steelGrade, inputs.b, other.d, inputs.H);
        const std::int64_t provided =
            bounds.known ? std::max<std::int64_t>(r.As, bounds.minimum) : std::int64_t(r.As);
        const auto count =
            provided <= largestArea ? barsFor(item, std::int32_t(provided)) : std::nullopt;
        if (!count)
            continue;
        const BarLayer bars =
            barLayerOf(other, item, std::max(*count, leastBarCount(inputs)), aggregate);
        if (!bars.fits || bars.area < provided)
            continue;
        if (!best || bars.area < best->bars.area ||
            (bars.area == best->bars.area && bars.count < best->bars.count))
            best = Arrangement{item, other.d, provided, bars};
    }
    return best;
}

} // namespace

Extended ultimateStrainBiLinear(int concreteClass)
{
    const int fck = beam::concreteClass(concreteClass).value_or(concreteClasses.front()).fck;
    if (fck <= 50)
        return Extended(35) / Extended(10);
    const std::int64_t r = 90 - fck;
    return Extended(260000000 + 35 * r * r * r * r) / Extended(100000000);
}

Extended topStrain(Model model, int concreteClass)
{
    Extended strain;
    switch (descriptor(model).topStrain) {
    case TopStrain::Parabola:
        strain = Extended(2);
        break;
    case TopStrain::Rectangle:
        strain = Extended(35) / Extended(10);
        break;
    case TopStrain::ClassUltimate:
        strain = ultimateStrainBiLinear(concreteClass);
        break;
    }
    return strain;
}

bool lowerClassShapes(int concreteClass)
{
    const auto concrete = beam::concreteClass(concreteClass);
    return concrete && concrete->fck > 50;
}

double modelMoment(const MomentSteps &steps, Model model)
{
    if (!steps.guardPassed)
        return 0;
    return steps.model(model).moment;
}

BarLayer barLayer(const SectionInputs &inputs, std::int32_t count, int aggregate)
{
    return barLayerOf(inputs, inputs.barItem, count, aggregate);
}

BarLayer barLayerOf(const SectionInputs &inputs, int barItem, std::int32_t count, int aggregate)
{
    // The drawing's placing, operation for operation, so the note and the drawing agree.
    BarLayer layer;
    layer.count = std::max<std::int32_t>(count, 0);
    layer.area = steelArea(barItem, layer.count);
    const double b = inputs.b;
    const double c = inputs.c;
    const double s = stirrupDiameter(inputs.stirrupItem);
    const int diameter = barDiameter(barItem);
    const double phi = diameter;
    const double left = c + s + phi / 2;
    const double right = b - c - s - phi / 2;
    layer.rule = spacingRule(diameter, aggregate);
    const double minimum = layer.rule.minimum;
    const auto fits = [&](std::int64_t n) {
        if (n >= 2)
            return !((right - left) / double(n - 1) - phi < minimum);
        return n < 1 || !(right < left);
    };
    if (layer.count >= 2)
        layer.clearSpacing = (right - left) / (layer.count - 1) - phi;
    layer.fits = fits(layer.count);
    if (fits(1)) {
        // The formula in doubles lands on the count or next to it; the rule itself decides.
        const double guess = std::floor((right - left) / (phi + minimum)) + 1;
        std::int64_t n = guess >= 1 ? (guess < largestArea ? std::int64_t(guess) : largestArea) : 1;
        while (n > 1 && !fits(n))
            --n;
        while (n < largestArea && fits(n + 1))
            ++n;
        layer.mostThatFit = std::int32_t(n);
    }
    return layer;
}

std::int32_t leastBarCount(const SectionInputs &inputs)
{
    return stirrupDiameter(inputs.stirrupItem) > 0 ? 2 : 1;
}

std::optional<std::int32_t> barsFor(int barItem, std::int32_t As)
{
    if (As <= 0)
        return 0;
    const std::int32_t one = barArea(barDiameter(barItem));
    if (one <= 0)
        return std::nullopt;
    // As / one rounded up; steelArea holds products beyond 32 bits at the largest area, which
    // still reaches As.
    const std::int32_t count = As / one + (As % one != 0 ? 1 : 0);
    return count;
}

StrainState strainState(const MomentSteps &steps, Model model, std::int32_t As, int concreteClass,
                        std::string_view EsText, char separator)
{
    return strainOf(steps, model, As, strainRule(steps.fyd, concreteClass, EsText, separator));
}

SectionLimits sectionLimits(const SectionInputs &inputs, const MomentSteps &steps,
                            std::string_view EsText,
                            const std::optional<ext::Extended> &designMoment, int aggregate)
{
    SectionLimits limits;
    limits.designMoment = designMoment;
    limits.aggregate = std::clamp(aggregate, smallestAggregate, largestAggregate);
    limits.bounds =
        reinforcementBounds(inputs.concreteClass, inputs.steelGrade, inputs.b, inputs.d, inputs.H);
    const Rerun rerun(inputs);
    const StrainRule rule =
        strainRule(steps.fyd, inputs.concreteClass, EsText, inputs.decimalSeparator);
    for (const ModelDescriptor &own : models) {
        if (own.strainOf)
            continue;
        const Model model = own.model;
        ModelLimits &limit = limits.models[index(model)];
        limit.strain = strainOf(steps, model, inputs.As, rule);
        setYieldLimit(limit, rerun, steps, model, rule);
        limit.validLimit = steps.guardPassed ? validLimitOf(rerun, steps, model) : -1;
        limit.ductility = ductility(steps, model, inputs.concreteClass, rule.yieldStrain);
        if (limit.strain.verdict == Verdict::DoesNotYield && rule.Es)
            limit.compatible =
                compatibleState(steps, model, inputs.As, inputs.concreteClass, *rule.Es);
    }
    // "benadering" assumes yielding steel and z = 0.9 d and has no strain of its own: the
    // standard block decides for it.
    for (const ModelDescriptor &borrowing : models) {
        if (!borrowing.strainOf)
            continue;
        ModelLimits &approx = limits.models[index(borrowing.model)];
        const ModelLimits &standard = limits.models[index(*borrowing.strainOf)];
        approx.strain = standard.strain;
        approx.yieldLimit = standard.yieldLimit;
        approx.limitReason = standard.limitReason;
        approx.validLimit = steps.guardPassed ? largestArea : -1;
    }

    if (!designMoment)
        return limits;
    // A borrowing model's area, weighed by the model whose strain it borrows.
    const auto sourceAt = [&](Model source, std::int32_t As) {
        const MomentSteps run = rerun(As);
        const ModelSteps &computed = run.model(source);
        StandardCheck check;
        check.As = As;
        check.valid = run.guardPassed && computed.state == ModelState::Valid;
        check.moment = modelMoment(run, source);
        check.leverRatio = check.valid ? computed.z / run.d : 0;
        check.verdict = strainOf(run, source, As, rule).verdict;
        return check;
    };
    for (const Model model : allModels) {
        ModelLimits &limit = limits.models[index(model)];
        limit.unity = unityCheck(*designMoment, modelMoment(steps, model),
                                 limit.strain.verdict == Verdict::Yields);
        RequiredArea r = requiredAreaOf(rerun, steps, model, limit.validLimit, *designMoment);
        if (r.outcome == Requirement::Found) {
            r.withinYieldLimit = limit.yieldLimit && r.As <= *limit.yieldLimit;
            r.minimumGoverns = limits.bounds.known && limits.bounds.minimum > r.As;
            r.provided = r.minimumGoverns ? limits.bounds.minimum : r.As;
            const auto count = r.provided <= largestArea
                                   ? barsFor(inputs.barItem, std::int32_t(r.provided))
                                   : std::nullopt;
            if (count) {
                r.bars =
                    barLayer(inputs, std::max(*count, leastBarCount(inputs)), limits.aggregate);
                r.hasBars = true;
            }
            r.leastSteel = leastSteel(inputs, model, *designMoment, limits.aggregate);
            if (borrowsStrain(model)) {
                r.standardAtRequired = sourceAt(strainSource(model), r.As);
                if (r.hasBars)
                    r.standardAtBars = sourceAt(strainSource(model), r.bars.area);
            }
        } else if (r.outcome == Requirement::Unreachable && r.stoppedByDepth &&
                   !borrowsStrain(model)) {
            if (limit.yieldLimit && *limit.yieldLimit > 0 && *limit.yieldLimit <= limit.validLimit)
                r.yieldMoment = modelMoment(rerun(*limit.yieldLimit), model);
            r.limitMoment = momentAtDepthRatio(steps, model, limit.ductility.limit);
        }
        limit.required = r;
    }
    return limits;
}

} // namespace beam
