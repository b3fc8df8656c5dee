// Reads the table of sections (generate_sections.cpp) from standard input, computes each with
// the rules as built for this machine, and reports every text that differs from the table's.
//   xz -dc tests/sections/sections.txt.xz | check_sections [COUNT]
// COUNT limits the check to the first COUNT sections. Fails on any difference, and on a table
// that yields no section.
#include "materials.h"
#include "moment.h"
#include "reinforcement.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char **argv)
{
    const long limit = argc > 1 ? std::strtol(argv[1], nullptr, 10) : -1;
    // The areas of one bar, as x87 truncates them: the steel area is extended work too.
    constexpr int areas[] = {28, 50, 78, 113, 201, 314, 490, 804, 1256};
    for (int item = 0; item < 9; ++item) {
        if (beam::steelArea(item, 1) != areas[item]) {
            std::printf("bar item %d: area %d, x87 %d\n", item, beam::steelArea(item, 1),
                        areas[item]);
            return 1;
        }
    }
    const auto start = std::chrono::steady_clock::now();
    long checked = 0;
    long differences = 0;
    std::string line;
    while ((limit < 0 || checked < limit) && std::getline(std::cin, line)) {
        std::istringstream fields(line);
        int concrete = -1;
        int grade = -1;
        beam::MomentInputs inputs;
        fields >> concrete >> grade >> inputs.As >> inputs.d >> inputs.b;
        beam::MomentTexts expected;
        for (std::string &text : expected)
            fields >> text;
        if (!fields || concrete < 0 || concrete > 7 || grade < 0 || grade > 2) {
            std::fprintf(stderr, "unreadable line %ld: %s\n", checked + 1, line.c_str());
            return 2;
        }
        inputs.concreteClass = concrete;
        inputs.fcdText = beam::concreteClasses[std::size_t(concrete)].fcd;
        inputs.fydText = beam::steelGrades[std::size_t(grade)].fyd;
        const beam::MomentTexts texts = beam::computeMoments(inputs);
        ++checked;
        for (std::size_t field = 0; field < texts.size(); ++field) {
            if (texts[field] == expected[field])
                continue;
            if (++differences <= 20)
                std::printf("line %ld, field %zu: %s, the table %s\n", checked, field,
                            texts[field].c_str(), expected[field].c_str());
        }
    }
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%ld sections checked, %ld texts differ, %.1f s\n", checked, differences,
                seconds.count());
    return checked > 0 && differences == 0 ? 0 : 1;
}
