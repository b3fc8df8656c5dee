// Sections drawn from a seed, the same on every machine (no standard distribution, whose
// results the libraries may choose): for the committed table of sections and the seeded
// comparison with the exact reference.
#pragma once

#include <array>
#include <cstdint>

namespace sections {

struct Section {
    int concreteClass = 0; // item of the concrete class table
    int steelGrade = 0;    // item of the steel grade table
    std::int32_t As = 0;
    std::int32_t d = 0;
    std::int32_t b = 0;
};

class Sampler
{
public:
    explicit Sampler(std::uint64_t seed)
        : m_state(seed)
    {}

    // splitmix64
    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }

    // A whole number within first .. last.
    std::int64_t within(std::int64_t first, std::int64_t last)
    {
        return first +
               static_cast<std::int64_t>(next() % static_cast<std::uint64_t>(last - first + 1));
    }

    // Six in ten from the bars, stirrups, cover and height that the controls offer, a quarter
    // with As, d and b anywhere in their fields' ranges, the rest typed far beyond them.
    Section section()
    {
        // The area of one bar and half its diameter, items 0 to 8; stirrups of items 0 to 4.
        static constexpr std::array<int, 9> areas{28, 50, 78, 113, 201, 314, 490, 804, 1256};
        static constexpr std::array<int, 9> halves{3, 4, 5, 6, 8, 10, 12, 16, 20};
        static constexpr std::array<int, 5> stirrups{6, 8, 10, 12, 0};
        Section s;
        s.concreteClass = static_cast<int>(within(0, 7));
        s.steelGrade = static_cast<int>(within(0, 2));
        const auto kind = within(0, 19);
        if (kind < 12) {
            const auto bar = static_cast<std::size_t>(within(0, 8));
            s.As = static_cast<std::int32_t>(areas[bar] * within(0, 50));
            const auto depth = within(0, 3000) - within(15, 50) -
                               stirrups[static_cast<std::size_t>(within(0, 4))] - halves[bar];
            s.d = depth > 0 ? static_cast<std::int32_t>(depth) : -1;
            s.b = static_cast<std::int32_t>(within(0, 2000));
        } else if (kind < 17) {
            s.As = static_cast<std::int32_t>(within(0, 62800));
            s.d = static_cast<std::int32_t>(within(-1, 3000));
            s.b = static_cast<std::int32_t>(within(0, 2000));
        } else if (kind < 19) {
            s.As = static_cast<std::int32_t>(within(-100000, 1000000));
            s.d = static_cast<std::int32_t>(within(-10, 100000));
            s.b = static_cast<std::int32_t>(within(-10, 100000));
        } else {
            s.As = static_cast<std::int32_t>(within(INT32_MIN, INT32_MAX));
            s.d = static_cast<std::int32_t>(within(INT32_MIN, INT32_MAX));
            s.b = static_cast<std::int32_t>(within(INT32_MIN, INT32_MAX));
        }
        return s;
    }

private:
    std::uint64_t m_state;
};

} // namespace sections
