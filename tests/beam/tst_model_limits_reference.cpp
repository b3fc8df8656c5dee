#include "materials.h"
#include "model_limits.h"
#include "moment_reference.h"
#include "number_text.h"
#include "sections/section_sample.h"

#include <QElapsedTimer>
#include <QTest>

#include <cmath>
#include <string>

namespace {

using numtext::whole;

QByteArray describe(const beam::SectionInputs &s, const std::string &Es, const std::string &MEd)
{
    return QByteArray::fromStdString("class " + whole(s.concreteClass) + ", fyd " + s.fydText +
                                     ", As " + whole(s.As) + ", d " + whole(s.d) + ", b " +
                                     whole(s.b) + ", Es " + Es + ", MEd " + MEd);
}

} // namespace

// The yield limits, verdicts and required areas against the exact reference, which finds each
// boundary from its unrounded value and steps to it under the rounded rules; the program
// halves ranges of areas through its own moment run. About ten seconds in Release, so the
// sanitizer build leaves this out.
class TestModelLimitsReference : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithExactReference();
};

void TestModelLimitsReference::agreesWithExactReference()
{
    constexpr int count = 4000;
    static const char *const moduli[] = {"2.0e5", "2.0e5", "2.0e5", "195000", "2.1e5", "1.99e5"};
    sections::Sampler sampler(2027);
    QElapsedTimer clock;
    clock.start();
    int exactHits = 0;
    for (int i = 0; i < count; ++i) {
        const sections::Section section = sampler.section();
        beam::SectionInputs s;
        s.concreteClass = section.concreteClass;
        s.steelGrade = section.steelGrade;
        s.fydText = std::string(beam::steelGrades[std::size_t(section.steelGrade)].fyd);
        s.fcdText = std::string(beam::concreteClasses[std::size_t(section.concreteClass)].fcd);
        s.barItem = 3;
        s.stirrupItem = 1;
        s.As = section.As;
        s.d = section.d;
        s.b = section.b;
        s.c = 15;
        const std::string Es = moduli[sampler.next() % std::size(moduli)];
        const auto steps = beam::computeMomentSteps(s.momentInputs());

        // MEd: zero, a few digits below some moment of a model, or exactly that moment, or the
        // double just above it, or a quarter of the way there, where the search must not be
        // one off.
        const auto plain = beam::sectionLimits(s, steps, Es, std::nullopt);
        const int column = int(sampler.next() % 4);
        const std::int32_t top = std::min(plain.models[std::size_t(column)].validLimit, 4000000);
        const auto area = std::int32_t(top > 0 ? sampler.within(0, top) : 0);
        beam::MomentInputs run = s.momentInputs();
        run.As = area;
        const double moment = beam::modelMoment(beam::computeMomentSteps(run), beam::Model(column));
        std::string MEd = "0";
        switch (sampler.next() % 5) {
        case 1:
            MEd = whole(std::int64_t(std::floor(moment))) + "." + whole(sampler.within(100, 999));
            break;
        case 2:
            MEd = reference::exactDecimal(moment);
            ++exactHits;
            break;
        case 3:
            MEd = reference::exactDecimal(moment, 4);
            break;
        case 4:
            // Between two doubles: MEd is held in extended precision, not rounded to double.
            MEd = reference::exactDecimal(moment, 1);
            break;
        }
        if (MEd.front() == '-')
            MEd = "0";

        const auto entry = numtext::parseReal(MEd);
        QVERIFY(entry);
        const beam::SectionLimits limits = beam::sectionLimits(s, steps, Es, entry);
        const auto exact = reference::modelLimits(s.momentInputs(), Es, MEd);
        if (!exact)
            QFAIL("the reference found no answer for " + describe(s, Es, MEd));
        for (int m = 0; m + 1 < int(beam::modelCount); ++m) {
            const beam::ModelLimits &got = limits.models[std::size_t(m + 1)];
            const std::optional<bool> yields =
                got.strain.verdict == beam::Verdict::NotChecked
                    ? std::nullopt
                    : std::optional<bool>(got.strain.verdict == beam::Verdict::Yields);
            QVERIFY2(yields == exact->yields[std::size_t(m)], describe(s, Es, MEd));
            QVERIFY2(got.yieldLimit == exact->yieldLimit[std::size_t(m)],
                     describe(s, Es, MEd) + ": model " + QByteArray::number(m) + ", program " +
                         QByteArray::number(got.yieldLimit.value_or(-1)) + ", reference " +
                         QByteArray::number(exact->yieldLimit[std::size_t(m)].value_or(-1)));
        }
        for (int c = 0; c < int(beam::modelCount); ++c) {
            const beam::RequiredArea &r = *limits.models[std::size_t(c)].required;
            const std::optional<std::int32_t> got =
                r.outcome == beam::Requirement::Found ? std::optional(r.As) : std::nullopt;
            QVERIFY2(got == exact->required[std::size_t(c)],
                     describe(s, Es, MEd) + ": column " + QByteArray::number(c) + ", program " +
                         QByteArray::number(got.value_or(-1)) + ", reference " +
                         QByteArray::number(exact->required[std::size_t(c)].value_or(-1)));
        }
    }
    qInfo("%d sections agree (%d with MEd exactly on a moment), %.1f s", count, exactHits,
          double(clock.elapsed()) / 1000);
}

QTEST_APPLESS_MAIN(TestModelLimitsReference)
#include "tst_model_limits_reference.moc"
