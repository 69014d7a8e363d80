#include "set_state.h"

#include <filesystem>

#include "recordings.h"
#include "support/fake_file_system.h"
#include "support/temp_dir.h"

namespace ordwell::testing {

SetFiles ReadSet(const std::string& base) {
  SetFiles set;
  for (const char* name : kSetMembers) {
    const std::string path = base + "/" + name;
    set[name] = std::filesystem::is_directory(path) ? kAFolder
                : std::filesystem::exists(path)     ? ReadBytes(path)
                                                    : kNoFile;
  }
  return set;
}

SetFiles ReadSet(FakeFileSystem& fs, const std::string& base) {
  SetFiles set;
  for (const char* name : kSetMembers) {
    const std::string path = JoinPath(base, name);
    set[name] = fs.dirs.count(path) ? kAFolder : fs.files.count(path) ? fs.files[path] : kNoFile;
  }
  return set;
}

std::string SetState(const SetFiles& now, const SetFiles& earlier, const SetFiles& fresh) {
  std::string state;
  for (const char* name : kSetMembers) {
    const std::string& is = now.at(name);
    const std::string& wanted = fresh.at(name);
    if (is == kNoFile) state += '-';
    else if (is == kAFolder) state += 'F';
    else if (is == wanted) state += 'N';
    else if (is == earlier.at(name)) state += 'O';
    else if (is.size() < wanted.size() && wanted.compare(0, is.size(), is) == 0) state += 'P';
    else state += '?';
  }
  return state;
}

}  // namespace ordwell::testing
