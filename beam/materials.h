// Material tables: the concrete classes and steel grades the user picks from, and the design
// values shown for them. The values are fixed texts, written exactly as a designer writes
// them ("30.0", "1.50", "2.0e5"); the moment models read fyd and fcd back from these texts.
// Each class also holds α and β of the "bi_lineair" stress block, as texts and as the doubles
// nearest to them, which that model computes with (7.0 / 18.0 is that double: the division
// rounds once). fctm (in tenths of N/mm2, so that As,min can be computed in whole numbers) and
// fyk enter only the minimum reinforcement; the strains of the parabola-rectangle diagram are
// the code's own for the class, which the stress blocks of the high classes do not use.
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
    int fctmTenths = 0; // mean tensile strength, in 0.1 N/mm2
    // εc2 and εcu2 in per mille and the exponent n of Table 3.1, as the code writes them.
    std::string_view parabolaStrain;
    std::string_view ultimateStrain;
    std::string_view exponent;
};

struct SteelGrade {
    std::string_view name;
    std::string_view fyd; // design yield strength, N/mm2, always a whole number
    std::string_view Es;  // modulus of elasticity, N/mm2
    int fyk;              // characteristic yield strength, N/mm2
};

inline constexpr std::array<ConcreteClass, 8> concreteClasses{{
    {"C12/15", "8", "0.73", "27000", {"0.75", "7/18", 0.75, 7.0 / 18.0}, 12, 16, "2.0", "3.5", "2"},
    {"C20/25",
     "13.3",
     "1.03",
     "30000",
     {"0.75", "7/18", 0.75, 7.0 / 18.0},
     20,
     22,
     "2.0",
     "3.5",
     "2"},
    {"C28/35",
     "18.7",
     "1.29",
     "32000",
     {"0.75", "7/18", 0.75, 7.0 / 18.0},
     28,
     28,
     "2.0",
     "3.5",
     "2"},
    {"C35/45",
     "23.3",
     "1.50",
     "34000",
     {"0.75", "7/18", 0.75, 7.0 / 18.0},
     35,
     32,
     "2.0",
     "3.5",
     "2"},
    {"C45/55",
     "30.0",
     "1.77",
     "36000",
     {"0.75", "7/18", 0.75, 7.0 / 18.0},
     45,
     38,
     "2.0",
     "3.5",
     "2"},
    {"C53/65",
     "35.3",
     "1.94",
     "38000",
     {"0.73", "0.38", 0.73, 0.38},
     53,
     42,
     "2.15",
     "3.26",
     "1.84"},
    {"C60/75",
     "40.0",
     "2.03",
     "39000",
     {"0.67", "0.36", 0.67, 0.36},
     60,
     44,
     "2.29",
     "2.88",
     "1.59"},
    {"C70/85",
     "46.7",
     "2.15",
     "41000",
     {"0.62", "0.35", 0.62, 0.35},
     70,
     46,
     "2.42",
     "2.66",
     "1.44"},
}};

inline constexpr std::array<SteelGrade, 3> steelGrades{{
    {"FeB220", "191", "2.0e5", 220},
    {"FeB400", "348", "2.0e5", 400},
    {"FeB500", "435", "2.0e5", 500},
}};

// None for an index outside the table (no item selected): the fields then keep their texts.
std::optional<ConcreteClass> concreteClass(int item);
std::optional<SteelGrade> steelGrade(int item);

} // namespace beam
