// LineStream splits data.csv as every other member is split (TextLines), whatever
// block boundary falls where: small blocks put one inside every CR LF somewhere.
#include "converter/line_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "probe/caught_error.h"
#include "support/temp_dir.h"

namespace brenlow {
namespace {

using ordwell::testing::TempDir;

std::vector<std::string> StreamedLines(const std::string& path, size_t block) {
  LineStream in(path, block);
  std::vector<std::string> lines;
  std::string_view line;
  while (in.Next(line)) lines.emplace_back(line);
  return lines;
}

std::vector<std::string> ReferenceLines(std::string text) {
  if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  const ordwell::TextLines split(text);
  std::vector<std::string> lines;
  for (std::string_view l : split.lines()) lines.emplace_back(l);
  return lines;
}

TEST(LineStream, SplitsAsTextLinesAtEveryBlockSize) {
  std::vector<std::string> texts = {
      "", "\r\n", "\n", "\r", "\r\r\n\n", "a", "a\r\nb", "a\r\nb\r\n", "a\nb\n\n", "a\rb\r\r", "\r\n\r\n",
      "\xEF\xBB\xBF", "\xEF\xBB\xBF\r\n", "\xEF\xBB\xBF" "1,2\r\n3,4", "1,2\r\n\xEF\xBB\xBF" "3,4\r\n",
  };
  std::mt19937 rng(7);
  const char alphabet[] = {'1', ',', '\r', '\n', '\r', '\n', '7'};
  for (int i = 0; i < 300; ++i) {
    std::string text = i % 5 == 0 ? "\xEF\xBB\xBF" : "";
    const size_t length = rng() % 40;
    for (size_t k = 0; k < length; ++k) text += alphabet[rng() % sizeof alphabet];
    texts.push_back(text);
  }
  TempDir dir;
  for (const std::string& text : texts) {
    ordwell::testing::WriteBytes(dir / "data.csv", text);
    const std::vector<std::string> want = ReferenceLines(text);
    for (size_t block : {size_t{1}, size_t{2}, size_t{3}, size_t{5}, size_t{8}, size_t{1} << 22})
      ASSERT_EQ(StreamedLines(dir / "data.csv", block), want)
          << "block " << block << ", text " << ::testing::PrintToString(text);
  }
}

TEST(LineStream, MissingFileIsAFileError) {
  TempDir dir;
  const std::string path = dir / "none.csv";
  EXPECT_EQ(ordwell::testing::CatchError([&] { LineStream in(path); }),
            (ordwell::testing::CaughtError{"file", "Cannot open file \"" + path + "\": No such file or directory"}));
}

}  // namespace
}  // namespace brenlow
