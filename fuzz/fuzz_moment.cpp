// Any 32-bit As, d and b through the moment models, for every concrete class and steel grade:
// no run fails, every field gets a text, each text keeps its form, and every text equals the
// one of the exact rational reference wherever that covers the inputs.
//
// Input: the first 12 bytes are As, d and b (int32, the machine's byte order; a shorter input
// is padded with zero bytes). A 13th byte, when there is one, is one more class index from
// -128 to 127, which the window never has but the models must survive; a 14th is a decimal
// separator, and the bytes after it are one more fcd text, read with that separator as the
// window reads a design value.
#include "fuzz_check.h"
#include "materials.h"
#include "moment.h"
#include "moment_reference.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

using namespace beam;

namespace {

bool isWholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The three ratios of the valid models lie within 0 .. 1 for a steel area of 0 or more, in
// hundredths: "0", "0.01" .. "0.99" without trailing zeros, or "1".
bool isUnitRatio(std::string_view text)
{
    if (text == "0" || text == "1")
        return true;
    if (text.size() < 3 || text.size() > 4 || text.substr(0, 2) != "0.")
        return false;
    const auto digits = text.substr(2);
    return isWholeNumber(digits) && digits.back() != '0';
}

constexpr ResultField kWholeFields[] = {Mu0, Mu1, Xu1, Mu2, Xu2, Mu3, Xu3};

// tableTexts: fyd and fcd come from the material tables, as in the window; only then is an
// infinite result ruled out (an fcd text the tables never hold, such as 1e-300, can make a
// compression zone overflow).
void checkTexts(const MomentInputs &inputs, bool tableTexts)
{
    const MomentTexts texts = computeMoments(inputs);
    for (const std::string &text : texts)
        FUZZ_CHECK(!text.empty());
    if (const auto exact = reference::momentTexts(inputs)) {
        for (std::size_t field = 0; field < texts.size(); ++field) {
            if (texts[field] != (*exact)[field]) {
                std::fprintf(stderr, "field %zu: %s, the reference %s\n", field,
                             texts[field].c_str(), (*exact)[field].c_str());
                FUZZ_CHECK(false);
            }
        }
    }

    if (texts[Z0] == "nan") {
        for (const ResultField field : kWholeFields)
            FUZZ_CHECK(texts[field] == "0");
        FUZZ_CHECK(texts[Z1] == "nan" && texts[Z2] == "nan" && texts[Z3] == "nan");
        FUZZ_CHECK(inputs.d <= 0 || inputs.b <= 0 || !tableTexts);
        return;
    }
    FUZZ_CHECK(texts[Z0] == "0.9");
    FUZZ_CHECK(inputs.d > 0 && (inputs.b > 0 || !tableTexts));
    for (const ResultField field : kWholeFields) {
        const std::string &text = texts[field];
        FUZZ_CHECK(isWholeNumber(text) || (!tableTexts && (text == "inf" || text == "-inf")));
    }
    if (tableTexts && inputs.As >= 0) {
        for (const ResultField field : kWholeFields)
            FUZZ_CHECK(texts[field].front() != '-');
        FUZZ_CHECK(isUnitRatio(texts[Z1]) && isUnitRatio(texts[Z2]) && isUnitRatio(texts[Z3]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::uint8_t bytes[12] = {};
    std::memcpy(bytes, data, std::min(size, sizeof bytes));
    MomentInputs inputs;
    std::memcpy(&inputs.As, bytes, 4);
    std::memcpy(&inputs.d, bytes + 4, 4);
    std::memcpy(&inputs.b, bytes + 8, 4);

    for (int item = 0; item < int(concreteClasses.size()); ++item) {
        for (const SteelGrade &grade : steelGrades) {
            inputs.concreteClass = item;
            inputs.fcdText = concreteClasses[std::size_t(item)].fcd;
            inputs.fydText = grade.fyd;
            checkTexts(inputs, true);
        }
    }
    if (size > 12) {
        inputs.concreteClass = static_cast<signed char>(data[12]);
        inputs.fcdText = concreteClasses.front().fcd;
        checkTexts(inputs, true);
    }
    if (size > 13) {
        inputs.decimalSeparator = static_cast<char>(data[13]);
        inputs.fcdText = std::string_view(reinterpret_cast<const char *>(data) + 14, size - 14);
        for (const SteelGrade &grade : steelGrades) {
            inputs.fydText = grade.fyd;
            checkTexts(inputs, false);
        }
    }
    return 0;
}
