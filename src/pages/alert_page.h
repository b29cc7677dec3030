#pragma once
// The rules of the Alert tab: which options follow from which (the clock,
// Disable All Alerts, a deaf pager, the reminder and out-of-range times), the
// enabling of its controls, the checks of the out-of-range and reacquisition
// times and of the show options, and the pleasing alert editor that the
// "Custom" choice opens.

#include "pages/page_handler.h"

namespace rer {

inline constexpr int kPleasingAlertDefault = 0;  // cb_programmablePleasingAlert "Default"
inline constexpr int kPleasingAlertCustomItem = 1;
// What the corrections of an invalid out-of-range or reacquisition time set.
inline constexpr char kDefaultReacquisitionMinutes[] = "40";
inline constexpr char kDefaultReacquisitionSeconds[] = "00";

// The reminder times of the whole-editor check: an interval longer than a
// timeout that is set shows -49. kSuccess, or kNotDone after the message.
int CheckReminderTimes(const EditorSettings& settings, UserInterface& ui);

class AlertPage : public PageHandler {
 public:
  AlertPage(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  // Entering the pleasing alert list while it says "Custom" opens the editor.
  void Enter(int field) override;
  // The field's own check, then the rules of the page and its enabling.
  // kSuccess, or the error shown (-59, -60, -61; a -61 change is undone).
  int Store(int field) override;
  // Leaving User Selectable Alerts ticked opens the pleasing alert editor.
  void Leave(int field) override;
  // The page has no check of its own; the reminder times are the
  // whole-editor check's (CheckReminderTimes).
  int Check(int page) override;
  // The duration list for the pager's layout and the enabling, which also
  // follows Allow Off of the Features tab.
  void Refresh(int page) override;

  // The rules that follow every change on the page, in their order.
  void ApplyRules();
  // Enables the page's controls as the current settings allow.
  void UpdateEnabling();

 private:
  bool LargeLayout() const;
  bool Deaf() const;
  bool PleasingAlertAvailable() const;
  void OpenPleasingAlertIfCustom();
  void ResetPleasingAlert();
  // The out-of-range and reacquisition times after a change of one of them.
  int CheckOutOfRangeTimes(bool fromOutOfRangeTime);
  bool ShowOptionsAllOff() const;
  void UndoChange();

  // The settings as they stood before the change being stored.
  EditorSettings before_;
};

}  // namespace rer
