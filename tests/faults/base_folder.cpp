#include "base_folder.h"

#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

namespace ordwell::testing {

namespace fs = std::filesystem;

BaseFolder::BaseFolder() {
  // Open to all: a run without root privileges must still find its way in.
  fs::permissions(root(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
  for (const std::string& f : {base(), data(), out()}) MakeFolder(f);
}

std::string BaseFolder::Recording(const std::string& name, const std::string& bytes) const {
  std::string path = data() + "/" + name;
  WriteBytes(path, bytes);
  return path;
}

void BaseFolder::FakeConverter(const std::string& script) const {
  WriteBytes(InBase("Brenlow"), "#!/bin/sh\n" + script + "\n");
  MakeExecutable(InBase("Brenlow"));
}

void BaseFolder::StandardLibrary() const {
  fs::copy(SourceDir() + "/examples/STD_POS3D", InBase("STD_POS3D"), fs::copy_options::recursive);
}

ChildResult BaseFolder::Convert(const std::vector<std::string>& args, ChildRun run) const {
  if (run.args.empty()) run.args = {OrdwellBinary()};
  run.args.push_back("convert");
  run.args.insert(run.args.end(), args.begin(), args.end());
  if (run.workingDir.empty()) run.workingDir = base();
  return RunChild(run);
}

std::map<std::string, std::string> BaseFolder::Tree() const {
  std::map<std::string, std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root())) {
    std::string relative = entry.path().string().substr(root().size());
    tree[relative] = entry.is_directory() ? "/" : ReadBytes(entry.path().string());
  }
  return tree;
}

std::string OrdwellBinary() { return BinDir() + "/ordwell"; }
std::string BrenlowBinary() { return BinDir() + "/Brenlow"; }

void MakeFolder(const std::string& path) {
  fs::create_directories(path);
  fs::permissions(path, fs::perms::all, fs::perm_options::replace);
}

void MakeExecutable(const std::string& path, bool executable) {
  fs::permissions(path, executable ? fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                         fs::perms::others_read | fs::perms::others_exec
                                   : fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                         fs::perms::others_read);
}

std::string Expand(std::string text, const BaseFolder& folder) {
  const std::pair<const char*, std::string> names[] = {
      {"{base}", folder.base()}, {"{data}", folder.data()}, {"{out}", folder.out()}, {"{root}", folder.root()}};
  for (const auto& [name, value] : names)
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
      text.replace(at, std::string_view(name).size(), value);
  return text;
}

}  // namespace ordwell::testing
