// How the picture and the words about it count the models: one column per model, in the order of
// beam::Model, "benadering" first.
#pragma once

#include "models.h"

#include <cstddef>

namespace section {

inline constexpr int modelColumns = int(beam::modelCount);
inline constexpr int approximationColumn = int(beam::index(beam::Model::Approximation));

// The name of a column's model as its heading shows it.
inline const char *modelName(std::size_t column)
{
    return beam::models[column].name.data(); // a literal's view: ends in its NUL
}

} // namespace section
