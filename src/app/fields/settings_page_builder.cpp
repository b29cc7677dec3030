#include "app/fields/settings_page_builder.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <map>

#include "app/fields/field_widgets.h"
#include "app/fields/page_table.h"
#include "codeplug/field_catalogue.h"

namespace rer {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A label text shown as it stands: "&" is not an access-key mark here.
QString Shown(std::string_view text) {
  return Q(text).replace('&', "&&");
}

// A group of named controls at a chosen place on a page; its members are the
// controls whose row names the group (the group column of controls.tsv), in
// row order. The controls of a form page that no group names go to the
// page's "Settings" (lists and text fields) and "Options" (check boxes) groups.
struct NamedGroup {
  int page;
  const char* objectName;
  const char* title;
  int column;
};

constexpr NamedGroup kNamedGroups[] = {
    {kPageGeneral, "gb_pager", "Pager", 0},
    {kPageGeneral, "gb_mfg1", "Information", 0},
    {kPageGeneral, "gb_receiver", "Receiver", 1},
    {kPageGeneral, "gb_alertMenu", "Alert Menu", 1},
    {kPagePrompt1, "gb_language", "Language", 0},
    {kPageAlert, "gb_reminder", "Reminder Alert", 1},
    {kPagePasswordOta, "gb_handProgramming", "Hand Programming", 1},
    {kPagePasswordOta, "gb_userPassword", "User Password", 1},
    {kPageFeatures, "gb_canned", "Canned Messages", 1},
    {kPageMoreFeatures, "gb_batteryGauge", "Battery Gauge", 0},
    {kPageMoreFeatures, "gb_printer", "Printer", 0},
};

// Where a form page puts the controls that no group names.
struct FormPagePlan {
  int page;
  int settingsColumn;
  int optionsColumn;
  int optionColumns;  // check boxes side by side in the Options group
};

constexpr FormPagePlan kFormPagePlans[] = {
    {kPageGeneral, 0, 1, 1},  {kPageAlert, 0, 2, 1},        {kPagePasswordOta, 0, 0, 1},
    {kPageFeatures, 1, 0, 2}, {kPageMoreFeatures, 1, 1, 2},
};

// Controls that exist but stay out of sight: the user password keys are
// entered through the keypad and shown as letters beside.
constexpr std::string_view kHiddenControls[] = {"ed_cpwFc_Password"};

// The two grids of an address page: the address itself, and its alerts.
constexpr AddressControl kAddressColumns[] = {
    AddressControl::Capcode,         AddressControl::FlexAddress, AddressControl::Personal,
    AddressControl::LanguagePointer, AddressControl::Priority,    AddressControl::History,
    AddressControl::MessageType,     AddressControl::Frame,       AddressControl::Collapse,
    AddressControl::OtaEnable,       AddressControl::DecryptKey,
};
constexpr AddressControl kAlertColumns[] = {
    AddressControl::OnOffDuty,  AddressControl::FixAlert,  AddressControl::InterruptVib,
    AddressControl::Escalating, AddressControl::AlertMode, AddressControl::AlertPattern,
};
// The tone preview buttons, beside the alert patterns of the first address page.
constexpr char kListenButtonCaption[] = "Play tone";
constexpr char kListenButtonHint[] = "Sound Preview";

// Prompt fields per column before a new column starts.
constexpr int kPromptRowsPerColumn = 12;

const FieldCatalogue& Catalogue() {
  return FieldCatalogue::Instance();
}

int IndexOf(std::string_view name) {
  return Catalogue().IndexOf(name);
}

bool IsHidden(std::string_view name) {
  for (std::string_view hidden : kHiddenControls) {
    if (hidden == name) return true;
  }
  return false;
}

QGroupBox* MakeGroup(QWidget* parent, const QString& objectName, const QString& title) {
  auto* group = new QGroupBox(title, parent);
  group->setObjectName(objectName);
  return group;
}

QFormLayout* MakeForm(QGroupBox* group) {
  auto* form = new QFormLayout(group);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setVerticalSpacing(4);
  return form;
}

// Columns of groups side by side, each column topped up with free space.
class PageColumns {
 public:
  explicit PageColumns(QWidget& page) : row_(new QHBoxLayout(&page)) {}
  void Add(int column, QWidget* group) {
    while (static_cast<int>(columns_.size()) <= column) {
      auto* layout = new QVBoxLayout;
      row_->addLayout(layout);
      columns_.push_back(layout);
    }
    columns_[column]->addWidget(group);
  }
  void Finish() {
    for (QVBoxLayout* column : columns_) column->addStretch(1);
    row_->addStretch(1);
  }

 private:
  QHBoxLayout* row_;
  std::vector<QVBoxLayout*> columns_;
};

}  // namespace

QString LabelNameOf(std::string_view controlName) {
  constexpr std::string_view kPrefixes[] = {"ed_", "cb_", "ck_"};
  for (std::string_view prefix : kPrefixes) {
    if (controlName.starts_with(prefix)) controlName.remove_prefix(prefix.size());
  }
  return "lb_" + Q(controlName);
}

