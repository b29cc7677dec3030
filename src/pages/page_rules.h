#pragma once
// The handlers of the twelve settings pages together: which handler a page
// uses, the routing of a field's enter and store to the active page's
// handler, the check of the whole editor before a page is left, programmed
// or saved, the shorter check of the page keys, and the refresh on page
// entry. The window and rer-cli apply both go through this.
//
// Pages whose rules have not been written yet have no handler: they store
// nothing beyond the value and their check passes. A page's handler is
// plugged in with SetHandler when its rules exist.

#include <array>
#include <cstdint>
#include <memory>

#include "pages/address_pages.h"
#include "pages/page_handler.h"

namespace rer {

// Field numbers of the alert-pattern lists, which the tone buttons play.
inline constexpr int kFirstAlertPatternField = 362;
inline constexpr int kLastAlertPatternField = 377;
// ListFieldNumber and ListChoice when no list is in play.
inline constexpr int kNoListField = 9999;

class ImageReader;

// The environment of the pages for a pager of `modelCode` and `cgromType`
// whose codeplug `image` reads.
PageEnvironment PageEnvironmentFor(std::uint8_t modelCode, int cgromType, const ImageReader& image);

class PageRules {
 public:
  PageRules(EditorSettings& settings, UserInterface& ui, PageEnvironment environment = {});

  EditorSettings& Settings() { return settings_; }
  UserInterface& Ui() { return ui_; }
  PageEnvironment& Environment() { return environment_; }
  AddressPages& Addresses() { return addresses_; }

  // The handler of page `page` (0..11); nullptr for a page without rules yet.
  PageHandler* HandlerOf(int page);
  // Plugs a page's rules in (pages 5 to 11). Prompt 2 and 3 share the
  // handler of Prompt 1 unless given their own.
  void SetHandler(int page, std::unique_ptr<PageHandler> handler);

  // The field's enter and store on page `page`: 1, or the failure shown.
  void Enter(int page, int field);
  void Leave(int page, int field);
  int Store(int page, int field);

  // The check of the whole editor (see RunEditorPageCheck).
  int PageCheck(int activePage, int checkedField);
  // The check before F11 or F12 move to another page: 1 lets them move.
  int ShortPageCheck(int activePage, int checkedField);
  // The refresh of a page that has just become active.
  void EnterPage(int page);

  // Every page handler's pending widget requests, gathered and cleared.
  PageView TakeView();

 private:
  int CheckOf(int page);
  int PromptCheck();
  int AlertCheck();

  EditorSettings& settings_;
  UserInterface& ui_;
  PageEnvironment environment_;
  AddressPages addresses_;
  std::array<std::unique_ptr<PageHandler>, kSettingsPageCount> plugged_;
};

// The check of the whole editor before the active page is left, before
// programming and before saving:
//   1. the active page stores `checkedField` (the focused control's number);
//   2. the active page is checked (an Alert page also for its reminder times);
//   3. then, while each passes, the four address pages, the prompt pages,
//      Alert, Password/OTA, Features and More Features;
//   4. duplicate codes (-48) are shown here.
// Returns 1 when everything passed, otherwise the first failure (-48 among
// them, which still lets the page change).
int RunEditorPageCheck(PageRules& pages, int activePage, int checkedField);

// Whether a page change by its tab may go ahead after `check`.
constexpr bool PageChangeAllowed(int check) {
  return check == 1 || check == -48;
}

// The capcode pair rule: entering the capcode field `field` of an even
// address whose odd address before it holds a long capcode moves the focus on
// to the next address of the same tab (wrapping to the tab's first). The
// field number to move to, or 0 to stay.
int CapcodePairTarget(const EditorSettings& settings, int field);

// Whether the "Play tone" buttons are enabled while the list numbered
// `listField` was the last one entered or clicked.
constexpr bool ToneButtonsEnabled(int listField) {
  return listField >= kFirstAlertPatternField && listField <= kLastAlertPatternField;
}

}  // namespace rer
