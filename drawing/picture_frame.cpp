// The frame of the picture: the sizes that do not depend on the arrangement, the choice of the
// section beside the columns or above them, the columns' scale and its break, the notes on the
// scales, and one attempt at a font size.
#include "picture_parts.h"

#include "chart_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace section::picture {
namespace {

// A ratio of scales to two significant digits, for a note.
std::string ratioText(double ratio)
{
    // "1 ×" would say the drawing is to scale.
    if (ratio < 1.095) {
        const auto hundredths = std::int64_t(std::round(ratio * 100));
        return whole(hundredths / 100) + "." + (hundredths % 100 < 10 ? "0" : "") +
               whole(hundredths % 100);
    }
    if (ratio < 9.95) {
        const auto tenths = std::int64_t(std::round(ratio * 10));
        std::string text = whole(tenths / 10);
        if (tenths % 10) {
            text += '.';
            text += whole(tenths % 10);
        }
        return text;
    }
    return whole(std::int64_t(std::min(std::round(ratio), 1e15)));
}

} // namespace

void Layout::measure()
{
    s.hText = "h = " + number(g.h);
    s.bText = "b = " + number(g.b);
    s.dText = "d = " + number(g.d);
    s.cText = "c = " + number(g.cover);
    // The h label, a gap, its dimension line and a gap before the section.
    s.leftWidth = advance(s.hText) + L * (gap::dimension + gap::heightLabel);
    // The dimension lines of c and d, the lane of their labels, a gap before the columns.
    s.laneWidth = std::max(advance(s.dText), advance(s.cText));
    s.rightWidth = L * gap::lane + s.laneWidth + L * gap::beforeColumns;

    s.xuWidth = advance("xu");
    s.forceWidth = std::max(advance("C"), advance("T"));
    s.zWidth = advance("z");
    s.inset = L * gap::inset;
    const double strain =
        o.strainDiagrams || useStrains ? L * (strainWidth + gap::beforeStrain) : 0;
    const double diagram = s.inset + s.xuWidth + L * (gap::beforeGrid + gap::beforeAxis) + strain +
                           L * leastArrow + L * gap::afterArrows + s.forceWidth +
                           L * (2 * gap::aroundArm) + s.zWidth + s.inset;
    // The columns are as wide as the texts they usually hold, whatever the digits are now, so
    // that they keep their places while the inputs change.
    double textWidth = 0;
    for (const char *sample : {"ongeldig: xu ≥ d", "xu = 0000 mm", "Mu = 00000 kNm", "z/d = 0.00"})
        textWidth = std::max(textWidth, advance(sample));
    for (const beam::ModelDescriptor &model : beam::models)
        textWidth = std::max(textWidth, advance(model.name));
    s.naturalColumn = std::max(textWidth + L * gap::textWidthMargin, diagram);

    std::size_t mostLines = 0;
    for (const beam::Model i : beam::allModels) {
        std::size_t count = 0;
        for (const Line &line : resultLines(i))
            count += fit(line.text, s.naturalColumn - L * gap::textMargin).lines.size();
        mostLines = std::max(mostLines, count);
    }
    s.resultsHeight = double(mostLines) * L;
    s.aboveBand = 0;
    s.belowBand = 0;
    if (useStrains) {
        double rows = strainRows;
        for (const beam::Model i : beam::allModels)
            rows = std::max(rows, double(strainLines(i).size()));
        s.aboveBand = L * gap::strainRow;
        s.belowBand = rows * L + L * gap::afterStrains;
    }
}

