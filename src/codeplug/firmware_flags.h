#pragma once
// The firmware generations a pager reports, as the codeplug code needs them.
//
// The pager link learns these flags from the identity reply and keeps them in
// its own state; the link sits above the codeplug layer, so it hands them
// down in this plain record. Each flag is set when the firmware version text
// names that release; the variant flags mark the three builds of R0501.

namespace rer {

struct FirmwareFlags {
  bool R0402 = false;
  bool R0403 = false;
  bool R0404 = false;
  bool R0406 = false;
  bool R0407 = false;
  bool R0408 = false;
  bool R0409 = false;
  bool R0501 = false;
  bool R0502 = false;
  bool Variant1R0501 = false;
  bool Variant2R0501 = false;
  bool Variant3R0501 = false;

  // The secure 4 KB releases.
  bool AnyR0407To0409() const { return R0407 || R0408 || R0409; }
  // The newest releases.
  bool AnyR0501Or0502() const { return R0501 || R0502; }
  // Every release that can take a 4 KB codeplug.
  bool AnyR0407To0502() const { return AnyR0407To0409() || AnyR0501Or0502(); }
  bool AnyR0404Or0406() const { return R0404 || R0406; }
  // Every release that can take a 1 KB codeplug.
  bool AnyR0402To0406() const { return R0402 || R0403 || R0404 || R0406; }
  bool AnyVariantR0501() const { return Variant1R0501 || Variant2R0501 || Variant3R0501; }
};

}  // namespace rer
