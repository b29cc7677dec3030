#pragma once
// "Compare with File": the settings in which the editor differs from a
// codeplug file, one row each with its label, control name and both values as
// the pages show them. Going to a row closes the list and leaves the window on
// that setting's page with its control selected.

#include <QDialog>
#include <functional>
#include <vector>

#include "codeplug/settings_diff.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace rer {

class TFmCompare : public QDialog {
  Q_OBJECT

 public:
  TFmCompare(const QString& fileName, std::vector<SettingDifference> differences,
             QWidget* parent = nullptr);

  // What going to a row does (the window selects the page and the control).
  void SetGoTo(std::function<void(const SettingDifference&)> goTo) { goTo_ = std::move(goTo); }

  const std::vector<SettingDifference>& Differences() const { return differences_; }
  QTableWidget& Table() const { return *table_; }
  // Goes to the setting of `row` and closes the list; nothing for a row
  // that does not exist.
  void GoToRow(int row);

 private:
  std::vector<SettingDifference> differences_;
  std::function<void(const SettingDifference&)> goTo_;
  QTableWidget* table_;
  QLabel* summary_;
  QPushButton* goToButton_;
};

}  // namespace rer
