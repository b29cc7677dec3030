#pragma once
// Codeplug files at the level of the editing session: Save as checks the
// frequency, finds the synthesizer dividers, encodes the settings and writes
// the image; Load reads a file into the image, selects the layout and
// decodes it. Also the decode and encode steps as the session runs them, so
// that reading a pager and loading a file decode alike.

#include <cstdint>
#include <string>

#include "codeplug/decode_image.h"
#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/codeplug_file.h"
#include "pager/pager_session.h"

namespace rer {

// Runs the decode step of the family of ModelCode over the session's image
// (the layout is selected first) and, on success, hands the decoded
// passwords and counters to the password state. 1 on success; -107 for a
// codeplug newer than this program (settings untouched); 0 when ModelCode
// belongs to no family.
int DecodeSessionImage(PagerSession& session);

// Takes over the codeplug's passwords and wrong-entry counters, as a read or
// a load does after the decode.
void AdoptDecodedPasswords(PasswordState& passwords, const DecodedPasswords& decoded);

// The frequency checks that Save as and programming share, in their order:
// the divider search for the entered frequency (-115, shown), then the band
// check (-116, shown once). 0 when both pass; the search result is then in
// session.synth.
int CheckAndSearchFrequency(PagerSession& session, UserInterface& ui);

// Encodes the settings into the session's image with the Save as mark set.
// The layout must be in force.
void EncodeSessionImageForSave(PagerSession& session);

// "Save as": frequency checks, encode, then the file. True when the file was
// written; false when a check failed (its message shown) or the file could
// not be written (nothing shown: the caller reports it, with `writeError`,
// when given, holding the system's reason).
bool SaveCodeplugFile(PagerSession& session, const std::string& path, UserInterface& ui,
                      std::string* writeError = nullptr);

// "Load Codeplug": 1 when a codeplug was loaded and decoded; any other
// value means the editor keeps what it had. A refused file shows -28 and
// changes nothing; a codeplug newer than this program shows -107 once.
int LoadCodeplugFile(PagerSession& session, const std::string& path, UserInterface& ui);

// The header record of the session's codeplug as Save as writes it.
CodeplugFileHeader FileHeaderOf(const PagerSession& session);

}  // namespace rer
