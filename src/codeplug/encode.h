#pragma once
// The encode step: the editor's settings written back into the codeplug
// image, with the derived fields recomputed, the fixed firmware data
// installed and the checksum written last, ready to program or to save.
//
// The caller selects the layout of the pager's family and, before a program
// or a save, runs the divider search for the editor's frequency. Bytes the
// editor does not own keep what the last read or load left in the image.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "codeplug/codeplug_image.h"
#include "codeplug/editor_settings.h"
#include "codeplug/firmware_flags.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "synth/synth_state.h"

namespace rer {

// Turns a plain password into the form the codeplug stores. The scrambling
// belongs to the pager layer, which hands it down.
using PasswordScrambler = std::string (*)(std::string_view plain);

// The passwords to store, unscrambled. They live in the pager layer's
// password state rather than in the editor settings.
struct EncodePasswords {
  std::string ota;
  std::string local;
  std::string secure;  // written only while the secure password is enabled
};

// What the encode step needs besides the settings: facts about the pager at
// hand, the run's marks and the synthesizer state.
struct EncodeContext {
  std::uint8_t modelCode = 0xFF;
  int cgromType = 0;
  // The pager's memory reply, when the link has one; without it the large
  // memory setting of the last decode decides.
  std::optional<int> memoryReply;
  FirmwareFlags firmware;
  bool programming = false;  // a program sequence is running
  bool saving = false;       // Save as is running
  // The divider search result, the parameters it installs and the pager's
  // injection-side bits. Without it the synthesizer words keep their bytes.
  SynthState* synth = nullptr;
  // The 1 KB sub-model the pager reported (34 asks for the legacy flag).
  int pagerSubModel = 0;
  EncodePasswords passwords;
  // Without a scrambler the password texts keep their bytes: a password is
  // never stored in the clear.
  PasswordScrambler scramble = nullptr;
};

// Encodes a 4 KB codeplug (model codes 0x84, 0x88, 0xD0, 0xD1). `layout` must
// be the 4 KB layout. Besides the image it changes only the defaults mark
// (cleared), the error-message detection (switched on with the defaults),
// the display contrast (9 when above 15) and the normalised address flags.
int EncodeImage4K(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                  const EncodeContext& context);

// Encodes a 1 KB codeplug (model codes 0x81, 0x89, 0xC0) in the same way.
int EncodeImage1K(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                  const EncodeContext& context);

// The encoder of the family in force; 0 with nothing written when no family
// is in force.
int EncodeImage(EditorSettings& settings, const Layout& layout, CodeplugImage& image,
                const EncodeContext& context);

}  // namespace rer
