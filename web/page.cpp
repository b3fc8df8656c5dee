#include "page.h"

#include "materials.h"
#include "moment.h"
#include "reinforcement.h"
#include "report_picture.h"
#include "section_report.h"
#include "svg_picture.h"
#include "text_metrics.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace web {
namespace {

// The result fields in the order of beam::ResultField.
constexpr std::array<std::string_view, beam::ResultFieldCount> resultIds{
    "mu0Edit", "mu1Edit", "xu1Edit", "mu2Edit", "xu2Edit", "mu3Edit",
    "xu3Edit", "z0Edit",  "z1Edit",  "z2Edit",  "z3Edit"};

std::string whole(std::int64_t value)
{
    char buffer[24];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

// An item index or a position as the page sends it: a plain whole number within 0 .. last.
std::optional<int> item(std::string_view text, int last)
{
    const auto value = numtext::parseInt(text);
    if (!value || *value < 0 || *value > last)
        return std::nullopt;
    return int(*value);
}

std::string rangeText(const NumberControl &control)
{
    return whole(control.min) + " tot en met " + whole(control.max) + ' ' +
           std::string(control.unit);
}

// Members of one JSON object, written in order.
class Members
{
public:
    explicit Members(std::string &out)
        : m_out(out)
    {
        m_out += '{';
    }
    ~Members() { m_out += '}'; }
    Members(const Members &) = delete;
    Members &operator=(const Members &) = delete;

    // The value's text is written as it is: a JSON value already.
    void raw(std::string_view name, std::string_view value)
    {
        key(name);
        m_out += value;
    }
    void text(std::string_view name, std::string_view value) { raw(name, jsonString(value)); }
    // Opens a nested value; the caller writes it before the next member.
    std::string &nested(std::string_view name)
    {
        key(name);
        return m_out;
    }

private:
    void key(std::string_view name)
    {
        if (m_any)
            m_out += ',';
        m_any = true;
        m_out += jsonString(name);
        m_out += ':';
    }

    std::string &m_out;
    bool m_any = false;
};

template <typename Range, typename Text> std::string jsonList(const Range &range, Text text)
{
    std::string out = "[";
    for (const auto &entry : range) {
        if (out.size() > 1)
            out += ',';
        out += jsonString(text(entry));
    }
    return out + ']';
}

// The calculation text ends with the eleven fields as the main window arranges them, in columns
// of fixed width; the page shows the same texts in its own table, which also reflows at a
// phone's width, so that part is left out.
std::string steps(std::string text)
{
    const auto fields = text.find("\n\nUitkomsten, zoals in het hoofdvenster:");
    if (fields != std::string::npos)
        text.resize(fields + 1);
    return text;
}

// A Dutch user types a decimal comma; a point is read as well (readDesignMoment).
constexpr char typedSeparator = ',';

// The drawing's font, in CSS pixels: a little below the page's 16, as a figure's labels are.
constexpr double pictureFont = 14;
// The layout shrinks its font where the width does not hold its texts; below this size they
// are hard to read, and the drawing is laid out wider instead, for the page to scroll it
// sideways within its own frame. Four models beside the section do not fit a phone's column.
constexpr double readableFont = 11;
constexpr double widening = 3;

double pictureHeight(double width)
{
    return std::clamp(std::round(width * 0.95), 560.0, 860.0);
}

section::DisplayList drawing(const section::SectionReport &report, double width)
{
    const section::SansMetrics metrics(pictureFont);
    const auto layOut = [&](double w) {
        return section::layoutPicture(report, w, pictureHeight(w), metrics);
    };
    section::DisplayList list = layOut(width);
    // The font shrinks about as the width does where the width limits it, in steps: a second
    // try catches the step the first one fell short of.
    for (int tries = 0; tries < 2; ++tries) {
        const double font = pictureFont * list.fontScale;
        if (font >= readableFont || !(font > 0))
            break;
        const double wider = std::min(std::ceil(width * std::min(readableFont / font, widening)),
                                      double(widestPicture));
        if (wider <= width)
            break;
        width = wider;
        list = layOut(width);
    }
    return list;
}

// The lines are indented for the calculation text; the page sets them as a list.
std::string unindented(const std::string &line)
{
    const auto start = line.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : line.substr(start);
}

} // namespace

std::string jsonString(std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (byte < 0x20) {
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += c; // UTF-8 passes as it is
        }
    }
    return out + '"';
}

