// Material tables: the concrete classes and steel grades the user picks from, and the design
// values shown for them. The values are fixed texts, written exactly as a designer writes
// them ("30.0", "1.50", "2.0e5"); the moment models read fyd and fcd back from these texts.
// Each class also holds α and β of the "bi_lineair" stress block, as texts and as the doubles
// nearest to them, which that model computes with (7.0 / 18.0 is that double: the division
// rounds once).
#pragma once

#include "models.h"

#include <array>
#include <optional>
#include <string_view>

namespace beam {

struct ConcreteClass {
    std::string_view name;
    std::string_view fcd;  // design compressive strength, N/mm2
    std::string_view fctd; // design tensile strength, N/mm2
    std::string_view Ecm;  // modulus of elasticity, N/mm2
    BlockConstants biLinear;
    int fck = 0; // characteristic strength, N/mm2: it sets the ultimate strain of "bi_lineair"
};

struct SteelGrade {
    std::string_view name;
    std::string_view fyd; // design yield strength, N/mm2, always a whole number
    std::string_view Es;  // modulus of elasticity, N/mm2
};

inline constexpr std::array<ConcreteClass, 8> concreteClasses{{
    {"C12/15", "8", "0.73", "27000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 12},
    {"C20/25", "13.3", "1.03", "30000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 20},
    {"C28/35", "18.7", "1.29", "32000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 28},
    {"C35/45", "23.3", "1.50", "34000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 35},
    {"C45/55", "30.0", "1.77", "36000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 45},
    {"C53/65", "35.3", "1.94", "38000", {"0.73", "0.38", 0.73, 0.38}, 53},
    {"C60/75", "40.0", "2.03", "39000", {"0.67", "0.36", 0.67, 0.36}, 60},
    {"C70/85", "46.7", "2.15", "41000", {"0.62", "0.35", 0.62, 0.35}, 70},
}};

inline constexpr std::array<SteelGrade, 3> steelGrades{{
    {"FeB220", "191", "2.0e5"},
    {"FeB400", "348", "2.0e5"},
    {"FeB500", "435", "2.0e5"},
}};

// None for an index outside the table (no item selected): the fields then keep their texts.
std::optional<ConcreteClass> concreteClass(int item);
std::optional<SteelGrade> steelGrade(int item);

} // namespace beam
