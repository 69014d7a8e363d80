// ReadIntermediateSet, and StreamDataRows behind it, on sets written into a folder:
// the good set read whole, then that set with one break each.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "converter/intermediate_set.h"
#include "good_set.h"
#include "probe/caught_error.h"
#include "support/temp_dir.h"

namespace brenlow {
namespace {

using ordwell::testing::CatchError;
using ordwell::testing::CaughtError;
using ordwell::testing::TempDir;
using testing::CrLfLines;
using testing::GoodSet;
using testing::SetFiles;

class NoSink : public DataRowSink {
 public:
  void Rows(size_t, size_t, const double*) override {}
};

IntermediateSet ReadSet(const SetFiles& files, const TempDir& dir) {
  testing::WriteSet(dir.path(), files);
  return ReadIntermediateSet(dir.path(), ordwell::Charset::Ascii());
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Line `index` (from 0) of a member replaced by `line`.
void SetLine(SetFiles& files, const std::string& name, size_t index, const std::string& line) {
  std::vector<std::string> lines = LinesOf(files.at(name));
  lines.at(index) = line;
  files[name] = CrLfLines(lines);
}

void DropLastLine(SetFiles& files, const std::string& name) {
  std::vector<std::string> lines = LinesOf(files.at(name));
  lines.pop_back();
  files[name] = CrLfLines(lines);
}

std::vector<double> Values(const Points& p) { return p.values; }

TEST(ReadIntermediateSet, GoodSetWithout3D) {
  TempDir dir;
  IntermediateSet set = ReadSet(GoodSet(), dir);
  EXPECT_EQ(set.meta.SubjectID, "subject01");
  EXPECT_EQ(set.meta.MeasurementDate, "2024-05-01");
  EXPECT_EQ(set.meta.MeasurementTime, "10:11:12");
  EXPECT_EQ(set.meta.LengthUnit, "mm");
  EXPECT_EQ(set.meta.TimeUnit, "s");
  EXPECT_EQ(set.meta.FrequencyUnit, "Hz");
  EXPECT_EQ(set.time, (std::vector<double>{0.0, 0.08192, 0.16384, 0.24576}));
  EXPECT_EQ(set.sourcePos2D.columns, 2u);
  EXPECT_EQ(Values(set.sourcePos2D), (std::vector<double>{0, 0, 30, 0}));
  EXPECT_EQ(Values(set.detectorPos2D), (std::vector<double>{15, 0, 0, 30, 30, 30}));
  EXPECT_FALSE(set.has3D);
  EXPECT_EQ(set.stim, (std::vector<double>{0.08192, 0.08192, 1, 0.16384, 0.08192, 1}));
  EXPECT_EQ(set.dataPath, dir / "data.csv");

  ASSERT_EQ(set.entries.size(), 6u);
  const int pairs[3][2] = {{1, 1}, {1, 2}, {2, 3}};
  for (size_t k = 0; k < 6; ++k) {
    const MeasurementEntry& e = set.entries[k];
    EXPECT_EQ(e.sourceIndex, pairs[k / 2][0]) << k;
    EXPECT_EQ(e.detectorIndex, pairs[k / 2][1]) << k;
    EXPECT_EQ(e.wavelengthIndex, static_cast<int>(k % 2) + 1) << k;
    // The tool's "not given" values: absent, and the two required kinds become 1.
    EXPECT_EQ(e.dataType, 1);
    EXPECT_EQ(e.dataTypeIndex, 1);
    EXPECT_FALSE(e.wavelengthActual || e.wavelengthEmissionActual || e.dataUnit || e.dataTypeLabel ||
                 e.sourcePower || e.detectorGain || e.moduleIndex || e.sourceModuleIndex || e.detectorModuleIndex)
        << k;
  }
}

TEST(ReadIntermediateSet, GoodSetWith3D) {
  TempDir dir;
  IntermediateSet set = ReadSet(GoodSet(true), dir);
  ASSERT_TRUE(set.has3D);
  EXPECT_EQ(set.landmarkPos3D.columns, 3u);
  EXPECT_EQ(Values(set.landmarkPos3D), (std::vector<double>{0, 84.5, -42.25, -75, -18.5, -50, 75, -18.25, -49.5}));
  EXPECT_EQ(Values(set.sourcePos3D), (std::vector<double>{-20, 60, 40, 20, 60, 40}));
  EXPECT_EQ(Values(set.detectorPos3D), (std::vector<double>{0, 65, 35, -30, 50, 50, 30, 50, 50}));
}

TEST(ReadIntermediateSet, GivenValuesAreKept) {
  SetFiles files = GoodSet();
  const std::vector<std::string> given = {"1", "2", "2", "841.5", "910.25", "99999", "V", "raw amplitude",
                                          "7", "1.5", "2.5e-3", "0", "3", "4"};
  for (size_t i = 0; i < given.size(); ++i) SetLine(files, "meslst.csv", 14 + i, given[i]);
  TempDir dir;
  IntermediateSet set = ReadSet(files, dir);
  const MeasurementEntry& e = set.entries[1];
  EXPECT_EQ(e.sourceIndex, 1);
  EXPECT_EQ(e.detectorIndex, 2);
  EXPECT_EQ(e.wavelengthIndex, 2);
  EXPECT_EQ(e.wavelengthActual, 841.5);
  EXPECT_EQ(e.wavelengthEmissionActual, 910.25);
  EXPECT_EQ(e.dataType, 99999);
  EXPECT_EQ(e.dataUnit, "V");
  EXPECT_EQ(e.dataTypeLabel, "raw amplitude");
  EXPECT_EQ(e.dataTypeIndex, 7);
  EXPECT_EQ(e.sourcePower, 1.5);
  EXPECT_EQ(e.detectorGain, 2.5e-3);
  EXPECT_EQ(e.moduleIndex, 0);  // only -1 means "not given" for a module
  EXPECT_EQ(e.sourceModuleIndex, 3);
  EXPECT_EQ(e.detectorModuleIndex, 4);
  EXPECT_FALSE(set.entries[0].wavelengthActual);  // the neighbours keep their own
  EXPECT_FALSE(set.entries[2].moduleIndex);
}

// Forms the tool may write, or an editor may leave, that read as the good set does.
TEST(ReadIntermediateSet, AcceptedForms) {
  struct Case {
    const char* what;
    std::function<void(SetFiles&)> change;
  };
  const Case kCases[] = {
      {"UTF-8 mark on every member",
       [](SetFiles& f) {
         for (auto& [name, text] : f) text = "\xEF\xBB\xBF" + text;
       }},
      {"LF line ends on every member",
       [](SetFiles& f) {
         for (auto& [name, text] : f) {
           std::string lf;
           for (char c : text)
             if (c != '\r') lf += c;
           text = lf;
         }
       }},
      {"no line end after the last line of every member",
       [](SetFiles& f) {
         for (auto& [name, text] : f) text.resize(text.size() - 2);
       }},
  };
  TempDir goodDir;
  const IntermediateSet good = ReadSet(GoodSet(true), goodDir);
  for (const Case& c : kCases) {
    SetFiles files = GoodSet(true);
    c.change(files);
    TempDir dir;
    IntermediateSet set = ReadSet(files, dir);
    EXPECT_EQ(set.meta.SubjectID, good.meta.SubjectID) << c.what;
    EXPECT_EQ(set.meta.FrequencyUnit, good.meta.FrequencyUnit) << c.what;
    EXPECT_EQ(set.time, good.time) << c.what;
    EXPECT_EQ(set.entries.size(), good.entries.size()) << c.what;
    EXPECT_EQ(Values(set.sourcePos2D), Values(good.sourcePos2D)) << c.what;
    EXPECT_EQ(Values(set.landmarkPos3D), Values(good.landmarkPos3D)) << c.what;
    EXPECT_EQ(set.stim, good.stim) << c.what;
    EXPECT_EQ(CatchError([&] {
                NoSink sink;
                StreamDataRows(set, sink);
              }),
              (CaughtError{"none", ""}))
        << c.what;
  }
}

TEST(ReadIntermediateSet, SubjectIdAfterAUtf8MarkIsUtf8WhateverTheLocale) {
  SetFiles files = GoodSet();
  SetLine(files, "metalst.csv", 0, "\xEF\xBB\xBF" "Pr\xC3\xBC" "fling_\xE6\x97\xA5");
  TempDir dir;
  EXPECT_EQ(ReadSet(files, dir).meta.SubjectID, "Pr\xC3\xBC" "fling_\xE6\x97\xA5");
}

TEST(ReadIntermediateSet, EmptyStimFileGivesNoStimulus) {
  SetFiles files = GoodSet();
  files["stim.csv"] = "";
  TempDir dir;
  EXPECT_TRUE(ReadSet(files, dir).stim.empty());
}

// The good set with one break each: the exact error, naming the member and its line.
// "{dir}" stands for the set's folder.
TEST(ReadIntermediateSet, BrokenSets) {
  struct Case {
    const char* what;
    bool with3D;
    std::function<void(SetFiles&)> change;
    CaughtError error;
  };
  const Case kCases[] = {
      {"no data.csv", false, [](SetFiles& f) { f.erase("data.csv"); },
       {"file", "Cannot open file \"{dir}/data.csv\": No such file or directory"}},
      {"no metalst.csv", false, [](SetFiles& f) { f.erase("metalst.csv"); },
       {"file", "Cannot open file \"{dir}/metalst.csv\": No such file or directory"}},
      {"no tmlst.csv", false, [](SetFiles& f) { f.erase("tmlst.csv"); },
       {"file", "Cannot open file \"{dir}/tmlst.csv\": No such file or directory"}},
      {"no meslst.csv", false, [](SetFiles& f) { f.erase("meslst.csv"); },
       {"file", "Cannot open file \"{dir}/meslst.csv\": No such file or directory"}},
      {"no sourcePos2D.csv", false, [](SetFiles& f) { f.erase("sourcePos2D.csv"); },
       {"file", "Cannot open file \"{dir}/sourcePos2D.csv\": No such file or directory"}},
      {"no detectorPos2D.csv", false, [](SetFiles& f) { f.erase("detectorPos2D.csv"); },
       {"file", "Cannot open file \"{dir}/detectorPos2D.csv\": No such file or directory"}},
      {"no stim.csv", false, [](SetFiles& f) { f.erase("stim.csv"); },
       {"file", "Cannot open file \"{dir}/stim.csv\": No such file or directory"}},

      {"metalst.csv with 5 lines", false, [](SetFiles& f) { DropLastLine(f, "metalst.csv"); },
       {"conversion", "{dir}/metalst.csv: has 5 lines, not the 6 metadata tags"}},
      {"metalst.csv with 7 lines", false, [](SetFiles& f) { f["metalst.csv"] += "extra\r\n"; },
       {"conversion", "{dir}/metalst.csv: has 7 lines, not the 6 metadata tags"}},

      {"a time that is not a number", false, [](SetFiles& f) { SetLine(f, "tmlst.csv", 2, "0,16384"); },
       {"conversion", "{dir}/tmlst.csv:3: '0,16384' is not a number"}},
      {"no time point", false,
       [](SetFiles& f) {
         f["tmlst.csv"] = "";
         f["data.csv"] = "";
       },
       {"conversion", "{dir}/tmlst.csv: the recording has no time point; a SNIRF file without samples is of no use"}},

      {"meslst.csv not a multiple of 14 lines", false, [](SetFiles& f) { DropLastLine(f, "meslst.csv"); },
       {"conversion", "{dir}/meslst.csv: has 83 lines; a measurement-list entry takes 14"}},
      {"a source index that is not an integer", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 14, "1.0"); },
       {"conversion", "{dir}/meslst.csv:15: '1.0' is not an integer"}},
      {"a dataType that is not an integer", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 19, "x"); },
       {"conversion", "{dir}/meslst.csv:20: 'x' is not an integer"}},
      {"a module index beyond 32 bits", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 83, "4294967296"); },
       {"conversion", "{dir}/meslst.csv:84: '4294967296' is not an integer"}},
      {"a sourcePower that is not a number", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 9, "none"); },
       {"conversion", "{dir}/meslst.csv:10: 'none' is not a number"}},
      {"source 3 of 2", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 70, "3"); },
       {"conversion", "{dir}/meslst.csv:71: source 3 is not one of the 2 sources of sourcePos2D.csv"}},
      {"source 0", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 0, "0"); },
       {"conversion", "{dir}/meslst.csv:1: source 0 is not one of the 2 sources of sourcePos2D.csv"}},
      {"detector 4 of 3", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 15, "4"); },
       {"conversion", "{dir}/meslst.csv:16: detector 4 is not one of the 3 detectors of detectorPos2D.csv"}},
      {"detector -1", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 1, "-1"); },
       {"conversion", "{dir}/meslst.csv:2: detector -1 is not one of the 3 detectors of detectorPos2D.csv"}},
      {"wavelength index 3", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 16, "3"); },
       {"conversion", "{dir}/meslst.csv:17: wavelength index 3 is neither 1 nor 2"}},
      {"wavelength index 0", false, [](SetFiles& f) { SetLine(f, "meslst.csv", 2, "0"); },
       {"conversion", "{dir}/meslst.csv:3: wavelength index 0 is neither 1 nor 2"}},
      {"no active channel", false,
       [](SetFiles& f) {
         f["meslst.csv"] = "";
         f["data.csv"] = CrLfLines({"", "", "", ""});
       },
       {"conversion",
        "{dir}/meslst.csv: the recording has no active channel; a SNIRF file without channels is of no use"}},

      {"a 2D row with 3 fields", false, [](SetFiles& f) { SetLine(f, "sourcePos2D.csv", 1, "30.0,0.0,1.0"); },
       {"conversion", "{dir}/sourcePos2D.csv:2: expected 2 comma-separated numbers, found '30.0,0.0,1.0'"}},
      {"a 2D row with 1 field", false, [](SetFiles& f) { SetLine(f, "detectorPos2D.csv", 2, "30.0"); },
       {"conversion", "{dir}/detectorPos2D.csv:3: expected 2 comma-separated numbers, found '30.0'"}},
      {"a non-number in a 2D file", false, [](SetFiles& f) { SetLine(f, "detectorPos2D.csv", 0, "15.0,abc"); },
       {"conversion", "{dir}/detectorPos2D.csv:1: 'abc' is not a number"}},
      {"an empty 2D field", false, [](SetFiles& f) { SetLine(f, "sourcePos2D.csv", 0, ",0.0"); },
       {"conversion", "{dir}/sourcePos2D.csv:1: '' is not a number"}},
      {"a non-number in a 3D file", true, [](SetFiles& f) { SetLine(f, "sPos3D.csv", 1, "20.0000,6O.0000,40.0000"); },
       {"conversion", "{dir}/sPos3D.csv:2: '6O.0000' is not a number"}},
      {"a 3D row with 2 fields", true, [](SetFiles& f) { SetLine(f, "landPos3D.csv", 2, "75.0000,-18.2500"); },
       {"conversion", "{dir}/landPos3D.csv:3: expected 3 comma-separated numbers, found '75.0000,-18.2500'"}},

      {"no dPos3D.csv", true, [](SetFiles& f) { f.erase("dPos3D.csv"); },
       {"conversion", "{dir}: landPos3D.csv, sPos3D.csv and dPos3D.csv must all be there or none of them"}},
      {"only landPos3D.csv", true,
       [](SetFiles& f) {
         f.erase("sPos3D.csv");
         f.erase("dPos3D.csv");
       },
       {"conversion", "{dir}: landPos3D.csv, sPos3D.csv and dPos3D.csv must all be there or none of them"}},
      {"fewer 3D sources than 2D", true, [](SetFiles& f) { DropLastLine(f, "sPos3D.csv"); },
       {"conversion", "{dir}/sPos3D.csv: 1 sources, but sourcePos2D.csv has 2"}},
      {"more 3D detectors than 2D", true, [](SetFiles& f) { f["dPos3D.csv"] += "1.0000,2.0000,3.0000\r\n"; },
       {"conversion", "{dir}/dPos3D.csv: 4 detectors, but detectorPos2D.csv has 3"}},
      {"no landmark", true, [](SetFiles& f) { f["landPos3D.csv"] = ""; },
       {"conversion", "{dir}/landPos3D.csv: no landmark"}},

      {"a stim row with 2 numbers", false, [](SetFiles& f) { SetLine(f, "stim.csv", 1, "0.16384,0.08192"); },
       {"conversion", "{dir}/stim.csv:2: expected 3 comma-separated numbers, found '0.16384,0.08192'"}},
      {"a stim value that is not a number", false, [](SetFiles& f) { SetLine(f, "stim.csv", 0, "0.08192,nan,1"); },
       {"conversion", "{dir}/stim.csv:1: 'nan' is not a number"}},

      {"a data line with too few values", false, [](SetFiles& f) { SetLine(f, "data.csv", 1, "101,201,301,401,501"); },
       {"conversion", "{dir}/data.csv:2: expected 6 values (one per measurement-list entry), found 5"}},
      {"a data line with too many values", false,
       [](SetFiles& f) { SetLine(f, "data.csv", 2, "-102,202,302,402,502,602,1,2,3"); },
       {"conversion", "{dir}/data.csv:3: expected 6 values (one per measurement-list entry), found 9"}},
      {"a data value that is not a number", false,
       [](SetFiles& f) { SetLine(f, "data.csv", 3, "103,203,303,4O3,503,4000"); },
       {"conversion", "{dir}/data.csv:4: value 4 '4O3' is not a number"}},
      {"more data lines than times", false, [](SetFiles& f) { f["data.csv"] += "1,2,3,4,5,6\r\n"; },
       {"conversion", "{dir}/data.csv:5: more data lines than the 4 times of tmlst.csv"}},
      {"fewer data lines than times", false, [](SetFiles& f) { DropLastLine(f, "data.csv"); },
       {"conversion", "{dir}/data.csv: has 3 lines, but tmlst.csv has 4 times"}},
      {"fewer times than data lines", false, [](SetFiles& f) { DropLastLine(f, "tmlst.csv"); },
       {"conversion", "{dir}/data.csv:4: more data lines than the 3 times of tmlst.csv"}},
  };
  for (const Case& c : kCases) {
    SetFiles files = GoodSet(c.with3D);
    c.change(files);
    TempDir dir;
    testing::WriteSet(dir.path(), files);
    CaughtError got = CatchError([&] {
      IntermediateSet set = ReadIntermediateSet(dir.path(), ordwell::Charset::Ascii());
      NoSink sink;
      StreamDataRows(set, sink);
    });
    CaughtError want = c.error;
    for (size_t at; (at = want.message.find("{dir}")) != std::string::npos;) want.message.replace(at, 5, dir.path());
    EXPECT_EQ(got, want) << c.what;
  }
}

}  // namespace
}  // namespace brenlow
