// The moment rules once more, in exact rational arithmetic (GMP), as the oracle of the tests
// and of the moment fuzz target. Every extended operation of the rules is the exact result
// rounded to a 64-bit significand, every stored value the exact one rounded to 53 bits, ties
// to even; then it truncates and rounds as the rules say. It shares no arithmetic with the
// program: only the plain input and output types.
#pragma once

#include "moment.h"

#include <optional>

namespace reference {

// Empty for inputs it does not cover: a design-value text other than a plain decimal number
// whose magnitude lies within 1e-6 .. 1e9 (or is zero).
std::optional<beam::MomentTexts> momentTexts(const beam::MomentInputs &inputs);

} // namespace reference