QWidget* SettingsPages::MakeControl(std::size_t entryIndex, QWidget* parent) {
  const ControlEntry& entry = Catalogue().Entries()[entryIndex];
  QWidget* widget = CreateFieldWidget(entry, parent);
  if (entry.keyFilter != KeyFilter::None) widget->installEventFilter(keyFilter_);
  if (IsHidden(entry.name)) widget->hide();
  controls_[entryIndex] = widget;
  return widget;
}

void SettingsPages::Build(QTabWidget& pages) {
  controls_.assign(Catalogue().Entries().size(), nullptr);
  addressRows_.assign(kAddressCount + 1, {});
  keyFilter_ = new FieldKeyFilter(&pages);
  for (int index = 0; index < kSettingsPageCount; ++index) {
    QWidget* page = pages.widget(index);
    if (index >= kPageCode1To4 && index <= kPageCode13To16) {
      BuildAddressPage(*page, index);
    } else if (index >= kPagePrompt1 && index <= kPagePrompt3) {
      BuildPromptPage(*page, index);
    } else {
      BuildFormPage(*page, index);
    }
  }
}

QWidget* SettingsPages::Control(std::size_t entryIndex) const {
  return entryIndex < controls_.size() ? controls_[entryIndex] : nullptr;
}

QWidget* SettingsPages::Control(std::string_view name) const {
  const int index = IndexOf(name);
  return index < 0 ? nullptr : Control(static_cast<std::size_t>(index));
}

const std::vector<QWidget*>& SettingsPages::AddressRowWidgets(int address) const {
  return addressRows_.at(static_cast<std::size_t>(address));
}

// Lists and text fields with their labels on the left; a check box takes the
// whole row. `row` receives the row of a labelled control, so that the
// controls after it that share its label can join it.
static void AddToForm(QFormLayout& form, QGroupBox& group, const ControlEntry& entry,
                      QWidget* control, QHBoxLayout*& row) {
  if (entry.kind == ControlKind::CheckBox) {
    form.addRow(control);
    row = nullptr;
    return;
  }
  auto* label = new QLabel(Shown(entry.label), &group);
  label->setObjectName(LabelNameOf(entry.name));
  label->setBuddy(control);
  row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(control);
  row->addStretch(1);
  form.addRow(label, row);
}

void SettingsPages::BuildFormPage(QWidget& page, int pageIndex) {
  const auto& entries = Catalogue().Entries();
  PageColumns columns(page);
  std::vector<bool> placed(entries.size(), false);

  auto fillGroup = [&](QGroupBox* group, const std::vector<std::size_t>& members) {
    QFormLayout* form = MakeForm(group);
    QHBoxLayout* sharedRow = nullptr;
    std::string_view sharedLabel;
    for (std::size_t index : members) {
      const ControlEntry& entry = entries[index];
      QWidget* control = MakeControl(index, group);
      if (IsHidden(entry.name)) {
        placed[index] = true;  // in the group, out of sight, and without a row
        continue;
      }
      if (sharedRow && sharedLabel == entry.label && entry.kind != ControlKind::CheckBox) {
        // Before the row's trailing stretch.
        sharedRow->insertWidget(sharedRow->count() - 1, control);
      } else {
        AddToForm(*form, *group, entry, control, sharedRow);
        sharedLabel = entry.label;
      }
      placed[index] = true;
      if (entry.control == Control::ed_cpwFc_Password_LRUD && sharedRow) {
        auto* button = new QPushButton(kUserPasswordButtonCaption, group);
        button->setObjectName(kUserPasswordButtonName);
        sharedRow->insertWidget(sharedRow->count() - 1, button);
      }
    }
  };

  for (const NamedGroup& named : kNamedGroups) {
    if (named.page != pageIndex) continue;
    std::vector<std::size_t> members;
    for (std::size_t index = 0; index < entries.size(); ++index) {
      if (entries[index].page == pageIndex &&
          RowOf(entries[index].control).group == named.objectName) {
        members.push_back(index);
      }
    }
    QGroupBox* group = MakeGroup(&page, named.objectName, named.title);
    fillGroup(group, members);
    columns.Add(named.column, group);
  }
  if (pageIndex == kPagePrompt1) return;  // the prompt page places the rest itself

  FormPagePlan plan{pageIndex, 0, 1, 1};
  for (const FormPagePlan& candidate : kFormPagePlans) {
    if (candidate.page == pageIndex) plan = candidate;
  }
  std::vector<std::size_t> settings;
  std::vector<std::size_t> options;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].page != pageIndex || placed[index]) continue;
    (entries[index].kind == ControlKind::CheckBox ? options : settings).push_back(index);
  }
  if (!settings.empty()) {
    QGroupBox* group = MakeGroup(&page, QString("gb_settings%1").arg(pageIndex), "Settings");
    fillGroup(group, settings);
    columns.Add(plan.settingsColumn, group);
  }
  if (!options.empty()) {
    QGroupBox* group = MakeGroup(&page, QString("gb_options%1").arg(pageIndex), "Options");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    const int perColumn =
        (static_cast<int>(options.size()) + plan.optionColumns - 1) / plan.optionColumns;
    for (std::size_t i = 0; i < options.size(); ++i) {
      const int at = static_cast<int>(i);
      grid->addWidget(MakeControl(options[i], group), at % perColumn, at / perColumn);
    }
    columns.Add(plan.optionsColumn, group);
  }
  columns.Finish();
}

