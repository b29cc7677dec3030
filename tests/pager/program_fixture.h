#pragma once
// A program sequence wired to a simulated pager in virtual time: a pager
// image with chosen hardware bytes, and an editor codeplug that fits it.

#include <string>
#include <vector>

#include "codeplug/pager_family.h"
#include "comm/virtual_clock.h"
#include "core/scripted_user_interface.h"
#include "core/text.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_scramble.h"
#include "pager/program_pager.h"
#include "sim/sim_pager.h"
#include "sim/sim_transport.h"
#include "synth/synth_area.h"

namespace rer::testing {

// Bytes of the pager's codeplug that the tests set.
inline constexpr std::size_t kOptionByte = 0x0012;
inline constexpr std::size_t kFeatureByte = 0x0032;
inline constexpr std::size_t kSerialAt = 0x0028;
inline constexpr std::size_t kSubModelAt = 0x029A;
inline constexpr std::uint8_t kLowSideInjection = 0x01;
inline constexpr int kHi8107 = 0;
inline constexpr int kVhfABand = 1;

struct PagerSpec {
  std::uint8_t model = 0x84;
  std::string firmware = " R0501";
  std::string serial = "SIM0000001";
  std::uint8_t bandByte = kLowSideInjection;
  std::uint8_t optionByte = 0;
  std::uint8_t featureByte = 0x08;  // OTA password not in use
  std::uint8_t subModel = 0;
  std::string statusLetters = "N";
  std::string password;            // the pager's own access password, asked under "Y"
  std::uint8_t memoryByte = 0x20;  // the memory reply: 0x20 large memory
};

inline std::vector<std::uint8_t> PagerImage(const PagerSpec& profile) {
  const bool is4K = Is4KFamily(profile.model);
  std::vector<std::uint8_t> image(is4K ? 4096 : 1024, 0);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13 + 5);
  image[0x0000] = 0;
  image[0x0001] = profile.model;
  image[kOptionByte] = profile.optionByte;
  image[kFeatureByte] = profile.featureByte;
  image[kSubModelAt] = profile.subModel;
  for (std::size_t i = 0; i < profile.serial.size(); ++i) {
    image[kSerialAt + i] = static_cast<std::uint8_t>(profile.serial[i]);
  }
  const SynthArea& area = SynthAreaOf(is4K ? SynthFamily::k4K : SynthFamily::k1K);
  image[area.bandByte] = profile.bandByte;
  image[area.refByte] = 0;  // HI8107
  // The codeplug version bytes: an old codeplug (password bits in their
  // first places).
  image[0x024D] = 0x14;
  image[0x024E] = 0x51;
  return image;
}

inline SimScenario ScenarioOf(const PagerSpec& profile) {
  SimScenario scenario;
  scenario.modelCode = profile.model;
  scenario.firmware = profile.firmware;
  scenario.serialNumber = profile.serial;
  scenario.statusLetters = profile.statusLetters;
  scenario.password = profile.password;
  scenario.memoryByte = profile.memoryByte;
  scenario.image = PagerImage(profile);
  return scenario;
}

class ProgramFixture {
 public:
  explicit ProgramFixture(const PagerSpec& profile, ProgramSteps steps = {})
      : pager(ScenarioOf(profile)),
        transport(pager, clock, &ui),
        link(transport, clock, ui, session.link, session.image.Bytes(), session.pagerCopy.Bytes()),
        checks(session.passwords, ui, clock),
        sequence(session, link, checks, ui, clock, std::move(steps)) {
    // An editor codeplug for the same kind of pager.
    const std::vector<std::uint8_t> base = PagerImage(profile);
    std::copy(base.begin(), base.end(), session.image.Bytes().begin());
    session.readModelWord = profile.model;
    session.settings.SetText("ed_frequency", "145.0000");
    session.settings.SetItem("cb_freqBand", kVhfABand);
    session.settings.SetItem("cb_PLL_Type", kHi8107);
    session.settings.SetText(AddressControl::Capcode, 1, "0001000");
    session.settings.SetText(AddressControl::Capcode, 3, "0001002");
  }

  // Stores `plain` as the password at `at` of a pager codeplug.
  static void StorePassword(std::vector<std::uint8_t>& image, std::size_t at,
                            const std::string& plain) {
    const std::string scrambled = ScramblePassword(PadRight(plain, 10));
    std::copy(scrambled.begin(), scrambled.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
  }

  std::vector<std::uint8_t> EditorBytes(std::size_t length) const {
    return {session.image.Bytes().begin(),
            session.image.Bytes().begin() + static_cast<std::ptrdiff_t>(length)};
  }

  PagerSession session;
  VirtualClock clock;
  ScriptedUserInterface ui;
  SimPager pager;
  SimTransport transport;
  PagerLink link;
  PasswordChecks checks;
  ProgramSequence sequence;
};

}  // namespace rer::testing
