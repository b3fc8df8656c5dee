// The moment rules once more, in exact rational arithmetic (GMP), as the oracle of the tests
// and of the moment fuzz target. Every extended operation of the rules is the exact result
// rounded to a 64-bit significand, every stored value the exact one rounded to 53 bits, ties
// to even; then it truncates and rounds as the rules say. It shares no arithmetic with the
// program: only the plain input and output types.
#pragma once

#include "moment.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace reference {

// Empty for inputs it does not cover: a design-value text other than a plain decimal number
// whose magnitude lies within 1e-6 .. 1e9 (or is zero).
std::optional<beam::MomentTexts> momentTexts(const beam::MomentInputs &inputs);

// Where the stress-block models hold, by the same rules but found another way: each limit
// from its exact unrounded boundary (a quadratic's root for the design moment), then whole
// areas stepped one by one under the rounded rules until the answer changes. Models in the
// order of beam::StressBlockModel; the required areas by result column ("benadering" first).
struct ModelLimits {
    // At inputs.As: true or false for yields, empty where nothing is checked.
    std::array<std::optional<bool>, 3> yields;
    std::array<std::optional<std::int32_t>, 3> yieldLimit;
    // The smallest whole As whose moment before truncation reaches MEd; empty where no
    // valid area does.
    std::array<std::optional<std::int32_t>, 4> required;
};

// Empty where momentTexts is, for an Es or MEd text that is not a plain decimal number, or
// when a boundary is not found within a few hundred steps of its exact value.
std::optional<ModelLimits> modelLimits(const beam::MomentInputs &inputs, std::string_view EsText,
                                       std::string_view MEdText);

// Every digit of a double, in fixed notation with a point: the text that reads back as
// exactly that value; with quarters, the value that many quarters of the way to the next
// double above it.
std::string exactDecimal(double value, int quarters = 0);

} // namespace reference
