#include "materials.h"
#include "moment.h"
#include "moment_reference.h"
#include "sections/section_sample.h"

#include <QElapsedTimer>
#include <QTest>

#include <climits>
#include <vector>

namespace {

// Every class and grade with As, d and b at the edges of their ranges and far beyond them.
std::vector<sections::Section> boundarySections()
{
    const std::int32_t areas[] = {0, 1, -100, 50000, 62800, INT32_MAX, INT32_MIN};
    const std::int32_t depths[] = {-1, 0, 1, 3000, INT32_MAX};
    const std::int32_t widths[] = {0, 1, -1, 2000, INT32_MAX};
    std::vector<sections::Section> all;
    for (int concrete = 0; concrete < 8; ++concrete)
        for (int grade = 0; grade < 3; ++grade)
            for (const auto As : areas)
                for (const auto d : depths)
                    for (const auto b : widths)
                        all.push_back({concrete, grade, As, d, b});
    return all;
}

QByteArray describe(const beam::MomentInputs &inputs, const beam::MomentTexts &texts)
{
    QByteArray text = "class " + QByteArray::number(inputs.concreteClass) + ", fyd " +
                      QByteArray(inputs.fydText.data(), qsizetype(inputs.fydText.size())) +
                      ", As " + QByteArray::number(inputs.As) + ", d " +
                      QByteArray::number(inputs.d) + ", b " + QByteArray::number(inputs.b) + ":";
    for (const std::string &field : texts)
        text += ' ' + QByteArray::fromStdString(field);
    return text;
}

} // namespace

// The program's moment texts against those of the exact rational reference. A million
// sections take about half a minute in Release, so the sanitizer build leaves this out.
class TestMomentReference : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithExactReference_data()
    {
        QTest::addColumn<int>("count"); // 0: the boundary sections
        QTest::addColumn<quint64>("seed");
        QTest::addRow("every class and grade at the edges of the ranges and beyond")
            << 0 << quint64(0);
        QTest::addRow("a million seeded sections within and beyond the ranges")
            << 1000000 << quint64(1208);
    }
    void agreesWithExactReference()
    {
        QFETCH(int, count);
        QFETCH(quint64, seed);
        std::vector<sections::Section> all;
        if (count == 0) {
            all = boundarySections();
        } else {
            sections::Sampler sampler(seed);
            all.reserve(std::size_t(count));
            for (int i = 0; i < count; ++i)
                all.push_back(sampler.section());
        }
        QElapsedTimer clock;
        clock.start();
        for (const sections::Section &s : all) {
            beam::MomentInputs inputs;
            inputs.concreteClass = s.concreteClass;
            inputs.fcdText = beam::concreteClasses[std::size_t(s.concreteClass)].fcd;
            inputs.fydText = beam::steelGrades[std::size_t(s.steelGrade)].fyd;
            inputs.As = s.As;
            inputs.d = s.d;
            inputs.b = s.b;
            const auto exact = reference::momentTexts(inputs);
            QVERIFY2(exact.has_value(), describe(inputs, {}).constData());
            const beam::MomentTexts texts = beam::computeMoments(inputs);
            if (texts != *exact)
                QFAIL(("the program gives " + describe(inputs, texts) + "; the reference " +
                       describe(inputs, *exact))
                          .constData());
        }
        qInfo("%zu sections agree, %.1f s", all.size(), double(clock.elapsed()) / 1000);
    }
};

QTEST_APPLESS_MAIN(TestMomentReference)
#include "tst_moment_reference.moc"
