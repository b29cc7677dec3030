#pragma once
// The sixteen addresses as the encode step stores them, gathered from the
// per-address controls of the editor settings.

#include "codeplug/address_codec.h"
#include "codeplug/editor_settings.h"

namespace rer {

// Normalises the address flags in `settings` the way the stored bits will
// read back, then returns every address's setting. History and OTA count only
// when exactly 1; so does the personal flag of addresses 5 to 16, while
// addresses 1 to 4 take any non-zero personal state as ticked.
AddressSettings GatherAddressSettings(EditorSettings& settings);

}  // namespace rer
