#pragma once
// Number texts. Written numbers always use "." (commas separate the fields of the
// files they go into); parsed numbers accept the regional separator and ".".
#include <cstdint>
#include <string>
#include <string_view>

namespace ordwell {

// Fixed point with `decimals` digits after ".", nearest value ("%.5f" and the like).
void AppendFixed(std::string& out, double value, int decimals);
std::string FormatFixed(double value, int decimals);

// The shortest text of at most 15 significant digits; zero is "0".
void AppendGeneral(std::string& out, double value);

void AppendInt(std::string& out, int64_t value);

// A floating-point number: blanks around it, a sign, digits with one decimal
// separator (the regional one or "."), an exponent. Throws ConversionError
// "'text' is not a valid floating point value" for anything else.
double ParseFloat(std::string_view text, std::string_view decimalSeparator);

}  // namespace ordwell
