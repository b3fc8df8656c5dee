// The browser page's state and its one computation, on the same rules as the main window and
// its section view.
//
// Pipeline: what the user set in a control (an item, a position, a typed text) -> checked by the
// number rules -> section inputs with As and d derived as the main window derives them, and a
// design moment read in extended -> the moment run, the models' limits and chart, the drawing
// laid out for the width the page gives it and written as SVG, the calculation text -> one
// JSON answer that the page's script puts in place, field by field. The controls carry the main
// window's names. The script computes nothing: it moves these texts between the page and the
// module.
#pragma once

#include "number_text.h"
#include "section_checks.h"
#include "section_controls.h"
#include "section_inputs.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace web {

// The drawing's width in CSS pixels, at least and at most: a narrower column scrolls it
// sideways, a wider one leaves room beside it.
inline constexpr std::int32_t narrowestPicture = 240;
inline constexpr std::int32_t widestPicture = 2000;

class Page
{
public:
    // The main window's start values: C12/15, FeB500, four bars of 12 mm, stirrups of 8 mm,
    // cover 15, height 500, width 200.
    Page();

    // What the user set in the control named `id`: an item index for a list, the position for
    // the bar count, the typed text for a number field. A number field keeps the text as typed;
    // the section takes it only when it is a whole number within the field's range, and until
    // then keeps the last one that was. False for an unknown control or an item out of reach.
    // "MEdEdit" takes the design moment's text in kNm: it applies as typed, and a text that is
    // no number of 0 or more gives no design lines until it is one. "DmaxEdit" takes the largest
    // aggregate size in mm as typed; a text that is no whole number in range keeps the last
    // one taken.
    bool set(std::string_view id, std::string_view text);

    // The width the page has for the drawing; the height follows from it. On the screen the
    // page grows downwards, so that a narrow column gets the models in pairs; a sheet does not.
    void setPictureWidth(std::int32_t cssPixels, bool paper = false);

    const beam::SectionInputs &inputs() const { return m_inputs; }

    // {"values": every control's value or text, "messages": why a typed text is not taken,
    //  "fields": every shown text by its control, "svg": the drawing as an SVG document,
    //  "description": what it shows in words, "pictureWider": whether it is laid out wider
    //  than the page's column, to keep its texts readable, "pictureNotes": the drawing's
    //  notes, for page text where it is laid out for a phone's column and leaves them out,
    //  "models": per model its name, its lines on strain, yielding and steel, its "verdict" in
    //  words and its "tone" ("ok", "warning", "invalid"), "notes": what the design lines leave
    //  unchecked, "calculation": the calculation's steps, "resultsNote": without a section, why
    //  there are no results}
    std::string json() const;

private:
    void take(const beam::SectionControl &control);
    void takeBars();
    std::string message(std::size_t control) const;

    beam::SectionInputs m_inputs;
    // By beam::sectionControls; only the number fields' are used: the text as typed, and
    // whether it was taken.
    std::array<std::string, beam::sectionControls.size()> m_texts;
    std::array<numtext::Status, beam::sectionControls.size()> m_status{};
    std::string m_designText;
    std::string m_aggregateText = numtext::whole(beam::defaultAggregate);
    int m_aggregate = beam::defaultAggregate;
    std::string m_aggregateReason;
    std::int32_t m_pictureWidth = 800;
    bool m_paper = false;
};

// The item texts of the lists and the ranges of the number fields, for building the page:
// {"lists": {id: [texts]}, "ranges": {id: {"min", "max", "unit", "text"}}, "barCount": max}.
std::string controlsJson();

// Appends a text as a JSON string, quotes included; control characters escaped.
void appendJsonString(std::string &out, std::string_view text);

} // namespace web
