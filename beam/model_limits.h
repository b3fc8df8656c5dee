// Where each model of the moment run holds, and how much steel a design moment needs.
//
// Every stress-block model takes the steel force as As x fyd, so it holds only while the steel
// yields. Pipeline: section inputs, the window's moment run and the Es text
//   -> per model the strain at the steel from xu as the run stored it (extended, stored as a
//      double in per mille) against fyd / Es -> "yields" or "does not yield";
//   -> the moment run again for other whole steel areas on the same section -> the largest As
//      for which the steel still yields, the largest As with a zone inside d, and the smallest
//      As whose moment before truncation reaches the design moment -> the bars that give it.
// Every As tried goes through computeMomentSteps itself, so a limit found here lies exactly
// where the window's own digits change. A search starts where the formula in doubles puts the
// limit, widens its steps until it has the limit between two tries, then halves: a handful of
// runs as a rule, at most about 64 for any input.
#pragma once

#include "extended.h"
#include "models.h"
#include "moment.h"
#include "section_checks.h"
#include "section_inputs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace beam {

// εcu3 in per mille for a class item: 3.5 up to fck 50, above that
// 2.6 + 35 ((90 - fck) / 100)^4, formed as (260000000 + 35 (90 - fck)^4) / 10^8 so that the
// whole formula rounds once. An index outside the table takes 3.5, as the moment run takes the
// lower classes' constants for it.
ext::Extended ultimateStrainBiLinear(int concreteClass);

// The strain at the top fibre, in per mille, where the model's block ends: 2.0 for the whole
// parabola, 3.5 for the parabola-rectangle (whose constants are those of 2.0 and 3.5 for every
// class), εcu3 of the class for the bi-linear block.
ext::Extended topStrain(Model model, int concreteClass);

// True for the classes above fck 50, whose own parabola-rectangle diagram differs from the
// lower classes' (Table 3.1: εc2 above 2.0, εcu2 below 3.5 per mille, n below 2), while the run
// keeps the lower classes' parabola constants for them.
bool lowerClassShapes(int concreteClass);

enum class Verdict {
    Yields,       // εs >= εyd: σs = fyd holds
    DoesNotYield, // εs < εyd: the strain is a check value, σs = fyd does not hold
    NotChecked,   // see NoCheck
};

enum class NoCheck {
    None,
    NoSection,    // the run's guard failed: no d, no width or no fcd
    NoSteel,      // As <= 0 or fyd <= 0: no tension in the steel to check
    NoModulus,    // the Es text does not read as a positive finite number
    NoFiniteZone, // xu beyond the double range (an fcd next to zero)
};

struct StrainState {
    Verdict verdict = Verdict::NotChecked;
    NoCheck reason = NoCheck::NoSection;
    double d = 0;           // mm
    double xu = 0;          // mm, as the run stored it, also for an invalid model
    double topStrain = 0;   // per mille
    double steelStrain = 0; // per mille: ((εc x (d - xu)) / xu), each step in extended
    double fyd = 0;         // N/mm2, as the run stored it
    double yieldStrain = 0; // per mille: (1000 x fyd) / Es
    double Es = 0;          // N/mm2, its text read in extended and stored
};

// Bars of one diameter side by side in one layer, between the stirrups, by the clear distance
// max(ø, Dmax + 5 mm, 20 mm). The drawing places the window's bars by the same rule.
struct BarLayer {
    std::int32_t count = 0;
    std::int32_t area = 0; // steelArea(barItem, count)
    double clearSpacing = 0;
    SpacingRule rule;
    bool fits = true;
    std::int32_t mostThatFit = 0; // of this diameter, in one layer; 0 when none does
};

BarLayer barLayer(const SectionInputs &inputs, std::int32_t count,
                  int aggregate = defaultAggregate);
BarLayer barLayerOf(const SectionInputs &inputs, int barItem, std::int32_t count, int aggregate);

// The bars a design needs: at least two where stirrups hold them (one in each corner), at
// least one without.
std::int32_t leastBarCount(const SectionInputs &inputs);

