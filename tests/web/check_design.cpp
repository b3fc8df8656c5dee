// The lines on strain, yielding and steel for sections given on standard input, computed by the
// rules as built for the page but without the page's own code: what the page must show for
// them. tests/web/page_test.mjs runs it under Node.js and compares.
//
// A line in: concrete item, steel item, bar item, stirrup item, As, c, H, b (whole numbers, as
// the page's controls hold them) and the MEd text as typed, the rest of the line, possibly
// empty. Out per section: each model's lines as "column<TAB>line", each note as
// "note<TAB>line", then an empty line.
#include "materials.h"
#include "moment.h"
#include "number_text.h"
#include "reinforcement.h"
#include "section_report.h"

#include <array>
#include <iostream>
#include <string>
#include <string_view>

namespace {

// The next word of `rest`, which loses it and the blank after it.
std::string_view word(std::string_view &rest)
{
    const auto end = rest.find(' ');
    const std::string_view first = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return first;
}

std::string_view unindented(std::string_view line)
{
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    return line;
}

} // namespace

int main()
{
    std::string line;
    int count = 0;
    while (std::getline(std::cin, line)) {
        std::string_view rest = line;
        std::array<std::int32_t, 8> numbers{};
        for (std::int32_t &number : numbers) {
            const auto value = numtext::parseInt(word(rest));
            if (!value) {
                std::cerr << "unreadable line " << count + 1 << ": " << line << '\n';
                return 2;
            }
            number = *value;
        }
        beam::SectionInputs inputs;
        inputs.concreteClass = numbers[0];
        inputs.steelGrade = numbers[1];
        inputs.barItem = numbers[2];
        inputs.stirrupItem = numbers[3];
        inputs.As = numbers[4];
        inputs.c = numbers[5];
        inputs.H = numbers[6];
        inputs.b = numbers[7];
        if (inputs.concreteClass < 0 || inputs.concreteClass >= int(beam::concreteClasses.size()) ||
            inputs.steelGrade < 0 || inputs.steelGrade >= int(beam::steelGrades.size())) {
            std::cerr << "no such material on line " << count + 1 << '\n';
            return 2;
        }
        inputs.fcdText = beam::concreteClasses[std::size_t(inputs.concreteClass)].fcd;
        inputs.fydText = beam::steelGrades[std::size_t(inputs.steelGrade)].fyd;
        inputs.d = beam::effectiveDepth(inputs.barItem, inputs.stirrupItem, inputs.H, inputs.c);
        // The page reads a decimal comma or a point.
        const section::SectionReport report = section::makeReport(
            {inputs, beam::computeMomentSteps(inputs.momentInputs())}, rest, ',');
        for (const beam::Model model : beam::allModels)
            for (const std::string &text : report.modelLines[beam::index(model)])
                std::cout << char('0' + beam::index(model)) << '\t' << unindented(text) << '\n';
        for (const std::string &note : report.designNotes)
            std::cout << "note\t" << note << '\n';
        std::cout << '\n';
        ++count;
    }
    return count > 0 ? 0 : 1;
}
