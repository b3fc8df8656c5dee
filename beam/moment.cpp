#include "moment.h"

#include "number_text.h"

#include "extended.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace beam {
namespace {

// Whole string objects are moved into the results, never assigned from a literal: GCC 12 at
// -O3 reports a false -Wrestrict overlap inside std::string::operator=(const char *).
using namespace std::string_literals;

using ext::Extended;

// Truncation toward zero, exact.
Extended towardZero(const Extended &x)
{
    return ext::truncate(x);
}

// Rounds to the nearest whole number with ties to the even one (85.5 gives 86, 86.5 gives
// 86). std::round would take ties away from zero.
Extended roundHalfEven(const Extended &x)
{
    return ext::roundHalfEven(x);
}

// A whole extended value below 2^53 in magnitude passes through double exactly.
std::int64_t smallWhole(const Extended &whole)
{
    return static_cast<std::int64_t>(ext::toDouble(whole));
}

// Decimal constants as the extended values nearest to them, rounded once.
const Extended kPointNine = ext::fromDecimal("9", -1);
const Extended kHundredth = ext::fromDecimal("1", -2);
const Extended kThreeEighths = ext::fromDecimal("375", -3); // exact

// "bi_lineair" takes α and β from the concrete class; both are held as the doubles nearest
// to the values of the class table (7.0 / 18.0 is that double: the division rounds once).
struct BiLinearConstants {
    double alpha;
    double beta;
    std::string_view alphaText; // as the class table writes them, for the steps
    std::string_view betaText;
};

BiLinearConstants biLinearConstants(int concreteClass)
{
    switch (concreteClass) {
    case 5:
        return {0.73, 0.38, "0.73", "0.38"};
    case 6:
        return {0.67, 0.36, "0.67", "0.36"};
    case 7:
        return {0.62, 0.35, "0.62", "0.35"};
    default:
        // Items 0 to 4, and any index outside 0..7 (no class selected): the window always
        // has a class selected, so the constants of the lower classes are as good as any
        // and keep the results defined.
        return {0.75, 7.0 / 18.0, "0.75", "7/18"};
    }
}

// Rereads a real text directly as a double, rounded once and without the C locale that the
// toolkit sets from the environment.
[[gnu::cold]] double readDoubleOnce(std::string_view text, char separator, double fallback)
{
    return numtext::parseRealAsDouble(text, separator).value_or(fallback);
}

// fcd must be the double nearest to its text. parseReal rounds the text once, to extended,
// and rounding that to double again gives the nearest double except when the extended value
// lies exactly halfway between two doubles: the text itself may lie just beside that point,
// and ties-to-even can then pick the wrong side. None of the texts of the concrete table
// comes near such a point, so the rereading below stays off the normal path.
double nearestDouble(const Extended &value, std::string_view text, char separator)
{
    const double rounded = ext::toDouble(value);
    if (ext::fromDouble(rounded) == value)
        return rounded;
    // Scale so that one unit in the last place of a double (normal or subnormal) is 1; the
    // scaling is exact, and a halfway value then has a fraction of exactly one half.
    int exponent = 0;
    const Extended mantissa = frexp(value, &exponent);
    const Extended scaled = ldexp(mantissa, std::min(53, exponent + 1074));
    if (abs(scaled - towardZero(scaled)) != 0.5)
        return rounded;
    return readDoubleOnce(text, separator, rounded);
}

// Beyond 2^53 (values typed far out of the ranges of the controls) a whole number is written
// exactly as the decimal integer it is, digit for digit, rather than clamped or wrapped; an
// overflowed depth or moment writes "inf" or "-inf".
[[gnu::cold]] void writeHugeWhole(std::string &out, const Extended &whole)
{
    out = ext::wholeText(whole);
}

// Every result of inputs inside the ranges of the controls is far below 2^53.
void writeWhole(std::string &out, const Extended &whole)
{
    if (!(abs(whole) < 0x1p53)) {
        writeHugeWhole(out, whole);
        return;
    }
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, smallWhole(whole)).ptr;
    out.assign(buffer, end);
}