// The section beside the columns, at their vertical scale, so that the top face, the bars'
// level and the neutral axes line up across the picture.
std::optional<Layout::Frame> Layout::sideBySide(double notesHeight) const
{
    const double room = area.width - s.leftWidth - s.rightWidth - columns * s.naturalColumn;
    if (room < L * sectionWidth)
        return std::nullopt;
    const double bandTop = area.top + L * gap::heading + s.aboveBand;
    const double bandHeight = area.top + area.height - notesHeight - s.resultsHeight - s.belowBand -
                              L * gap::beforeResults - bandTop;
    if (bandHeight < L * leastBand)
        return std::nullopt;

    // The section and the columns share one scale where that leaves the columns at least
    // three quarters of the height they are given; otherwise the columns take all of it, and
    // the section keeps the width it has room for.
    const double depth = g.drawnDepth;
    const double full = bandHeight / depth;
    double sy = full;
    double sx = full;
    if (g.b * full > room) {
        sx = room / g.b;
        sy = sx >= columnShare * full || sx * depth >= L * readableBand ? sx : full;
    }
    if (g.b * sx < L * sectionWidth * (1 - unseenDistortion))
        sx = L * sectionWidth / g.b;

    Frame frame;
    frame.sx = sx;
    frame.sectionSy = sy;
    frame.sy = sy;
    // What the section leaves over widens the columns a little; the rest centres the picture.
    const double spare = std::max(room - g.b * sx, 0.0);
    frame.columnWidth =
        s.naturalColumn + std::min(spare / columns, s.naturalColumn * gap::widening);
    const double offset = (spare - columns * (frame.columnWidth - s.naturalColumn)) / 2;
    frame.sectionLeft = area.left + offset + s.leftWidth;
    frame.sectionTop = bandTop;
    frame.columnsLeft = frame.sectionLeft + g.b * sx + s.rightWidth;
    frame.bandTop = bandTop;
    frame.headingTop = area.top;
    return frame;
}

// The section to scale above the columns, which then take the height that is left at a
// vertical scale of their own: for sections too wide to stand beside them.
std::optional<Layout::Frame> Layout::stacked(double notesHeight) const
{
    const double across = area.width - s.leftWidth - s.rightWidth;
    if (across < L * sectionWidth || columns * s.naturalColumn > area.width)
        return std::nullopt;
    // Above the section room for the d label, below it the b dimension, then the headings.
    const double fixed = L * (gap::aboveStacked + gap::belowSection + gap::beforeHeadings +
                              gap::heading + gap::beforeResults) +
                         s.aboveBand + s.belowBand;
    const double height = area.height - notesHeight - s.resultsHeight - fixed;
    const double depth = g.drawnDepth;
    double sx = across / g.b;
    double sectionSy = sx;
    double sectionHeight = depth * sx;
    if (sectionHeight > height * stackedShare) {
        sectionHeight = height * stackedShare;
        sx = sectionSy = sectionHeight / depth;
    }
    // A strip thinner than this would hide its bars: it is drawn taller than its scale.
    if (sectionHeight < L * thinnestStrip * (1 - unseenDistortion)) {
        sectionHeight = L * thinnestStrip;
        sectionSy = sectionHeight / depth;
    }
    const double bandHeight = height - sectionHeight;
    if (bandHeight < L * leastBand)
        return std::nullopt;

    return below(sx, sectionSy, sectionHeight, bandHeight, columns);
}

// The section centred on top and `across` columns of the band's height below it.
Layout::Frame Layout::below(double sx, double sectionSy, double sectionHeight, double bandHeight,
                            double across) const
{
    Frame frame;
    frame.sx = sx;
    frame.sectionSy = sectionSy;
    frame.sy = bandHeight / g.drawnDepth;
    frame.sectionLeft =
        area.left + (area.width - s.leftWidth - g.b * sx - s.rightWidth) / 2 + s.leftWidth;
    frame.sectionTop = area.top + L * gap::aboveStacked;
    const double spare = area.width - across * s.naturalColumn;
    frame.columnWidth = s.naturalColumn + std::min(spare / across, s.naturalColumn * gap::widening);
    frame.columnsLeft = area.left + (area.width - across * frame.columnWidth) / 2;
    frame.headingTop =
        frame.sectionTop + sectionHeight + L * (gap::belowSection + gap::beforeHeadings);
    frame.bandTop = frame.headingTop + L * gap::heading + s.aboveBand;
    frame.stacked = true;
    return frame;
}

