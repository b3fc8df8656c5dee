#include "materials.h"

namespace beam {

std::optional<ConcreteClass> concreteClass(int item)
{
    if (item < 0 || item >= int(concreteClasses.size()))
        return std::nullopt;
    return concreteClasses[std::size_t(item)];
}

std::optional<SteelGrade> steelGrade(int item)
{
    if (item < 0 || item >= int(steelGrades.size()))
        return std::nullopt;
    return steelGrades[std::size_t(item)];
}

} // namespace beam
