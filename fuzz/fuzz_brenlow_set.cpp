// Hostile intermediate sets for the converter: up to ten members (separated by 0x1E,
// in the order of kMembers; a missing piece is a missing file) are written into a
// scratch folder, read and checked, their data rows streamed, and the SNIRF file
// written. Every refusal is a PlatformError that names the folder's file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "converter/intermediate_set.h"
#include "converter/snirf_writer.h"
#include "fuzz_input.h"
#include "platform/errors.h"

namespace ordwell::fuzz {
namespace {

// The members the fuzzer drops first come last: the 3D files, then the data.
constexpr const char* kMembers[] = {"metalst.csv", "tmlst.csv", "sourcePos2D.csv", "detectorPos2D.csv", "meslst.csv",
                                    "stim.csv",    "data.csv",  "landPos3D.csv",   "sPos3D.csv",        "dPos3D.csv"};
constexpr size_t kMemberCount = sizeof(kMembers) / sizeof(kMembers[0]);

// One scratch folder per fuzzing process, in memory where the system has it.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/ordwell-fuzz-XXXXXX";
    if (!::mkdtemp(pattern.data())) Violated("no scratch folder");
    path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const std::string& Folder() {
  static ScratchFolder folder;
  return folder.path();
}

void WriteMembers(const std::vector<std::string>& pieces) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(Folder(), ec)) std::filesystem::remove_all(entry, ec);
  for (size_t i = 0; i < pieces.size(); ++i) {
    std::ofstream out(Folder() + "/" + kMembers[i], std::ios::binary | std::ios::trunc);
    out << pieces[i];
  }
}

// Checks that the stream hands out whole rows, in order, each of one value per entry.
class CheckingSink : public brenlow::DataRowSink {
 public:
  explicit CheckingSink(size_t channels) : channels_(channels) {}
  void Rows(size_t firstRow, size_t rowCount, const double* values) override {
    Require(firstRow == next_, "rows out of order");
    Require(rowCount > 0, "an empty block");
    // Touch both ends of the block: the sanitizer sees a block shorter than promised.
    volatile double ends = values[0] + values[rowCount * channels_ - 1];
    (void)ends;
    next_ = firstRow + rowCount;
  }
  size_t rows() const { return next_; }

 private:
  size_t channels_;
  size_t next_ = 0;
};

void CheckRefusal(const PlatformError& e) {
  Require(std::string(e.what()).find(Folder()) != std::string::npos, std::string("the error names no file: ") + e.what());
}

}  // namespace
}  // namespace ordwell::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace ordwell;
  using namespace ordwell::fuzz;
  WriteMembers(SplitFiles(std::string_view(reinterpret_cast<const char*>(data), size), kMemberCount));
  brenlow::IntermediateSet set;
  try {
    set = brenlow::ReadIntermediateSet(Folder(), Charset::Utf8());
  } catch (const PlatformError& e) {
    CheckRefusal(e);
    return 0;
  }
  Require(!set.entries.empty(), "a set without channels was accepted");
  CheckingSink sink(set.entries.size());
  try {
    brenlow::StreamDataRows(set, sink);
  } catch (const PlatformError& e) {
    CheckRefusal(e);
    return 0;
  }
  Require(sink.rows() == set.time.size(), "streamed rows differ from the times");
  try {
    brenlow::WriteSnirf(set, Folder() + "/out.snirf");
  } catch (const PlatformError& e) {
    Violated(std::string("a set that streams could not be written: ") + e.what());
  }
  return 0;
}
