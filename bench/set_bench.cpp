// ordwell_set_bench FILE...: `ordwell convert FILE...` up to and including the
// intermediate set, run from the base folder. The same read command runs, with a
// converter that ends at once with an empty output, so its time and peak memory are
// those of reading the recording and writing the set.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "instant_converter.h"
#include "platform/executable_path.h"
#include "platform/number_format.h"

int main(int argc, char** argv) {
  using namespace ordwell;
  if (argc < 2) {
    std::cerr << "usage: ordwell_set_bench FILE...   (run in the base folder)\n";
    return kExitUsage;
  }
  ConvertOptions options;
  options.files.assign(argv + 1, argv + argc);

  FileSystem& fs = RealFileSystem();
  bench::InstantConverter converter(fs);
  bench::InstantClock clock;
  // The converter is looked for as `ordwell convert` does; it is never started.
  FormServices services{fs, converter, clock, Charset::FromLocale(), LocaleDecimalSeparator(), ExecutableFolder()};
  return RunConvert(options, std::move(services), std::cout, std::cerr);
}
