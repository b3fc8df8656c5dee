#include "boost_subtract_fix.h"

#ifdef TRALVIK_BOOST_SUBTRACT_FIX

namespace boost::multiprecision::backends {

namespace {

using ext::ExtendedBackend;

bool isFiniteNonzero(const ExtendedBackend &x)
{
    return x.exponent() != ExtendedBackend::exponent_zero &&
           x.exponent() != ExtendedBackend::exponent_infinity &&
           x.exponent() != ExtendedBackend::exponent_nan;
}

// a + b with opposite signs where the exponents lie 65 apart: the smaller lies between a
// quarter and a half unit of the larger's last place, so the sum is the larger, unless that is
// a power of two, whose lower neighbour lies only half a unit below (the library gets that
// case right).
const ExtendedBackend *mendedSum(const ExtendedBackend &a, const ExtendedBackend &b)
{
    if (!isFiniteNonzero(a) || !isFiniteNonzero(b) || a.sign() == b.sign())
        return nullptr;
    const auto difference = int(a.exponent()) - int(b.exponent());
    if (difference != 65 && difference != -65)
        return nullptr;
    const ExtendedBackend &larger = difference > 0 ? a : b;
    // The significand's top bit is always set: it is a power of two when that is its lowest.
    const bool powerOfTwo = eval_lsb(larger.bits()) == ExtendedBackend::bit_count - 1;
    return powerOfTwo ? nullptr : &larger;
}

} // namespace

void eval_add(ExtendedBackend &result, const ExtendedBackend &a, const ExtendedBackend &b)
{
    if (const ExtendedBackend *larger = mendedSum(a, b)) {
        result = *larger;
        return;
    }
    eval_add<64, digit_base_2, void, std::int16_t, -16382, 16383>(result, a, b);
}

void eval_subtract(ExtendedBackend &result, const ExtendedBackend &a, const ExtendedBackend &b)
{
    ExtendedBackend negated = b;
    negated.negate();
    eval_add(result, a, negated);
}

} // namespace boost::multiprecision::backends

#endif
