#include "pager/codeplug_file.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <vector>

#include "pager/file_layer.h"

namespace rer {
namespace {

constexpr std::size_t kImage4K = 4096;
constexpr std::size_t kImage1K = 1024;
constexpr std::size_t kBytesPerRecord = 16;
constexpr std::string_view kTerminator = "S9030000FC";
constexpr std::string_view kLineEnd = "\r\n";

bool Is4KModel(unsigned code) {
  return code == 0x84 || code == 0x88 || code == 0xD0 || code == 0xD1;
}
bool Is1KModel(unsigned code) {
  return code == 0x81 || code == 0x89 || code == 0xC0;
}

std::string Hex2(unsigned value) {
  char buffer[3];
  std::snprintf(buffer, sizeof buffer, "%02X", value & 0xFFu);
  return buffer;
}

// One record: type, count, 16-bit address, data, ones' complement checksum.
std::string Record(char type, unsigned address, std::span<const std::uint8_t> data) {
  const unsigned count = static_cast<unsigned>(data.size()) + 3;
  unsigned sum = count + (address >> 8) + (address & 0xFF);
  std::string line = std::string("S") + type + Hex2(count) + Hex2(address >> 8) + Hex2(address);
  for (std::uint8_t byte : data) {
    sum += byte;
    line += Hex2(byte);
  }
  line += Hex2(~sum);
  return line;
}

std::optional<unsigned> HexByte(std::string_view text, std::size_t at) {
  if (at + 2 > text.size()) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = at; i < at + 2; ++i) {
    const char c = text[i];
    unsigned digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

std::optional<unsigned> HexWord(std::string_view text, std::size_t at) {
  const auto high = HexByte(text, at);
  const auto low = HexByte(text, at + 2);
  if (!high || !low) return std::nullopt;
  return *high * 256 + *low;
}

// A line as the parser sees it: printable characters only, and no trailing
// blanks, so CR LF, LF-only and padded lines read alike.
std::string CleanLine(std::string_view raw) {
  std::string line;
  for (char c : raw) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) line.push_back(c);
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const auto end = text.find('\n', start);
    const auto raw = text.substr(start, end == std::string_view::npos ? end : end - start);
    lines.push_back(CleanLine(raw));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return lines;
}

struct FamilyPass {
  std::array<std::uint8_t, kImage4K> buffer{};
  std::bitset<kImage4K> covered;
  bool damaged = false;
  bool headerSeen = false;
  std::uint16_t modelWord = 0;
  std::uint8_t cgromType = 0;
  std::uint8_t memoryByte = 0;
};

// Reads every record into a buffer of one family's length. A header record
// of the other family ends the pass (the file is not of this family); a
// damaged data record ends it too and marks it so.
FamilyPass ParseFamily(const std::vector<std::string>& lines, std::size_t length,
                       unsigned baseAddress) {
  FamilyPass pass;
  const bool is4K = length == kImage4K;
  for (const auto& line : lines) {
    if (line.rfind("S0", 0) == 0) {
      const auto model = HexByte(line, 16);
      const auto cgrom = HexByte(line, 8);
      const auto memory = HexByte(line, 14);
      if (!model || !cgrom || !memory) return pass;
      if (is4K ? !Is4KModel(*model) : !Is1KModel(*model)) return pass;
      pass.headerSeen = true;
      pass.modelWord = static_cast<std::uint16_t>(*model);
      pass.cgromType = static_cast<std::uint8_t>(*cgrom);
      pass.memoryByte = static_cast<std::uint8_t>(*memory);
      continue;
    }
    if (line.rfind("S1", 0) != 0) continue;
    const auto count = HexByte(line, 2);
    const auto address = HexWord(line, 4);
    if (!count || !address || *count < 3 || *address < baseAddress) {
      pass.damaged = true;
      return pass;
    }
    const std::size_t dataLength = *count - 3;
    const std::size_t relative = *address - baseAddress;
    if (line.size() != 10 + 2 * dataLength || relative + dataLength > length) {
      pass.damaged = true;
      return pass;
    }
    unsigned sum = *count + (*address >> 8) + (*address & 0xFF);
    std::array<std::uint8_t, 255> data{};
    for (std::size_t i = 0; i < dataLength; ++i) {
      const auto byte = HexByte(line, 8 + 2 * i);
      if (!byte) {
        pass.damaged = true;
        return pass;
      }
      data[i] = static_cast<std::uint8_t>(*byte);
      sum += *byte;
    }
    const auto checksum = HexByte(line, 8 + 2 * dataLength);
    if (!checksum || ((~sum) & 0xFF) != *checksum) {
      pass.damaged = true;
      return pass;
    }
    for (std::size_t i = 0; i < dataLength; ++i) {
      pass.buffer[relative + i] = data[i];
      pass.covered.set(relative + i);
    }
  }
  return pass;
}

bool CoversWholeImage(const FamilyPass& pass, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (!pass.covered.test(i)) return false;
  }
  return true;
}

}  // namespace

