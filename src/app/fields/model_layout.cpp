#include "app/fields/model_layout.h"

#include <QGroupBox>
#include <QString>
#include <QWidget>
#include <array>
#include <string_view>

#include "app/fields/field_widgets.h"
#include "app/fields/settings_page_builder.h"
#include "codeplug/field_catalogue.h"
#include "codeplug/pager_family.h"

namespace rer {
namespace {

// The widgets that depend on the model without being controls of the
// catalogue; the controls' own visibility is in the models column of
// controls.tsv.
struct WidgetVisibility {
  std::string_view name;
  ModelShow family4K;
  ModelShow models81And89;
  ModelShow others;
};
constexpr WidgetVisibility kModelDependentWidgets[] = {
    {"lab_PagerModelDisplay", ModelShow::kHidden, ModelShow::kHidden, ModelShow::kUnchanged},
};
// Hidden for every model, besides the controls whose row says so.
constexpr std::string_view kWidgetsHiddenForEveryModel[] = {
    "lb_defaultOnOffDuty", "cb_defaultOnOffDuty", "lb_setAllDefDuty", "cb_setAllDefDuty", "gb_NR",
};
constexpr char kInformationGroup[] = "gb_mfg1";
constexpr char kInformationCaption[] = "Information";

constexpr int kReportPages4K = 12;
constexpr int kReportPagesOther = 11;

QWidget* Find(QWidget& root, std::string_view name) {
  return root.findChild<QWidget*>(
      QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}
QWidget* Find(QWidget& root, const QString& name) {
  return root.findChild<QWidget*>(name);
}

void Apply(QWidget* widget, ModelShow show) {
  if (!widget || show == ModelShow::kUnchanged) return;
  widget->setVisible(show == ModelShow::kShown);
}

ModelShow ForModel(ModelShow family4K, ModelShow models81And89, ModelShow others,
                   std::uint8_t modelCode) {
  if (Is4KFamily(modelCode)) return family4K;
  if (modelCode == 0x81 || modelCode == 0x89) return models81And89;
  return others;
}

// A control of the catalogue and its label.
void ApplyToControl(QWidget& root, Control control, ModelShow show) {
  if (show == ModelShow::kUnchanged) return;
  const std::string name = FieldCatalogue::ControlName(control);
  Apply(Find(root, LabelNameOf(name)), show);
  Apply(Find(root, std::string_view(name)), show);
}

void HideForEveryModel(QWidget& root) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const auto control = static_cast<Control>(i);
    if (RowOf(control).hiddenForEveryModel) ApplyToControl(root, control, ModelShow::kHidden);
  }
  for (std::string_view name : kWidgetsHiddenForEveryModel) {
    Apply(Find(root, name), ModelShow::kHidden);
  }
}

}  // namespace

int ApplyModelLayout(QWidget& root, std::uint8_t modelCode) {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const ControlRow& row = RowOf(static_cast<Control>(i));
    const ModelShow show = ForModel(row.family4K, row.models81And89, row.otherModels, modelCode);
    ApplyToControl(root, static_cast<Control>(i), show);
  }
  for (const WidgetVisibility& widget : kModelDependentWidgets) {
    Apply(Find(root, widget.name),
          ForModel(widget.family4K, widget.models81And89, widget.others, modelCode));
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
  HideForEveryModel(root);
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const auto control = static_cast<Control>(i);
    if (!RowOf(control).disabledForEveryModel) continue;
    const std::string name = FieldCatalogue::ControlName(control);
    if (QWidget* widget = Find(root, std::string_view(name))) widget->setEnabled(false);
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
  HideForEveryModel(root);
  if (auto* group = root.findChild<QGroupBox*>(kInformationGroup)) {
    group->setTitle(kInformationCaption);
    group->show();
  }
  return Is4KFamily(modelCode) ? kReportPages4K : kReportPagesOther;
}

}  // namespace rer
