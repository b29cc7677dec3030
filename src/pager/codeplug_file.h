#pragma once
// Codeplug files: S-record text with a header record that names the pager
// family, 16-byte data records of the image, and a terminator.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace rer {

// What the header record carries besides the image.
struct CodeplugFileHeader {
  std::uint8_t cgromType = 0;  // 0, 1, 2, 3 or 99
  bool largeMemory = false;    // memory byte 0x20 when set, else 0x08
  std::uint8_t modelCode = 0;  // low byte of the model word
};

// The records of a codeplug file, every line ending in CR LF. The image
// length follows the model code: 4096 bytes for the 4 KB family, else 1024.
std::string FormatCodeplugFile(std::span<const std::uint8_t> image,
                               const CodeplugFileHeader& header);

class FileLayer;

// Writes `text` so that a failed or interrupted write never destroys the
// file that was there. False when nothing (complete) was written; `reason`
// then holds the system's words for it. Paths are passed on as bytes.
bool WriteTextFileSafely(const std::string& path, const std::string& text,
                         std::string* reason = nullptr);
// The same for a codeplug file: the text read back must also parse as a
// codeplug before it replaces the old file.
bool WriteCodeplugFileSafely(const std::string& path, const std::string& text,
                             std::string* reason = nullptr);
bool WriteCodeplugFileSafely(const std::string& path, const std::string& text, FileLayer& layer,
                             std::string* reason = nullptr);
// Reads a whole file; nullopt when it cannot be opened.
std::optional<std::string> ReadTextFile(const std::string& path);

struct ParsedCodeplugFile {
  std::array<std::uint8_t, 4096> image{};  // zero beyond `length`
  std::size_t length = 0;                  // 1024 or 4096
  std::uint16_t modelWord = 0;             // the model byte of the chosen family's image
  bool headerSeen = false;                 // a header record of that family was read
  std::uint8_t cgromType = 0;              // from the header, when seen
  std::uint8_t memoryByte = 0;             // from the header, when seen
  bool largeMemory = false;                // memory byte above 31
};

// Parses the text of a codeplug file. Data addresses are taken relative to
// the lowest data record. Returns nullopt (the file is refused as an invalid
// archive) when there is no data record, when a data record of the chosen
// family is damaged (length, hex digits, checksum, bounds), or when the
// records do not cover that family's whole image: a half-read file must
// never be mixed with the codeplug already in the editor.
std::optional<ParsedCodeplugFile> ParseCodeplugFile(std::string_view text);

// Image length of a model code as files store it.
std::size_t CodeplugFileLength(std::uint8_t modelCode);

}  // namespace rer
