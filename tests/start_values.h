#pragma once

// The section the main window starts with, for the tests of its view.

#include "display_list.h"
#include "moment.h"
#include "reinforcement.h"
#include "section_inputs.h"
#include "start_section.h"

// C12/15, FeB500, 4 bars of 12 mm, stirrups of 8 mm, cover 15 mm, height 500 mm, width 200 mm.
inline beam::SectionInputs startValues()
{
    return startSection();
}

// As the main window holds it once its handlers have run: As from the bars, d from the rest.
inline beam::SectionInputs derived(beam::SectionInputs s)
{
    s.As = beam::steelArea(s.barItem, s.barCount);
    s.d = beam::effectiveDepth(s.barItem, s.stirrupItem, s.H, s.c);
    return s;
}

inline beam::SectionResult resultOf(const beam::SectionInputs &inputs)
{
    return {inputs, beam::computeMomentSteps(inputs.momentInputs())};
}

// A role's colour of the drawing, as a painter writes it.
inline unsigned int roleColour(section::Role role)
{
    const section::Rgba c = section::colourOf(role);
    return (unsigned(c.alpha) << 24) | (unsigned(c.red) << 16) | (unsigned(c.green) << 8) | c.blue;
}
