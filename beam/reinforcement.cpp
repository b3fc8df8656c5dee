#include "reinforcement.h"

#include "extended.h"

#include <limits>

namespace beam {
namespace {

// pi/4 rounded once to the 64-bit significand of extended precision.
const ext::Extended quarterPi = ext::fromDecimal("785398163397448309615660845819875721", -36);

std::int32_t narrow(std::int64_t value)
{
    constexpr std::int64_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t highest = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(value < lowest ? lowest : value > highest ? highest : value);
}

} // namespace

int barDiameter(int item)
{
    return item >= 0 && item < int(barDiameters.size()) ? barDiameters[std::size_t(item)] : 0;
}

int stirrupDiameter(int item)
{
    return item >= 0 && item < int(stirrupDiameters.size()) ? stirrupDiameters[std::size_t(item)]
                                                            : 0;
}

std::int32_t barArea(int diameter)
{
    // Truncated, not rounded: four 10 mm bars count as 4 x 78, as in the tables students use.
    const ext::Extended phi = diameter;
    return std::int32_t(ext::toDouble(ext::truncate((phi * quarterPi) * phi)));
}

std::int32_t steelArea(int barItem, std::int32_t count)
{
    return narrow(std::int64_t(barArea(barDiameter(barItem))) * count);
}

std::int32_t effectiveDepth(int barItem, int stirrupItem, std::int32_t height, std::int32_t cover)
{
    const int halfBar = barDiameter(barItem) / 2; // trunc(phi * 0.5) for positive phi
    const std::int64_t depth =
        std::int64_t(height) - cover - stirrupDiameter(stirrupItem) - halfBar;
    return depth > 0 ? narrow(depth) : -1;
}

} // namespace beam
