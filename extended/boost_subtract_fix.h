// A mend for a rounding fault of Boost.Multiprecision's cpp_bin_float, in the one format that
// ext::Extended computes in.
//
// The fault: a - b, for operands whose binary exponents lie exactly 65 apart (one more than the
// 64-bit significand), comes out one unit low in the last place when the larger operand's last
// significand bit is odd. The library approximates the smaller operand there by half a unit of
// the result and then rounds that tie to even, where the exact difference lies above the tie.
// Seen in Boost 1.74 (Debian 12): 0x1.5fdd41b52382e1cap52 - 0x1.874a9ef7c91f6986p-13 gives
// 0x1.5fdd41b52382e1c8p52 where x87 and the exact rounding give the larger operand. The
// library's tracker dates the fault back to 1.64 (boostorg/multiprecision issue 251); later
// releases rewrite this code, but which release first rounds it right is not confirmed here,
// so the mend applies from 1.64 on. It computes the correctly rounded result, so on a release
// without the fault it changes nothing; tests/extended/check_extended.cpp holds the example.
#pragma once

#include <boost/multiprecision/cpp_bin_float.hpp>
#include <boost/version.hpp>

#include <cstdint>

namespace ext {

// 64-bit significand, 15-bit exponent range, no allocator: the format of x87 long double.
using ExtendedBackend = boost::multiprecision::backends::cpp_bin_float<
    64, boost::multiprecision::backends::digit_base_2, void, std::int16_t, -16382, 16383>;

} // namespace ext

#if BOOST_VERSION >= 106400
#define TRALVIK_BOOST_SUBTRACT_FIX 1

// Overloads for exactly this format, in the library's namespace so that its own templates find
// them before their generic versions; they mend the faulty case and leave the rest to the
// library.
namespace boost::multiprecision::backends {

void eval_add(ext::ExtendedBackend &result, const ext::ExtendedBackend &a,
              const ext::ExtendedBackend &b);
void eval_subtract(ext::ExtendedBackend &result, const ext::ExtendedBackend &a,
                   const ext::ExtendedBackend &b);
inline void eval_add(ext::ExtendedBackend &result, const ext::ExtendedBackend &b)
{
    const ext::ExtendedBackend a = result;
    eval_add(result, a, b);
}
inline void eval_subtract(ext::ExtendedBackend &result, const ext::ExtendedBackend &b)
{
    const ext::ExtendedBackend a = result;
    eval_subtract(result, a, b);
}

} // namespace boost::multiprecision::backends

#endif
