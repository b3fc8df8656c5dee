// The ultimate moment of a rectangular section by four stress-block models.
//
// Pipeline: texts of fyd and fcd, integers As, d, b and the concrete class
//   -> stored doubles (fyd, fcd, steel force As*fyd, d, b)
//   -> per model xu and z (computed in extended precision, each stored as a double)
//   -> moments truncated toward zero in kNm, z/d rounded to hundredths with ties to even
//   -> eleven result texts.
// Arithmetic is in extended precision (ext::Extended, 64-bit significand); a value that is
// stored is rounded to double exactly there. Never build this with -ffast-math.
//
// Inputs far beyond the ranges of the controls still give defined texts: fyd x As is taken
// as the exact 64-bit product, whole numbers from 2^53 on are written digit for digit, a depth
// or moment beyond the double range reads "inf" or "-inf", a class index outside 0..7 takes
// the constants of items 0 to 4, and a design-value text that does not read counts as 0.
#pragma once

#include "models.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace beam {

struct MomentInputs {
    int concreteClass = 0;    // selected item of the concrete class group, 0..7
    std::string_view fydText; // text of the design yield strength field
    std::string_view fcdText; // text of the design compressive strength field
    std::int32_t As = 0;      // steel area, mm2
    std::int32_t d = 0;       // effective depth, mm; -1 when there is none
    std::int32_t b = 0;       // section width, mm
    char decimalSeparator = '.';
};

using MomentTexts = std::array<std::string, ResultFieldCount>;

MomentTexts computeMoments(const MomentInputs &inputs);

// Why a stress-block model shows zeros. The compression zone is tested first: a lever arm
// that is not positive implies a zone at least as deep as d for every β below 1.
enum class ModelState { Valid, ZoneReachesDepth, LeverArmNotPositive };

// One model as computed: xu and z as stored, before the validity test sets them to 0, and the
// moment before truncation (0 for an invalid model). "benadering" has no zone of its own: its
// xu is 0 and its z is 0.9·d, rounded once to double for display.
struct ModelSteps {
    BlockConstants constants; // α and β as the model used them; none for "benadering"
    double xu = 0;            // mm
    double z = 0;             // mm
    double moment = 0;        // kNm, rounded once to double for display
    ModelState state = ModelState::Valid;
};

// Every value a run computes on the way to the eleven texts, which are part of it. When the
// guard fails (no d, no width) only the stored inputs are filled and the texts are the
// fall-back texts.
struct MomentSteps {
    double fyd = 0;
    double fcd = 0;
    double steelForce = 0; // N, As x fyd as stored
    double d = 0;
    double b = 0;
    bool guardPassed = false;
    std::int64_t approxForce = 0;                // fyd x As for "benadering", N
    std::array<ModelSteps, modelCount> models{}; // indexed by Model
    MomentTexts texts;

    const ModelSteps &model(Model m) const { return models[index(m)]; }
};

// The same run as computeMoments, which is computed through it.
MomentSteps computeMomentSteps(const MomentInputs &inputs);

} // namespace beam