Page::Page()
{
    m_inputs.concreteClass = 0;
    m_inputs.steelGrade = 2;
    m_inputs.barItem = 3;
    m_inputs.stirrupItem = 1;
    m_inputs.barCount = 4;
    m_inputs.c = 15;
    m_inputs.H = 500;
    m_inputs.b = 200;
    m_inputs.fcdText = beam::concreteClasses[0].fcd;
    m_inputs.fydText = beam::steelGrades[2].fyd;
    m_texts[CoverField] = whole(m_inputs.c);
    m_texts[HeightField] = whole(m_inputs.H);
    m_texts[WidthField] = whole(m_inputs.b);
    takeBars();
    takeDepth();
}

// As the main window's bar handlers do: a changed bar count or diameter sets As anew, also
// over an area the user typed.
void Page::takeBars()
{
    m_inputs.As = beam::steelArea(m_inputs.barItem, m_inputs.barCount);
    m_texts[AsField] = numtext::formatInteger(m_inputs.As);
    m_status[AsField] = numtext::Valid;
}

void Page::takeDepth()
{
    m_inputs.d =
        beam::effectiveDepth(m_inputs.barItem, m_inputs.stirrupItem, m_inputs.H, m_inputs.c);
}

bool Page::set(std::string_view id, std::string_view text)
{
    if (id == "BRadioGroup") {
        const auto i = item(text, int(beam::concreteClasses.size()) - 1);
        if (!i)
            return false;
        m_inputs.concreteClass = *i;
        m_inputs.fcdText = beam::concreteClasses[std::size_t(*i)].fcd;
        return true;
    }
    if (id == "FeBRadioGroup") {
        const auto i = item(text, int(beam::steelGrades.size()) - 1);
        if (!i)
            return false;
        m_inputs.steelGrade = *i;
        m_inputs.fydText = beam::steelGrades[std::size_t(*i)].fyd;
        return true;
    }
    if (id == "PHIhwRadioGroup") {
        const auto i = item(text, int(beam::barDiameters.size()) - 1);
        if (!i)
            return false;
        m_inputs.barItem = *i;
        takeBars();
        takeDepth();
        return true;
    }
    if (id == "PHIbgRadioGroup") {
        const auto i = item(text, int(beam::stirrupDiameters.size()) - 1);
        if (!i)
            return false;
        m_inputs.stirrupItem = *i;
        takeDepth();
        return true;
    }
    if (id == "ScrollBar1") {
        const auto i = item(text, maximumBarCount);
        if (!i)
            return false;
        m_inputs.barCount = *i;
        takeBars();
        return true;
    }
    for (int field = 0; field < NumberFieldCount; ++field) {
        const NumberControl &control = numberControls[std::size_t(field)];
        if (id != control.id)
            continue;
        m_texts[std::size_t(field)] = text;
        const numtext::Status status =
            numtext::checkNumber(numtext::Kind::Integer, text, {}, control.min, control.max).status;
        m_status[std::size_t(field)] = status;
        if (status != numtext::Valid)
            return true;
        const std::int32_t value = numtext::parseInt(text).value_or(0);
        switch (field) {
        case AsField:
            m_inputs.As = value;
            break;
        case CoverField:
            m_inputs.c = value;
            break;
        case HeightField:
            m_inputs.H = value;
            break;
        default:
            m_inputs.b = value;
            break;
        }
        takeDepth();
        return true;
    }
    if (id == "MEdEdit") {
        m_designText = text;
        return true;
    }
    return false;
}

void Page::setPictureWidth(std::int32_t cssPixels)
{
    m_pictureWidth = std::clamp(cssPixels, 0, widestPicture);
}

std::string Page::message(int field) const
{
    const auto f = std::size_t(field);
    const NumberControl &control = numberControls[f];
    std::string why;
    switch (m_status[f]) {
    case numtext::Valid:
        return {};
    case numtext::NotANumber:
        why = m_texts[f].empty() ? "Het veld is leeg." : "Dit is geen heel getal.";
        break;
    case numtext::BeyondKind:
        why = "Dit getal valt buiten de hele getallen.";
        break;
    case numtext::BeyondRange:
        why = "Dit getal valt buiten het bereik.";
        break;
    }
    const std::int32_t inUse = field == AsField       ? m_inputs.As
                               : field == CoverField  ? m_inputs.c
                               : field == HeightField ? m_inputs.H
                                                      : m_inputs.b;
    return why + " Typ voor " + std::string(control.what) + " een heel getal van " +
           rangeText(control) + "; de berekening gaat nog uit van " + whole(inUse) + ' ' +
           std::string(control.unit) + '.';
}

