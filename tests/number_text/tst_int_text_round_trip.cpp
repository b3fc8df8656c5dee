#include "number_text.h"

#include <QTest>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

// Every 32-bit value the number edit can hold is written as a text that reads back as that
// very value. A table can only sample the boundaries; this walks all 2^32 of them, so that a
// rounding or a digit lost anywhere in the range shows up.
class tst_IntTextRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyValueReadsBack();
};

namespace {

struct Failures {
    std::uint64_t count = 0;
    std::int32_t first = 0;
};

// Walks the values whose bit patterns lie in [begin, end).
Failures checkSlice(std::uint64_t begin, std::uint64_t end)
{
    Failures failures;
    for (std::uint64_t bits = begin; bits < end; ++bits) {
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits));
        const auto read = numtext::parseInt(numtext::formatInteger(value));
        if (!read || *read != value) {
            if (failures.count++ == 0)
                failures.first = value;
        }
    }
    return failures;
}

} // namespace

void tst_IntTextRoundTrip::everyValueReadsBack()
{
    constexpr std::uint64_t total = std::uint64_t{1} << 32;
    // Small slices handed out one at a time keep both cores busy to the end, however unevenly
    // the work falls (short texts near zero, long ones at the ends).
    constexpr std::uint64_t slice = std::uint64_t{1} << 22;
    std::atomic<std::uint64_t> next{0};
    const unsigned threadCount = std::max(1U, std::thread::hardware_concurrency());
    std::vector<Failures> perThread(threadCount);
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            for (std::uint64_t begin = next.fetch_add(slice); begin < total;
                 begin = next.fetch_add(slice)) {
                const Failures found = checkSlice(begin, std::min(begin + slice, total));
                if (found.count != 0 && perThread[t].count == 0)
                    perThread[t].first = found.first;
                perThread[t].count += found.count;
            }
        });
    }
    for (auto &thread : threads)
        thread.join();

    std::uint64_t count = 0;
    for (const Failures &f : perThread) {
        if (f.count != 0 && count == 0) {
            const auto text = numtext::formatInteger(f.first);
            qWarning("%d is written as \"%s\", which does not read back", f.first, text.c_str());
        }
        count += f.count;
    }
    QCOMPARE(count, std::uint64_t{0});
}

QTEST_GUILESS_MAIN(tst_IntTextRoundTrip)
#include "tst_int_text_round_trip.moc"
