#include "page.h"

#include "limits_text.h"
#include "materials.h"
#include "moment.h"
#include "number_text.h"
#include "picture_text.h"
#include "reinforcement.h"
#include "report_picture.h"
#include "section_report.h"
#include "svg_picture.h"
#include "text_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace web {

using numtext::whole;

namespace {

// The result fields in the order of beam::ResultField.
constexpr std::array<std::string_view, beam::ResultFieldCount> resultIds{
    "mu0Edit", "mu1Edit", "xu1Edit", "mu2Edit", "xu2Edit", "mu3Edit",
    "xu3Edit", "z0Edit",  "z1Edit",  "z2Edit",  "z3Edit"};

// An item index or a position as the page sends it: a plain whole number within the control's
// range.
std::optional<std::int32_t> item(std::string_view text, const beam::SectionControl &control)
{
    const auto value = numtext::parseInt(text);
    if (!value || *value < control.min || *value > control.max)
        return std::nullopt;
    return *value;
}

std::string rangeText(std::int32_t min, std::int32_t max, std::string_view unit)
{
    return whole(min) + " tot en met " + whole(max) + ' ' + std::string(unit);
}

std::string rangeText(const beam::SectionControl &control)
{
    return rangeText(control.min, control.max, control.unit);
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
    void text(std::string_view name, std::string_view value)
    {
        key(name);
        appendJsonString(m_out, value);
    }
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
        appendJsonString(m_out, name);
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
        appendJsonString(out, text(entry));
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

constexpr std::string_view noResult = "—";

// The drawing's font, in CSS pixels: a little below the page's 16, as a figure's labels are.
constexpr double pictureFont = 14;
// The layout shrinks its font where the width does not hold its texts, and puts the models in
// pairs where four across would shrink it much; below this size texts are hard to read, and
// the drawing is laid out wider instead, for the page to scroll it sideways within its own
// frame.
constexpr double readableFont = 11;
constexpr double widening = 3;

double pictureHeight(double width)
{
    return std::clamp(std::round(width * 0.95), 560.0, 860.0);
}

// Where the models go in two rows of two, the picture grows downwards with the page, as a
// phone's page does anyway.
double pairsHeight(double width)
{
    return std::clamp(std::round(width * 4), 1400.0, 1800.0);
}

section::DisplayList drawing(const section::SectionReport &report, double width, bool paper)
{
    const section::SansMetrics metrics(pictureFont);
    const auto layOut = [&](double w) {
        section::PictureOptions options;
        options.pairsHeight = paper ? 0 : pairsHeight(w);
        return section::layoutPicture(report, w, pictureHeight(w), metrics, options);
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

// The desktop writes Es as its table has it, "2.0e5"; the page as a plain number where it is
// a whole one.
std::string modulusText(std::string_view Es)
{
    const auto value = numtext::parseRealAsDouble(Es);
    if (value && *value == std::trunc(*value) && std::fabs(*value) < 1e15)
        return whole(std::int64_t(*value));
    return std::string(Es);
}

std::string_view toneName(section::Tone tone)
{
    switch (tone) {
    case section::Tone::Ok:
        return "ok";
    case section::Tone::Warning:
        return "warning";
    case section::Tone::Invalid:
        break;
    }
    return "invalid";
}

// The lines are indented for the calculation text; the page sets them as a list.
std::string unindented(const std::string &line)
{
    const auto start = line.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : line.substr(start);
}

} // namespace

void appendJsonString(std::string &out, std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    static constexpr auto escaped = [] {
        std::array<bool, 256> table{};
        for (std::size_t byte = 0; byte < 0x20; ++byte)
            table[byte] = true;
        table['"'] = table['\\'] = true;
        return table;
    }();
    out += '"';
    // Runs that need no escape go in whole: the drawing is most of every answer.
    std::size_t plain = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!escaped[byte])
            continue; // UTF-8 passes as it is
        out.append(text.data() + plain, i - plain);
        plain = i + 1;
        if (byte == '"' || byte == '\\') {
            const char escape[] = {'\\', text[i]};
            out.append(escape, sizeof escape);
        } else if (byte == '\n') {
            out.append("\\n", 2);
        } else {
            const char escape[] = {'\\', 'u', '0', '0', hex[byte >> 4], hex[byte & 15]};
            out.append(escape, sizeof escape);
        }
    }
    out.append(text.data() + plain, text.size() - plain);
    out += '"';
}

Page::Page()
    : m_inputs(beam::startInputs())
{
    for (std::size_t i = 0; i < beam::sectionControls.size(); ++i)
        m_texts[i] = whole(m_inputs.*beam::sectionControls[i].field);
}

// As the main window's handlers do: a changed bar count or diameter sets As anew, also over an
// area the user typed; the design values follow the materials and d the bars, stirrups, height
// and cover.
void Page::take(const beam::SectionControl &control)
{
    m_inputs.fcdText = beam::concreteClasses[std::size_t(m_inputs.concreteClass)].fcd;
    m_inputs.fydText = beam::steelGrades[std::size_t(m_inputs.steelGrade)].fyd;
    if (control.field == &beam::SectionInputs::barItem ||
        control.field == &beam::SectionInputs::barCount)
        takeBars();
    m_inputs.d =
        beam::effectiveDepth(m_inputs.barItem, m_inputs.stirrupItem, m_inputs.H, m_inputs.c);
}

void Page::takeBars()
{
    m_inputs.As = beam::steelArea(m_inputs.barItem, m_inputs.barCount);
    const std::size_t area = *beam::controlIndex("AsNumEdit");
    m_texts[area] = numtext::formatInteger(m_inputs.As);
    m_status[area] = numtext::Valid;
}

bool Page::set(std::string_view id, std::string_view text)
{
    if (id == "MEdEdit") {
        m_designText = text;
        return true;
    }
    if (id == "DmaxEdit") {
        m_aggregateText = text;
        const section::AggregateEntry entry = section::readAggregate(text);
        if (entry.value)
            m_aggregate = *entry.value;
        m_aggregateReason =
            entry.value ? std::string()
                        : entry.reason + " Gerekend met Dmax = " + whole(m_aggregate) + " mm.";
        return true;
    }
    const auto found = beam::controlIndex(id);
    if (!found)
        return false;
    const beam::SectionControl &control = beam::sectionControls[*found];
    std::int32_t value = 0;
    if (control.kind == beam::ControlKind::Number) {
        m_texts[*found] = text;
        const numtext::Status status =
            numtext::checkNumber(numtext::Kind::Integer, text, {}, control.min, control.max).status;
        m_status[*found] = status;
        if (status != numtext::Valid)
            return true;
        value = numtext::parseInt(text).value_or(0);
    } else {
        const auto i = item(text, control);
        if (!i)
            return false;
        value = *i;
    }
    m_inputs.*control.field = value;
    take(control);
    return true;
}

void Page::setPictureWidth(std::int32_t cssPixels, bool paper)
{
    m_pictureWidth = std::clamp(cssPixels, 0, widestPicture);
    m_paper = paper;
}

std::string Page::message(std::size_t f) const
{
    const beam::SectionControl &control = beam::sectionControls[f];
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
    const std::int32_t inUse = m_inputs.*control.field;
    return why + " Typ voor " + std::string(control.what) + " een heel getal van " +
           rangeText(control) + "; de berekening gaat nog uit van " + whole(inUse) + ' ' +
           std::string(control.unit) + '.';
}

std::string Page::json() const
{
    section::SectionReport report =
        section::makeReport({m_inputs, beam::computeMomentSteps(m_inputs.momentInputs())},
                            m_designText, typedSeparator, m_aggregate);
    report.chart.currentName = "huidige As";
    const bool hasSection = report.result.steps.guardPassed;
    const beam::MomentTexts &texts = report.texts();
    const auto concrete = beam::concreteClasses[std::size_t(m_inputs.concreteClass)];
    const auto steel = beam::steelGrades[std::size_t(m_inputs.steelGrade)];
    const section::DisplayList picture =
        drawing(report, std::max(m_pictureWidth, narrowestPicture), m_paper);

    std::string out;
    {
        Members answer(out);
        {
            Members values(answer.nested("values"));
            for (std::size_t i = 0; i < beam::sectionControls.size(); ++i) {
                const beam::SectionControl &control = beam::sectionControls[i];
                values.text(control.id, control.kind == beam::ControlKind::Number
                                            ? m_texts[i]
                                            : whole(m_inputs.*control.field));
            }
            values.text("MEdEdit", m_designText);
            values.text("DmaxEdit", m_aggregateText);
        }
        {
            Members messages(answer.nested("messages"));
            for (std::size_t i = 0; i < beam::sectionControls.size(); ++i)
                if (beam::sectionControls[i].kind == beam::ControlKind::Number)
                    messages.text(beam::sectionControls[i].id, message(i));
            messages.text("MEdEdit", report.designMoment.reason);
            messages.text("DmaxEdit", m_aggregateReason);
        }
        {
            Members fields(answer.nested("fields"));
            fields.text("nEdit", whole(m_inputs.barCount));
            fields.text("fbDrukEdit", concrete.fcd);
            fields.text("fbTrekEdit", concrete.fctd);
            fields.text("EbEdit", concrete.Ecm);
            fields.text("fsEdit", steel.fyd);
            fields.text("EsEdit", modulusText(steel.Es));
            // Without a section the main window shows 0, nan and a negative d: here a dash,
            // and resultsNote says why.
            fields.text("dNumEdit", hasSection || m_inputs.d > 0
                                        ? numtext::formatInteger(m_inputs.d)
                                        : std::string(noResult));
            for (std::size_t r = 0; r < resultIds.size(); ++r)
                fields.text(resultIds[r], hasSection ? texts[r] : std::string(noResult));
        }
        answer.text("svg", section::svgPicture(picture, pictureFont));
        answer.text("description", picture.description);
        answer.raw("pictureWider", picture.width > m_pictureWidth ? "true" : "false");
        answer.raw("pictureNotes",
                   jsonList(picture.notes, [](const std::string &note) { return note; }));
        {
            std::string &models = answer.nested("models");
            models += '[';
            for (const beam::ModelDescriptor &descriptor : beam::models) {
                if (descriptor.model != beam::models.front().model)
                    models += ',';
                Members model(models);
                model.text("name", descriptor.name);
                model.raw("lines",
                          jsonList(report.modelLines[beam::index(descriptor.model)], unindented));
                const section::ModelVerdict verdict =
                    section::modelVerdict(report.result.steps, report.limits, descriptor.model);
                model.text("verdict", verdict.words);
                model.text("tone", toneName(verdict.tone));
            }
            models += ']';
        }
        answer.raw("notes",
                   jsonList(report.designNotes, [](const std::string &note) { return note; }));
        answer.text("calculation", steps(report.calculation));
        if (!hasSection) {
            const std::string missing = section::missingSection(m_inputs);
            answer.text("resultsNote",
                        (missing.empty() ? std::string("Geen doorsnede.") : missing) +
                            " Geen model geeft dan een uitkomst.");
        }
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
            // The main window's last stirrup item, "none" there, has the diameter 0.
            lists.raw("PHIbgRadioGroup", jsonList(beam::stirrupDiameters, [](int phi) {
                          return phi > 0 ? whole(phi) : std::string("geen");
                      }));
        }
        {
            Members ranges(answer.nested("ranges"));
            for (const beam::SectionControl &control : beam::sectionControls) {
                if (control.kind != beam::ControlKind::Number)
                    continue;
                Members range(ranges.nested(control.id));
                range.raw("min", whole(control.min));
                range.raw("max", whole(control.max));
                range.text("text", rangeText(control));
            }
            Members range(ranges.nested("DmaxEdit"));
            range.raw("min", whole(beam::smallestAggregate));
            range.raw("max", whole(beam::largestAggregate));
            range.text("text", rangeText(beam::smallestAggregate, beam::largestAggregate, "mm"));
        }
        answer.raw("barCount", whole(beam::sectionControl("ScrollBar1").max));
    }
    return out;
}

} // namespace web