std::size_t CodeplugFileLength(std::uint8_t modelCode) {
  return Is4KModel(modelCode) ? kImage4K : kImage1K;
}

std::string FormatCodeplugFile(std::span<const std::uint8_t> image,
                               const CodeplugFileHeader& header) {
  const std::uint8_t memoryByte = header.largeMemory ? 0x20 : 0x08;
  const std::array<std::uint8_t, 5> headerData{header.cgromType, 0x43, 0x57, memoryByte,
                                               header.modelCode};
  std::string text = Record('0', 0, headerData);
  text += kLineEnd;
  const std::size_t length = std::min(CodeplugFileLength(header.modelCode), image.size());
  for (std::size_t address = 0; address < length; address += kBytesPerRecord) {
    const std::size_t n = std::min(kBytesPerRecord, length - address);
    text += Record('1', static_cast<unsigned>(address), image.subspan(address, n));
    text += kLineEnd;
  }
  text += kTerminator;
  text += kLineEnd;
  return text;
}

bool WriteTextFileSafely(const std::string& path, const std::string& text, std::string* reason) {
  return WriteFileSafely(path, text, SystemFileLayer(), {}, reason);
}

bool WriteCodeplugFileSafely(const std::string& path, const std::string& text, FileLayer& layer,
                             std::string* reason) {
  const auto isCodeplug = [](std::string_view back) { return ParseCodeplugFile(back).has_value(); };
  return WriteFileSafely(path, text, layer, isCodeplug, reason);
}

bool WriteCodeplugFileSafely(const std::string& path, const std::string& text,
                             std::string* reason) {
  return WriteCodeplugFileSafely(path, text, SystemFileLayer(), reason);
}

std::optional<std::string> ReadTextFile(const std::string& path) {
  return SystemFileLayer().ReadAll(path);
}

std::optional<ParsedCodeplugFile> ParseCodeplugFile(std::string_view text) {
  const auto lines = Lines(text);
  std::optional<unsigned> baseAddress;
  for (const auto& line : lines) {
    if (line.size() < 3 || line.rfind("S1", 0) != 0) continue;
    const auto address = HexWord(line, 4);
    if (!address) continue;  // the pass reports this record as damaged
    baseAddress = baseAddress ? std::min(*baseAddress, *address) : *address;
  }
  if (!baseAddress) {
    // No readable data record: only a file with no data lines at all is
    // refused here; one with unreadable addresses is refused by the passes.
    bool anyData = false;
    for (const auto& line : lines) anyData |= line.size() >= 3 && line.rfind("S1", 0) == 0;
    if (!anyData) return std::nullopt;
    baseAddress = 0;
  }

  const FamilyPass pass1K = ParseFamily(lines, kImage1K, *baseAddress);
  const FamilyPass pass4K = ParseFamily(lines, kImage4K, *baseAddress);

  const FamilyPass* chosen = nullptr;
  std::size_t length = 0;
  if (Is1KModel(pass1K.buffer[1])) {
    chosen = &pass1K;
    length = kImage1K;
  } else if (Is4KModel(pass4K.buffer[1])) {
    chosen = &pass4K;
    length = kImage4K;
  }
  if (!chosen || chosen->damaged || !CoversWholeImage(*chosen, length)) return std::nullopt;

  ParsedCodeplugFile result;
  std::copy_n(chosen->buffer.begin(), length, result.image.begin());
  result.length = length;
  result.modelWord = chosen->buffer[1];
  result.headerSeen = chosen->headerSeen;
  result.cgromType = chosen->cgromType;
  result.memoryByte = chosen->memoryByte;
  result.largeMemory = chosen->memoryByte > 31;
  return result;
}

}  // namespace rer
