#include "app/dialogs/password_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/password_input.h"

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

  const SubmitClearRow buttons = MakeSubmitClearRow(*this);
  submitBtn_ = buttons.submit;
  clearBtn_ = buttons.clear;

  auto* fields = new QFormLayout;
  fields->addRow("New Password", ed_newPassword_);
  fields->addRow("Verify Password", ed_verifyPassword_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons.row);

  connect(submitBtn_, &QPushButton::clicked, this, &TFmPassword::Submit);
  connect(clearBtn_, &QPushButton::clicked, this, [this] {
    ed_newPassword_->clear();
    ed_verifyPassword_->clear();
  });
  for (QLineEdit* field : {ed_newPassword_, ed_verifyPassword_}) {
    SubmitOnEnter(*field, *submitBtn_, [this] { Submit(); });
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
