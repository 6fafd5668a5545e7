#include "update/start_checks.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/temp_dir.h"

namespace trel {
namespace {

namespace fs = std::filesystem;

TEST(StartChecks, RefusalsInOrderAndTheNoPortSaveSkip) {
  StartChoices choices;
  EXPECT_EQ(CheckStartChoices(choices).refusal, "Please select Ini file first.");
  choices.paramFilePath = "params.ini";
  EXPECT_EQ(CheckStartChoices(choices).refusal, "No find com port.");
  choices.portFound = true;
  EXPECT_EQ(CheckStartChoices(choices).refusal, "No port be selected.");
  choices.noPortSave = true;
  choices.saveXmlData = true;
  EXPECT_FALSE(CheckStartChoices(choices).refused());  // records without a port
  choices.noPortSave = false;
  choices.portSelectorText = "ttyUSB0";
  choices.selectedPortEntry = "ttyUSB1";
  EXPECT_EQ(CheckStartChoices(choices).portName, "ttyUSB1");
}

class OutputFileTest : public ::testing::Test {
 protected:
  OutputFileTest() {
    for (const char* name : {"params.ini", "TrelDefault.ini", "TrelTool.ini"}) {
      dir.write(name, name);
    }
    fs::create_directory(dir / "keys");
    dir.write("keys/main.xml", "main");
    dir.write("keys/more.xml", "more");
    files = {dir / "params.ini", dir / "TrelDefault.ini", dir / "keys" / "main.xml",
             BuildMoreXmlList(u";more.xml", (dir / "keys" / "main.xml").u16string()),
             dir / "TrelTool.ini"};
  }

  testing::TempDir dir;
  FilesToSend files;
};

TEST_F(OutputFileTest, EveryFileToSendIsRefusedByAnyOfItsNamesAndKept) {
  std::vector<fs::path> outputs = {dir / "params.ini", dir / "TrelDefault.ini",
                                   dir / "keys/main.xml", dir / "keys" / ".." / "keys/more.xml",
                                   dir / "TrelTool.ini"};
  // A link to a file to send, where the system's library can make one (mingw-w64's cannot).
  std::error_code noLinks;
  fs::create_symlink(dir / "keys" / "more.xml", dir / "link.xml", noLinks);
  if (!noLinks) {
    outputs.push_back(dir / "link.xml");
  }
  for (const fs::path& output : outputs) {
    const std::string before = testing::ReadBytes(output);
    EXPECT_EQ(PrepareOutputFile(output, files), kOutputIsFileToSendText) << output;
    EXPECT_EQ(testing::ReadBytes(output), before) << output;
  }
}

TEST_F(OutputFileTest, AnyOtherFileIsCreatedEmptyOrRefusedWhenItCannotBe) {
  const fs::path other = dir.write("other.bin", "old frames");
  EXPECT_EQ(PrepareOutputFile(other, files), "");
  EXPECT_EQ(testing::ReadBytes(other), "");
  EXPECT_EQ(PrepareOutputFile(dir / "new.bin", files), "");
  EXPECT_TRUE(fs::exists(dir / "new.bin"));
  EXPECT_EQ(PrepareOutputFile(dir / "missing" / "out.bin", files), kOutputFileFailedText);
  // The more-keywords list's empty first name is no file: its folder is not one to send.
  EXPECT_EQ(PrepareOutputFile(dir / "keys", files), kOutputFileFailedText);
}

}  // namespace
}  // namespace trel
