#include "app/dialogs/keyboard_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rer {
namespace {

struct KeyButton {
  const char* objectName;
  const char* caption;
  PagerKey key;
  int row;
  int column;
};

// Laid out as the pager's keys are: Up above, Left and Right beside, Down below.
constexpr KeyButton kKeyButtons[] = {
    {"userPasswordBtn1", "Left", PagerKey::Left, 1, 0},
    {"userPasswordBtn2", "Right", PagerKey::Right, 1, 2},
    {"userPasswordBtn3", "Up", PagerKey::Up, 0, 1},
    {"userPasswordBtn4", "Down", PagerKey::Down, 2, 1},
};

QPushButton* MakeButton(QDialog& dialog, const char* objectName, const char* caption) {
  auto* button = new QPushButton(caption, &dialog);
  button->setObjectName(objectName);
  // Enter in the field is not a press of whichever button has the focus.
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TFmKeyboard::TFmKeyboard(const std::string& digits, UserInterface& ui, QWidget* parent)
    : QDialog(parent), ui_(ui), keypad_(digits) {
  setObjectName("TFmKeyboard");
  setWindowTitle("User Password");
  setModal(true);

  // The digits the page keeps stay out of sight here too; the letters show them.
  digitsField_ = new QLineEdit(this);
  digitsField_->setObjectName("ed_keyDigits");
  digitsField_->setReadOnly(true);
  digitsField_->hide();
  lettersField_ = new QLineEdit(this);
  lettersField_->setObjectName("ed_keyLetters");
  lettersField_->setMaxLength(kUserPasswordMaxKeys);
  lettersField_->setToolTip("Press the pager keys, or type L, R, U and D.");
  lettersField_->installEventFilter(this);

  auto* keys = new QGridLayout;
  for (const KeyButton& entry : kKeyButtons) {
    QPushButton* button = MakeButton(*this, entry.objectName, entry.caption);
    keys->addWidget(button, entry.row, entry.column);
    connect(button, &QPushButton::clicked, this, [this, key = entry.key] {
      keypad_.Press(key);
      Refresh();
    });
  }

  QPushButton* backspace = MakeButton(*this, "BitBtn1", "Backspace");
  QPushButton* deleteAll = MakeButton(*this, "clearBtn", "Delete All");
  QPushButton* cancel = MakeButton(*this, "BitBtn2", "Cancel");
  submitBtn_ = MakeButton(*this, "submitBtn", "Save");
  connect(backspace, &QPushButton::clicked, this, [this] {
    keypad_.Backspace();
    Refresh();
  });
  connect(deleteAll, &QPushButton::clicked, this, [this] {
    keypad_.DeleteAll();
    Refresh();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(submitBtn_, &QPushButton::clicked, this, &TFmKeyboard::Save);

  auto* field = new QHBoxLayout;
  field->addWidget(new QLabel("User Password", this));
  field->addWidget(lettersField_, 1);
  auto* edit = new QHBoxLayout;
  edit->addWidget(backspace);
  edit->addWidget(deleteAll);
  auto* close = new QHBoxLayout;
  close->addStretch();
  close->addWidget(submitBtn_);
  close->addWidget(cancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(field);
  layout->addWidget(new QLabel("2 to 8 keys", this));
  layout->addLayout(keys);
  layout->addLayout(edit);
  layout->addLayout(close);
  Refresh();
}

void TFmKeyboard::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  lettersField_->setFocus();
  // Typing adds keys; a selection would only suggest that it replaces them.
  lettersField_->deselect();
}

bool TFmKeyboard::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lettersField_ || event->type() != QEvent::KeyPress) {
    return QDialog::eventFilter(watched, event);
  }
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Backspace) {
    keypad_.Backspace();
    Refresh();
    return true;
  }
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    if (submitBtn_->isEnabled()) Save();
    return true;
  }
  const QString text = key->text();
  if (text.size() == 1 && text[0].isPrint()) {
    // The field shows the keys, so what is typed never stands in it as such.
    if (keypad_.Type(text[0].unicode())) Refresh();
    return true;
  }
  // Moving the cursor, Tab and the like keep their usual meaning.
  return QDialog::eventFilter(watched, event);
}

void TFmKeyboard::Refresh() {
  digitsField_->setText(QString::fromStdString(keypad_.Digits()));
  lettersField_->setText(QString::fromStdString(keypad_.Letters()));
  submitBtn_->setEnabled(keypad_.CanSave());
}

void TFmKeyboard::Save() {
  saved_ = keypad_.Save(ui_);
  if (saved_) accept();
}

}  // namespace rer
