#include "synth/synth_record.h"

#include "synth/synth_codes.h"

namespace rer {

void LoadSynthRecord(SynthRecord& record, std::uint8_t modeByte, std::uint8_t refByte,
                     std::uint8_t bandByte) {
  if (modeByte < kModeByteWithoutIf) {
    record.ifHz = kIfHzByCode[modeByte >> kModeIfShift];
  }
  record.stepHz = kStepHzByCode[(modeByte >> kModeStepShift) & kModeStepMask];
  record.mult = (modeByte & kModeMultMask) + 1;
  record.refHz = kRefHzByCode[refByte >> kRefCodeShift];
  const int type = (bandByte & kBandFs8308Bit) | ((refByte >> kRefTypeShift) & kRefTypeMask);
  if (type < kSynthTypeCount) {
    record.type = type;
    record.name = std::string(kSynthChipNames[static_cast<std::size_t>(type)]);
  }
  record.side = SideOfBits(bandByte);
}

}  // namespace rer
