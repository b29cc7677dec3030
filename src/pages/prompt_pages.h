#pragma once
// The rules of the three prompt pages, one handler for all three: editing a
// prompt, restoring one prompt's default (Alt+D), choosing the prompt
// language and the international character set, and the prompt memory check
// with the gauge it feeds.
//
// The memory check packs the prompts exactly as programming does and
// compares the used size with what the pager's prompt memory holds: 1065
// bytes on the large layout; on the small layout 468, or 450 for the early
// units whose serial numbers belong to the small-prompt series.

#include <cstddef>
#include <string>

#include "pages/page_handler.h"

namespace rer {

class PageRules;

// Prompt memory of the pagers, in bytes of the packed prompt area.
inline constexpr std::size_t kLargePromptCapacity = 1065;
inline constexpr std::size_t kSmallPromptCapacity = 468;
inline constexpr std::size_t kEarlyUnitPromptCapacity = 450;

class PromptPages : public PageHandler {
 public:
  PromptPages(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  void Enter(int field) override;
  // A prompt field: its text becomes the prompt (upper case, untrimmed) and
  // the memory check runs with its message. The language list: the
  // language's defaults are loaded, then the memory check. The character-set
  // list: a set that does not suit Latin prompts is warned about and kept.
  int Store(int field) override;
  // The memory check with its message: the prompts must fit.
  int Check(int page) override;
  // The memory check on page entry, quietly: leaving the page tells.
  void Refresh(int page) override;

  // Alt+D in the prompt field numbered `field`: the prompt gets its default
  // in the current language, then the memory check runs with its message.
  // Returns the check's result; a field that is no prompt changes nothing.
  int RestoreDefault(int field);

  // A key has been typed into a prompt field: from now on the memory check
  // also runs for Chinese prompts.
  void NoteKeyTyped() { keyTyped_ = true; }

  // Packs the prompts as programming would and compares them with the
  // capacity: kSuccess and the gauge set, or -51 (shown when `report`) and
  // the gauge left as it was. Chinese prompts nobody has typed into since
  // the language was chosen or the codeplug read pass unchecked.
  int MemoryCheck(bool report);

  // The bytes the packed prompts use, as programming would write them.
  std::size_t UsedSize() const;
  std::size_t Capacity() const;
  bool LargeLayout() const;
  // The gauge: the used share of the capacity in whole percent (rounded
  // down) after the last check that passed; 0 before any.
  int GaugePercent() const { return gaugePercent_; }

 private:
  int StorePrompt(int field);
  int ChooseLanguage();
  int ChooseCharSet();

  bool keyTyped_ = false;
  // The last store has shown the -51 that the page check would show again.
  bool failureJustShown_ = false;
  int gaugePercent_ = 0;
  std::string textAtEnter_;
  int enteredField_ = 0;
};

// The prompt pages' handler of `rules`; nullptr when none is plugged in.
PromptPages* PromptPagesOf(PageRules& rules);

}  // namespace rer