struct ModelResult {
    double xu = 0;
    double z = 0;
    Extended moment = 0;
    bool valid = false;
    // What the steps show: xu and z before an invalid model sets them to 0, and the moment
    // before truncation.
    double computedXu = 0;
    double computedZ = 0;
    Extended exactMoment = 0;
};

// One stress-block model. xu and z are stored as doubles where they arise, so z is formed
// from the rounded xu, and the validity test and the moment see the stored values.
template <typename LeverArm>
ModelResult stressBlock(const Extended &force, const Extended &denominator, double d,
                        LeverArm leverArm)
{
    ModelResult r;
    r.xu = ext::toDouble(force / denominator);
    r.z = ext::toDouble(leverArm(ext::fromDouble(r.xu)));
    if (r.z > 0 && r.xu < d) {
        // Truncated toward zero, never rounded: 80.99 kNm shows 80.
        r.exactMoment = (force * ext::fromDouble(r.z)) / Extended(1000000);
        r.moment = towardZero(r.exactMoment);
        r.valid = true;
        r.computedXu = r.xu;
        r.computedZ = r.z;
    } else {
        const double xu = r.xu;
        const double z = r.z;
        r = ModelResult{};
        r.computedXu = xu;
        r.computedZ = z;
    }
    return r;
}

// z/d as a text of hundredths.
void writeRatio(std::string &out, const ModelResult &model, double d, char separator)
{
    if (!model.valid) {
        out = "0"s;
        return;
    }
    const Extended k =
        roundHalfEven((Extended(100) * ext::fromDouble(model.z)) / ext::fromDouble(d));
    if (k >= 0 && k <= 100) {
        // With a steel area of 0 or more k lies here, and the general format of k x 0.01 with
        // 15 digits is "0", "0.01" to "0.99" without trailing zero, or "1". Written directly
        // it costs a few nanoseconds instead of a full decimal conversion, three times a tick.
        const auto hundredths = static_cast<int>(smallWhole(k));
        if (hundredths == 0 || hundredths == 100) {
            out = hundredths == 0 ? "0"s : "1"s;
            return;
        }
        const char text[] = {'0', separator, static_cast<char>('0' + hundredths / 10),
                             static_cast<char>('0' + hundredths % 10)};
        out.assign(text, hundredths % 10 == 0 ? 3 : 4);
        return;
    }
    if (!isfinite(k)) {
        writeHugeWhole(out, k);
        return;
    }
    // 0.01 is the extended value nearest to it, so 103 x 0.01 is not exactly 1.03; the general
    // format rounds to 18 and then 15 digits, which writes it as 1.03.
    out = numtext::formatGeneral(k * kHundredth, 15, separator);
}

ModelSteps modelSteps(const ModelResult &model, double d, std::string_view alpha,
                      std::string_view beta, double alphaValue, double betaValue)
{
    ModelSteps steps;
    steps.alphaText = alpha;
    steps.betaText = beta;
    steps.alpha = alphaValue;
    steps.beta = betaValue;
    steps.xu = model.computedXu;
    steps.z = model.computedZ;
    steps.moment = ext::toDouble(model.exactMoment);
    if (!model.valid)
        steps.state = !(model.computedXu < d) ? ModelState::ZoneReachesDepth
                                              : ModelState::LeverArmNotPositive;
    return steps;
}

