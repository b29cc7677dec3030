#include "app/dialogs/history_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/result_codes.h"

namespace rer {
namespace {

const QStringList kColumns = {"Serial Number", "Inventory Number", "Capcode", "Date", "Result"};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// The capcode a row is found by: the one searched for when it matched one,
// otherwise the first the pager holds.
QString CapcodeShown(const PagerRecord& record, const QString& searched) {
  const QString key = QString(searched).remove(QRegularExpression("^0+"));
  for (const std::string& capcode : record.capcodes) {
    if (!key.isEmpty() && Q(capcode).remove(QRegularExpression("^0+")) == key) return Q(capcode);
  }
  for (const std::string& capcode : record.capcodes) {
    if (!capcode.empty()) return Q(capcode);
  }
  return {};
}

QString ResultText(const PagerRecord& record) {
  const bool read = record.operation == kReadOperation;
  if (record.result == kSuccess) return read ? "Read" : "Programmed";
  QString text = QString("%1 failed (%2)").arg(read ? "Read" : "Program").arg(record.result);
  if (!record.message.empty()) text += ": " + Q(record.message).simplified();
  return text;
}

}  // namespace

TFmPagerHistory::TFmPagerHistory(const std::string& path, QWidget* parent) : QDialog(parent) {
  setObjectName("TFmPagerHistory");
  setWindowTitle("Pager History");
  auto* layout = new QVBoxLayout(this);

  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(new QLabel("Search:"));
  search_ = new QLineEdit;
  search_->setObjectName("historySearch");
  search_->setPlaceholderText("serial number, inventory number or capcode");
  search_->setClearButtonEnabled(true);
  searchRow->addWidget(search_, 1);
  current_ = new QCheckBox("Current pagers only");
  current_->setToolTip("Only the newest row of each serial number: what each pager holds now");
  failed_ = new QCheckBox("Failed only");
  searchRow->addWidget(current_);
  searchRow->addWidget(failed_);
  layout->addLayout(searchRow);

  table_ = new QTableWidget(0, static_cast<int>(kColumns.size()));
  table_->setObjectName("historyTable");
  table_->setHorizontalHeaderLabels(kColumns);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setVisible(false);
  // The result takes what the others leave: its messages are the longest.
  for (int column = 0; column + 1 < static_cast<int>(kColumns.size()); ++column) {
    table_->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  }
  table_->horizontalHeader()->setSectionResizeMode(static_cast<int>(kColumns.size()) - 1,
                                                   QHeaderView::Stretch);
  layout->addWidget(table_, 1);

  status_ = new QLabel;
  status_->setObjectName("historyStatus");
  status_->setWordWrap(true);
  layout->addWidget(status_);

  auto* buttons = new QDialogButtonBox;
  open_ = buttons->addButton("Open", QDialogButtonBox::AcceptRole);
  open_->setObjectName("historyOpen");
  buttons->addButton("Close", QDialogButtonBox::RejectRole);
  layout->addWidget(buttons);

  connect(search_, &QLineEdit::textChanged, this, [this] { Refresh(); });
  connect(current_, &QCheckBox::toggled, this, [this] { Refresh(); });
  connect(failed_, &QCheckBox::toggled, this, [this] { Refresh(); });
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] { UpdateOpenButton(); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { OpenSelected(); });
  connect(open_, &QPushButton::clicked, this, [this] { OpenSelected(); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  std::string error;
  history_ = PagerHistory::Open(path, error);
  if (!history_) {
    search_->setEnabled(false);
    current_->setEnabled(false);
    failed_->setEnabled(false);
    status_->setText("The pager history cannot be used:\n" + Q(path) + "\n" + Q(error));
  } else {
    Refresh();
  }
  UpdateOpenButton();
  resize(820, 460);
}

TFmPagerHistory::~TFmPagerHistory() = default;

void TFmPagerHistory::Search(const QString& text, bool currentOnly, bool failedOnly) {
  const QSignalBlocker a(search_), b(current_), c(failed_);
  search_->setText(text);
  current_->setChecked(currentOnly);
  failed_->setChecked(failedOnly);
  Refresh();
}

void TFmPagerHistory::Refresh() {
  if (!history_) return;
  HistoryQuery query;
  const QString text = search_->text().trimmed();
  if (!text.isEmpty()) query.anyText = text.toStdString();
  query.currentOnly = current_->isChecked();
  query.failedOnly = failed_->isChecked();
  query.limit = kHistoryDialogRows;
  std::string error;
  auto found = history_->Find(query, error);
  table_->setRowCount(0);
  rows_.clear();
  if (!found) {
    status_->setText("The search failed: " + Q(error));
    UpdateOpenButton();
    return;
  }
  rows_ = std::move(*found);
  table_->setRowCount(static_cast<int>(rows_.size()));
  for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
    const PagerRecord& r = rows_[static_cast<std::size_t>(i)].record;
    const QString cells[] = {Q(r.serialNumber), Q(r.inventoryNumber), CapcodeShown(r, text),
                             Q(LocalTimeText(r.time)), ResultText(r)};
    for (int column = 0; column < static_cast<int>(std::size(cells)); ++column) {
      table_->setItem(i, column, new QTableWidgetItem(cells[column]));
    }
  }
  const int n = static_cast<int>(rows_.size());
  status_->setText(n == kHistoryDialogRows
                       ? QString("The newest %1 rows; search to narrow them.").arg(n)
                       : QString("%1 row%2.").arg(n).arg(n == 1 ? "" : "s"));
  if (n > 0) table_->selectRow(0);
  UpdateOpenButton();
}

int TFmPagerHistory::RowCount() const {
  return static_cast<int>(rows_.size());
}

void TFmPagerHistory::SelectRow(int tableRow) {
  table_->selectRow(tableRow);
}

QString TFmPagerHistory::StatusText() const {
  return status_->text();
}

void TFmPagerHistory::UpdateOpenButton() {
  const int row = table_->currentRow();
  const bool selected =
      table_->selectionModel()->hasSelection() && row >= 0 && row < static_cast<int>(rows_.size());
  // A pager that never answered left no codeplug to open.
  open_->setEnabled(selected && !rows_[static_cast<std::size_t>(row)].record.image.empty());
}

void TFmPagerHistory::OpenSelected() {
  UpdateOpenButton();
  if (!open_->isEnabled()) return;
  chosen_ = rows_[static_cast<std::size_t>(table_->currentRow())];
  accept();
}

}  // namespace rer
