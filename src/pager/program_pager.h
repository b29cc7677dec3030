#pragma once
// Write Pager: puts the editor's codeplug into the pager in the cradle. The
// pager is read first (into the pager copy) so that what belongs to its
// hardware is kept, its passwords and character generator are checked, the
// synthesizer is recomputed for its own chip, the codeplug is encoded and
// written, and finally the pager's clock is set.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "comm/clock.h"
#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"
#include "pager/write_verify.h"

namespace rer {

// What the sequence takes from the pager copy after the read-before-program.
struct PagerHardware {
  int synthType = 0;  // chip list item 0-4
  int bandwidth = 0;  // narrow/wide bit
  int hwClass = 0;
  int hwVariant = 0;            // 4 KB family only
  std::string modelText;        // the ten characters the pager holds at the serial number
  std::uint8_t optionBits = 0;  // 1 KB: bits 6 and 7 of option byte 1, in place
  std::uint8_t modelByte = 0;   // 1 KB: the model byte as the firmware names it
  int subModel = 0;             // 1 KB
  std::uint8_t synthHwByte = 0;
};

// Reads the hardware values out of `pagerCopy` through the layout of `family`.
// For the 1 KB family the model byte follows the firmware generation.
PagerHardware TakePagerHardware(const PagerCopy& pagerCopy, PagerFamily family,
                                const LinkState& link);

// False when the editor's codeplug belongs to the other family than the
// pager in the cradle: it is refused (-136) like a pager of another
// hardware class, never rebuilt for the other family without a word.
bool CodeplugFamilyFits(const PagerSession& session, PagerFamily pagerFamily);

// The hardware values for a pager that holds no codeplug: the editor's own,
// with the 1 KB model byte from the handshake as the firmware names it.
PagerHardware EditorHardwareForBlankPager(const PagerSession& session, PagerFamily family);

// What the program sequence does differently per family (program_pager.cpp).
struct ProgramFamilyTraits;

// The steps that live above the pager layer, wired in by the caller.
struct ProgramSteps {
  // Replaces the encode step (the editor's settings into session.image for
  // the pager in the cradle; layout selected, divider search done). 0 on
  // success. Without it the codec's encoder runs.
  std::function<int(PagerSession&)> encode;
  // The serial number and memory partition entry for a pager that holds no
  // codeplug: 0, or -17 when cancelled. Without it the entry counts as
  // cancelled.
  std::function<int(PagerSession&, UserInterface&)> enterSerialNumber;
  // Called once the read-before-program has brought the pager's codeplug
  // into the pager copy, before anything is written to the pager: the place
  // for keeping a copy of it. It cannot stop the program.
  std::function<void(const PagerSession&)> pagerCopyRead;
};

// One program sequence. Keep the object for a run of pagers: the passwords
// accepted for one pager are not asked again for the next while the codeplug
// stores the same ones.
class ProgramSequence {
 public:
  ProgramSequence(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui,
                  Clock& clock, ProgramSteps steps = {});

  // 1 on success; 0 when a step failed (its message has been shown); -48
  // (shown), -16 or -114 as the entry returns them.
  int ProgramPager();

  // The values the last run took from the pager copy.
  const PagerHardware& pagerHardware() const { return pager_; }

  // Read-back verify after every successful write (on unless turned off): a
  // pager that does not hold what was written fails the sequence with -160
  // shown, naming the first differing setting. The pager copy keeps what the
  // pager held before the write.
  void SetVerifyAfterWrite(bool on) { verify_ = on; }
  bool VerifyAfterWrite() const { return verify_; }
  // The verify of the last ProgramPager; NotRun when it was off or nothing
  // was written.
  const VerifyOutcome& lastVerify() const { return verifyOutcome_; }

 private:
  // One attempt: the steps, then the last-programmed values remembered.
  int Variant(const ProgramFamilyTraits& traits);
  int VariantSteps(const ProgramFamilyTraits& traits);
  int CheckDuplicates();
  int CheckFirmware() const;
  bool HardwareMatches(const ProgramFamilyTraits& traits) const;
  void CopyPagerBytes4K();
  int CheckPasswords(const ProgramFamilyTraits& traits);
  int CheckLocalPassword(const ProgramFamilyTraits& traits);
  int CheckSecurePassword(const ProgramFamilyTraits& traits);
  int CheckOtaPassword();
  void CheckCharacterRom();
  void CheckCannedRange();
  void TakeOverHardware(const ProgramFamilyTraits& traits);
  int SearchSynthesizer(const ProgramFamilyTraits& traits);
  int EncodeAndWrite(const ProgramFamilyTraits& traits);
  int Encode();
  int SetClock(const ProgramFamilyTraits& traits);
  void ShowLinkFailure(int r, const ProgramFamilyTraits& traits) const;
  bool PasswordBitsMoved() const;
  void WriteSecureWrongCount();
  void MarkTooManyTries();
  void RememberLastProgrammed();
  int VerifyWrite(const ProgramFamilyTraits& traits);

  PagerSession& session_;
  PagerLink& link_;
  PasswordChecks& checks_;
  UserInterface& ui_;
  Clock& clock_;
  ProgramSteps steps_;
  PagerHardware pager_;
  // Stored password texts (scrambled, as the image holds them) the user
  // has proved to know in this run.
  std::optional<std::string> acceptedSecure_;
  std::optional<std::string> acceptedOta_;
  bool verify_ = true;
  VerifyOutcome verifyOutcome_;
};

// One sequence of its own.
int ProgramPager(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui,
                 Clock& clock, ProgramSteps steps = {});

}  // namespace rer
