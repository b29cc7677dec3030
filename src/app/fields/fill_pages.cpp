#include "app/fields/fill_pages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include "app/fields/field_widgets.h"
#include "app/fields/settings_page_builder.h"
#include "codeplug/field_catalogue.h"

namespace rer {

void FillPages(const SettingsPages& pages, const EditorSettings& settings) {
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (QWidget* control = pages.Control(index)) {
      ShowFieldValue(*control, entries[index], settings.ValueAt(index));
    }
  }
}

void ShowFilledPagesView(const SettingsPages& pages, const FilledPagesView& view) {
  for (int address = 1; address <= kAddressCount; ++address) {
    const bool shown = view.addressShown[static_cast<std::size_t>(address - 1)];
    for (QWidget* widget : pages.AddressRowWidgets(address)) widget->setVisible(shown);
  }
  for (int address = 1; address <= kAddressCount; ++address) {
    const bool rowShown = view.addressShown[static_cast<std::size_t>(address - 1)];
    const std::string name =
        FieldCatalogue::AddressControlName(AddressControl::LanguagePointer, address);
    if (QWidget* list = pages.Control(name)) {
      list->setVisible(rowShown && view.languagePointerVisible);
      // The column's header is named after the page's first list.
      const QString header = "hd_" + QString::fromStdString(name.substr(3));
      if (QWidget* found = list->parentWidget()->findChild<QWidget*>(header)) {
        found->setVisible(view.languagePointerVisible);
      }
    }
  }
}

void BindPageEdits(const SettingsPages& pages, std::function<EditorSettings&()> settings,
                   std::function<void(std::size_t)> stored) {
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    QWidget* control = pages.Control(index);
    if (!control) continue;
    const ControlEntry& entry = entries[index];
    auto store = [control, &entry, index, settings, stored] {
      ControlValue& value = settings().ValueAt(index);
      value = ReadFieldValue(*control, entry, value);
      if (stored) stored(index);
    };
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      QObject::connect(edit, &QLineEdit::editingFinished, edit, store);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
      QObject::connect(list, &QComboBox::currentIndexChanged, list, store);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      QObject::connect(box, &QCheckBox::toggled, box, store);
    }
  }
}

}  // namespace rer
