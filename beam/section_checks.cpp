#include "section_checks.h"

#include "materials.h"
#include "model_limits.h"

#include <algorithm>
#include <cmath>

namespace beam {
namespace {

using ext::Extended;

// ceil(value k / m) for value >= 0, k >= 0, m > 0, exact in 64 bits for every value up to
// (2^31)^2: value is split by m first, so no product comes near the limit.
std::int64_t scaledUp(std::int64_t value, std::int64_t k, std::int64_t m)
{
    const std::int64_t q = value / m;
    const std::int64_t r = value % m;
    return q * k + (r * k + m - 1) / m;
}

bool finitePositive(double value)
{
    return value > 0 && std::isfinite(value);
}

} // namespace

ReinforcementBounds reinforcementBounds(int concreteClass, int steelGrade, std::int32_t b,
                                        std::int32_t d, std::int32_t h)
{
    ReinforcementBounds bounds;
    const auto concrete = beam::concreteClass(concreteClass);
    const auto steel = beam::steelGrade(steelGrade);
    if (!concrete || !steel || b <= 0 || d <= 0 || h <= 0)
        return bounds;
    bounds.known = true;
    bounds.fctmTenths = concrete->fctmTenths;
    bounds.fyk = steel->fyk;
    // 0.26 (F / 10) / fyk = 26 F / (1000 fyk) against 0.0013 = 13 / 10000: compared
    // crosswise, 260000 F against 13000 fyk.
    const std::int64_t area = std::int64_t(b) * d;
    bounds.tensileGoverns = 20 * std::int64_t(bounds.fctmTenths) > bounds.fyk;
    bounds.minimum = bounds.tensileGoverns
                         ? scaledUp(area, 26 * std::int64_t(bounds.fctmTenths), 1000 * bounds.fyk)
                         : scaledUp(area, 13, 10000);
    bounds.maximum = std::int64_t(b) * h / 25; // 0.04 = 1 / 25, and b h >= 0 truncates down
    return bounds;
}

SpacingRule spacingRule(int diameter, int aggregate)
{
    SpacingRule rule;
    rule.diameter = diameter;
    rule.aggregate = aggregate;
    const int aggregateTerm = aggregate + 5;
    rule.minimum = std::max({diameter, aggregateTerm, 20});
    rule.governs = diameter == rule.minimum        ? SpacingTerm::Diameter
                   : aggregateTerm == rule.minimum ? SpacingTerm::Aggregate
                                                   : SpacingTerm::Absolute;
    return rule;
}

UnityCheck unityCheck(const Extended &designMoment, double MRd, bool yields)
{
    UnityCheck check;
    check.yields = yields;
    if (!finitePositive(MRd))
        return check;
    const Extended capacity = ext::fromDouble(MRd);
    check.hasMoment = true;
    check.hundredths = ext::roundHalfEven((Extended(100) * designMoment) / capacity);
    check.withinCapacity = designMoment <= capacity;
    check.satisfied = check.withinCapacity && yields;
    return check;
}

Ductility ductility(const MomentSteps &steps, Model model, int concreteClass, double yieldStrain)
{
    Ductility result;
    const bool high = lowerClassShapes(concreteClass);
    result.limit = Extended(high ? 35 : 45) / Extended(100);
    if (steps.d > 0)
        result.ratio =
            ext::toDouble(ext::fromDouble(steps.model(model).xu) / ext::fromDouble(steps.d));
    const Extended top = topStrain(model, concreteClass);
    if (yieldStrain >= 0 && std::isfinite(yieldStrain))
        result.balanced = ext::toDouble(top / (top + ext::fromDouble(yieldStrain)));
    result.withinLimit = ext::fromDouble(result.ratio) <= result.limit;
    return result;
}

CompatibleState compatibleState(const MomentSteps &steps, Model model, std::int32_t As,
                                int concreteClass, double Es)
{
    CompatibleState state;
    if (!steps.guardPassed || As <= 0 || !finitePositive(Es) || !finitePositive(steps.fcd) ||
        !finitePositive(steps.b) || !finitePositive(steps.d) || borrowsStrain(model))
        return state;
    const BlockConstants constants = blockConstants(model, concreteClass);
    const Extended d = ext::fromDouble(steps.d);
    const Extended strain = topStrain(model, concreteClass) / Extended(1000);
    const Extended modulusStrain = ext::fromDouble(Es) * strain; // Es εc, N/mm2
    const Extended k = Extended(As) * modulusStrain;
    const Extended a =
        ext::fromDouble(constants.alpha) * ext::fromDouble(steps.b) * ext::fromDouble(steps.fcd);
    const Extended root = sqrt(k * k + Extended(4) * a * k * d);
    const Extended x = (Extended(2) * k * d) / (k + root);
    if (!(x > 0))
        return state;
    const Extended stress = modulusStrain * (d - x) / x;
    const Extended moment =
        Extended(As) * stress * (d - ext::fromDouble(constants.beta) * x) / Extended(1000000);
    state.known = true;
    state.x = ext::toDouble(x);
    state.stress = ext::toDouble(stress);
    state.moment = ext::toDouble(moment);
    state.whole = ext::truncate(moment);
    return state;
}

double momentAtDepthRatio(const MomentSteps &steps, Model model, const Extended &ratio)
{
    if (!steps.guardPassed || borrowsStrain(model))
        return 0;
    const ModelSteps &computed = steps.model(model);
    const Extended d = ext::fromDouble(steps.d);
    const Extended xu = ratio * d;
    const Extended force = ext::fromDouble(computed.constants.alpha) * ext::fromDouble(steps.b) *
                           ext::fromDouble(steps.fcd) * xu;
    return ext::toDouble(force * (d - ext::fromDouble(computed.constants.beta) * xu) /
                         Extended(1000000));
}

} // namespace beam
