#include "models.h"

#include "materials.h"

namespace beam {

BlockConstants blockConstants(Model model, int concreteClass)
{
    if (const auto &own = descriptor(model).constants)
        return *own;
    if (model != Model::BiLinear)
        return {};
    // The window always has a class selected, so for an index outside the table the constants
    // of the lower classes are as good as any and keep the results defined.
    const auto concrete = beam::concreteClass(concreteClass);
    return concrete ? concrete->biLinear : concreteClasses.front().biLinear;
}

} // namespace beam
