#pragma once
// The rules of the General tab and the four address tabs (Code 1-4 to
// Code 13-16), which share one handler: how a typed capcode is classified,
// formatted and followed by its frame and battery cycle, which address
// controls are enabled, and the check of each tab.

#include <string>

#include "pages/page_handler.h"

namespace rer {

inline constexpr char kDefaultBatteryCycleText[] = "4";
inline constexpr int kOnOffDutyDisable = 0;  // cb_onOffDuty "Disable"
inline constexpr int kNewAlertMenuNo = 0;    // cb_newAlertMenu "No"

// The sub-models of the secure 4 KB pagers of type 0xD0 and 0xD1.
bool IsSecureSubModel(std::uint8_t subModel);

class AddressPages : public PageHandler {
 public:
  AddressPages(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment);

  void Enter(int field) override;
  int Store(int field) override;
  // Page 0: the deaf-pager correction; pages 1 to 4: the tab's addresses
  // (-27, shown) and then duplicates among all sixteen (-48, not shown: the
  // whole-editor check shows it once).
  int Check(int page) override;
  void Refresh(int page) override;

  // The rules that follow every change of an address, for every address:
  // the FLEX address texts, the rows shown, the enabling and the encryption
  // keys' visibility. Also run when a pager or file enters the editor.
  void UpdateAddresses();

 private:
  int StoreCapcode(int address);
  int StoreGeneral(Control control);
  void FrameCheck(int address);
  void BatteryCycleCheck(int address);
  // Whether the even `address` stands behind an odd address that makes its
  // own settings meaningless (long or invalid; for address 2 anything but short).
  bool BehindLongOrInvalid(int address) const;
  void Restore(Control control, int address);
  void ClearAddressOptions(int address);
  void ClearAddress(int address);
  std::string DerivedFrameText(int address) const;
  void HideAlertsGroup();
  void UpdateEnabling(int address);

  // The settings as they stood when the field being edited was entered.
  EditorSettings before_;
};

}  // namespace rer