// The fewest bars of the item's diameter whose area (as steelArea computes it) reaches As:
// 0 for As <= 0, none when the item has no bar.
std::optional<std::int32_t> barsFor(int barItem, std::int32_t As);

struct Arrangement {
    int barItem = 0;
    std::int32_t d = 0; // mm, the effective depth with this diameter
    std::int64_t provided = 0;
    BarLayer bars;
};

// Mu and z/d of parabool rechthoek at an area, and whether its steel yields there.
struct StandardCheck {
    std::int32_t As = 0;
    double moment = 0; // kNm before truncation; 0 where the model is invalid
    double leverRatio = 0;
    bool valid = false;
    Verdict verdict = Verdict::NotChecked;
};

enum class Requirement {
    Found,       // As is the smallest whole area whose moment reaches MEd
    Unreachable, // no valid whole area reaches MEd: the largest moment is given
    NoSection,   // the run's guard failed
    NoSteel,     // fyd <= 0: no area gives a positive moment
};

struct RequiredArea {
    Requirement outcome = Requirement::NoSection;
    std::int32_t As = 0;
    double moment = 0; // kNm before truncation, at As
    // Unreachable: the area of the largest moment, and whether the zone reaching d (rather
    // than the end of the 32-bit areas) stops it there.
    bool stoppedByDepth = false;
    bool withinYieldLimit = false; // Found: As <= the model's As,vloei
    // Found: the area to provide, the larger of As and As,min, and the fewest bars of the
    // window's diameter that give it.
    std::int64_t provided = 0;
    bool minimumGoverns = false;
    BarLayer bars;
    bool hasBars = false;
    // Found: among all bar diameters, each at its own d, the arrangement in one layer of at
    // least leastBarCount bars with the least steel that reaches the area to provide there.
    std::optional<Arrangement> leastSteel;
    // Unreachable by the depth, block models: Mu at As,vloei and at xu/d = the ductile limit.
    std::optional<double> yieldMoment;
    double limitMoment = 0;
    // "benadering": parabool rechthoek at As and at the bars' area, whose z/d is not 0.9.
    std::optional<StandardCheck> standardAtRequired;
    std::optional<StandardCheck> standardAtBars;
};

struct ModelLimits {
    StrainState strain; // at the window's As; for "benadering" that of "parabool rechthoek"
    // The largest whole As in 0 .. 2^31 - 1 for which the steel yields (As 1 up to it all
    // yield); none when nothing can be checked.
    std::optional<std::int32_t> yieldLimit;
    NoCheck limitReason = NoCheck::None; // why there is no yield limit
    // The largest whole As >= 0 with a zone inside d and a positive lever arm; the curve of the
    // model ends there. 2^31 - 1 for "benadering", which has no such test; -1 without a
    // section.
    std::int32_t validLimit = 0;
    std::optional<RequiredArea> required; // with a design moment
    std::optional<UnityCheck> unity;      // with a design moment
    Ductility ductility;                  // block models
    // Block models whose steel does not yield at the window's As: σs = Es εs.
    std::optional<CompatibleState> compatible;
};

struct SectionLimits {
    std::array<ModelLimits, modelCount> models{}; // by index(model)
    std::optional<ext::Extended> designMoment;    // kNm
    int aggregate = defaultAggregate;             // Dmax, mm
    ReinforcementBounds bounds;                   // at the window's b, d and h
};

// One column's verdict at one As: the strain from the run's stored xu.
StrainState strainState(const MomentSteps &steps, Model model, std::int32_t As, int concreteClass,
                        std::string_view EsText, char separator);

// The limits of all four columns. `steps` is the window's run for `inputs`; MEd in kNm, >= 0;
// Dmax in mm, smallestAggregate .. largestAggregate (a value outside is held to them).
SectionLimits sectionLimits(const SectionInputs &inputs, const MomentSteps &steps,
                            std::string_view EsText,
                            const std::optional<ext::Extended> &designMoment,
                            int aggregate = defaultAggregate);

// The moment of a model before truncation as the run computes it; 0 when the guard failed.
double modelMoment(const MomentSteps &steps, Model model);

} // namespace beam
