#include "number_text.h"

#include <QTest>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <limits>

using namespace numtext;

Q_DECLARE_METATYPE(long double)

namespace {

std::string_view view(const QByteArray &text)
{
    return {text.constData(), size_t(text.size())};
}
QByteArray bytes(std::string_view text)
{
    return QByteArray(text.data(), qsizetype(text.size()));
}
QByteArray zeros(int count)
{
    return QByteArray(count, '0');
}

// The shortest text that reads back as exactly this value, so that rows name values exactly.
QByteArray exact(std::optional<ext::Extended> value)
{
    if (!value)
        return "fail";
    char buffer[64];
    const auto end = std::to_chars(buffer, std::end(buffer), value->convert_to<long double>()).ptr;
    return QByteArray(buffer, int(end - buffer));
}

QByteArray outcome(std::optional<std::int32_t> value)
{
    return value ? QByteArray::number(*value) : QByteArray("fail");
}

QByteArray outcome(CheckResult result)
{
    const auto status = QByteArray::number(int(result.status));
    return result.inconsistent ? "inconsistent, status " + status : status;
}

struct TextRow {
    const char *name;
    QByteArray text;
    const char *expected;
};

void addTextRows(std::initializer_list<TextRow> rows)
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    for (const auto &row : rows)
        QTest::addRow("%s", row.name) << row.text << QByteArray(row.expected);
}

// Exactly halfway between 1 and the next extended value, 1 + 2^-63.
const QByteArray kMidpointAboveOne =
    "1.0000000000000000000542101086242752217003726400434970855712890625";

// 2^-1075, half the smallest subnormal double, without its exponent.
const QByteArray kHalfSmallestSubnormal =
    "2.47032822920623272088284396434110686182529901307162382212792841250337753635104375932649"
    "9181808179961898982823477228588654633283551779698981993873980053909390631503565951557022"
    "6392290858392449105184435931802849936536152500319370457678249219365623669863658480757001"
    "5857692699037063119282795585513329278343384093519780155312465972635795746227664652728272"
    "2005637400648549997709659947045402082816622623785739345073633900796776193057750674017632"
    "4673600968951340535537458516661134223766678604162159680461914467291840300530057530849048"
    "7653917113865916462395249126236538818796362393732804238910186723484976682350898633885879"
    "2562830275599565752445550725518931369083625477918694866799496832404970582102851318545139"
    "6213837722826145437693412532098591327667236328125";

