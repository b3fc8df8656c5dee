#include "moment.h"

#include <QTest>

#include <climits>

// Every row gives the inputs and the eleven texts in the window's write order, joined by
// blanks: mu0 mu1 xu1 mu2 xu2 mu3 xu3 z0 z1 z2 z3.
class TestMoment : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startValuesAndEdgeCases_data();
    void startValuesAndEdgeCases() { compareTexts(); }
    void extendedPrecisionDecides_data();
    void extendedPrecisionDecides() { compareTexts(); }
    void absurdInputsGiveDefinedTexts_data();
    void absurdInputsGiveDefinedTexts() { compareTexts(); }

private:
    static void addColumns();
    static void addCase(const char *name, int concreteClass, const char *fyd, const char *fcd,
                        int As, int d, int b, const char *expected, char separator = '.');
    static void compareTexts();
};

void TestMoment::addColumns()
{
    QTest::addColumn<int>("concreteClass");
    QTest::addColumn<QByteArray>("fyd");
    QTest::addColumn<QByteArray>("fcd");
    QTest::addColumn<int>("As");
    QTest::addColumn<int>("d");
    QTest::addColumn<int>("b");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QByteArray>("expected");
}

void TestMoment::addCase(const char *name, int concreteClass, const char *fyd, const char *fcd,
                         int As, int d, int b, const char *expected, char separator)
{
    QTest::addRow("%s", name) << concreteClass << QByteArray(fyd) << QByteArray(fcd) << As << d << b
                              << separator << QByteArray(expected);
}

void TestMoment::compareTexts()
{
    QFETCH(int, concreteClass);
    QFETCH(QByteArray, fyd);
    QFETCH(QByteArray, fcd);
    QFETCH(int, As);
    QFETCH(int, d);
    QFETCH(int, b);
    QFETCH(char, separator);
    QFETCH(QByteArray, expected);

    const beam::MomentTexts texts = beam::computeMoments(
        {concreteClass, fyd.toStdString(), fcd.toStdString(), As, d, b, separator});
    QByteArrayList actual;
    for (const std::string &text : texts)
        actual.append(QByteArray::fromStdString(text));
    QCOMPARE(actual.join(' '), expected);
}

// As and d worked out by hand: one bar trunc(φ·π/4·φ), d = H − c − stirrup − trunc(φ/2).
void TestMoment::startValuesAndEdgeCases_data()
{
    addColumns();
    addCase("worked example: C12/15, FeB500, four 12 mm bars, 500 x 200", 0, "435", "8", 452, 471,
            200, "83 79 184 80 163 80 151 0.9 0.85 0.86 0.87");
    addCase("C70/85 takes 0.62 and 0.35 for bi_lineair", 7, "435", "46.7", 452, 471, 200,
            "83 90 31 90 33 90 26 0.9 0.97 0.97 0.98");
    addCase("C53/65, FeB400, ten 20 mm bars, 800 x 300", 5, "348", "35.3", 3140, 750, 300,
            "737 756 154 760 141 761 127 0.9 0.92 0.93 0.93");
    addCase("four 20 mm bars: only parabolisch reaches past d", 0, "435", "8", 1256, 467, 200,
            "229 0 0 158 455 159 421 0.9 0 0.62 0.62");
    addCase("four 25 mm bars: all three stress blocks invalid, benadering still shown", 0, "435",
            "8", 1960, 465, 200, "356 0 0 0 0 0 0 0.9 0 0 0");
    addCase("width 1 mm leaves no compression zone that fits", 0, "435", "8", 452, 471, 1,
            "83 0 0 0 0 0 0 0.9 0 0 0");
    addCase("no bars give ratio 1 written without a point", 0, "435", "8", 0, 471, 200,
            "0 0 0 0 0 0 0 0.9 1 1 1");
    addCase("width 0 falls back", 0, "435", "8", 452, 471, 0, "0 0 0 0 0 0 0 nan nan nan nan");
    addCase("d of exactly 0 falls back", 0, "435", "8", 452, 0, 200,
            "0 0 0 0 0 0 0 nan nan nan nan");
    addCase("bi_lineair zone exactly as deep as d is invalid", 0, "435", "8", 80, 29, 200,
            "0 0 0 0 0 0 26 0.9 0 0 0.61");
    addCase("height 0 makes d -1 and falls back", 0, "435", "8", 452, -1, 200,
            "0 0 0 0 0 0 0 nan nan nan nan");
    addCase("negative steel area truncates toward zero", 0, "435", "8", -100, 471, 200,
            "-18 -21 -40 -21 -36 -21 -33 0.9 1.03 1.03 1.03");
    addCase("comma separator reads fcd and writes the ratios", 1, "435", "13,3", 452, 471, 200,
            "83 84 110 85 98 85 91 0.9 0,91 0,92 0,92", ',');
}

