#pragma once

// The main window's start values as the section view receives them: C12/15, FeB500,
// 200 x 500, 4 bars of 12 mm, stirrups 8 mm, cover 15 mm; As 452, d 471.

#include "section_inputs.h"

#include <string>

inline beam::SectionInputs startSection()
{
    beam::SectionInputs s;
    // Whole strings: GCC 12 at -O3 reports a false -Wrestrict overlap inside
    // std::string::operator=(const char *).
    s.fydText = std::string("435");
    s.fcdText = std::string("8");
    s.steelGrade = 2;
    s.barItem = 3;
    s.stirrupItem = 1;
    s.barCount = 4;
    s.As = 452;
    s.d = 471;
    s.b = 200;
    s.H = 500;
    s.c = 15;
    return s;
}
