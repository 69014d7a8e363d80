// ordwell_phase_bench FILE: where the time and the memory of reading a recording and
// writing its set go, step by step. Runs the library steps of the read command one
// after the other (without the 3D files and the converter) and prints each step's
// wall time and the resident memory after it. Writes the set into the current folder.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/text_file.h"
#include "probe/sensor_types.h"
#include "reader/channel_list.h"
#include "reader/data_file.h"
#include "reader/event_marks.h"
#include "reader/sample_rows.h"
#include "snirf/intermediate_set.h"

namespace {

// "VmRSS" (now) or "VmHWM" (peak so far) of this process, in MiB.
double MemoryMiB(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::stod(line.substr(line.find(':') + 1)) / 1024.0;
  return 0.0;
}

class PhaseClock {
 public:
  PhaseClock() : start_(Clock::now()), last_(start_) {}
  void Done(const char* step) {
    const Clock::time_point now = Clock::now();
    std::printf("%-28s %9.1f ms   rss %7.1f MiB   peak %7.1f MiB\n", step, Ms(last_, now), MemoryMiB("VmRSS"),
                MemoryMiB("VmHWM"));
    last_ = now;
  }
  void Total() const { std::printf("%-28s %9.1f ms\n", "total", Ms(start_, Clock::now())); }

 private:
  using Clock = std::chrono::steady_clock;
  static double Ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
  }
  Clock::time_point start_, last_;
};

}  // namespace

int main(int argc, char** argv) {
  using namespace ordwell;
  if (argc != 2) {
    std::fprintf(stderr, "usage: ordwell_phase_bench FILE.datx   (writes the set into the current folder)\n");
    return 2;
  }
  try {
    const std::string path = argv[1];
    FileSystem& fs = RealFileSystem();
    const Charset ansi = Charset::FromLocale();
    const FileKind kind = FileKindFromPath(path).value_or(FileKind::datx);
    PhaseClock clock;

    const TextLines lines = ReadTextFile(fs, path, ansi);
    clock.Done("read text, split lines");

    std::vector<std::string> headerLines;
    HeaderValues header;
    ReadHeader(kind, lines, headerLines, header);
    const int type = SensorTypeFromText(header.SensorTypeText).value_or(0);
    ChannelTable table;
    ReadChannelList(kind, ChannelSlotCount(type), lines, table);
    clock.Done("header, channel list");

    EventMarks marks;
    marks.MeasureMode = header.MeasureMode;
    marks.StartMark = header.StartMark;
    marks.EndMark = header.EndMark;
    SampleTable samples;
    ReadSampleRows(kind, lines, header.SamplingPeriod, table, marks, samples, path);
    clock.Done("sample rows");

    ConversionResult result;
    result.dataFilePath = path;
    result.kind = kind;
    result.headerLines = &headerLines;
    result.SensorTypeIndex = type;
    result.table = &table;
    result.samples = &samples;
    SNIRF record;
    record.formatVersion = "1.1";
    const Layout2D layout = FillRecord(record, result);
    clock.Done("fill record");

    IntermediateSetWriter writer(fs, fs.CurrentDirectory(), ansi);
    writer.WriteRecordFiles(record, layout, table);
    clock.Done("data, time, lists, 2D");
    if (marks.StimList.empty()) marks.StimList.push_back(DefaultStimRow(samples.SampleCount, header.SamplingPeriod));
    writer.WriteStim(marks.StimList);
    clock.Done("stim");
    clock.Total();
    std::printf("%d rows, %d active channels, %zu stimulus rows\n", samples.SampleCount, table.ActiveCount(),
                marks.StimList.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ordwell_phase_bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
