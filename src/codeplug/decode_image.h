#pragma once
// Turns the codeplug image into the editor settings, one operation per
// pager family sharing one outline. Runs after a pager read, a file load and
// for Set To Defaults, always with the family's layout in force.

#include <cstdint>
#include <string>
#include <string_view>

#include "codeplug/codeplug_image.h"
#include "codeplug/editor_settings.h"
#include "codeplug/layout_table.h"
#include "core/result_codes.h"
#include "synth/synth_state.h"

namespace rer {

// DecodeContext::modelCode when no pager information is held.
inline constexpr std::uint8_t kNoPagerModel = 0xFF;

// Turns a stored (scrambled) password of the codeplug into its plain text.
using PasswordUnscrambler = std::string (*)(std::string_view scrambled);

// What the decode needs besides the image and the layout.
struct DecodeContext {
  int cgromType = 0;                       // the pager's character generator (LinkState)
  std::uint8_t modelCode = kNoPagerModel;  // the pager's model code
  // During a program sequence the large-memory bit comes from the pager.
  bool programSequence = false;
  bool pagerLargeMemory = false;
  // The synthesizer record and parameters of the run; the decode loads the
  // record (and, in the 1 KB family, the parameters read back).
  SynthState& synth;
  // The password scrambling of the pager link; it lives with the link, which
  // builds on this layer, so the caller hands it in. Without it the stored
  // texts are taken as they stand.
  PasswordUnscrambler unscramblePassword = nullptr;
};

// Both return kSuccess, or kCodeplugTooNew with every setting as it was
// except `versionText` and `newBandCoding`, which every decode sets.
// Without a layout of the operation's family in force nothing is decoded and
// the result is kNotDone.
int DecodeImage4K(const CodeplugImage& image, const Layout& layout, EditorSettings& settings,
                  DecodeContext& context);
int DecodeImage1K(const CodeplugImage& image, const Layout& layout, EditorSettings& settings,
                  DecodeContext& context);

// The two service adjustments tuned for one pager (the display contrast and
// the clock's second adjustment) as `image` holds them. The program sequence
// reloads them when another pager is in the cradle, so that a value tuned for
// the last pager does not carry over to the next.
void ReloadServiceAdjustments(const CodeplugImage& image, const Layout& layout,
                              EditorSettings& settings);

}  // namespace rer