std::string Page::json() const
{
    const section::SectionReport report =
        section::makeReport({m_inputs, beam::computeMomentSteps(m_inputs.momentInputs())},
                            m_designText, typedSeparator);
    const beam::MomentTexts &texts = report.texts();
    const auto concrete = beam::concreteClasses[std::size_t(m_inputs.concreteClass)];
    const auto steel = beam::steelGrades[std::size_t(m_inputs.steelGrade)];
    const section::DisplayList picture =
        drawing(report, std::max(m_pictureWidth, narrowestPicture));

    std::string out;
    {
        Members answer(out);
        {
            Members values(answer.nested("values"));
            values.text("BRadioGroup", whole(m_inputs.concreteClass));
            values.text("FeBRadioGroup", whole(m_inputs.steelGrade));
            values.text("PHIhwRadioGroup", whole(m_inputs.barItem));
            values.text("PHIbgRadioGroup", whole(m_inputs.stirrupItem));
            values.text("ScrollBar1", whole(m_inputs.barCount));
            for (std::size_t f = 0; f < numberControls.size(); ++f)
                values.text(numberControls[f].id, m_texts[f]);
            values.text("MEdEdit", m_designText);
        }
        {
            Members messages(answer.nested("messages"));
            for (std::size_t f = 0; f < numberControls.size(); ++f)
                messages.text(numberControls[f].id, message(int(f)));
            messages.text("MEdEdit", report.designMoment.reason);
        }
        {
            Members fields(answer.nested("fields"));
            fields.text("nEdit", whole(m_inputs.barCount));
            fields.text("fbDrukEdit", concrete.fcd);
            fields.text("fbTrekEdit", concrete.fctd);
            fields.text("EbEdit", concrete.Ecm);
            fields.text("fsEdit", steel.fyd);
            fields.text("EsEdit", steel.Es);
            fields.text("dNumEdit", numtext::formatInteger(m_inputs.d));
            for (std::size_t r = 0; r < resultIds.size(); ++r)
                fields.text(resultIds[r], texts[r]);
        }
        answer.text("svg", section::svgPicture(picture, pictureFont));
        answer.text("description", picture.description);
        answer.raw("pictureWider", picture.width > m_pictureWidth ? "true" : "false");
        {
            std::string &models = answer.nested("models");
            models += '[';
            for (int column = 0; column < beam::modelColumnCount; ++column) {
                if (column > 0)
                    models += ',';
                Members model(models);
                model.text("name", section::modelName(std::size_t(column)));
                model.raw("lines", jsonList(report.modelLines[std::size_t(column)], unindented));
            }
            models += ']';
        }
        answer.raw("notes",
                   jsonList(report.designNotes, [](const std::string &note) { return note; }));
        answer.text("calculation", steps(report.calculation));
    }
    return out;
}

std::string controlsJson()
{
    std::string out;
    {
        Members answer(out);
        {
            Members lists(answer.nested("lists"));
            lists.raw("BRadioGroup", jsonList(beam::concreteClasses,
                                              [](const auto &c) { return std::string(c.name); }));
            lists.raw("FeBRadioGroup", jsonList(beam::steelGrades,
                                                [](const auto &s) { return std::string(s.name); }));
            lists.raw("PHIhwRadioGroup",
                      jsonList(beam::barDiameters, [](int phi) { return whole(phi); }));
            // The main window's last stirrup item, "none", has the diameter 0.
            lists.raw("PHIbgRadioGroup", jsonList(beam::stirrupDiameters, [](int phi) {
                          return phi > 0 ? whole(phi) : std::string("none");
                      }));
        }
        {
            Members ranges(answer.nested("ranges"));
            for (const NumberControl &control : numberControls) {
                Members range(ranges.nested(control.id));
                range.raw("min", whole(control.min));
                range.raw("max", whole(control.max));
                range.text("text", rangeText(control));
            }
        }
        answer.raw("barCount", whole(maximumBarCount));
    }
    return out;
}

} // namespace web
