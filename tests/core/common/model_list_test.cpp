#include "core/common/model_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/shell/program.h"
#include "support/corpus.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace edid {
namespace {

namespace fs = std::filesystem;

using test::TempDir;
using test::writeText;

// Naming a real monitor from the files of the model list folders.
class ModelNaming : public ::testing::Test {
 protected:
  void load(const std::string& id) {
    EdidScreen& screen = program.showScreen();
    screen.document.load(test::corpusImage(id));
    screen.BuildEDIDDefinations();
  }
  std::string brand() { return program.screen()->txtBrand.text; }
  std::string model() { return program.screen()->txtModel.text; }

  TempDir first{"first"}, second{"second"};
  test::FakeHost host;
  Program program{host};
};

TEST_F(ModelNaming, FirstMatchingFileWinsAcrossFolders) {
  // 000CCAC2C577 is a VSC monitor with product code 7D20 and the name "VA926 Series".
  // No model list file at all: the manufacturer code and the name descriptor.
  program.modelListFolders = {first.path.string()};
  load("000CCAC2C577");
  program.nameMonitorFromModelLists();
  EXPECT_EQ(brand() + " " + model(), "VSC VA926 Series");

  writeText(first.file("a.inf"), "START_DDCTEST\r\nVSC7D21 \"Wrong One\"\r\nEND_DDCTEST\r\n");
  writeText(first.file("B.inf"), "no markers at all\r\nVSC7D20 \"Wrong Two\"\r\n");
  writeText(second.file("c.inf"),
            "START_DDCTEST\r\nVSC7D20 = \"ViewCo  VA926 Series \" ; \"x\r\nEND_DDCTEST\r\n");
  writeText(second.file("d.inf"), "START_DDCTEST\r\nVSC7D20 \"Later File\"\r\nEND_DDCTEST\r\n");
  program.modelListFolders = {first.path.string(), second.path.string()};
  load("000CCAC2C577");
  program.nameMonitorFromModelLists();
  // Between the first and the last quote: brand up to the first space, the rest trimmed.
  EXPECT_EQ(brand(), "ViewCo");
  EXPECT_EQ(model(), "VA926 Series \" ;");
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ModelNaming, TheSampleListShippedWithTheEditorNamesCorpusMonitors) {
  program.modelListFolders = {EDID_SAMPLE_MODEL_LIST_DIR};
  ASSERT_EQ(modelListFiles(EDID_SAMPLE_MODEL_LIST_DIR).size(), 1u);
  // Manufacturer code and product code as the vendor section reads them:
  // VSC 7D20, AOC 1621 (with a letter suffix), HPN 3546.
  const struct {
    const char* id;
    const char* brand;
    const char* model;
  } monitors[] = {{"000CCAC2C577", "ViewSonic", "VA926 Series"},
                  {"2725930DC0B4", "AOC", "1621Wb"},
                  {"943CE89EFB24", "HP", "24f"}};
  for (const auto& monitor : monitors) {
    load(monitor.id);
    program.nameMonitorFromModelLists();
    EXPECT_EQ(brand(), monitor.brand) << monitor.id;
    EXPECT_EQ(model(), monitor.model) << monitor.id;
  }
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(ModelNaming, InstalledProgramFindsTheSampleInShareBesideItsBinFolder) {
  // PREFIX/bin/edidtool with the sample in PREFIX/share/edidedit, an empty user folder.
  const char* oldXdg = std::getenv("XDG_DATA_HOME");
  const std::string keptXdg = oldXdg ? oldXdg : "";
  fs::create_directories(first.path / "bin");
  fs::create_directories(first.path / "share/edidedit");
  fs::copy_file(fs::path(EDID_SAMPLE_MODEL_LIST_DIR) / "monitors.inf",
                first.path / "share/edidedit/monitors.inf");
  ::setenv("XDG_DATA_HOME", second.path.c_str(), 1);
  program.modelListFolders = defaultModelListFolders(first.file("bin"));
  load("000CCAC2C577");
  program.nameMonitorFromModelLists();
  EXPECT_EQ(brand(), "ViewSonic");

  // The user's own list comes before the installed one.
  fs::create_directories(second.path / "edidedit");
  writeText((second.path / "edidedit/mine.inf").string(),
            "START_DDCTEST\nVSC7D20 \"Mine VA926\"\nEND_DDCTEST\n");
  program.nameMonitorFromModelLists();
  EXPECT_EQ(brand(), "Mine");

  // A folder reached two ways is read once; a trailing slash finds the same prefix.
  ::setenv("XDG_DATA_HOME", (first.path / "share").c_str(), 1);
  EXPECT_EQ(defaultModelListFolders(first.file("bin/")),
            (std::vector<std::string>{first.file("bin/"), first.file("share/edidedit")}));
  oldXdg ? ::setenv("XDG_DATA_HOME", keptXdg.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace edid
