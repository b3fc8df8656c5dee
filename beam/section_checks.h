// The checks a designer ends a section with, besides the moment itself: the least and the most
// steel the code allows, the unity check MEd/MRd, the depth of the compression zone against
// the balanced and the ductile limit, the moment the strains allow where the steel does not
// yield, and the clear distance bars need side by side.
//
// Pipeline: class and grade items, b, d, h -> As,min and As,max in exact whole-number
// arithmetic (rounded up and down); MEd and a model's moment before truncation -> MEd/MRd in
// extended, rounded to hundredths with ties to even; the run's stored xu, d, b, fcd, the
// model's α, β and top strain and Es -> the neutral axis of linear-elastic steel (extended,
// a square root that rounds once) -> σs and Mu, truncated to whole kNm. Nothing here is a
// transcendental function, so the digits are the same on every machine.
#pragma once

#include "extended.h"
#include "models.h"
#include "moment.h"

#include <cstdint>
#include <optional>

namespace beam {

// The largest aggregate size Dmax in mm that the clear distance between bars depends on.
inline constexpr int defaultAggregate = 16;
inline constexpr int smallestAggregate = 1;
inline constexpr int largestAggregate = 63;

struct ReinforcementBounds {
    bool known = false; // b, d and h positive, class and grade in their tables
    // max(0.26 fctm / fyk, 0.0013) b d, rounded up; with b beyond the double range of a
    // design this can pass 32 bits, so it is held in 64.
    std::int64_t minimum = 0;
    std::int64_t maximum = 0; // 0.04 b h, rounded down
    int fctmTenths = 0;
    int fyk = 0;
    bool tensileGoverns = false; // 0.26 fctm / fyk is the larger of the two ratios
};

ReinforcementBounds reinforcementBounds(int concreteClass, int steelGrade, std::int32_t b,
                                        std::int32_t d, std::int32_t h);

// Clear distance between bars: max(k1 ø, dg + k2, 20 mm) with k1 = 1 and k2 = 5 mm. The first
// of the largest terms, in that order, is the one said to govern.
enum class SpacingTerm { Diameter, Aggregate, Absolute };

struct SpacingRule {
    int minimum = 0; // mm
    SpacingTerm governs = SpacingTerm::Absolute;
    int diameter = 0;
    int aggregate = 0;
};

SpacingRule spacingRule(int diameter, int aggregate);

struct UnityCheck {
    bool hasMoment = false;      // MRd > 0: a ratio to give
    ext::Extended hundredths{0}; // round(100 MEd / MRd), ties to even
    bool withinCapacity = false; // MEd <= MRd, exactly, not after rounding
    bool yields = false;
    bool satisfied = false; // withinCapacity and yields
};

// MRd is the model's moment before truncation in kNm, as the run stored it.
UnityCheck unityCheck(const ext::Extended &designMoment, double MRd, bool yields);

struct Ductility {
    double ratio = 0;    // xu / d from the run's stored values
    double balanced = 0; // ξbal = εcu / (εcu + εyd)
    ext::Extended limit; // 0.45 up to fck 50, else 0.35
    bool withinLimit = false;
};

Ductility ductility(const MomentSteps &steps, Model model, int concreteClass, double yieldStrain);

// The section with steel that follows Hooke's law, σs = Es εs, and the block of the model at
// its top strain εc: α b fcd x^2 + As Es εc x - As Es εc d = 0, solved as
// x = 2 k d / (k + sqrt(k^2 + 4 α b fcd k d)) with k = As Es εc, which never cancels.
struct CompatibleState {
    bool known = false;
    double x = 0;      // mm
    double stress = 0; // σs, N/mm2
    double moment = 0; // kNm before truncation
    ext::Extended whole{0};
};

// None-known for a section without a run, no steel, or no modulus.
CompatibleState compatibleState(const MomentSteps &steps, Model model, std::int32_t As,
                                int concreteClass, double Es);

// Mu at xu = ξ d with σs = fyd: α b fcd ξ d (d - β ξ d), in kNm before truncation.
double momentAtDepthRatio(const MomentSteps &steps, Model model, const ext::Extended &ratio);

} // namespace beam