// Each of these inputs puts a moment, a depth or 100 z/d on a whole number or a half, where
// the last bits of the stored values decide the digit shown. In brackets is what double
// arithmetic throughout shows there instead; the rows naming constants also catch alpha and
// beta held as long doubles rather than as the doubles nearest to them.
void TestMoment::extendedPrecisionDecides_data()
{
    addColumns();
    addCase("parabolisch moment of 232 computes just below: 231 (232)", 4, "435", "30.0", 1600, 430,
            135, "269 231 257 237 229 237 212 0.9 0.78 0.79 0.79");
    addCase("parabolisch depth of exactly 225 stays 225 (224)", 0, "435", "8", 560, 471, 203,
            "103 94 225 95 200 95 185 0.9 0.82 0.83 0.84");
    addCase("bi_lineair moment of 435 with beta the double nearest 7/18: 434 (435)", 0, "435", "8",
            1500, 875, 203, "513 423 602 434 535 436 496 0.9 0.74 0.76 0.76");
    addCase("C60/75: bi_lineair depth of exactly 225 stays 225 (224), ratio 77.5 goes up to 0.78",
            6, "435", "40.0", 2814, 360, 203, "396 336 226 341 225 345 186 0.9 0.76 0.78 0.78");
    addCase("C60/75: ratio with alpha and beta the doubles nearest 0.67 and 0.36: 0.87 (0.86)", 6,
            "435", "40.0", 2412, 522, 200, "492 470 196 473 195 476 162 0.9 0.86 0.87 0.87");
    addCase("parabool rechthoek moment of 261 computes just below: 260 (261)", 4, "435", "30.0",
            1700, 399, 275, "265 257 134 260 119 260 110 0.9 0.87 0.88 0.88");
    addCase("parabool rechthoek depth of exactly 126 stays 126 (125)", 0, "348", "8", 476, 471, 203,
            "70 68 153 69 136 69 126 0.9 0.88 0.89 0.89");
    addCase("parabolisch ratio of 89.5 computes just below the half: 0.89 (0.9)", 4, "435", "30.0",
            1120, 435, 200, "190 189 121 191 108 191 100 0.9 0.89 0.9 0.9");
    addCase("bi_lineair ratio of 85.5 computes just below the half: 0.85 (0.86)", 0, "435", "8",
            468, 455, 200, "83 78 190 79 169 79 157 0.9 0.84 0.85 0.86");
    addCase("fcd 13.3: depth 1050 stays, ratio exactly 68.5 goes to even 0.68 (1049, 0.69)", 1,
            "348", "13.3", 9310, 1250, 348, "3644 2774 1050 2873 933 2884 864 0.9 0.68 0.71 0.71");
    // 1 + 2^-53 is halfway between 1 and the next double; the long double reading of a text
    // just above it is that halfway point, and rounding it to double again would give 1.
    addCase("fcd text just above a double midpoint rounds up once, not to even twice", 0, "3",
            "1.000000000000000111022302462515654042363166809082031251", 100, 1000, 4,
            "0 0 112 0 99 0 92 0.9 0.96 0.96 0.96");
    addCase("fcd text exactly on the midpoint goes to even", 0, "3",
            "1.00000000000000011102230246251565404236316680908203125", 100, 1000, 4,
            "0 0 112 0 100 0 92 0.9 0.96 0.96 0.96");
}

void TestMoment::absurdInputsGiveDefinedTexts_data()
{
    addColumns();
    addCase("fyd x As beyond 32 bits is taken whole, not wrapped", 0, "435", "8", INT_MAX, 471, 200,
            "395988468 0 0 0 0 0 0 0.9 0 0 0");
    addCase("most negative steel area", 0, "435", "8", INT_MIN, 471, 200,
            "-395988468 -306790150203292 -875770675 -282802477388041 -778462822 "
            "-280251247935463 -721222908 0.9 697270.65 642751.62 636953.2");
    addCase("largest depth", 0, "435", "8", 452, INT_MAX, 200,
            "380014411 422238221 184 422238222 163 422238222 151 0.9 1 1 1");
    addCase("most negative depth falls back", 0, "435", "8", 452, INT_MIN, 200,
            "0 0 0 0 0 0 0 nan nan nan nan");
    addCase("most negative width falls back", 0, "435", "8", 452, 471, INT_MIN,
            "0 0 0 0 0 0 0 nan nan nan nan");
    addCase("moments beyond 64 bits are written digit for digit", 0, "-2147483648", "8", INT_MIN,
            INT_MAX, INT_MAX,
            "8913168278704220562432 9207179037249070602752 402653184 9261625474187439099904 "
            "357913941 9267416171541656237056 331596739 0.9 0.93 0.94 0.94");
    addCase("depth beyond the double range writes infinities", 0, "435", "4.9e-324", -100, 471, 200,
            "-18 -inf -inf -inf -inf -inf -inf 0.9 inf inf inf");
    addCase("class index 8 takes the constants of C12/15", 8, "435", "8", 452, 471, 200,
            "83 79 184 80 163 80 151 0.9 0.85 0.86 0.87");
    addCase("class index -1 takes the constants of C12/15", -1, "435", "8", 452, 471, 200,
            "83 79 184 80 163 80 151 0.9 0.85 0.86 0.87");
    addCase("unreadable fyd counts as no steel", 0, "435x", "8", 452, 471, 200,
            "0 0 0 0 0 0 0 0.9 1 1 1");
    addCase("unreadable fcd falls back", 0, "435", "8.0.0", 452, 471, 200,
            "0 0 0 0 0 0 0 nan nan nan nan");
}

QTEST_APPLESS_MAIN(TestMoment)
#include "tst_moment.moc"
