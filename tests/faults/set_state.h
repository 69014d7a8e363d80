#pragma once
// What a run left of the intermediate set: one letter per member, in writing order,
// so that a table row states the whole outcome at a glance.
//   N  the member as this run should have written it
//   O  the member as the earlier run left it
//   P  a cut-off start of the new member (a write that failed half-way)
//   F  a folder in its place   -  no file   ?  anything else
#include <map>
#include <string>

namespace ordwell::testing {
class FakeFileSystem;

using SetFiles = std::map<std::string, std::string>;  // member name -> bytes, or a mark below
inline constexpr const char* kNoFile = "<no file>";
inline constexpr const char* kAFolder = "<a folder>";

SetFiles ReadSet(const std::string& base);
SetFiles ReadSet(FakeFileSystem& fs, const std::string& base);

std::string SetState(const SetFiles& now, const SetFiles& earlier, const SetFiles& fresh);

}  // namespace ordwell::testing
