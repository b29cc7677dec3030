// A frequency saved with a codeplug must load back as the same text, for
// every chip, band, family and injection side. The codeplug stores only the
// synthesizer's register words, so any disagreement between the search, the
// word encode, the codeplug encode and the read-back retunes the pager.

#include <gtest/gtest.h>
#include "temp_path.h"

#include <string>
#include <vector>

#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_file.h"
#include "pager/codeplug_files.h"
#include "synth/synth_area.h"
#include "synth/synth_codes.h"

namespace rer {
namespace {

struct Model {
  std::uint8_t code;
  SynthFamily family;
};

constexpr Model kModels[] = {
    {0x84, SynthFamily::k4K},
    {0xD0, SynthFamily::k4K},
    {0x81, SynthFamily::k1K},
    {0xC0, SynthFamily::k1K},
};

// Chip list items a codeplug can be saved with. HI8107 and NPC5170 both stand
// for the NPC5170 on 900 MHz and for the HI8107 on VHF.
constexpr const char* kChips[] = {"HI8107", "MB15E03", "NPC5170", "FS8107 / FS8108"};

struct BandFrequencies {
  const char* band;
  std::vector<const char*> frequencies;  // band edges and a few channels between
};

const std::vector<BandFrequencies>& Bands() {
  static const std::vector<BandFrequencies> bands{
      {"VHF A Band", {"143.0000", "148.1125", "152.8400"}},
      {"VHF B Band", {"152.0000", "157.4500", "163.9975"}},
      {"VHF C Band", {"164.0000", "169.8125", "173.9975"}},
      {"900 MHz", {"929.0125", "930.1250", "931.9875"}},
  };
  return bands;
}

int ItemOf(std::string_view control, std::string_view text) {
  const ControlEntry* entry = FieldCatalogue::Instance().Find(control);
  for (std::size_t i = 0; i < entry->items.size(); ++i) {
    if (entry->items[i] == text) return static_cast<int>(i);
  }
  return kNoItem;
}

std::string TempPath(const std::string& name) {
  return rer::testing::TempPath("frequency_round_trip_") + name;
}

// A blank codeplug of `model` whose band byte carries the injection side.
std::string BlankFile(const Model& model, int side) {
  CodeplugImage image;
  Layout layout;
  SelectLayout(layout, model.code);
  ImageFields fields(image, layout);
  fields.SetByte(Field::kModelByte, model.code);
  fields.SetByte(Field::kCodeplugVersion, 0x14, 0);
  fields.SetByte(Field::kCodeplugVersion, 0x69, 1);
  image.Bytes()[SynthAreaOf(model.family).bandByte] = static_cast<std::uint8_t>(side);
  return FormatCodeplugFile(image.Bytes(), {0, true, model.code});
}

struct Outcome {
  bool saved = false;
  std::string loadedText;
  std::string error;
};

// Loads a blank codeplug, sets chip, band and frequency, saves it and loads
// the file into a fresh session.
Outcome SaveAndLoad(const Model& model, int side, const char* chip, const char* band,
                    const char* frequency) {
  Outcome outcome;
  ScriptedUserInterface ui;
  const std::string blank = TempPath("blank.cp");
  if (!WriteTextFileSafely(blank, BlankFile(model, side))) return outcome;
  PagerSession edited;
  if (LoadCodeplugFile(edited, blank, ui) != kSuccess) return outcome;
  // The side of the pager last read (the 1 KB family and the MB15E03 use it).
  edited.synth.SynthHwByte = static_cast<std::uint8_t>(side);
  edited.settings.SetItem("cb_PLL_Type", ItemOf("cb_PLL_Type", chip));
  edited.settings.SetItem("cb_freqBand", ItemOf("cb_freqBand", band));
  edited.settings.SetText("ed_frequency", frequency);

  const std::string saved = TempPath("saved.cp");
  outcome.saved = SaveCodeplugFile(edited, saved, ui);
  if (!ui.shown.empty()) outcome.error = ui.shown.front().text;
  if (!outcome.saved) return outcome;

  PagerSession loaded;
  if (LoadCodeplugFile(loaded, saved, ui) == kSuccess) {
    outcome.loadedText = loaded.settings.Text("ed_frequency");
  }
  return outcome;
}

TEST(FrequencyRoundTrip, SavedFrequencyLoadsBackAsTheSameText) {
  for (const Model& model : kModels) {
    for (int side : {kLowSide, kHighSide}) {
      for (const char* chip : kChips) {
        for (const BandFrequencies& band : Bands()) {
          for (const char* frequency : band.frequencies) {
            SCOPED_TRACE(::testing::Message()
                         << "model 0x" << std::hex << int{model.code} << std::dec << ", side "
                         << side << ", " << chip << ", " << band.band << ", " << frequency);
            const Outcome outcome = SaveAndLoad(model, side, chip, band.band, frequency);
            ASSERT_TRUE(outcome.saved) << outcome.error;
            EXPECT_EQ(outcome.loadedText, frequency);
          }
        }
      }
    }
  }
}

// The case first reported: a 4 KB codeplug saved with the HI8107 item on
// 900 MHz came back twice as high, because the type bits of the reference
// byte named the HI8107 while the words were packed for the NPC5170.
TEST(FrequencyRoundTrip, Hi8107ItemOn900MHzReadsBackItsNpc5170Words) {
  ScriptedUserInterface ui;
  const Model model{0x84, SynthFamily::k4K};
  const std::string blank = TempPath("reported_blank.cp");
  ASSERT_TRUE(WriteTextFileSafely(blank, BlankFile(model, kLowSide)));
  PagerSession edited;
  ASSERT_EQ(LoadCodeplugFile(edited, blank, ui), kSuccess);
  edited.settings.SetItem("cb_PLL_Type", ItemOf("cb_PLL_Type", "HI8107"));
  edited.settings.SetItem("cb_freqBand", ItemOf("cb_freqBand", "900 MHz"));
  edited.settings.SetText("ed_frequency", "930.1250");
  const std::string saved = TempPath("reported_saved.cp");
  ASSERT_TRUE(SaveCodeplugFile(edited, saved, ui));

  const SynthArea& area = SynthAreaOf(model.family);
  EXPECT_EQ((edited.image[area.refByte] >> kRefTypeShift) & kRefTypeMask, kSynthTypeNPC5170);
  EXPECT_EQ(edited.image[area.typeByte], kSynthTypeNPC5170);

  PagerSession loaded;
  ASSERT_EQ(LoadCodeplugFile(loaded, saved, ui), kSuccess);
  EXPECT_EQ(loaded.settings.Text("ed_frequency"), "930.1250");
  EXPECT_EQ(loaded.settings.Item("cb_PLL_Type"), ItemOf("cb_PLL_Type", "NPC5170"));
  // Saved again as loaded, the codeplug keeps its words.
  const std::string again = TempPath("reported_again.cp");
  ASSERT_TRUE(SaveCodeplugFile(loaded, again, ui));
  EXPECT_EQ(loaded.image, edited.image);
}

}  // namespace
}  // namespace rer
