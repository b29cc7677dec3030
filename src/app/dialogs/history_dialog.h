#pragma once
// TFmPagerHistory, "Pager History": the pagers read and programmed, newest
// first, searchable by serial number, inventory number or capcode; "Open"
// hands the chosen row's codeplug to the editor.

#include <QDialog>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/pager_history.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace rer {

// The most rows the table shows at once; a search narrows them.
inline constexpr int kHistoryDialogRows = 1000;

class TFmPagerHistory : public QDialog {
  Q_OBJECT

 public:
  // Opens the database at `path`; a database that cannot be used is said in
  // the dialog, with nothing to choose.
  explicit TFmPagerHistory(const std::string& path, QWidget* parent = nullptr);
  ~TFmPagerHistory() override;

  // The search box and the two filters, then the table again.
  void Search(const QString& text, bool currentOnly, bool failedOnly);
  void Refresh();
  int RowCount() const;
  void SelectRow(int tableRow);
  // The row chosen by Open (the dialog then closes Accepted).
  const std::optional<HistoryRow>& Chosen() const { return chosen_; }
  void OpenSelected();
  QString StatusText() const;
  QTableWidget& Table() const { return *table_; }

 private:
  void UpdateOpenButton();

  std::unique_ptr<PagerHistory> history_;
  std::vector<HistoryRow> rows_;
  std::optional<HistoryRow> chosen_;
  QLineEdit* search_ = nullptr;
  QCheckBox* current_ = nullptr;
  QCheckBox* failed_ = nullptr;
  QTableWidget* table_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* open_ = nullptr;
};

}  // namespace rer
