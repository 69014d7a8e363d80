// generate_recording TYPE ROWS OUT: writes a synthetic .datx recording of study size.
// generate_recording --version: which recordings it makes.
//
// TYPE is 3x12 (57 channels spread over all three column blocks, 198 value fields a
// row) or 3x4 (17 channels in the first block, 66 value fields a row). The output is
// the same for the same arguments on every machine: the noise comes from a fixed
// seed and the wave from a table, never from the C library's generators.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct RecordingShape {
  const char* sensorType;
  std::vector<int> channels;  // the channel list: 1..24 block 1, 25..48 block 2, 49..72 block 3
  int valueFields;            // fields after the mark in every row
};

std::vector<int> Range(int first, int last) {
  std::vector<int> out;
  for (int c = first; c <= last; ++c) out.push_back(c);
  return out;
}

RecordingShape ShapeOf(const std::string& type) {
  if (type == "3x12") {
    // 19 channels in each of the three blocks, so every block offset is exercised.
    std::vector<int> channels = Range(1, 19);
    for (int c : Range(25, 43)) channels.push_back(c);
    for (int c : Range(49, 67)) channels.push_back(c);
    return {"3x12", channels, 198};
  }
  if (type == "3x4") return {"3x4", Range(1, 17), 66};
  throw std::invalid_argument("unknown type \"" + type + "\" (3x12 or 3x4)");
}

// splitmix64: small, fast and the same everywhere.
class Noise {
 public:
  explicit Noise(uint64_t seed) : state_(seed) {}
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<uint64_t>(high - low + 1)); }

 private:
  uint64_t state_;
};

// One period of a slow wave in integer steps; rounded once, so the rows do not
// depend on how the platform's sin rounds in the last bit.
constexpr int kWaveSteps = 4096;
std::vector<int> WaveTable(int amplitude) {
  std::vector<int> table(kWaveSteps);
  for (int i = 0; i < kWaveSteps; ++i)
    table[static_cast<size_t>(i)] = static_cast<int>(std::lround(amplitude * std::sin(2.0 * std::numbers::pi * i / kWaveSteps)));
  return table;
}

std::vector<std::string> HeaderLines(const RecordingShape& shape) {
  std::vector<std::string> lines = {"[Header]", "FileType=datx", "Version=3", "ID=bench", "Date= 2024/03/18 09:41:07",
                                    "Comment=Ordwell benchmark", "Name=bench", "Age=0", "Sex=none", "Sampling=Fast",
                                    std::string("SensorType=") + shape.sensorType, "Probe=1", "Gain=AUTO",
                                    "Mode=AUTO", "StartMark=1,EVT1", "EndMark=1,EVT2"};
  while (lines.size() < 37) lines.push_back("Reserved" + std::to_string(lines.size()) + "=0");
  std::string list;
  for (int c : shape.channels) {
    if (!list.empty()) list += ',';
    list += std::to_string(c);
  }
  lines.push_back(list);
  lines.push_back("[Data]");
  lines.push_back("Mark,Values");
  lines.push_back("# column names");  // line 40, the last header line
  return lines;
}

// EVT1 every 20 to 30 s at the fast period (250..370 rows), EVT2 about 10 s later.
class MarkPlan {
 public:
  explicit MarkPlan(Noise& noise) : noise_(noise), nextStart_(60) {}
  const char* At(int64_t row) {
    if (row == nextStart_) {
      endRow_ = row + 122;
      nextStart_ = row + noise_.Between(250, 370);
      return "1";
    }
    if (row == endRow_) return "2";
    return "0";
  }

 private:
  Noise& noise_;
  int64_t nextStart_;
  int64_t endRow_ = -1;
};

class BlockWriter {
 public:
  explicit BlockWriter(FILE* out) : out_(out) { buffer_.reserve(kBlock + 8192); }
  void Text(const char* s) { buffer_ += s; }
  void Char(char c) { buffer_ += c; }
  void Int(int v) {
    char digits[16];
    auto r = std::to_chars(digits, digits + sizeof digits, v);
    buffer_.append(digits, r.ptr);
  }
  void EndLine() {
    buffer_ += "\r\n";
    if (buffer_.size() >= kBlock) Flush();
  }
  void Flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
      throw std::runtime_error("cannot write the recording");
    buffer_.clear();
  }

 private:
  static constexpr size_t kBlock = 1 << 22;
  FILE* out_;
  std::string buffer_;
};

void Generate(const RecordingShape& shape, int64_t rows, FILE* out) {
  Noise noise(20240318);
  const std::vector<int> wave = WaveTable(2500);

  // Every value field carries a signal, as on the device: the list only picks which
  // channels are converted. Each field has its own level and phase.
  struct FieldSignal {
    int level;
    int phase;
  };
  std::vector<FieldSignal> fields(static_cast<size_t>(shape.valueFields));
  for (FieldSignal& f : fields) f = {noise.Between(6000, 14000), noise.Between(0, kWaveSteps - 1)};

  BlockWriter writer(out);
  for (const std::string& line : HeaderLines(shape)) {
    writer.Text(line.c_str());
    writer.EndLine();
  }
  MarkPlan marks(noise);
  for (int64_t r = 0; r < rows; ++r) {
    writer.Text(marks.At(r));
    // About one wave period per 40 s of recording.
    const int step = static_cast<int>((r * 8) % kWaveSteps);
    for (const FieldSignal& f : fields) {
      writer.Char(',');
      writer.Int(f.level + wave[static_cast<size_t>((f.phase + step) % kWaveSteps)] + noise.Between(-60, 60));
    }
    writer.EndLine();
  }
  writer.Flush();
}

}  // namespace

int main(int argc, char** argv) {
  // Bumped whenever the recordings change, so the benchmark makes them anew.
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("generate_recording 1\n");
    return 0;
  }
  if (argc != 4) {
    std::fprintf(stderr, "usage: generate_recording 3x12|3x4 ROWS OUT.datx\n");
    return 2;
  }
  try {
    const RecordingShape shape = ShapeOf(argv[1]);
    const int64_t rows = std::stoll(argv[2]);
    FILE* out = std::fopen(argv[3], "wb");
    if (out == nullptr) throw std::runtime_error(std::string("cannot create ") + argv[3] + ": " + std::strerror(errno));
    Generate(shape, rows, out);
    if (std::fclose(out) != 0) throw std::runtime_error(std::string("cannot write ") + argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "generate_recording: %s\n", e.what());
    return 1;
  }
  return 0;
}
