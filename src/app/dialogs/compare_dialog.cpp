#include "app/dialogs/compare_dialog.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace rer {
namespace {

enum Column { kSetting, kControl, kEditor, kFile, kColumnCount };

QTableWidgetItem* Cell(const std::string& text) {
  auto* item = new QTableWidgetItem(QString::fromStdString(text));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  return item;
}

}  // namespace

TFmCompare::TFmCompare(const QString& fileName, std::vector<SettingDifference> differences,
                       QWidget* parent)
    : QDialog(parent), differences_(std::move(differences)) {
  setObjectName("TFmCompare");
  setWindowTitle("Compare with File");
  setModal(true);

  const QString shortName = QFileInfo(fileName).fileName();
  summary_ = new QLabel(this);
  summary_->setObjectName("lb_compareSummary");
  summary_->setText(differences_.empty()
                        ? "The editor holds the same settings as " + shortName + "."
                        : QString("%1 setting(s) of the editor differ from %2.")
                              .arg(differences_.size())
                              .arg(shortName));

  table_ = new QTableWidget(static_cast<int>(differences_.size()), kColumnCount, this);
  table_->setObjectName("tb_differences");
  table_->setHorizontalHeaderLabels({"Setting", "Control", "Editor", shortName});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  for (int row = 0; row < static_cast<int>(differences_.size()); ++row) {
    const SettingDifference& difference = differences_[static_cast<std::size_t>(row)];
    table_->setItem(row, kSetting, Cell(difference.label));
    table_->setItem(row, kControl, Cell(difference.controlName));
    table_->setItem(row, kEditor, Cell(difference.a));
    table_->setItem(row, kFile, Cell(difference.b));
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  if (!differences_.empty()) table_->selectRow(0);

  goToButton_ = new QPushButton("Go To", this);
  goToButton_->setObjectName("btnGoTo");
  goToButton_->setEnabled(!differences_.empty());
  goToButton_->setDefault(true);
  auto* close = new QPushButton("Close", this);
  close->setObjectName("btnClose");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(goToButton_);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(table_, 1);
  layout->addLayout(buttons);
  resize(640, 360);

  connect(goToButton_, &QPushButton::clicked, this, [this] { GoToRow(table_->currentRow()); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { GoToRow(row); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TFmCompare::GoToRow(int row) {
  if (row < 0 || row >= static_cast<int>(differences_.size())) return;
  const SettingDifference difference = differences_[static_cast<std::size_t>(row)];
  accept();
  if (goTo_) goTo_(difference);
}

}  // namespace rer
