#include "extended.h"
#include "number_text.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <random>

using ext::Extended;

static_assert(LDBL_MANT_DIG == 64, "the portable arithmetic is compared with x87 long double");

namespace {

long double native(const Extended &x)
{
    if (x == 0 || !isfinite(x))
        return x.convert_to<long double>();
    const auto significand = static_cast<std::uint64_t>(x.backend().bits().limbs()[0]);
    const long double magnitude =
        std::ldexp(static_cast<long double>(significand), int(x.backend().exponent()) - 63);
    return x.backend().sign() ? -magnitude : magnitude;
}

bool same(long double a, long double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return a == b && std::signbit(a) == std::signbit(b);
}

QByteArray hex(long double x)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, std::end(buffer), x, std::chars_format::hex).ptr;
    return QByteArray(buffer, int(end - buffer));
}

// Values of every binary exponent within first .. last, with full 64-bit significands.
class Values
{
public:
    explicit Values(std::uint64_t seed)
        : m_random(seed)
    {}
    long double any(int first, int last)
    {
        const std::uint64_t significand = m_random() | (std::uint64_t{1} << 63);
        const int exponent = first + int(m_random() % std::uint64_t(last - first + 1));
        const long double x = std::ldexp(static_cast<long double>(significand), exponent - 63);
        return (m_random() & 1) ? -x : x;
    }
    // A whole number, as the rules' inputs are, or a value of a design-value table.
    long double input()
    {
        switch (m_random() % 4) {
        case 0:
            return static_cast<long double>(static_cast<std::int32_t>(m_random()));
        case 1:
            return static_cast<long double>(m_random() % 70000);
        case 2:
            return static_cast<long double>(static_cast<double>(m_random() % 500) / 10);
        default:
            return static_cast<long double>(std::ldexp(double(m_random() >> 11), -40));
        }
    }
    std::uint64_t next() { return m_random(); }

private:
    std::mt19937_64 m_random;
};

enum Check { Operations, Stores, Wholes, Reads, Writes, Orders, Powers, Seeds };

// The same operation in both arithmetics.
template <typename Real> Real operate(int op, const Real &a, const Real &b)
{
    switch (op) {
    case 0:
        return a + b;
    case 1:
        return a - b;
    case 2:
        return a * b;
    default:
        return a / b;
    }
}

} // namespace