// Two rows of two models below the section, which stands above them to scale, as in
// `stacked`: for a column too narrow for four models across.
std::optional<Layout::Frame> Layout::paired() const
{
    constexpr std::size_t perRow = 2;
    const double across = area.width - s.leftWidth - s.rightWidth;
    if (across < L * sectionWidth || double(perRow) * s.naturalColumn > area.width)
        return std::nullopt;
    // A row without its band: the headings, the strains' rows and the results.
    const double row =
        L * (gap::heading + gap::beforeResults) + s.aboveBand + s.belowBand + s.resultsHeight;
    const double fixed =
        L * (gap::aboveStacked + gap::belowSection + gap::beforeHeadings + betweenRows) + 2 * row;
    const double depth = g.drawnDepth;
    const double room = area.height - fixed;
    double sx = std::min(across / g.b, area.height * pairedShare / depth);
    // The section and both rows at one scale, where the section then fits, or the rows would
    // come out only a little taller: nothing to note.
    const double shared = room / (3 * depth);
    const bool oneScale =
        shared <= sx * (1 + pairedSlack) && depth * std::min(shared, sx) >= L * thinnestStrip;
    if (oneScale)
        sx = std::min(shared, sx);
    double sectionSy = sx;
    double sectionHeight = depth * sx;
    if (sectionHeight < L * thinnestStrip) {
        sectionHeight = L * thinnestStrip;
        sectionSy = sectionHeight / depth;
    }
    const double bandHeight = oneScale ? sectionHeight : (room - sectionHeight) / 2;
    if (bandHeight < L * leastBand)
        return std::nullopt;

    Frame frame = below(sx, sectionSy, sectionHeight, bandHeight, double(perRow));
    frame.perRow = perRow;
    frame.rowStep = row + bandHeight + L * betweenRows;
    return frame;
}

// Where the caller lets the picture grow downwards, the models go in pairs once four of them
// and the section would fit across only at a font smaller than `pairsFont` of this one.
bool Layout::pairsWanted() const
{
    return o.pairsHeight > 0 && std::isfinite(o.pairsHeight) && !(o.chartShare > 0) &&
           (s.leftWidth + s.rightWidth + L * sectionWidth + columns * s.naturalColumn) * pairsFont >
               W - 2 * L * gap::pad;
}

// A compression zone of a few hundredths of a deep section would be a sliver at the columns'
// scale: the columns then break below the deepest zone, and show it larger above the break.
Layout::ColumnScale Layout::columnScale(const Frame &frame) const
{
    const double depth = g.drawnDepth;
    const double band = depth * frame.sy;
    ColumnScale scale;
    scale.top = frame.bandTop;
    scale.scale = frame.sy;
    double deepest = 0;
    for (const ModelColumn &col : g.columns)
        if (col.hasBlock)
            deepest = std::max(deepest, std::min(col.neutralAxis, depth));
    if (!(deepest > 0) || deepest * frame.sy >= L * smallestBlock || deepest > depth / shallowZone)
        return scale;
    scale.broken = true;
    scale.breakDepth = 2 * deepest;
    scale.above = band * breakShare;
    scale.gap = L * gap::breakGap;
    scale.zoom = scale.above / scale.breakDepth;
    scale.scale = (band - scale.above - scale.gap) / (depth - scale.breakDepth);
    return scale;
}

// What the scales are, in the text's colour: nothing here is wrong, only drawn as it fits.
std::vector<Layout::Line> Layout::scaleNotes(const Frame &frame) const
{
    std::vector<Line> notes;
    if (const ColumnScale scale = columnScale(frame); scale.broken)
        notes.push_back({"De modellen zijn onderbroken: boven de onderbreking staat de drukzone " +
                         ratioText(scale.zoom / scale.scale) + " × zo groot als eronder."});
    const double ratio = frame.sectionSy / frame.sx;
    if (std::fabs(ratio - 1) > unseenDistortion)
        notes.push_back({ratio > 1 ? "Niet op schaal: verticaal is " + ratioText(ratio) +
                                         " × zo groot getekend als horizontaal; de maten gelden."
                                   : "Niet op schaal: horizontaal is " + ratioText(1 / ratio) +
                                         " × zo groot getekend als verticaal; de maten gelden."});
    if (frame.stacked && frame.sy != frame.sectionSy)
        notes.push_back({"De modellen staan op een eigen schaal: verticaal " +
                         ratioText(frame.sy / frame.sectionSy) + " × die van de doorsnede."});
    return notes;
}

