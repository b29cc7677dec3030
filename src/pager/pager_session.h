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
  FirmwareFlags flags;
  flags.R0402 = link.R0402;
  flags.R0403 = link.R0403;
  flags.R0404 = link.R0404;
  flags.R0406 = link.R0406;
  flags.R0407 = link.R0407;
  flags.R0408 = link.R0408;
  flags.R0409 = link.R0409;
  flags.R0501 = link.R0501;
  flags.R0502 = link.R0502;
  flags.Variant1R0501 = link.Variant1R0501;
  flags.Variant2R0501 = link.Variant2R0501;
  flags.Variant3R0501 = link.Variant3R0501;
  return flags;
}

}  // namespace rer