void SettingsPages::BuildAddressPage(QWidget& page, int pageIndex) {
  const int firstAddress = (pageIndex - kPageCode1To4) * 4 + 1;
  auto* layout = new QVBoxLayout(&page);

  auto buildGrid = [&](const QString& objectName, const QString& title,
                       std::span<const AddressControl> controls, bool listenButtons) {
    QGroupBox* group = MakeGroup(&page, objectName, title);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    // Column headers from the labels of the first address's controls.
    for (std::size_t column = 0; column < controls.size(); ++column) {
      const ControlEntry* entry = &Catalogue().Entry(controls[column], firstAddress);
      auto* header = new QLabel(Shown(entry->label), group);
      // "hd_" and the first address's control name without its kind prefix.
      header->setObjectName("hd_" + QString::fromStdString(entry->name.substr(3)));
      header->setWordWrap(true);
      header->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
      grid->addWidget(header, 0, static_cast<int>(column) + 1);
    }
    for (int row = 0; row < 4; ++row) {
      const int address = firstAddress + row;
      auto* rowLabel = new QLabel(QString("Address %1").arg(address), group);
      // As wide as the widest row name, so that every address tab lines up.
      rowLabel->setMinimumWidth(
          rowLabel->fontMetrics().horizontalAdvance(QString("Address %1").arg(kAddressCount)));
      rowLabel->setObjectName(objectName + QString("_address%1").arg(address));
      grid->addWidget(rowLabel, row + 1, 0);
      addressRows_[address].push_back(rowLabel);
      for (std::size_t column = 0; column < controls.size(); ++column) {
        const std::size_t index = EntryIndexOf(controls[column], address);
        QWidget* control = MakeControl(index, group);
        // In the grid the header names the column; a box keeps only its own caption.
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
          box->setText(Shown(Catalogue().Entries()[index].caption));
        }
        grid->addWidget(control, row + 1, static_cast<int>(column) + 1,
                        qobject_cast<QCheckBox*>(control) ? Qt::AlignHCenter : Qt::Alignment());
        addressRows_[address].push_back(control);
      }
      if (listenButtons) {
        auto* button = new QPushButton(kListenButtonCaption, group);
        button->setObjectName(QString("listenBtn%1").arg(row + 1, 2, 10, QChar('0')));
        button->setToolTip(kListenButtonHint);
        button->setEnabled(false);  // enabled while an alert pattern is being chosen
        grid->addWidget(button, row + 1, static_cast<int>(controls.size()) + 1);
      }
    }
    grid->setColumnStretch(static_cast<int>(controls.size()) + 2, 1);
    layout->addWidget(group);
  };

  buildGrid(QString("gb_addresses%1").arg(pageIndex), "Addresses", kAddressColumns, false);
  buildGrid(QString("gb_addressAlerts%1").arg(pageIndex), "Alerts", kAlertColumns,
            pageIndex == kPageCode1To4);
  layout->addStretch(1);
}

void SettingsPages::BuildPromptPage(QWidget& page, int pageIndex) {
  const auto& entries = Catalogue().Entries();
  QWidget* host = &page;
  QVBoxLayout* layout = nullptr;
  if (pageIndex == kPagePrompt1) {
    // The language group comes first, above the prompts.
    BuildFormPage(page, pageIndex);
    auto* row = static_cast<QHBoxLayout*>(page.layout());
    auto* column = static_cast<QVBoxLayout*>(row->itemAt(0)->layout());
    layout = column;
  } else {
    layout = new QVBoxLayout(host);
  }
  std::vector<std::size_t> prompts;
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].page == pageIndex && entries[index].keyFilter == KeyFilter::PromptText &&
        !controls_[index]) {
      prompts.push_back(index);
    }
  }
  QGroupBox* group = MakeGroup(host, QString("gb_prompts%1").arg(pageIndex), "Prompts");
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);
  grid->setHorizontalSpacing(8);
  const int columns =
      (static_cast<int>(prompts.size()) + kPromptRowsPerColumn - 1) / kPromptRowsPerColumn;
  const int perColumn = (static_cast<int>(prompts.size()) + columns - 1) / columns;
  for (std::size_t i = 0; i < prompts.size(); ++i) {
    const int at = static_cast<int>(i);
    const ControlEntry& entry = entries[prompts[i]];
    QWidget* control = MakeControl(prompts[i], group);
    auto* label = new QLabel(Shown(entry.label), group);
    label->setObjectName(LabelNameOf(entry.name));
    label->setBuddy(control);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int column = at / perColumn * 2;
    grid->addWidget(label, at % perColumn, column);
    grid->addWidget(control, at % perColumn, column + 1);
  }
  grid->setColumnStretch(columns * 2, 1);
  layout->addWidget(group);
  layout->addStretch(1);
}

}  // namespace rer
