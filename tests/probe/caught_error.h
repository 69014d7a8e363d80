#pragma once
// The kind and message of the error a call throws, so that tables of error cases can
// compare both at once.
#include <ostream>
#include <string>

#include "platform/errors.h"

namespace ordwell::testing {

struct CaughtError {
  std::string kind;  // "none", "file", "conversion", "list", "math" or "other"
  std::string message;
  bool operator==(const CaughtError&) const = default;
};

template <class Call>
CaughtError CatchError(Call&& call) {
  try {
    call();
  } catch (const FileError& e) {
    return {"file", e.what()};
  } catch (const ConversionError& e) {
    return {"conversion", e.what()};
  } catch (const ListIndexError& e) {
    return {"list", e.what()};
  } catch (const MathError& e) {
    return {"math", e.what()};
  } catch (const std::exception& e) {
    return {"other", e.what()};
  }
  return {"none", ""};
}

inline std::ostream& operator<<(std::ostream& out, const CaughtError& e) {
  return out << e.kind << ": " << e.message;
}

}  // namespace ordwell::testing
