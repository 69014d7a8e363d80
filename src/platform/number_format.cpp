#include "platform/number_format.h"

#include <langinfo.h>
#include <locale.h>

namespace ordwell {

std::string LocaleDecimalSeparator() {
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (loc == static_cast<locale_t>(0)) return ".";
  std::string sep = nl_langinfo_l(RADIXCHAR, loc);
  freelocale(loc);
  return sep.empty() ? "." : sep;
}

}  // namespace ordwell
