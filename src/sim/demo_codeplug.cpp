#include "sim/demo_codeplug.h"

#include "codeplug/codec_bindings.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/image_fields.h"
#include "codeplug/pager_family.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "pager/pager_session.h"
#include "prompts/default_prompt_table.h"
#include "synth/synth_area.h"

namespace rer {
namespace {

constexpr char kDemoSerialNumber[] = "SIM0000001";
// A VHF receiver with a low-side synthesizer of the first chip type.
constexpr char kDemoFrequency[] = "145.0000";
constexpr int kDemoBandItem = 1;  // VHF A Band
constexpr int kDemoChipItem = 0;  // HI8107
constexpr std::uint8_t kLowSideInjection = 0x01;
// The codeplug version this program writes: R 4.6.9.
constexpr std::uint8_t kVersionHigh = 0x14;
constexpr std::uint8_t kVersionLow = 0x69;
constexpr int kEnglish = 0;

struct DemoAddress {
  int address;
  const char* capcode;
};
// A block of three Individual addresses, as a sequential run hands them out.
constexpr DemoAddress kDemoAddresses[] = {{1, "0012345"}, {2, "0012346"}, {3, "0012347"}};
// The FLEX frame of the block: address 1's capcode div 16, mod 128.
constexpr char kDemoFrame[] = "003";

// The item of `control`'s list that reads `text`.
int ItemOf(Control control, std::string_view text) {
  const auto items = FieldCatalogue::Instance().Entry(control).items;
  for (std::size_t item = 0; item < items.size(); ++item) {
    if (items[item] == text) return static_cast<int>(item);
  }
  return kNoItem;
}

void FillDemoSettings(EditorSettings& settings, bool largeLayout) {
  // Every list at its first item, then what a demonstration pager shows.
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].kind == ControlKind::List && !entries[index].items.empty()) {
      settings.ValueAt(index).number = 0;
    }
  }
  settings.defaultsLoaded = true;
  PromptTexts prompts = PromptTextsOf(settings);
  ApplyLanguageDefaults(prompts, kEnglish, largeLayout);
  SetPromptTexts(prompts, settings);
  settings.SetText(Control::ed_serialNumber, kDemoSerialNumber);
  settings.SetText(Control::ed_ICN, "DEMO000001");
  settings.SetText(Control::ed_frequency, kDemoFrequency);
  settings.SetItem(Control::cb_freqBand, kDemoBandItem);
  settings.SetItem(Control::cb_PLL_Type, kDemoChipItem);
  settings.SetText(Control::ed_displayContrast, "9");
  settings.SetText(Control::ed_missed_frame_count_min, "4");
  settings.SetText(Control::ed_missed_frame_count_sec, "30");
  // The battery gauge is off; its levels are the ones the More Features tab
  // gives an unused gauge, so that saving the codeplug again changes nothing.
  settings.SetItem(Control::cb_batteryGaugeHiLevel,
                   ItemOf(Control::cb_batteryGaugeHiLevel, "1.43v"));
  settings.SetItem(Control::cb_batteryGaugeMedLevel,
                   ItemOf(Control::cb_batteryGaugeMedLevel, "1.39v"));
  settings.SetItem(Control::cb_batteryGaugeLoLevel,
                   ItemOf(Control::cb_batteryGaugeLoLevel, "1.29v"));
  for (const DemoAddress& demo : kDemoAddresses) {
    settings.SetText(AddressControl::Capcode, demo.address, demo.capcode);
    settings.SetChecked(AddressControl::Personal, demo.address, true);
    settings.SetText(AddressControl::Frame, demo.address, kDemoFrame);
    settings.SetText(AddressControl::Collapse, demo.address, "4");
  }
}

}  // namespace

std::vector<std::uint8_t> DemoCodeplugImage(std::uint8_t modelCode) {
  const auto family = FamilyOfModel(modelCode);
  if (!family) return {};
  PagerSession session;
  session.link.ModelCode = modelCode;
  SelectLayout(session.layout, modelCode);
  ImageFields fields(session.image, session.layout);
  fields.SetByte(Field::kModelByte, modelCode);
  fields.SetByte(Field::kCodeplugVersion, kVersionHigh, 0);
  fields.SetByte(Field::kCodeplugVersion, kVersionLow, 1);
  const SynthArea& area = SynthAreaOf(session.layout.Is4K() ? SynthFamily::k4K : SynthFamily::k1K);
  session.image[area.bandByte] = kLowSideInjection;
  // The serial number is the pager's own: the encode leaves it as it finds it.
  fields.SetText(Field::kSerialNumber, kDemoSerialNumber);

  FillDemoSettings(session.settings, session.layout.Is4K());
  // Messages of the checks have no one to read them here; a frequency the
  // synthesizer cannot reach only leaves its words as they are.
  ScriptedUserInterface quiet;
  CheckAndSearchFrequency(session, quiet);
  EncodeSessionImageForSave(session);

  const std::size_t length = ImageLength(*family);
  return {session.image.Bytes().begin(),
          session.image.Bytes().begin() + static_cast<std::ptrdiff_t>(length)};
}

SimScenario DemoScenario(std::uint8_t modelCode) {
  SimScenario scenario;
  scenario.modelCode = modelCode;
  scenario.serialNumber = kDemoSerialNumber;
  scenario.image = DemoCodeplugImage(modelCode);
  return scenario;
}

}  // namespace rer
