#pragma once
// The simple settings: one table that ties an image field (or a group of its
// bits) to the editing control that shows it, walked in both directions. The
// table is generated from the storage column of controls.tsv.
//
// A binding is "simple" when the value passes between image and control
// without any rule beyond its bit coding: a bit or bit group of the bit
// table (polarity included), a list stored as item codes (time codes, frame
// search time, function menu display ...), or a fixed-width text. Everything
// that needs more (version-dependent password enables, band and synthesizer,
// prompts, memory texts, missed-frame time, address slots ...) is coded by
// hand in the decode and encode steps; those steps run this table first and
// then add their own rules, so a rule written after the table wins.

#include <array>
#include <span>
#include <string_view>

#include "codeplug/address_codec.h"
#include "codeplug/editor_settings.h"
#include "codeplug/image_fields.h"
#include "codeplug/layout_bits.h"
#include "prompts/prompt_catalogue.h"

namespace rer {

enum class BindingSource : std::uint8_t {
  kBitField,   // a row of the controls' bit rows (ControlBitFieldRows)
  kCodedList,  // a row of the controls' item-code rows (ControlCodedSettingRows)
  kText,       // the whole field as characters
};

enum class BindingDirection : std::uint8_t {
  kBoth,
  // Shown on decode, but the encode step writes a constant of its own there
  // (the fixed-bit table or a written-as-0 rule).
  kDecodeOnly,
};

struct CodecBinding {
  Control control;  // the editing control (list, check box or text)
  BindingSource source;
  std::uint16_t row;  // the bit row or code row; 0 for texts
  Field field;        // texts only
  FamilySet families;
  BindingDirection direction;
};

std::span<const CodecBinding> CodecBindings();

// Sets every bound control from the image, for the family in force. A list
// takes the value as its item, a check box as its state, a text the stored
// characters exactly (blanks included).
void DecodeBindings(const ImageReader& image, EditorSettings& settings);

// Writes every bound control of the family in force into the image, except
// the decode-only ones. A list without selection writes item 0 (for coded
// lists the table's fallback item), a text is blank-padded to its width.
void EncodeBindings(const EditorSettings& settings, ImageFields& image);

// The per-address controls of the editor as the address codec's settings,
// and back. Shared by decode, encode and the address pages.
AddressSettings AddressSettingsOf(const EditorSettings& settings);
void SetAddressSettings(const AddressSettings& addresses, EditorSettings& settings);

// The prompt controls by extended prompt number.
const std::array<Control, kPromptCount>& PromptControls();

// The prompt fields of the editor by extended prompt number, and back.
PromptTexts PromptTextsOf(const EditorSettings& settings);
void SetPromptTexts(const PromptTexts& texts, EditorSettings& settings);

}  // namespace rer
