#include "app/model_layout.h"

#include <QGroupBox>
#include <QString>
#include <QWidget>
#include <array>
#include <string_view>

#include "app/field_widgets.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/pager_family.h"

namespace rer {
namespace {

enum class Visibility { Shown, Hidden, Unchanged };
using enum Visibility;

struct ModelDependentRow {
  std::array<std::string_view, 12> controls;  // unused places stay empty
  Visibility family4K;
  Visibility models81And89;
  Visibility others;
};

constexpr ModelDependentRow kModelDependentRows[] = {
    {{"lb_reminderAlertDuration", "cb_reminderAlertDuration"}, Shown, Hidden, Hidden},
    {{"lb_fixAlert", "cb_fixAlert", "lb_defaultReminderVibMode", "cb_defaultReminderVibMode",
      "lb_defaultReminderEscalatingMode", "cb_defaultReminderEscalatingMode",
      "lb_defaultReminderAlertMode", "cb_defaultReminderAlertMode",
      "lb_defaultReminderAlertPattern", "cb_defaultReminderAlertPattern"},
     Shown,
     Hidden,
     Unchanged},
    {{"lb_priorityWithout", "cb_priorityWithout"}, Shown, Hidden, Hidden},
    {{"lb_turnOnPager", "cb_turnOnPager"}, Shown, Hidden, Shown},
    {{"lb_DutySource", "ed_DutySource", "lb_INPUT_PASSWORD_PROMPT", "ed_INPUT_PASSWORD_PROMPT",
      "lb_PASSWORD_KEY_PROMPT", "ed_PASSWORD_KEY_PROMPT"},
     Shown,
     Hidden,
     Unchanged},
    {{"lb_cpwFc_Password_LRUD", "ed_cpwFc_Password_LRUD"}, Shown, Hidden, Hidden},
    {{"lab_PagerModelDisplay"}, Hidden, Hidden, Unchanged},
};

// Hidden for every model.
constexpr std::string_view kAlwaysHidden[] = {
    "lb_timeFormat",
    "cb_timeFormat",
    "lb_newAlertMenu",
    "cb_newAlertMenu",
    "lb_onOffDuty",
    "cb_onOffDuty",
    "lb_selDutySource",
    "cb_selDutySource",
    "lb_defaultOnOffDuty",
    "cb_defaultOnOffDuty",
    "lb_setAllDefDuty",
    "cb_setAllDefDuty",
    "ck_cpfUif_Paging_Auto_Backlight",
    "lb_cpfUif_Paging_Auto_Backlight",
    "ck_cpfUif_New_Msg_Auto_Display",
    "lb_cpfUif_New_Msg_Auto_Display",
    "gb_NR",
    "ed_Pager_Model",
    "lb_Pager_Model",
};
// Disabled for every model: the band follows from the frequency.
constexpr std::string_view kAlwaysDisabled[] = {"cb_freqBand", "cb_nwBand"};
constexpr char kInformationGroup[] = "gb_mfg1";
constexpr char kInformationCaption[] = "Information";

constexpr int kReportPages4K = 12;
constexpr int kReportPagesOther = 11;

QWidget* Find(QWidget& root, std::string_view name) {
  return root.findChild<QWidget*>(
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

void Apply(QWidget* widget, Visibility visibility) {
  if (!widget || visibility == Unchanged) return;
  widget->setVisible(visibility == Shown);
}

Visibility ForModel(const ModelDependentRow& row, std::uint8_t modelCode) {
  if (Is4KFamily(modelCode)) return row.family4K;
  if (modelCode == 0x81 || modelCode == 0x89) return row.models81And89;
  return row.others;
}

}  // namespace

int ApplyModelLayout(QWidget& root, std::uint8_t modelCode) {
  for (const ModelDependentRow& row : kModelDependentRows) {
    for (std::string_view name : row.controls) {
      if (!name.empty()) Apply(Find(root, name), ForModel(row, modelCode));
    }
  }
  // The encryption keys of the secure models, in the rows the address pages show.
  const bool secure = Is4KFamily(modelCode);
  for (int address = 1; address <= kAddressCount; ++address) {
    QWidget* key =
        Find(root, FieldCatalogue::AddressControlName(AddressControl::DecryptKey, address));
    QWidget* capcode =
        Find(root, FieldCatalogue::AddressControlName(AddressControl::Capcode, address));
    if (key) key->setVisible(secure && capcode && !capcode->isHidden());
    const std::string header =
        "hd_" + FieldCatalogue::AddressControlName(AddressControl::DecryptKey, address).substr(3);
    if (QWidget* found = Find(root, header)) found->setVisible(secure);
  }
  for (std::string_view name : kAlwaysHidden) Apply(Find(root, name), Hidden);
  for (std::string_view name : kAlwaysDisabled) {
    if (QWidget* widget = Find(root, name)) widget->setEnabled(false);
  }
  // A group left without a control to show is not shown either.
  for (QGroupBox* group : root.findChildren<QGroupBox*>()) {
    bool anyShown = false;
    for (QWidget* child : group->findChildren<QWidget*>()) {
      if (child->property(kFieldNumberProperty).isValid() && !child->isHidden()) anyShown = true;
    }
    group->setVisible(anyShown);
  }
  // Groups that every model hides stay hidden whatever they hold.
  for (std::string_view name : kAlwaysHidden) Apply(Find(root, name), Hidden);
  if (auto* group = root.findChild<QGroupBox*>(kInformationGroup)) {
    group->setTitle(kInformationCaption);
    group->show();
  }
  return Is4KFamily(modelCode) ? kReportPages4K : kReportPagesOther;
}

}  // namespace rer
