#pragma once
// What a simulated pager is like and how it misbehaves: its identity, its
// answers, its codeplug, and the faults a test or a demonstration asks for.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rer {

struct SimScenario {
  std::uint8_t modelCode = 0x84;
  // Characters 1-8 of the identity reply; not read by the program.
  std::string identityText = "SIMPAGER";
  // Character 9 of the identity reply ("1" makes " R0501" the first variant).
  std::string variantText = "0";
  std::string firmware = " R0501";  // characters 10-15
  std::string serialNumber = "SIM0000001";
  std::uint8_t cgromFirst = 0xFF;  // 0xFF 0xFF: no character generator
  std::uint8_t cgromSecond = 0xFF;
  std::uint8_t memoryByte = 0x20;
  // The status letter of each status reply in turn; the last one repeats.
  std::string statusLetters = "N";
  // The pager's own access password (plain text), asked for under "Y".
  std::string password;
  int triesLeft = 7;
  std::uint8_t serviceAcknowledge = '.';  // first reply byte to a service command
  std::uint8_t keyTestByte = 0x04;        // second reply byte of the key test
  std::uint8_t ramPatternByte = 'P';      // second reply byte of the RAM test pattern
  // The codeplug; empty means a blank one that holds only the model byte.
  std::vector<std::uint8_t> image;

  // Faults.
  bool noAnswer = false;                       // bytes are echoed, never answered
  std::optional<std::uint8_t> wakeReply;       // answer the wake with this byte instead
  std::optional<std::size_t> lostEchoAt;       // the k-th byte received (from 0) is not echoed
  std::optional<std::size_t> imageSilentFrom;  // the image out stops after k bytes
  bool rejectChecksum = false;                 // answer every checksum with 0x15
  bool loseWriteChecksumEcho = false;          // the checksum of every codeplug write is not echoed
  // A pager whose memory fails: the byte at this offset of every codeplug
  // written to it is stored with its lowest bit turned over. The write itself
  // is acknowledged as good.
  std::optional<std::size_t> storeWrongByteAt;
  std::size_t junkAfterUnprogrammed = 64;  // bytes that follow a "U" to a read

  // The codeplug as the pager sends it: the family's length, blank when no
  // image was given.
  std::vector<std::uint8_t> ImageBytes() const;
};

// Reads a scenario from JSON. Keys are the field names above; bytes are
// numbers or "0x.." texts; "image" is a hexadecimal text. Unknown keys are
// errors. Returns nullopt and sets `error` on failure.
std::optional<SimScenario> ParseSimScenario(const std::string& json, std::string& error);
std::optional<SimScenario> LoadSimScenario(const std::string& path, std::string& error);

}  // namespace rer
