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
    case Role::Warning:
        return {175, 90, 0};
    case Role::WarningBlock:
        return {250, 190, 100, 130};
    case Role::Strain:
        return {200, 200, 206, 140};
    // Blue, bluish green and reddish purple after the colour-blind-safe set, darkened a little
    // for thin lines, beside a dark grey for the straight line of "benadering".
    case Role::Series0:
        return {85, 85, 85};
    case Role::Series1:
        return {0, 114, 178};
    case Role::Series2:
        return {0, 150, 110};
    case Role::Series3:
        return {185, 80, 150};
    case Role::Ink:
        break;
    }
    return {0, 0, 0};
}

Label placeLabel(std::string text, double x, double top, double width, double height, double ascent,
                 double size, Align align, Role role, Owner owner)
{
    Label l;
    if (align == Align::Centre)
        x -= width / 2;
    else if (align == Align::Right)
        x -= width;
    l.box = {x, top, width, height};
    l.baseline = top + ascent;
    l.text = std::move(text);
    l.size = size;
    l.align = align;
    l.role = role;
    l.owner = owner;
    return l;
}

} // namespace section
