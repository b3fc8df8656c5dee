// What the main window holds about its section at one moment, read once per tick from its
// controls: the inputs of the effective depth and of the moment run, and the two it derives
// (As and d); and the one run of the moment computation on them, which the window writes into
// its fields and hands on, as one value, to every view of the section.
#pragma once

#include "moment.h"

#include <cstdint>
#include <string>

namespace beam {

struct SectionInputs {
    int concreteClass = 0; // items of the material groups
    int steelGrade = 0;
    std::string fydText; // the design-value texts, as the moment run reads them
    std::string fcdText;
    int barItem = 0; // items of the bar and stirrup groups
    int stirrupItem = 0;
    std::int32_t barCount = 0;
    std::int32_t As = 0; // mm2, computed or typed
    std::int32_t d = 0;  // mm, -1 when there is none
    std::int32_t b = 0;
    std::int32_t H = 0;
    std::int32_t c = 0;
    char decimalSeparator = '.';

    bool operator==(const SectionInputs &) const = default;

    // Views into this object: valid while it lives unchanged.
    MomentInputs momentInputs() const
    {
        MomentInputs inputs;
        inputs.concreteClass = concreteClass;
        inputs.fydText = fydText;
        inputs.fcdText = fcdText;
        inputs.As = As;
        inputs.d = d;
        inputs.b = b;
        inputs.decimalSeparator = decimalSeparator;
        return inputs;
    }
};

// The steps are a function of the inputs alone: two results with equal inputs are equal.
struct SectionResult {
    SectionInputs inputs;
    MomentSteps steps;
};

} // namespace beam
