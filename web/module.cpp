// The module that the page's script calls: one page state, and plain C functions that take and
// give UTF-8 texts. A returned text lives until the next call.
#include "page.h"

#include <emscripten/emscripten.h>

namespace {

web::Page &page()
{
    static web::Page state;
    return state;
}

const char *answer(std::string text)
{
    static std::string kept;
    kept = std::move(text);
    return kept.c_str();
}

} // namespace

extern "C" {

// The lists' item texts and the number fields' ranges, to build the controls from.
EMSCRIPTEN_KEEPALIVE const char *tralvik_controls()
{
    return answer(web::controlsJson());
}

// Everything the page shows for the current state.
EMSCRIPTEN_KEEPALIVE const char *tralvik_state()
{
    return answer(page().json());
}

// What the user set in one control, then everything the page shows; an empty text for an
// unknown control or an item out of reach, which leave the state as it was.
EMSCRIPTEN_KEEPALIVE const char *tralvik_set(const char *id, const char *text)
{
    if (!page().set(id, text))
        return "";
    return answer(page().json());
}

// The width in CSS pixels that the page has for the drawing, and whether for a printed sheet
// (not 0) or the screen, then everything the page shows.
EMSCRIPTEN_KEEPALIVE const char *tralvik_picture_width(int width, int paper)
{
    page().setPictureWidth(width, paper != 0);
    return answer(page().json());
}
}
