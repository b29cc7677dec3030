// Save as and Load Codeplug at the level of the editing session.

#include "pager/codeplug_files.h"
#include "temp_path.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>

#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_file.h"

namespace rer {
namespace {

struct FamilyCase {
  std::uint8_t model;
  const char* frequency;
  const char* band;
};

void PrintTo(const FamilyCase& c, std::ostream* out) {
  *out << "model " << int(c.model) << " at " << c.frequency;
}

std::string TempPath(const std::string& name) {
  return rer::testing::TempPath("codeplug_files_") + name;
}

// A file holding a blank codeplug of `model` with this program's version.
std::string BlankFile(std::uint8_t model, int cgromType = 0, std::uint8_t versionLow = 0x69) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, versionLow, 1);
  return FormatCodeplugFile(image.Bytes(), {static_cast<std::uint8_t>(cgromType), true, model});
}

std::string WriteFile(const std::string& name, const std::string& text) {
  const std::string path = TempPath(name);
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

int ItemOf(std::string_view control, std::string_view text) {
  const ControlEntry* entry = FieldCatalogue::Instance().Find(control);
  for (std::size_t i = 0; i < entry->items.size(); ++i) {
    if (entry->items[i] == text) return static_cast<int>(i);
  }
  return kNoItem;
}

// Every control value by name, for comparing two editors.
std::map<std::string, std::pair<std::string, int>> Snapshot(const EditorSettings& settings) {
  std::map<std::string, std::pair<std::string, int>> values;
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t i = 0; i < settings.Size(); ++i) {
    values[entries[i].name] = {settings.ValueAt(i).text, settings.ValueAt(i).number};
  }
  return values;
}

// The names whose values differ, for a readable failure.
std::vector<std::string> Differences(const EditorSettings& a, const EditorSettings& b) {
  const auto left = Snapshot(a);
  const auto right = Snapshot(b);
  std::vector<std::string> names;
  for (const auto& [name, value] : left) {
    if (right.at(name) != value) {
      names.push_back(name + ": \"" + value.first + "\"/" + std::to_string(value.second) +
                      " vs \"" + right.at(name).first + "\"/" +
                      std::to_string(right.at(name).second));
    }
  }
  return names;
}

class CodeplugFilesTest : public ::testing::TestWithParam<FamilyCase> {
 protected:
  // A session holding a loaded codeplug with the frequency of the case.
  std::unique_ptr<PagerSession> LoadedSession(const std::string& name) {
    auto session = std::make_unique<PagerSession>();
    const auto path = WriteFile(name, BlankFile(GetParam().model));
    EXPECT_EQ(LoadCodeplugFile(*session, path, ui), kSuccess);
    session->settings.SetText("ed_frequency", GetParam().frequency);
    session->settings.SetItem("cb_freqBand", ItemOf("cb_freqBand", GetParam().band));
    return session;
  }

  ScriptedUserInterface ui;
};

TEST_P(CodeplugFilesTest, SavedCodeplugLoadsBackToTheSameSettings) {
  auto edited = LoadedSession("round_trip_base.cp");
  edited->settings.SetText("ed_ICN", "INV0000042");
  edited->settings.SetItem("cb_RF_Timing", ItemOf("cb_RF_Timing", "25ms"));
  const std::string first = TempPath("round_trip_first.cp");
  ASSERT_TRUE(SaveCodeplugFile(*edited, first, ui)) << (ui.shown.empty() ? "" : ui.shown[0].text);
  EXPECT_TRUE(ui.shown.empty());
  EXPECT_FALSE(edited->settings.saving);

  PagerSession loaded;
  ASSERT_EQ(LoadCodeplugFile(loaded, first, ui), kSuccess);
  EXPECT_EQ(loaded.link.ModelCode, GetParam().model);
  EXPECT_EQ(loaded.readModelWord, GetParam().model);
  EXPECT_EQ(loaded.layout.Is4K(), edited->layout.Is4K());
  EXPECT_EQ(loaded.image, edited->image);
  EXPECT_EQ(loaded.settings.Text("ed_ICN"), "INV0000042");
  EXPECT_EQ(loaded.settings.Item("cb_RF_Timing"), ItemOf("cb_RF_Timing", "25ms"));
  EXPECT_EQ(loaded.settings.Text("ed_frequency"), GetParam().frequency);

  // What was saved and loaded once saves and loads alike again.
  const std::string second = TempPath("round_trip_second.cp");
  ASSERT_TRUE(SaveCodeplugFile(loaded, second, ui));
  EXPECT_EQ(ReadTextFile(second), ReadTextFile(first));
  PagerSession reloaded;
  ASSERT_EQ(LoadCodeplugFile(reloaded, second, ui), kSuccess);
  EXPECT_EQ(Differences(reloaded.settings, loaded.settings), std::vector<std::string>{});
  EXPECT_EQ(reloaded.passwords.localPasswordToWrite, loaded.passwords.localPasswordToWrite);
}

