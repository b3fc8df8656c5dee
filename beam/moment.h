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

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace beam {

// The result fields in the order in which the window writes them.
enum ResultField : int { Mu0, Mu1, Xu1, Mu2, Xu2, Mu3, Xu3, Z0, Z1, Z2, Z3, ResultFieldCount };

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

} // namespace beam
