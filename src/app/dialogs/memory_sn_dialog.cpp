#include "app/dialogs/memory_sn_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace rer {
namespace {

constexpr int kSerialLength = 10;

QComboBox* PartitionList(const char* name, const std::vector<std::string>& items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  for (const std::string& item : items) list->addItem(QString::fromStdString(item));
  // A fixed-pitch font keeps the blank-padded figures aligned.
  QFont font("Monospace");
  font.setStyleHint(QFont::TypeWriter);
  list->setFont(font);
  list->setEnabled(false);
  return list;
}

}  // namespace

TFmMemorySn::TFmMemorySn(const UserInterface::SerialPartitionRequest& request, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TFmMemorySn");
  setWindowTitle("SerialNo / Memory  Partitions Size");
  setModal(true);

  serial_ = new QLineEdit(this);
  serial_->setObjectName("ed_newSerialNumber");
  serial_->setMaxLength(kSerialLength);
  personalLabel_ = new QLabel("Personal Memory Size", this);
  maildropLabel_ = new QLabel("Maildrop Memory Size", this);
  personal_ = PartitionList("cb_persMemSizeString", request.personalItems, this);
  maildrop_ = PartitionList("cb_persMaildropString", request.maildropItems, this);
  personalLabel_->setEnabled(false);
  maildropLabel_->setEnabled(false);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel("Enter Serial #", this), 0, 0);
  grid->addWidget(serial_, 0, 1);
  grid->addWidget(personalLabel_, 1, 0);
  grid->addWidget(personal_, 1, 1);
  grid->addWidget(maildropLabel_, 2, 0);
  grid->addWidget(maildrop_, 2, 1);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("okBtn");
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  cancel->setObjectName("cancelBtn");
  connect(ok, &QPushButton::clicked, this, &TFmMemorySn::Ok);
  connect(cancel, &QPushButton::clicked, this, &TFmMemorySn::Cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);

  const bool withPartition = !request.personalItems.empty() &&
                             request.personalItems.size() == request.maildropItems.size();
  if (withPartition) {
    for (QWidget* widget :
         {static_cast<QWidget*>(personalLabel_), static_cast<QWidget*>(maildropLabel_),
          static_cast<QWidget*>(personal_), static_cast<QWidget*>(maildrop_)}) {
      widget->setEnabled(true);
    }
    SelectBoth(request.selectedIndex);
    connect(personal_, &QComboBox::currentIndexChanged, this, &TFmMemorySn::SelectBoth);
    connect(maildrop_, &QComboBox::currentIndexChanged, this, &TFmMemorySn::SelectBoth);
  }
}

void TFmMemorySn::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  serial_->setFocus();
}

void TFmMemorySn::SelectBoth(int index) {
  const QSignalBlocker blockPersonal(personal_);
  const QSignalBlocker blockMaildrop(maildrop_);
  personal_->setCurrentIndex(index);
  maildrop_->setCurrentIndex(index);
}

void TFmMemorySn::Ok() {
  submitted_ = UserInterface::SerialPartitionEntry{serial_->text().toStdString(),
                                                   std::max(personal_->currentIndex(), 0)};
  accept();
}

void TFmMemorySn::Cancel() {
  // The caller keeps the partition it had: nothing of the entry survives.
  serial_->clear();
  submitted_.reset();
  reject();
}

}  // namespace rer
