// The driver of the picture's layout: it tries font sizes, the extras at each level they may
// take, and lays out one arrangement in its parts.
#include "picture_layout.h"

#include "picture_parts.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace section {
namespace picture {

bool Layout::emit(const Frame &fr, const std::vector<Line> &notes)
{
    list.horizontalScale = fr.sx;
    list.verticalScale = fr.sy;
    list.toScale =
        std::fabs(fr.sectionSy - fr.sx) <= 1e-9 * fr.sx && (!fr.stacked || fr.sy == fr.sectionSy);
    const ColumnScale columnY = columnScale(fr);
    list.columnsBroken = columnY.broken;
    sectionMarks(fr);
    columnMarks(fr, columnY);
    const bool columnsPacked = columnLabels(fr, columnY);
    const bool depthPacked = depthLabels(fr);
    const double resultsTop = columnY(g.drawnDepth) + L * gap::beforeResults + s.belowBand;
    results(fr, resultsTop);
    placeNotes(notes, std::max(resultsTop + fr.rowShift(beam::modelCount - 1) + s.resultsHeight,
                               fr.stacked ? 0.0 : fr.widthLine(g, L) + L * gap::belowWidthLabel));
    outerLabels(fr);
    return columnsPacked && depthPacked;
}

bool Layout::layOutEmpty()
{
    const std::vector<std::string> lines = wrap(g.emptyText, area.width, 1);
    const double height = double(lines.size()) * L;
    if (height > area.height)
        return false;
    double top = area.top + (area.height - height) / 2;
    for (const std::string &text : lines) {
        list.labels.push_back(label(text, area.left + area.width / 2, top, 1, Align::Centre,
                                    Role::Invalid, {Part::Notes}));
        top += L;
    }
    return true;
}

DisplayList Layout::fallback(double fontScale)
{
    f = fontScale;
    L = m.lineHeight() * f;
    H = givenHeight;
    list = DisplayList{};
    list.width = W;
    list.height = H;
    list.fontScale = f;
    const std::string text = "Te weinig ruimte om de doorsnede te tekenen.";
    const double width = advance(text);
    const double size = width > 0 ? std::min(1.0, W / width) : 1;
    if (L * size <= H && W > 0)
        list.labels.push_back(
            label(text, W / 2, (H - L * size) / 2, size, Align::Centre, Role::Ink, {Part::Notes}));
    return list;
}

} // namespace picture

DisplayList layoutPicture(const SectionGeometry &geometry, const beam::MomentTexts &texts,
                          double width, double height, const TextMetrics &metrics,
                          const PictureOptions &options, const PictureLimits &extras)
{
    picture::Layout layout(geometry, texts, width, height, metrics, options, extras);
    DisplayList list;
    if (!(width > 0 && height > 0 && std::isfinite(width) && std::isfinite(height) &&
          metrics.lineHeight() > 0)) {
        list.width = std::isfinite(width) ? std::max(width, 0.0) : 0;
        list.height = std::isfinite(height) ? std::max(height, 0.0) : 0;
        return list;
    }
    // Whether the section itself is drawn out of scale, by more than the eye sees.
    const auto distorted = [&geometry](const DisplayList &laid) {
        if (!laid.section || !(laid.section->width > 0) || !(geometry.b > 0 && geometry.h > 0))
            return false;
        const double ratio =
            (laid.section->height / laid.section->width) / (geometry.h / geometry.b);
        return std::fabs(ratio - 1) > picture::unseenDistortion;
    };
    // The font shrinks until the picture fits, down to `least`; a smaller chart comes before a
    // smaller font. With the extras, which shrink the font anyway, a slightly smaller font
    // that draws the section to scale is taken before one that does not, down to four fifths
    // of the full size, where texts still read.
    const auto firstFit = [&layout, &distorted](double least,
                                                bool forScale) -> std::optional<DisplayList> {
        // The lines reserved for the notes on the scale only grow, so this ends.
        std::size_t reserved = 0;
        std::optional<DisplayList> outOfScale;
        for (double f = 1; f >= least; f *= picture::fontStep)
            for (const bool compact : {false, true}) {
                if (compact && !layout.drawsChart())
                    break;
                layout.compactChart = compact;
                std::optional<DisplayList> attempt = layout.attempt(f, reserved);
                while (!attempt && layout.wantsNoteLines > reserved) {
                    reserved = layout.wantsNoteLines;
                    attempt = layout.attempt(f, reserved);
                }
                if (attempt && (!forScale || !distorted(*attempt)))
                    return attempt;
                if (attempt && !outOfScale) {
                    least = std::max({least, f * picture::scaleFont, extrasFont});
                    outOfScale = std::move(attempt);
                }
            }
        return outOfScale;
    };
    const auto leftOutNote = [](bool chart, bool strains) {
        if (!chart && !strains)
            return std::vector<std::string>{};
        const std::string what = chart && strains ? "de rekken en de grafiek"
                                 : chart          ? "de grafiek"
                                                  : "de rekken";
        return std::vector<std::string>{"Voor " + what +
                                        " is hier geen ruimte; maak de tekening groter."};
    };

    // The picture without the extras first: they may shrink the font it needs by a fifth at
    // most, the chart giving way first, then the strains; where both give way, the picture
    // is laid out again with a note that says so.
    const bool chart = extras.chart && !extras.chart->empty && !geometry.empty;
    const bool strains = extras.limits && !geometry.empty;
    layout.setLevel(false, false, {});
    std::optional<DisplayList> laidOut = firstFit(picture::smallestFont, false);
    bool chartLeftOut = false;
    bool strainLeftOut = false;
    if (laidOut && (chart || strains)) {
        const double least = std::max(laidOut->fontScale * extrasFont, leastExtrasFont);
        struct Level {
            bool chart;
            bool strains;
        };
        std::vector<Level> levels;
        if (chart)
            levels.push_back({true, strains});
        if (strains)
            levels.push_back({false, true});
        levels.push_back({false, false});
        for (const Level level : levels) {
            chartLeftOut = chart && !level.chart;
            strainLeftOut = strains && !level.strains;
            layout.setLevel(level.chart, level.strains, leftOutNote(chartLeftOut, strainLeftOut));
            const bool plain = !level.chart && !level.strains;
            if (std::optional<DisplayList> richer =
                    firstFit(plain ? picture::smallestFont : least, !plain)) {
                laidOut = std::move(richer);
                break;
            }
        }
    }
    list = laidOut ? std::move(*laidOut) : layout.fallback(picture::smallestFont);
    list.chartLeftOut = chartLeftOut && laidOut;
    list.strainLeftOut = strainLeftOut && laidOut;
    list.title = geometry.empty ? "Doorsnede"
                                : "Doorsnede b × h = " + picture::number(geometry.b) + " × " +
                                      picture::number(geometry.h) + " mm";
    list.description = describePicture(geometry, texts, extras);
    for (const std::string &note : leftOutNote(list.chartLeftOut, list.strainLeftOut))
        list.description += ' ' + note;
    return list;
}

} // namespace section
