#pragma once
#include <QString>
#include <optional>

namespace config {

// An integer as the configuration file stores it: decimal digits with an
// optional sign, or "0x"/"0X" followed by hexadecimal digits. Nothing else
// (no blanks, no trailing text) and nothing outside the range of int.
std::optional<int> IntegerFromText(const QString& text);

} // namespace config
