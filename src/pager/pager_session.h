#pragma once
// Everything one run of the program keeps about the pager and the codeplug
// being edited: what the link learnt, the editor's image and the pager's copy,
// the layout in force, the editor settings, the passwords and the
// synthesizer. The main window and the command line each own one; the read,
// program and file operations work on it.

#include <cstdint>
#include <string>

#include "codeplug/codeplug_image.h"
#include "codeplug/editor_settings.h"
#include "codeplug/firmware_flags.h"
#include "codeplug/layout_table.h"
#include "pager/link_state.h"
#include "pager/password_state.h"
#include "synth/synth_state.h"

namespace rer {

struct PagerSession {
  LinkState link;
  CodeplugImage image;  // the editor's codeplug
  PagerCopy pagerCopy;  // what the pager held just before programming
  Layout layout;        // the family arrangement in force (none before the first read or load)
  EditorSettings settings;
  PasswordState passwords;
  SynthState synth;

  std::uint16_t readModelWord = 0;  // ModelWord right after the last image read or load
  bool serviceRequested = false;    // the service dialog waits for this read

  // The pager last programmed (or read) by the program sequence.
  std::uint8_t lastModelCode = kNoPagerInformation;
  int lastCgromType = 0;
  std::string lastSerialNumber;
};

// The firmware flags as the codec takes them.
inline FirmwareFlags FirmwareFlagsOf(const LinkState& link) {
  return link;
}

}  // namespace rer
