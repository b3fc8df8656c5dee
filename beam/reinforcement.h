// Steel area and effective depth from the bars, stirrups, cover and height.
//
// Pipeline: bar and stirrup items -> diameters -> area of one bar (extended precision,
// truncated) -> steel area; height, cover, stirrup and half bar diameter -> effective depth.
// Every whole-number step truncates toward zero; none rounds.
#pragma once

#include <array>
#include <cstdint>

namespace beam {

inline constexpr std::array<int, 9> barDiameters{6, 8, 10, 12, 16, 20, 25, 32, 40};
// The last item is "none": no stirrups.
inline constexpr std::array<int, 5> stirrupDiameters{6, 8, 10, 12, 0};

// Diameter in mm for an item of the tables; 0 for an index outside them.
int barDiameter(int item);
int stirrupDiameter(int item);

// (phi * pi/4) * phi in extended precision, truncated: 10 mm gives 78, 40 mm gives 1256.
std::int32_t barArea(int diameter);

// Area of one bar times the bar count; the area is truncated before it is multiplied.
std::int32_t steelArea(int barItem, std::int32_t count);

// H - c - stirrup - trunc(phi / 2), or -1 when that is not positive. Computed in 64 bits, so
// heights and covers typed far beyond their ranges give a defined depth; a depth beyond the
// 32-bit range is held at its largest value.
std::int32_t effectiveDepth(int barItem, int stirrupItem, std::int32_t height, std::int32_t cover);

} // namespace beam
