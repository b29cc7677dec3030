#include "app/password_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/password_input.h"

namespace rer {
namespace {

struct KindCaption {
  PasswordMode kind;
  const char* caption;
};

// The OTA caption is kept exactly as the product has always shown it.
constexpr KindCaption kKindCaptions[] = {
    {PasswordMode::Secure, "CHANGING SECURE PASSWORD"},
    {PasswordMode::Local, "CHANGING LOCAL PASSWORD"},
    {PasswordMode::Ota, "CHANGING OTA PASSWOR"},
};

}  // namespace

QString TFmPassword::CaptionFor(PasswordMode kind) {
  for (const KindCaption& entry : kKindCaptions) {
    if (entry.kind == kind) return entry.caption;
  }
  return {};
}

TFmPassword::TFmPassword(PasswordMode kind, QWidget* parent) : QDialog(parent) {
  setObjectName("TFmPassword");
  setWindowTitle(CaptionFor(kind));
  setModal(true);

  ed_newPassword_ = new QLineEdit(this);
  ed_newPassword_->setObjectName("ed_newPassword");
  ed_verifyPassword_ = new QLineEdit(this);
  ed_verifyPassword_->setObjectName("ed_verifyPassword");
  MakePasswordField(*ed_newPassword_, true);
  MakePasswordField(*ed_verifyPassword_, true);

  submitBtn_ = new QPushButton("Submit", this);
  submitBtn_->setObjectName("submitBtn");
  clearBtn_ = new QPushButton("Clear", this);
  clearBtn_->setObjectName("clearBtn");
  for (QPushButton* button : {submitBtn_, clearBtn_}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }

  auto* fields = new QFormLayout;
  fields->addRow("New Password", ed_newPassword_);
  fields->addRow("Verify Password", ed_verifyPassword_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(submitBtn_);
  buttons->addWidget(clearBtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);

  connect(submitBtn_, &QPushButton::clicked, this, &TFmPassword::Submit);
  connect(clearBtn_, &QPushButton::clicked, this, [this] {
    ed_newPassword_->clear();
    ed_verifyPassword_->clear();
  });
  for (QLineEdit* field : {ed_newPassword_, ed_verifyPassword_}) {
    connect(field, &QLineEdit::returnPressed, this, [this] {
      submitBtn_->setFocus();
      Submit();
    });
  }
}

void TFmPassword::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ed_newPassword_->setFocus();
}

void TFmPassword::Submit() {
  submitted_ = UserInterface::NewPassword{ed_newPassword_->text().toStdString(),
                                          ed_verifyPassword_->text().toStdString()};
  accept();
}

}  // namespace rer