// The one run of the models; steps, when given, receives what was computed on the way.
MomentTexts runMoments(const MomentInputs &inputs, MomentSteps *steps)
{
    // A design-value text that does not read counts as 0: for fcd the guard then writes the
    // fall-back texts; for fyd there is no steel force, so every moment is 0.
    const std::int32_t fydWhole = numtext::parseInt(inputs.fydText).value_or(0);
    const double fyd = fydWhole;
    const double fcd =
        nearestDouble(numtext::parseReal(inputs.fcdText, inputs.decimalSeparator).value_or(0),
                      inputs.fcdText, inputs.decimalSeparator);
    // As and fyd are whole numbers within 32 bits; their product needs at most 62 bits and is
    // exact in extended precision, so the stored force is rounded once.
    const double steelForce = ext::toDouble(Extended(inputs.As) * ext::fromDouble(fyd));
    const double d = inputs.d; // exact, as is b
    const double b = inputs.b;
    if (steps) {
        steps->fyd = fyd;
        steps->fcd = fcd;
        steps->steelForce = steelForce;
        steps->d = d;
        steps->b = b;
    }

    // No effective depth, or no width: the guard also makes every divisor below positive.
    if (inputs.d <= 0 || ext::fromDouble(b) * ext::fromDouble(fcd) <= 0)
        return {"0", "0", "0", "0", "0", "0", "0", "nan", "nan", "nan", "nan"};

    const Extended force = ext::fromDouble(steelForce);
    const Extended width = ext::fromDouble(b);
    const Extended strength = ext::fromDouble(fcd);
    const Extended depth = ext::fromDouble(d);

    // Each denominator and lever arm in the order written, operation by operation: 2/3,
    // 17/21 and 99/238 are never formed as constants, as that would round differently.
    const ModelResult parabolic =
        stressBlock(force, ((Extended(2) * width) * strength) / Extended(3), d,
                    [&depth](const Extended &xu) { return depth - kThreeEighths * xu; });
    const BiLinearConstants constants = biLinearConstants(inputs.concreteClass);
    const Extended alpha = ext::fromDouble(constants.alpha);
    const Extended beta = ext::fromDouble(constants.beta);
    const ModelResult biLinear =
        stressBlock(force, (alpha * width) * strength, d,
                    [&depth, &beta](const Extended &xu) { return depth - beta * xu; });
    const ModelResult parabolaRectangle = stressBlock(
        force, ((Extended(17) * width) * strength) / Extended(21), d,
        [&depth](const Extended &xu) { return depth - (Extended(99) * xu) / Extended(238); });

    // "benadering" uses fyd x As as a whole number. Its intended 32-bit product is exact for
    // every input inside the ranges of the controls; for values typed far beyond them we take
    // the exact 64-bit product rather than a wrapped one, so the sign and size stay right.
    const std::int64_t steelProduct = std::int64_t{fydWhole} * inputs.As;
    // 0.9 as the extended value nearest to it, and the force kept in extended precision.
    const Extended approxForce = Extended(steelProduct) * kPointNine;
    const Extended approxExact = (Extended(inputs.d) * approxForce) / Extended(1000000);
    const Extended approxMoment = towardZero(approxExact);

    if (steps) {
        steps->guardPassed = true;
        steps->approxForce = steelProduct;
        steps->approxMoment = ext::toDouble(approxExact);
        steps->models = {
            modelSteps(parabolic, d, "2/3", "0.375", 2.0 / 3.0, 0.375),
            modelSteps(biLinear, d, constants.alphaText, constants.betaText, constants.alpha,
                       constants.beta),
            modelSteps(parabolaRectangle, d, "17/21", "99/238", 17.0 / 21.0, 99.0 / 238.0)};
    }

    MomentTexts texts;
    writeWhole(texts[Mu0], approxMoment);
    writeWhole(texts[Mu1], parabolic.moment);
    writeWhole(texts[Xu1], towardZero(parabolic.xu));
    writeWhole(texts[Mu2], biLinear.moment);
    writeWhole(texts[Xu2], towardZero(biLinear.xu));
    writeWhole(texts[Mu3], parabolaRectangle.moment);
    writeWhole(texts[Xu3], towardZero(parabolaRectangle.xu));
    texts[Z0] = "0.9"s;
    writeRatio(texts[Z1], parabolic, d, inputs.decimalSeparator);
    writeRatio(texts[Z2], biLinear, d, inputs.decimalSeparator);
    writeRatio(texts[Z3], parabolaRectangle, d, inputs.decimalSeparator);
    return texts;
}

} // namespace

MomentTexts computeMoments(const MomentInputs &inputs)
{
    return runMoments(inputs, nullptr);
}

MomentSteps computeMomentSteps(const MomentInputs &inputs)
{
    MomentSteps steps;
    steps.texts = runMoments(inputs, &steps);
    return steps;
}

} // namespace beam
