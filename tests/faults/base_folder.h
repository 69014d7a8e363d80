#pragma once
// A base folder for real runs of `ordwell convert`: beside it a data folder with the
// recordings and an output folder, and everything under one temporary root, so that a
// test can list what a run changed.
#include <map>
#include <string>
#include <vector>

#include "child_run.h"
#include "support/temp_dir.h"

namespace ordwell::testing {

class BaseFolder {
 public:
  BaseFolder();  // root/base, root/data, root/out; the root is open to every user

  const std::string& root() const { return root_.path(); }
  std::string base() const { return root_ / "base"; }
  std::string data() const { return root_ / "data"; }
  std::string out() const { return root_ / "out"; }
  std::string InBase(const std::string& name) const { return base() + "/" + name; }

  // Writes a recording into the data folder and gives its path.
  std::string Recording(const std::string& name, const std::string& bytes) const;
  // A converter of our own in the base folder: a shell script, executable.
  void FakeConverter(const std::string& script) const;
  // The standard position library of the bundled examples, into the base folder.
  void StandardLibrary() const;

  // `ordwell convert args...` in the base folder (the ordwell of the build by default).
  ChildResult Convert(const std::vector<std::string>& args, ChildRun run = {}) const;

  // Every folder ("/") and file (its bytes) under the root, by path from the root.
  std::map<std::string, std::string> Tree() const;

 private:
  TempDir root_;
};

// The ordwell and Brenlow of this build.
std::string OrdwellBinary();
std::string BrenlowBinary();

void MakeFolder(const std::string& path);
void MakeExecutable(const std::string& path, bool executable = true);

// `text` with every "{base}", "{data}", "{out}" and "{root}" replaced by that folder.
std::string Expand(std::string text, const BaseFolder& folder);

}  // namespace ordwell::testing
