#include "pager/read_pager.h"

#include "codeplug/image_fields.h"
#include "codeplug/layout_table.h"
#include "codeplug/pager_family.h"
#include "core/text.h"
#include "pager/codeplug_files.h"
#include "pager/link_header.h"
#include "pager/password_scramble.h"
#include "pager/version_rules.h"
#include "synth/synth_area.h"

namespace rer {
namespace {

// Bits 4-6 of the status byte hold the LOCAL wrong-entry counter.
constexpr int kLocalCounterLowBit = 4;
constexpr int kLocalCounterWidth = 3;
constexpr int kLocalCounterMask = 0x70;
// The synthesizer search needs only the injection-side bits of the band byte.
constexpr std::uint8_t kInjectionSideBits = 0x03;

}  // namespace

void InstallImageReadChecks(PagerLink& link, PagerSession& session) {
  link.SetImageReadHook([&session](bool intoPagerCopy) {
    const std::uint8_t model = session.link.ModelCode;
    if (!intoPagerCopy && Is4KFamily(model)) {
      const std::size_t bandByte = SynthAreaOf(SynthFamily::k4K).bandByte;
      session.synth.SynthHwByte = session.image[bandByte] & kInjectionSideBits;
    }
    // The editor's image is checked whichever buffer the read went into.
    return CheckCodeplugVersionAfterRead(session.image, model);
  });
}

MessageContext SessionMessageContext(const PagerSession& session) {
  MessageContext context;
  context.attemptsLeft = session.link.AttemptsLeft;
  context.secureWrongCount = session.passwords.secureWrongCount;
  context.codeplugVersionText =
      CodeplugVersionDigits(StoredCodeplugVersion(session.image, session.link.ModelCode));
  return context;
}

int ReadSequence::ReadPager() {
  LinkState& state = session_.link;
  state.LinkSpeedCode = kSpeed4800;
  InstallImageReadChecks(link_, session_);

  int result = Attempt();
  // Each retry starts from scratch, identify and status query included.
  while (result == kLinkNotResponding && ui_.AskQuestion(kQuestionRetryRead) == kResultYes) {
    result = Attempt();
  }
  state.ExtendedReply = false;
  return (result == kLinkOk || result == kReadOk) ? kReadOk : result;
}

int ReadSequence::Attempt() {
  LinkState& state = session_.link;
  state.StatusReply = 0;
  state.PasswordAsked = false;
  gateAsked_ = false;

  // Only refreshes the firmware flags that decide the speed of the read run;
  // but a port that would not open has been reported, and trying it again
  // would only report it a second time.
  if (link_.Identify() == kLinkPortNotOpened) return kLinkPortNotOpened;
  int result = link_.Run(opReadCodeplug);
  session_.readModelWord = state.ModelWord;

  if (result == kLinkOk) {
    SelectLayout(session_.layout, state.ModelCode);
    result = LocalPasswordGate();
  }

  if (result == kLinkUnprogrammed) {
    // The pager holds no codeplug: the editor keeps what it had.
  } else if (result == kLinkWrongPassword) {
    session_.serviceRequested = false;
  } else if (result != kLinkOk) {
    state.ModelCode = kNoPagerInformation;
  } else {
    SelectLayout(session_.layout, state.ModelCode);
    result = DecodeSessionImage(session_);
    if (result == kReadOk && !gateAsked_ && acceptedLocalPassword_) {
      session_.passwords.localPasswordKnown = *acceptedLocalPassword_;
    }
    if (result == kCodeplugTooNew && Is1KFamily(state.ModelCode)) {
      ui_.ShowError(kCodeplugTooNew);
    }
  }
  state.ExtendedReply = false;
  return result;
}

int ReadSequence::LocalPasswordGate() {
  const LinkState& state = session_.link;
  if (!LocalPasswordRequired(session_.image, state.ModelCode)) return kLinkOk;
  // Once the pager's own password has been asked in this run, the codeplug's
  // local password is taken as given.
  if (state.PagerPasswordPrompted || state.ModelCode == kModelWithoutLocalPassword) {
    return kLinkOk;
  }

  ImageFields image(session_.image, session_.layout);
  const std::string stored = image.Text(Field::kLocalPasswordText);
  gateAsked_ = true;
  const int check = checks_.AskCodeplugPassword(PasswordMode::Local, stored);
  image.SetBits(Field::kStatusByte, kLocalCounterLowBit, kLocalCounterWidth,
                static_cast<unsigned>(session_.passwords.localWrongCount & kLocalCounterMask) >>
                    kLocalCounterLowBit);
  if (check == 0) {
    acceptedLocalPassword_ = PadRight(UnscramblePassword(stored), kPasswordLength);
    return kLinkOk;
  }
  // A wrong password is reported here, once; an entry closed without a
  // check is a refusal too, but needs no message.
  if (check == kWrongLocalPassword) ui_.ShowError(kWrongLocalPassword);
  return kWrongLocalPassword;
}

int ReadPager(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui) {
  ReadSequence sequence(session, link, checks, ui);
  return sequence.ReadPager();
}

}  // namespace rer
