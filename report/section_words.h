// The small words that the lines about a section share: strains in per mille, fixed places,
// the separator in a table's text, the spacing rule, the class and model names and the high
// classes' caveat. For report/ alone.
#pragma once

#include "extended.h"
#include "model_limits.h"
#include "models.h"
#include "section_checks.h"

#include <string>
#include <string_view>
#include <utility>

namespace section::words {

std::string perMille(double value, int digits, char separator);
std::pair<std::string, std::string> distinct(double a, double b, char separator);
std::string placesText(const ext::Extended &whole, int places, char separator);
std::string withSeparator(std::string_view text, char separator);
std::string spacingText(const beam::SpacingRule &rule);
std::string className(int concreteClass);
std::string modelName(beam::Model model);
std::string noCheckText(beam::NoCheck reason);
std::string highClassShort(int concreteClass, char sep);

} // namespace section::words