// The portable extended arithmetic against x87 long double, bit for bit, on more than ten
// million inputs: about ten seconds in Release, so the sanitizer build leaves it out.
class TestExtendedX87 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithX87_data()
    {
        QTest::addColumn<int>("check");
        QTest::addColumn<int>("count");
        QTest::addRow("sums, differences, products and quotients of rule operands")
            << int(Operations) << 4000000;
        QTest::addRow("stores to double, subnormal and overflowing ones included")
            << int(Stores) << 2000000;
        QTest::addRow("truncation and rounding half to even") << int(Wholes) << 1000000;
        QTest::addRow("decimal texts read with one rounding") << int(Reads) << 1000000;
        QTest::addRow("values written with eighteen significant digits") << int(Writes) << 1000000;
        QTest::addRow("nearest powers of ten of doubles, every one next to a half included")
            << int(Orders) << 1000000;
        QTest::addRow("powers of ten and the values typed with an exponent")
            << int(Powers) << 1000000;
        QTest::addRow("the doubles of the format seeds") << int(Seeds) << 0;
    }
    void agreesWithX87()
    {
        QFETCH(int, check);
        QFETCH(int, count);
        Values values(std::uint64_t(check) * 7919 + 1);
        QElapsedTimer clock;
        clock.start();
        long cases = 0;
        const auto fail = [](const QByteArray &what) {
            QFAIL(what.constData());
        };
        switch (Check(check)) {
        case Operations:
            for (int i = 0; i < count; ++i, ++cases) {
                const bool wide = i % 4 == 0;
                // Results stay within the normal range, where x87 has no subnormal values.
                const long double a = wide ? values.any(-8000, 8000) : values.input();
                const long double b = wide ? values.any(-8000, 8000) : values.input();
                const int op = int(values.next() % 4);
                if (!same(native(operate(op, Extended(a), Extended(b))), operate(op, a, b)))
                    return fail("operation " + QByteArray::number(op) + " of " + hex(a) + " and " +
                                hex(b));
            }
            break;
        case Stores:
            for (int i = 0; i < count; ++i, ++cases) {
                const long double x = values.any(-1100, 1100);
                const double portable = ext::toDouble(Extended(x));
                const double expected = static_cast<double>(x);
                if (std::memcmp(&portable, &expected, sizeof expected) != 0)
                    return fail("store of " + hex(x));
            }
            break;
        case Wholes:
            for (int i = 0; i < count; ++i, ++cases) {
                // Halves and whole numbers often, as the ratios meet them.
                long double x = values.any(-3, 70);
                if (i % 3 == 0)
                    x = std::trunc(x * 2) / 2;
                if (!same(native(ext::truncate(Extended(x))), std::trunc(x)) ||
                    !same(native(ext::roundHalfEven(Extended(x))), std::nearbyint(x)))
                    return fail("whole of " + hex(x));
            }
            break;
        case Reads:
            for (int i = 0; i < count; ++i, ++cases) {
                std::string digits(1 + values.next() % 30, '0');
                for (char &c : digits)
                    c = char('0' + values.next() % 10);
                digits.front() = char('1' + values.next() % 9);
                const int range = i % 10 == 0 ? 4940 : 400;
                const auto exponent = std::int64_t(values.next() % (2 * range + 1)) - range;
                const std::string text = digits + "e" + std::to_string(exponent);
                long double expected = 0;
                const auto result =
                    std::from_chars(text.data(), text.data() + text.size(), expected);
                if (result.ec != std::errc{} || std::fabs(expected) < LDBL_MIN)
                    continue; // beyond the normal range, where only the double matters
                if (!same(native(ext::fromDecimal(digits, exponent)), expected))
                    return fail(QByteArray::fromStdString("read of " + text));
            }
            break;
        case Writes:
            for (int i = 0; i < count; ++i, ++cases) {
                // 64-bit whole numbers hold 19 and 20 digit ties.
                // The double range, where the number edit writes; now and then the whole range.
                const long double x = i % 4 == 0    ? static_cast<long double>(values.next())
                                      : i % 50 == 1 ? values.any(-16000, 16000)
                                                    : values.any(-1100, 1100);
                if (x == 0)
                    continue;
                char buffer[64];
                const auto end = std::to_chars(buffer, std::end(buffer), std::fabs(x),
                                               std::chars_format::scientific, 17)
                                     .ptr;
                const std::string_view text(buffer, std::size_t(end - buffer));
                const ext::Decimal decimal = ext::toDecimal(Extended(x), 18);
                std::string mine = decimal.digits.substr(0, 1) + "." + decimal.digits.substr(1) +
                                   (decimal.exponent < 0 ? "e-" : "e+");
                const auto power = std::to_string(std::llabs(decimal.exponent));
                mine += (power.size() < 2 ? "0" : "") + power;
                if (mine != text)
                    return fail(
                        QByteArray::fromStdString("write of " + mine + " as " + std::string(text)));
            }
            break;
        case Orders: {
            const auto compare = [&](double x) {
                ++cases;
                const auto expected = std::nearbyint(std::log10(std::fabs((long double)x)));
                return ext::nearestPowerOfTen(x) == static_cast<std::int32_t>(expected);
            };
            for (int k = -324; k <= 308; ++k) {
                double x = std::sqrt(10.0) * std::pow(10.0, k);
                for (int step = 0; step < 60; ++step)
                    x = std::nextafter(x, 0.0);
                for (int step = 0; step < 120; ++step, x = std::nextafter(x, INFINITY)) {
                    if (x != 0 && std::isfinite(x) && !compare(x))
                        return fail("order of " + hex(x));
                }
            }
            for (int i = 0; i < count; ++i) {
                double x = 0;
                const std::uint64_t bits = values.next();
                std::memcpy(&x, &bits, sizeof x);
                if (x != 0 && std::isfinite(x) && !compare(x))
                    return fail("order of " + hex(x));
            }
            break;
        }
        case Powers: {
            const long double ln10 = std::log(10.0L);
            for (int e = -6000; e <= 6000; ++e, ++cases) {
                const long double expected = std::exp(static_cast<long double>(e) * ln10);
                // Below the normal range x87 keeps subnormal values, which are zero here.
                if (std::fabs(expected) >= LDBL_MIN && e >= -700 && e <= 700 &&
                    !same(native(ext::powerOfTen(e)), expected))
                    return fail("10^" + QByteArray::number(e));
            }
            for (int i = 0; i < count; ++i, ++cases) {
                double m = 0;
                const std::uint64_t bits = values.next();
                std::memcpy(&m, &bits, sizeof m);
                if (!std::isfinite(m))
                    continue;
                const auto e = std::int32_t(values.next() % 1401) - 700;
                const double expected =
                    static_cast<double>(std::exp(static_cast<long double>(e) * ln10) * m);
                const auto scaled = numtext::scaledReal(m, e);
                if (std::isfinite(expected) != scaled.has_value() ||
                    (scaled && std::memcmp(&*scaled, &expected, sizeof expected) != 0))
                    return fail("scaled " + hex(m) + " by 10^" + QByteArray::number(e));
            }
            break;
        }
        case Seeds: {
            const QDir seeds(QStringLiteral(TRALVIK_FORMAT_SEEDS));
            for (const QString &name : seeds.entryList(QDir::Files)) {
                QFile file(seeds.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly));
                QByteArray bytes = file.readAll().left(sizeof(double));
                bytes.resize(sizeof(double), '\0');
                double x = 0;
                std::memcpy(&x, bytes.constData(), sizeof x);
                ++cases;
                if (!std::isfinite(x) || x == 0)
                    continue;
                const long double wide = x;
                QCOMPARE(ext::toDouble(Extended(wide * 3)), static_cast<double>(wide * 3));
                QCOMPARE(ext::nearestPowerOfTen(x),
                         std::int32_t(std::nearbyint(std::log10(std::fabs(wide)))));
                QVERIFY(same(native(Extended(wide) / 3), wide / 3));
            }
            QVERIFY(cases > 0);
            break;
        }
        }
        qInfo("%ld cases agree, %.1f s", cases, double(clock.elapsed()) / 1000);
    }
};

QTEST_APPLESS_MAIN(TestExtendedX87)
#include "tst_extended_x87.moc"
