#pragma once
// Builds the twelve settings pages of the main window from the field
// catalogue: every control with its name, field number, label, items, length
// limit, key filter and hint, laid out in aligned groups. The per-address
// controls stand in a grid, one row per address.

#include <QString>
#include <string_view>
#include <vector>

class QTabWidget;
class QWidget;

namespace rer {

class FieldKeyFilter;

class SettingsPages {
 public:
  // Fills pages 0 to 11 of `pages` (which already hold one empty widget each).
  void Build(QTabWidget& pages);

  // The widget of the catalogue entry at `entryIndex`, or of `name`; null when unknown.
  QWidget* Control(std::size_t entryIndex) const;
  QWidget* Control(std::string_view name) const;
  // Every widget of one address row (its controls and its row header) on the address pages.
  const std::vector<QWidget*>& AddressRowWidgets(int address) const;

 private:
  void BuildFormPage(QWidget& page, int pageIndex);
  void BuildAddressPage(QWidget& page, int pageIndex);
  void BuildPromptPage(QWidget& page, int pageIndex);
  QWidget* MakeControl(std::size_t entryIndex, QWidget* parent);

  std::vector<QWidget*> controls_;  // by catalogue index
  std::vector<std::vector<QWidget*>> addressRows_;
  FieldKeyFilter* keyFilter_ = nullptr;
};

// The button beside the user password's letters that opens the keypad.
inline constexpr char kUserPasswordButtonName[] = "BitBtn1";
inline constexpr char kUserPasswordButtonCaption[] = "Set user password.";

// The label objectName of a control: "lb_" and its name without the kind
// prefix ("cb_fixAlert" gives "lb_fixAlert").
QString LabelNameOf(std::string_view controlName);

}  // namespace rer