TEST_P(CodeplugFilesTest, FrequencyFailingItsChecksWritesNothing) {
  struct Case {
    const char* frequency;
    int shown;
  };
  // The divider search comes first: a frequency off the channel grid is
  // reported as such even when it is outside the band as well.
  const Case cases[] = {{"500.0000", -116}, {"200.0000", -116}, {"180.0010", -115}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frequency);
    auto session = LoadedSession("band_base.cp");
    session->settings.SetText("ed_frequency", c.frequency);
    const std::string path = TempPath("band.cp");
    std::remove(path.c_str());
    const CodeplugImage before = session->image;
    ui.shown.clear();
    EXPECT_FALSE(SaveCodeplugFile(*session, path, ui));
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, ComposeError(c.shown).text);
    EXPECT_FALSE(ReadTextFile(path).has_value());
    EXPECT_EQ(session->image, before);
    EXPECT_FALSE(session->settings.saving);
  }
}

TEST_P(CodeplugFilesTest, UnwritableFileLeavesTheEditorAsItWas) {
  auto session = LoadedSession("unwritable_base.cp");
  session->settings.defaultsLoaded = true;  // the next encode must still write the defaults
  const CodeplugImage imageBefore = session->image;
  const auto settingsBefore = Snapshot(session->settings);
  EXPECT_FALSE(SaveCodeplugFile(*session, "/nonexistent-folder/x.cp", ui));
  EXPECT_TRUE(ui.shown.empty());  // the caller reports it
  EXPECT_EQ(session->image, imageBefore);
  EXPECT_EQ(Snapshot(session->settings), settingsBefore);
  EXPECT_TRUE(session->settings.defaultsLoaded);
}

TEST_P(CodeplugFilesTest, DamagedFilesAreRefusedAndNothingChanges) {
  auto session = LoadedSession("damaged_base.cp");
  const auto settingsBefore = Snapshot(session->settings);
  const CodeplugImage imageBefore = session->image;
  const LinkState linkBefore = session->link;

  std::string flipped = BlankFile(GetParam().model);
  flipped[flipped.find("S1", 40) + 12] ^= 1;  // a data digit: the checksum no longer fits
  std::string truncated = BlankFile(GetParam().model);
  truncated.resize(truncated.size() / 2);
  const std::string files[] = {flipped, truncated, "", "hello\r\n", "S9030000FC\r\n"};
  for (const auto& text : files) {
    ui.shown.clear();
    EXPECT_EQ(LoadCodeplugFile(*session, WriteFile("damaged.cp", text), ui), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, ComposeError(kInvalidArchive).text);
    EXPECT_EQ(Snapshot(session->settings), settingsBefore);
    EXPECT_EQ(session->image, imageBefore);
    EXPECT_EQ(session->link.ModelCode, linkBefore.ModelCode);
  }
  ui.shown.clear();
  EXPECT_EQ(LoadCodeplugFile(*session, TempPath("no_such_file.cp"), ui), 0);
  EXPECT_TRUE(ui.shown.empty());
}

TEST_P(CodeplugFilesTest, NewerCodeplugIsReportedOnceAndNotLoaded) {
  auto session = LoadedSession("newer_base.cp");
  const auto settingsBefore = Snapshot(session->settings);
  const CodeplugImage imageBefore = session->image;
  const auto path = WriteFile("newer.cp", BlankFile(GetParam().model, 0, 0x6A));
  EXPECT_EQ(LoadCodeplugFile(*session, path, ui), 0);
  ASSERT_EQ(ui.shown.size(), 1u);
  EXPECT_EQ(ui.shown[0].text, ComposeError(kCodeplugTooNew).text);
  EXPECT_EQ(Snapshot(session->settings), settingsBefore);
  EXPECT_EQ(session->image, imageBefore);
}

INSTANTIATE_TEST_SUITE_P(Families, CodeplugFilesTest,
                         ::testing::Values(FamilyCase{0x84, "152.8400", "VHF B Band"},
                                           FamilyCase{0x81, "152.8400", "VHF B Band"},
                                           FamilyCase{0xD1, "163.5000", "VHF C Band"}),
                         [](const auto& info) {
                           return "Model" + std::to_string(info.param.model);
                         });

TEST(CodeplugFilesCanned, CharacterGeneratorSetsTheDefaultRange) {
  struct Case {
    int cgrom;
    const char* start;
    const char* end;
  };
  const Case cases[] = {{1, "3321", "3F7E"}, {2, "7821", "7D47"}};
  for (const auto& c : cases) {
    PagerSession session;
    ScriptedUserInterface ui;
    ASSERT_EQ(LoadCodeplugFile(session, WriteFile("canned.cp", BlankFile(0x84, c.cgrom)), ui),
              kSuccess);
    EXPECT_EQ(session.link.CgromType, c.cgrom);
    EXPECT_EQ(session.link.CannedRangeStart, c.start);
    EXPECT_EQ(session.link.CannedRangeEnd, c.end);
  }
}

TEST(CodeplugFilesHeader, SaveWritesTheHeaderOfTheSession) {
  PagerSession session;
  session.link.CgromType = 0;
  session.link.LargeMemory = true;
  session.link.ModelWord = 0x84;
  const auto header = FileHeaderOf(session);
  EXPECT_EQ(FormatCodeplugFile(session.image.Bytes(), header).substr(0, 20),
            "S00800000043572084B9");
}

}  // namespace
}  // namespace rer
