// The controls that set a section, once: each one's name on the main form (and on the page),
// what it holds, its range, its unit and its start value. The form is checked against this
// table, and the page, the tests and the benchmark read it rather than repeating it.
#pragma once

#include "materials.h"
#include "reinforcement.h"
#include "section_inputs.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace beam {

enum class ControlKind : std::uint8_t {
    Item,     // a radio group: the index of its item
    Position, // a scroll bar: its position
    Number,   // a number edit open to typing
};

struct SectionControl {
    std::string_view id;
    ControlKind kind = ControlKind::Item;
    std::int32_t SectionInputs::*field = nullptr;
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::int32_t start = 0; // for As: the area of the start bars, which the form derives
    // A number's quantity in a sentence ("de hoogte") and its unit.
    std::string_view what;
    std::string_view unit;
};

inline constexpr std::int32_t lastOf(std::size_t size)
{
    return std::int32_t(size) - 1;
}

// In the order in which the page lists the controls' values.
inline constexpr std::array<SectionControl, 9> sectionControls{{
    {"BRadioGroup", ControlKind::Item, &SectionInputs::concreteClass, 0,
     lastOf(concreteClasses.size()), 0, "", ""},
    {"FeBRadioGroup", ControlKind::Item, &SectionInputs::steelGrade, 0, lastOf(steelGrades.size()),
     2, "", ""},
    {"PHIhwRadioGroup", ControlKind::Item, &SectionInputs::barItem, 0, lastOf(barDiameters.size()),
     3, "", ""},
    {"PHIbgRadioGroup", ControlKind::Item, &SectionInputs::stirrupItem, 0,
     lastOf(stirrupDiameters.size()), 1, "", ""},
    {"ScrollBar1", ControlKind::Position, &SectionInputs::barCount, 0, 50, 4, "", ""},
    {"AsNumEdit", ControlKind::Number, &SectionInputs::As, 0, 50000, 452, "het staaloppervlak As",
     "mm²"},
    {"cNumEdit", ControlKind::Number, &SectionInputs::c, 15, 50, 15, "de dekking c", "mm"},
    {"HNumEdit", ControlKind::Number, &SectionInputs::H, 0, 3000, 500, "de hoogte", "mm"},
    {"BNumEdit", ControlKind::Number, &SectionInputs::b, 0, 2000, 200, "de breedte", "mm"},
}};

inline constexpr std::optional<std::size_t> controlIndex(std::string_view id)
{
    for (std::size_t i = 0; i < sectionControls.size(); ++i)
        if (sectionControls[i].id == id)
            return i;
    return std::nullopt;
}

inline constexpr const SectionControl &sectionControl(std::string_view id)
{
    return sectionControls[*controlIndex(id)];
}

// The design-value texts and the two derived values of `s`, as the form's handlers set them:
// As from the bars, d from the bars, the stirrups, the height and the cover.
inline void deriveSection(SectionInputs &s)
{
    // Whole strings moved in: GCC 12 at -O3 reports a false -Wrestrict overlap where a short
    // text is assigned in place.
    s.fcdText = std::string(concreteClasses[std::size_t(s.concreteClass)].fcd);
    s.fydText = std::string(steelGrades[std::size_t(s.steelGrade)].fyd);
    s.As = steelArea(s.barItem, s.barCount);
    s.d = effectiveDepth(s.barItem, s.stirrupItem, s.H, s.c);
}

// The section the main form starts with: C12/15, FeB500, 4 bars of 12 mm, stirrups of 8 mm,
// cover 15, height 500, width 200; As 452, d 471.
inline SectionInputs startInputs()
{
    SectionInputs s;
    for (const SectionControl &control : sectionControls)
        s.*control.field = control.start;
    deriveSection(s);
    return s;
}

} // namespace beam