constexpr auto I = Kind::Integer;
constexpr auto R = Kind::Real;
constexpr long double kInf = std::numeric_limits<long double>::infinity();

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parseInt_data()
    {
        addTextRows({
            {"leading blanks are allowed", "   20", "20"},
            {"blanks then a plus sign", "  +5", "5"},
            {"trailing blank fails the parse", "5 ", "fail"},
            {"a tab is not a blank", "\t5", "fail"},
            {"largest value is read", "2147483647", "2147483647"},
            {"one above the largest fails", "2147483648", "fail"},
            {"smallest value is read", "-2147483648", "-2147483648"},
            {"one below the smallest fails", "-2147483649", "fail"},
            {"hex FFFFFFFF is minus one", "$FFFFFFFF", "-1"},
            {"hex 80000000 is the smallest value", "0X80000000", "-2147483648"},
            {"x prefix with mixed-case digits", "xaB", "171"},
            {"nine significant hex digits fail", "0x100000000", "fail"},
            {"leading hex zeros are not significant", "$000000000FFFFFFFF", "-1"},
            {"0x alone fails", "0x", "fail"},
            {"dollar alone fails", "$", "fail"},
            {"sign before a hex prefix fails", "-$1", "fail"},
            {"plus before 0x fails", "+0x1", "fail"},
            {"non-hex digit fails", "$1G", "fail"},
            {"lone minus fails", "-", "fail"},
            {"empty text fails", "", "fail"},
            {"blanks only fail", "   ", "fail"},
            {"exponent is not an integer", "1e2", "fail"},
            {"long run of zeros before a digit", zeros(100000) + "7", "7"},
            {"long run of zeros keeps the smallest value", "-" + zeros(100000) + "2147483648",
             "-2147483648"},
            {"long run of hex zeros", "0x" + zeros(5000) + "7FFFFFFF", "2147483647"},
            {"thousand nines do not wrap around", QByteArray(1000, '9'), "fail"},
        });
    }
    void parseInt()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(outcome(numtext::parseInt(view(text))), expected);
    }

    void parseReal_data()
    {
        addTextRows({
            {"blanks, sign and fraction", "  +2.5", "2.5"},
            {"trailing blank fails the parse", "2.5 ", "fail"},
            {"lone point reads as zero", ".", "0"},
            {"point without fraction digits", "5.", "5"},
            {"point without integer digits", ".5", "0.5"},
            {"lone exponent part reads as zero", "e5", "0"},
            {"lone signed exponent reads as zero", "E-3", "0"},
            {"minus and a lone point give minus zero", "-.", "-0"},
            {"lone sign fails", "-", "fail"},
            {"blanks only fail", "  ", "fail"},
            {"exponent letter without digits fails", "1e", "fail"},
            {"exponent sign without digits fails", "1e-", "fail"},
            {"second point fails", "1.2.3", "fail"},
            {"point after the exponent fails", "1e2.5", "fail"},
            {"two exponent letters fail", "1E5e3", "fail"},
            {"hexadecimal is no real", "0x10", "fail"},
            {"infinity cannot be typed", "inf", "fail"},
            {"comma fails with a point separator", "2,5", "fail"},
            {"a tenth is rounded once to extended", "0.1", "0.1"},
            {"largest extended value", "1.18973149535723176502e4932", "1.189731495357231765e+4932"},
            {"past the largest value rounds to infinity", "1.18973149535723176508e4932", "inf"},
            {"huge exponent gives infinity", "-1e99999", "-inf"},
            {"exponent longer than any integer", "1e" + QByteArray(40, '9'), "inf"},
            {"tiny exponent gives zero", "1e-99999", "0"},
            {"below the normal extended range is zero", "3e-4940", "0"},
            {"exact midpoint ties to even", kMidpointAboveOne, "1"},
            {"a digit far beyond the midpoint rounds up", kMidpointAboveOne + zeros(20000) + "1",
             "1.0000000000000000001"},
            {"long fraction zeros cancel a long exponent", "0." + zeros(100000) + "1e100001", "1"},
            {"long trailing zeros cancel a negative exponent", "1" + zeros(20000) + "e-20000", "1"},
        });
    }
    void parseReal()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        QCOMPARE(exact(numtext::parseReal(view(text))), expected);
    }

    // Each text rounds to extended exactly halfway between two doubles; only the text itself
    // decides the side.
    void parseRealAsDouble_data()
    {
        addTextRows({
            {"just below a midpoint whose even neighbour lies above stays below",
             "9007199254740994.9999999999999999", "9007199254740994"},
            {"just above a midpoint whose even neighbour lies below goes up",
             "9007199254740993.0000000000000001", "9007199254740994"},
            {"exactly on a midpoint goes to the even double", "9007199254740995",
             "9007199254740996"},
            {"just above half the smallest subnormal is the smallest subnormal",
             kHalfSmallestSubnormal + "1e-324", "5e-324"},
            {"exactly half the smallest subnormal is zero", kHalfSmallestSubnormal + "e-324", "0"},
            {"a comma where a point is read fails", "9007199254740995,5", "fail"},
        });
    }
    void parseRealAsDouble()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        const auto value = numtext::parseRealAsDouble(view(text));
        char buffer[64];
        const auto end = value ? std::to_chars(buffer, std::end(buffer), *value).ptr : buffer;
        QCOMPARE(value ? QByteArray(buffer, int(end - buffer)) : QByteArray("fail"), expected);
    }

    void parseRealWithComma()
    {
        QCOMPARE(exact(numtext::parseReal("-2,5e1", ',')), QByteArray("-25"));
        QCOMPARE(exact(numtext::parseReal("2.5", ',')), QByteArray("fail"));
    }

    void splitNumber_data()
    {
        addTextRows({
            {"real without a letter", "2.5", "no letter|2.5|"},
            {"capital letter splits when alone", "2.5E-3", "letter|2.5|-3"},
            {"first e wins even when an E comes before", "1E5e3", "letter|1E5|3"},
            {"second e stays in the exponent", "1e2e3", "letter|1|2e3"},
            {"letter alone leaves both parts empty", "e", "letter||"},
        });
    }
    void splitNumber()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, expected);
        const auto split = numtext::splitNumber(view(text), R);
        QCOMPARE(bytes(split.found ? "letter|" : "no letter|") + bytes(split.mantissa) + '|' +
                     bytes(split.exponent),
                 expected);
        // An integer text is never split: the whole of it must pass the integer parse.
        const auto whole = numtext::splitNumber(view(text), I);
        QCOMPARE(bytes(whole.mantissa) + '|' + bytes(whole.exponent), text + '|');
    }

    void checkNumber_data()
    {
        struct Row {
            const char *name;
            Kind kind;
            QByteArray text;
            double min, max;
            const char *expected;
        };
        const Row rows[] = {
            {"lower integer bound belongs to the range", I, "15", 15, 50, "0"},
            {"upper integer bound belongs to the range", I, "50", 15, 50, "0"},
            {"integer one below the range", I, "14", 15, 50, "2"},
            {"integer one above the range", I, "51", 15, 50, "2"},
            {"exponent in an integer is no number", I, "1e2", 15, 50, "3"},
            {"leading blank before an integer", I, " 20", 15, 50, "0"},
            {"trailing blank after an integer", I, "20 ", 15, 50, "3"},
            {"lone minus is no integer", I, "-", 15, 50, "3"},
            {"hex is read before the range test", I, "$1F", 15, 50, "0"},
            {"hex beyond the range", I, "$FF", 15, 50, "2"},
            {"second lowest integer is beyond the kind", I, "-2147483647", -1e10, 1e10, "1"},
            {"third lowest integer is only range tested", I, "-2147483646", -2147483646, 0, "0"},
            {"third lowest integer outside the range", I, "-2147483646", 0, 50, "2"},
            {"integer overflow is no number, not beyond the kind", I, "2147483648", -1e10, 1e10,
             "3"},
            {"empty range refuses every integer", I, "55", 60, 50, "2"},
            {"exponent applies before the range test", R, "2.5e3", 0, 2500, "0"},
            {"exponent lifts the value out of the range", R, "2.5e3", 0, 2499, "2"},
            {"comma is no number", R, "2,5", 0, 10, "3"},
            {"order 301 is beyond the kind", R, "1e301", -1e308, 1e308, "1"},
            {"mantissa order adds to the exponent", R, "5e300", -1e308, 1e308, "1"},
            {"order 300 passes", R, "3e300", -1e308, 1e308, "0"},
            {"zero with an exponent is order -300", R, "0e-1", -1, 1, "1"},
            {"tie at order -300.5 goes to even -300", R, "3.1622776601683794E-301e0", -1, 1, "0"},
            {"lone minus passes as zero", R, "-", -1, 1, "0"},
            {"lone minus is range tested as zero", R, "-", 1, 2, "2"},
            {"sign without exponent digits", R, "1e-", -1, 1, "3"},
            {"empty mantissa before an exponent", R, "e5", -1, 1, "3"},
            {"exponent beyond 32 bits is no number", R, "1e2147483648", -1, 1, "3"},
            {"largest exponent does not overflow the order", R, "9e2147483647", -1, 1, "1"},
            {"infinite mantissa is beyond the kind", R, "1E99999e0", -1, 1, "1"},
            {"two exponent letters are inconsistent", R, "1E5e3", -1, 1, "inconsistent, status 0"},
            {"hex exponent is inconsistent", R, "1e$10", -1, 1, "inconsistent, status 0"},
            {"blank in the exponent is inconsistent", R, "1e 5", -1, 1, "inconsistent, status 0"},
            {"exponent zero reads the mantissa alone", R, "1E5e0", 0, 99999, "2"},
            {"1e300 written out passes", R, "1" + zeros(300), -1e308, 1e308, "0"},
            {"1e301 written out is beyond the kind", R, "1" + zeros(301), -1e308, 1e308, "1"},
            {"1e-301 written out is beyond the kind", R, "0." + zeros(300) + "1", -1, 1, "1"},
            {"real bounds belong to the range", R, "-2.5", -2.5, 2.5, "0"},
            {"next double above the upper bound", R, "2.5000000000000004", -2.5, 2.5, "2"},
        };
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("max");
        QTest::addColumn<QByteArray>("expected");
        for (const auto &row : rows)
            QTest::addRow("%s", row.name)
                << row.kind << row.text << row.min << row.max << QByteArray(row.expected);
    }
    void checkNumber()
    {
        QFETCH(Kind, kind);
        QFETCH(QByteArray, text);
        QFETCH(double, min);
        QFETCH(double, max);
        QFETCH(QByteArray, expected);
        const auto split = numtext::splitNumber(view(text), kind);
        QCOMPARE(outcome(numtext::checkNumber(kind, split.mantissa, split.exponent, min, max)),
                 expected);
    }

    void orderOfMagnitude_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("expected");
        QTest::addRow("three rounds down to 0") << 3.0 << 0;
        QTest::addRow("four rounds up to 1") << 4.0 << 1;
        QTest::addRow("small value") << 0.004 << -2;
        QTest::addRow("zero is -300") << 0.0 << -300;
        QTest::addRow("sign is ignored") << -4000.0 << 4;
        QTest::addRow("just above the square root of ten") << 3.1622776601683795 << 1;
        QTest::addRow("just below the square root of ten") << 3.162277660168379 << 0;
        // The logarithms of these doubles come out exactly halfway in extended precision.
        QTest::addRow("tie at 76.5 goes to even 76") << 3.1622776601683793e+76 << 76;
        QTest::addRow("tie at 97.5 goes to even 98") << 3.1622776601683793e+97 << 98;
        QTest::addRow("tie at -300.5 goes to even -300") << 3.1622776601683794e-301 << -300;
        QTest::addRow("largest double") << DBL_MAX << 308;
        QTest::addRow("smallest subnormal double") << 4.9e-324 << -323;
        QTest::addRow("infinity is beyond every order")
            << std::numeric_limits<double>::infinity() << std::numeric_limits<int>::max();
    }
    void orderOfMagnitude()
    {
        QFETCH(double, x);
        QFETCH(int, expected);
        QCOMPARE(numtext::orderOfMagnitude(x), expected);
    }

    void formatGeneral_data()
    {
        struct Row {
            const char *name;
            long double value;
            int digits;
            char separator;
            const char *expected;
        };
        const Row rows[] = {
            {"nine integer digits go scientific", 123456789.0L, 8, '.', "1.2345679E8"},
            {"eight integer digits stay fixed", 12345678.0L, 8, '.', "12345678"},
            {"rounding up to 10^8 goes scientific", 99999999.5L, 8, '.', "1E8"},
            {"trailing integer zeros are filled in", 50000.0L, 8, '.', "50000"},
            {"fraction", 2.5L, 8, '.', "2.5"},
            {"a third is cut at eight digits", 1.0L / 3, 8, '.', "0.33333333"},
            {"two thirds round up", 2.0L / 3, 8, '.', "0.66666667"},
            {"zeros after the point", 0.05L, 8, '.', "0.05"},
            {"X of -3 stays fixed", 0.000123L, 8, '.', "0.000123"},
            {"X of -4 goes scientific", 0.0000123L, 8, '.', "1.23E-5"},
            {"one digit in scientific has no separator", 0.00001L, 8, '.', "1E-5"},
            {"carry lifts X from -4 to -3", 0.0000999999999L, 8, '.', "0.0001"},
            // Rounded straight from the binary value this is 1.2345678; the first rounding to
            // 18 digits makes the ninth digit a 5.
            {"18 digits first turn a 4999 tail into a round-up", 1.2345678499999999999L, 8, '.',
             "1.2345679"},
            {"negative fixed", -0.05L, 8, '.', "-0.05"},
            {"negative scientific", -123456789.0L, 8, '.', "-1.2345679E8"},
            {"minus zero is plain zero", -0.0L, 8, '.', "0"},
            {"comma in fixed notation", 2.5L, 8, ',', "2,5"},
            {"comma in scientific notation", 123456789.0L, 8, ',', "1,2345679E8"},
            {"three-digit exponent without plus or zeros", 1.5e300L, 8, '.', "1.5E300"},
            {"infinity", -kInf, 8, '.', "-Inf"},
            {"not a number", std::numeric_limits<long double>::quiet_NaN(), 8, '.', "NaN"},
            {"ratio from hundredths", 85 * 0.01L, 15, '.', "0.85"},
            {"ratio of one hundredth", 1 * 0.01L, 15, '.', "0.01"},
            {"ratio of ten hundredths", 10 * 0.01L, 15, '.', "0.1"},
            {"ratio of one", 100 * 0.01L, 15, '.', "1"},
            {"fifteen digits keep what eight would round", 1.2345678499999999999L, 15, '.',
             "1.23456785"},
            {"double rounding at fifteen digits", 0.1234567890123454999L, 15, '.',
             "0.123456789012346"},
            {"X of 15 stays fixed", 123456789012345.0L, 15, '.', "123456789012345"},
            {"X of 16 goes scientific", 1234567890123456.0L, 15, '.', "1.23456789012346E15"},
        };
        QTest::addColumn<long double>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<char>("separator");
        QTest::addColumn<QByteArray>("expected");
        for (const auto &row : rows)
            QTest::addRow("%s", row.name)
                << row.value << row.digits << row.separator << QByteArray(row.expected);
    }
    void formatGeneral()
    {
        QFETCH(long double, value);
        QFETCH(int, digits);
        QFETCH(char, separator);
        QFETCH(QByteArray, expected);
        QCOMPARE(bytes(numtext::formatGeneral(value, digits, separator)), expected);
    }

    void formatIntegerReadsBack_data()
    {
        QTest::addColumn<int>("value");
        QTest::addRow("smallest value") << std::numeric_limits<int>::min();
        QTest::addRow("second smallest value") << std::numeric_limits<int>::min() + 1;
        QTest::addRow("largest value") << std::numeric_limits<int>::max();
        QTest::addRow("first value the general format writes in scientific") << 100000000;
        QTest::addRow("last value the general format writes fixed") << -99999999;
        QTest::addRow("zero") << 0;
    }
    void formatIntegerReadsBack()
    {
        QFETCH(int, value);
        const std::string text = formatInteger(value);
        QCOMPARE(outcome(numtext::parseInt(text)), QByteArray::number(value));
        // Below 10^8 the control writes what the general format would.
        if (std::abs(std::int64_t{value}) < 100000000)
            QCOMPARE(bytes(text), bytes(numtext::formatGeneral(value, 8, '.')));
    }

    void messages()
    {
        QCOMPARE(bytes(consistencyMessage("1E5", "3")),
                 QByteArray("NUMEDIT: There is something wrong !!\rMantisse: 1E5\rExponent: 3"));
        QCOMPARE(bytes(statusMessage(Valid)), QByteArray());
        QCOMPARE(bytes(statusMessage(BeyondKind)), QByteArray("Number exceeds compiler range."));
        QCOMPARE(bytes(statusMessage(BeyondRange)),
                 QByteArray("Number exceeds user defined range."));
        QCOMPARE(bytes(statusMessage(NotANumber)), QByteArray("Error in number."));
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_number_text.moc"
