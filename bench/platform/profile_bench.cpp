#include <benchmark/benchmark.h>

#include <string>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/private_profile.h"

namespace trel {
namespace {

// A parameter list of about ten megabytes: 160 numbered sections of six keys with long commands,
// then filler sections, so that a load has to get through the whole file.
std::string LargeParameterList() {
  std::string text;
  for (int section = 1; text.size() < 10'000'000; ++section) {
    text += "[" + std::to_string(section) + "]\r\nCommand=" + std::string(400, 'c') +
            "\r\nName=n\r\nNameEn=e\r\nIsValid=1\r\nDataMode=3\r\nIsHide=0\r\n";
  }
  return text;
}

// The large list in a file of its own, removed at the end.
class LargeListFile {
 public:
  LargeListFile()
      : path_(std::filesystem::temp_directory_path() /
              ("trel-bench-" + std::to_string(::getpid()) + ".ini")) {
    std::ofstream(path_, std::ios::binary) << LargeParameterList();
  }
  LargeListFile(const LargeListFile&) = delete;
  LargeListFile& operator=(const LargeListFile&) = delete;
  ~LargeListFile() { std::filesystem::remove(path_); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// One table load: the file is parsed once and its 960 values are read from the document.
void BM_LoadTenMegabytesAndRead960Values(benchmark::State& state) {
  const LargeListFile large;
  const auto& file = large.path();
  static constexpr const char16_t* kKeys[] = {u"Command", u"Name",     u"NameEn",
                                              u"IsValid", u"DataMode", u"IsHide"};
  for (auto _ : state) {
    const ProfileDocument document = ProfileDocument::Load(file);
    std::size_t characters = 0;
    for (int section = 1; section <= 160; ++section) {
      const std::string digits = std::to_string(section);
      const std::u16string name(digits.begin(), digits.end());
      for (const char16_t* key : kKeys) {
        characters += document.get(name, key, u"").size();
      }
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_LoadTenMegabytesAndRead960Values)->Unit(benchmark::kMillisecond);

// One settings write: load, change one key, save through a temporary file.
void BM_WriteOneKeyOfTenMegabytes(benchmark::State& state) {
  const LargeListFile large;
  const auto& file = large.path();
  int value = 0;
  for (auto _ : state) {
    WriteProfileString(file, u"80", u"Name", std::u16string(1, u'0' + (value++ % 10)));
  }
}
BENCHMARK(BM_WriteOneKeyOfTenMegabytes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trel

BENCHMARK_MAIN();
