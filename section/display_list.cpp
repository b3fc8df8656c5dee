#include "display_list.h"

namespace section {

Rgba colourOf(Role role)
{
    switch (role) {
    case Role::Concrete:
        return {236, 236, 230};
    case Role::Steel:
        return {40, 40, 40};
    case Role::Block:
        return {120, 160, 215, 160};
    case Role::Invalid:
        return {190, 30, 30};
    case Role::Force:
        return {20, 90, 40};
    case Role::Grid:
        return {160, 160, 164};
    case Role::Ink:
        break;
    }
    return {0, 0, 0};
}

} // namespace section
