#pragma once
// The rules of the Features and More Features tabs: message retention,
// duplicate detection, notebooks, display contrast, the canned messages of
// the ideographic pagers, the battery gauge and the printer options. Each
// change is followed by the tab's rules and its enabling; the check before a
// page is left, programmed or saved runs the same rules.

#include <cstdint>

#include "pages/page_handler.h"

namespace rer {

// cb_ideoNumericCanned: the state of the box is the canned level.
inline constexpr int kIdeoCannedNone = 0;
inline constexpr int kIdeoCannedTwoDigits = 1;
inline constexpr int kIdeoCannedExtended = 2;

// The level a ticked Ideo Numeric Canned box stores on a pager of `cgromType`.
int TickedIdeoCannedLevel(int cgromType);

class FeaturesPage : public PageHandler {
 public:
  FeaturesPage(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  // Notes the canned level the box shows before an edit.
  void Enter(int field) override;
  // The edited box's own effect, then the tab's rules and enabling.
  int Store(int field) override;
  // The tab's rules: 1, or the first failure, already shown.
  int Check(int page) override;
  void Refresh(int page) override;

 private:
  void StoreOwnEffect(Control control);
  int ApplyRules();
  int CheckCannedRange();
  bool AnyAddressAllowsPersonal() const;
  void UpdateEnabling();

  // The canned level the box showed when last seen, so that a tick can be
  // told from a box that was ticked already.
  int shownCannedLevel_ = kIdeoCannedNone;
};

class MoreFeaturesPage : public PageHandler {
 public:
  MoreFeaturesPage(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  void Enter(int field) override;
  // The battery gauge check, then the tab's enabling.
  int Store(int field) override;
  int Check(int page) override;
  void Refresh(int page) override;

 private:
  int BatteryGaugeCheck();
  void UpdateEnabling();
};

}  // namespace rer
