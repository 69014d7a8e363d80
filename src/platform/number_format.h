#pragma once
#include <string>

namespace ordwell {

// The decimal separator of the environment's regional number format (LC_NUMERIC),
// read without touching the process-wide locale.
std::string LocaleDecimalSeparator();

}  // namespace ordwell
