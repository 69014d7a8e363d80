// Brenlow: the intermediate file set of a folder to tavik_data_3d.snirf in it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "converter/intermediate_set.h"
#include "converter/partial_output.h"
#include "converter/snirf_writer.h"
#include "platform/encoding.h"
#include "platform/errors.h"
#include "platform/file_system.h"

namespace {

constexpr const char* kUsage =
    "usage: Brenlow [DIR]\n"
    "Reads the intermediate file set of DIR (default: the current folder) and writes\n"
    "DIR/tavik_data_3d.snirf (SNIRF 1.1). Exit status 0 on success, 1 when the set is\n"
    "missing a member or inconsistent (nothing is written then), 2 for a usage error.\n";

}  // namespace

int main(int argc, char** argv) {
  std::string folder = ".";
  if (argc > 2) {
    std::cerr << kUsage;
    return 2;
  }
  if (argc == 2) {
    std::string a = argv[1];
    if (a == "--help" || a == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (a == "--version") {
      std::cout << "Brenlow " << ORDWELL_VERSION << "\n";
      return 0;
    }
    folder = a;
  }
  const std::string output = ordwell::JoinPath(folder, "tavik_data_3d.snirf");
  const std::string partial = brenlow::PartialOutputPath(folder, ::getpid());
  bool written = false;
  try {
    brenlow::RemoveAbandonedPartials(folder);
    brenlow::IntermediateSet set = brenlow::ReadIntermediateSet(folder, ordwell::Charset::FromLocale());
    brenlow::WriteSnirf(set, partial);
    written = true;
    ordwell::RealFileSystem().Rename(partial, output);
  } catch (const std::exception& e) {
    std::remove(partial.c_str());
    // A failed write is told of the output: the hidden partial file means nothing to a user.
    std::cerr << "Brenlow: " << (written ? std::string(e.what()) : ordwell::ShownAs(e.what(), partial, output)) << "\n";
    // After a failed write (a full disk) HDF5 still holds the file, and its clean-up at
    // exit crashes on it: leave without that clean-up; nothing else is pending.
    std::_Exit(1);
  }
  return 0;
}
