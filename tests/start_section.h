#pragma once

// The main window's start values as the section view receives them: C12/15, FeB500,
// 200 x 500, 4 bars of 12 mm, stirrups 8 mm, cover 15 mm; As 452, d 471.

#include "section_controls.h"
#include "section_inputs.h"

inline beam::SectionInputs startSection()
{
    return beam::startInputs();
}