std::optional<DisplayList> Layout::attempt(double fontScale, std::size_t reservedNoteLines)
{
    f = fontScale;
    L = m.lineHeight() * f;
    hair = std::max(L * weight::lineToHair, 0.5);
    list = DisplayList{};
    list.width = W;
    list.height = H;
    list.fontScale = f;
    wantsNoteLines = 0;
    readable = true;
    const double pad = L * gap::pad;
    bool pairs = false;
    if (!g.empty) {
        measure();
        pairs = pairsWanted();
    }
    H = pairs ? o.pairsHeight : givenHeight;
    list.height = H;
    double right = W - pad;
    double bottom = H - pad;
    if (o.chartShare > 0) {
        const double chart = W * std::min(o.chartShare, chartWidthShare);
        list.chartArea = Rect{W - chart, pad, chart - pad, H - 2 * pad};
        right = W - chart - pad;
    }
    if (!g.empty) {
        // Beside the columns where they keep their natural width and the section some room;
        // otherwise below them, over the whole width.
        if (useChart && pairs) {
            const double height = compactChart
                                      ? L * chartBelow
                                      : std::max(L * chartBelow, (H - 3 * pad) * pairedChart);
            list.chartArea = Rect{pad, H - pad - height, W - 2 * pad, height};
            bottom = H - 2 * pad - height;
        } else if (useChart && !list.chartArea) {
            const double need =
                s.leftWidth + s.rightWidth + columns * s.naturalColumn + L * gap::chartSection;
            const double spare = W - 3 * pad - need;
            if (spare >= L * chartBeside) {
                const double width =
                    compactChart ? L * chartBeside : std::min(spare, (W - 3 * pad) / 2);
                list.chartArea = Rect{W - pad - width, pad, width, H - 2 * pad};
                right = W - 2 * pad - width;
            } else {
                const double height =
                    compactChart ? L * chartBelow
                                 : std::max(L * chartBelow, (H - 3 * pad) * chartHeightShare);
                list.chartArea = Rect{pad, H - pad - height, W - 2 * pad, height};
                bottom = H - 2 * pad - height;
            }
        }
    }
    area = {pad, pad, right - pad, bottom - pad};
    if (!(area.width > 0 && area.height > 0))
        return std::nullopt;
    if (g.empty)
        return layOutEmpty() ? std::optional(std::move(list)) : std::nullopt;

    // Red for what is wrong with the inputs; what is only drawn otherwise is plain text.
    std::vector<Line> allNotes;
    for (std::size_t i = 0; i < g.notes.size(); ++i)
        allNotes.push_back(
            {g.notes[i], i < g.wrongNotes.size() && g.wrongNotes[i] ? Role::Invalid : Role::Ink});
    for (const std::vector<std::string> *more : {&x.notes, &std::as_const(levelNotes)})
        for (const std::string &note : *more)
            allNotes.push_back({note});
    if (pairs) {
        const std::optional<Frame> frame = paired();
        if (!frame)
            return std::nullopt;
        list.paired = true;
        for (const std::vector<Line> &lines : {allNotes, scaleNotes(*frame)})
            for (const Line &note : lines)
                list.notes.push_back(note.text);
        if (!emit(*frame, {}) || !readable)
            return std::nullopt;
        if (useChart && !layoutChart(list, *x.chart, *list.chartArea, ChartFont{m, f, hair}))
            return std::nullopt;
        return std::optional(std::move(list));
    }
    const std::vector<Line> geometryNotes = wrapNotes(allNotes);
    const std::size_t noteLines = geometryNotes.size() + reservedNoteLines;
    const double notesHeight = noteLines ? double(noteLines) * L + L * gap::beforeNotes : 0;

    // Beside the columns where the section is drawn to scale or nearly so; above them where it
    // is wider than deep, and beside them would have to be drawn far out of scale. A deep one
    // above them would come out smaller still.
    std::optional<Frame> frame = sideBySide(notesHeight);
    const bool farOutOfScale = frame && frame->sectionSy / frame->sx > stackAbove;
    const bool outOfScale = frame && std::fabs(frame->sectionSy / frame->sx - 1) > unseenDistortion;
    if (g.b > g.drawnDepth && (!frame || outOfScale))
        if (const std::optional<Frame> above = stacked(notesHeight))
            frame = above;
    if (!frame)
        return std::nullopt;
    // The extras give way before a slab is drawn as a narrow post beside the columns.
    if ((useChart || useStrains) && g.b > g.drawnDepth && !frame->stacked && farOutOfScale)
        return std::nullopt;
    const std::vector<Line> written = wrapNotes(scaleNotes(*frame));
    if (written.size() > reservedNoteLines) {
        wantsNoteLines = written.size();
        return std::nullopt;
    }
    std::vector<Line> notes = geometryNotes;
    notes.insert(notes.end(), written.begin(), written.end());
    if (!emit(*frame, notes) || !readable)
        return std::nullopt;
    if (useChart && !layoutChart(list, *x.chart, *list.chartArea, ChartFont{m, f, hair}))
        return std::nullopt;
    return std::optional(std::move(list));
}

} // namespace section::picture
