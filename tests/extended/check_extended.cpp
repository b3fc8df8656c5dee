// The extended arithmetic's own rows, in plain C++ so that every build runs them, the cross
// builds for other machines included (scripts/cross-check): the mend of the library's
// subtraction, and the significand read and written whole whatever the width of the library's
// limbs. Prints each row that fails and ends with a non-zero status.
#include "extended.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

using ext::Extended;

// significand x 2^(exponent - 63): the value 0x1.<fraction>p<exponent> as x87 holds it.
Extended extended(std::uint64_t significand, int exponent)
{
    return ldexp(Extended(significand), exponent - 63);
}

// The example of boost_subtract_fix.h: 0x1.5fdd41b52382e1cap52 and 0x1.874a9ef7c91f6986p-13,
// exponents 65 apart, the larger's last bit odd.
const Extended kLarger = extended(0xafeea0da91c170e5, 52);
const Extended kSmaller = extended(0xc3a54f7be48fb4c3, -13);

std::string wholeTextOf(const Extended &x)
{
    return ext::wholeText(ext::truncate(x));
}

struct Row {
    const char *name;
    bool (*holds)();
};

const Row rows[] = {
    {"a difference of operands 65 exponents apart keeps the larger, whose last bit is odd",
     [] {
         return kLarger - kSmaller == kLarger;
     }},
    {"the same difference written as a sum keeps the larger",
     [] {
         return kLarger + -kSmaller == kLarger;
     }},
    {"the difference taken the other way round is the larger negated",
     [] {
         return kSmaller - kLarger == -kLarger;
     }},
    {"a power of two less a value 65 exponents below goes down to its lower neighbour",
     [] {
         return extended(std::uint64_t{1} << 63, 52) - extended(0xc000000000000000, -13) ==
                extended(~std::uint64_t{0}, 51);
     }},
    {"all 64 significand bits reach the decimal digits",
     [] {
         return ext::toDecimal(Extended(~std::uint64_t{0}), 20).digits == "18446744073709551615";
     }},
    {"cutting off the fraction keeps the bits of both halves of the significand",
     [] {
         // 2^62 + 2^32 + 1.5
         return wholeTextOf(extended(0x8000000200000003, 62)) == "4611686022722355201";
     }},
    {"a double goes through extended unchanged",
     [] {
         return ext::fromDouble(0.1) == Extended(0.1) && ext::toDouble(ext::fromDouble(0.1)) == 0.1;
     }},
    {"rounding to double sees a fraction held in the low half of the significand",
     [] {
         return ext::toDouble(Extended(9007199254740993) + Extended(0.5)) == 9007199254740994.0;
     }},
    {"a double midpoint held exactly goes to the even double",
     [] {
         return ext::toDouble(Extended(9007199254740993)) == 9007199254740992.0;
     }},
    {"rounding half to even sees the half in the low half of the significand",
     [] {
         const Extended x = Extended(1099511627778) + Extended(0.5); // 2^40 + 2.5
         return ext::wholeText(ext::roundHalfEven(x)) == "1099511627778" &&
                ext::wholeText(ext::roundHalfEven(x + 1)) == "1099511627780";
     }},
};

} // namespace

int main()
{
    int failed = 0;
    for (const Row &row : rows) {
        if (row.holds())
            continue;
        ++failed;
        std::fputs("FAIL: ", stdout);
        std::fputs(row.name, stdout);
        std::fputs("\n", stdout);
    }
    std::fputs(failed == 0 ? "extended rows pass\n" : "extended rows fail\n", stdout);
    return failed == 0 ? 0 : 1;
}
