#include "app/dialogs/security_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/password_input.h"

namespace rer {
namespace {

struct ModeText {
  PasswordMode mode;
  const char* caption;
  const char* label;
};

// The pager's own access password has no texts of its own elsewhere; it is
// named here after what it opens.
constexpr ModeText kModeTexts[] = {
    {PasswordMode::Secure, "SECURE PASSWORD", "Enter SECURE Password"},
    {PasswordMode::Local, "LOCAL PASSWORD", "Enter LOCAL Password"},
    {PasswordMode::PagerLocal, "LOCAL PASSWORD", "Enter LOCAL Password"},
    {PasswordMode::Ota, "OTA PASSWORD", "Enter OTA Password"},
    {PasswordMode::Software, "SOFTWARE PASSWORD", "Enter Software Password"},
    {PasswordMode::PagerAccess, "PAGER PASSWORD", "Enter Pager Password"},
};

const ModeText* FindMode(PasswordMode mode) {
  for (const ModeText& text : kModeTexts) {
    if (text.mode == mode) return &text;
  }
  return nullptr;
}

}  // namespace

QString TFmSecurity::CaptionFor(PasswordMode mode) {
  const ModeText* text = FindMode(mode);
  return text ? text->caption : QString();
}

QString TFmSecurity::LabelFor(PasswordMode mode) {
  const ModeText* text = FindMode(mode);
  return text ? text->label : QString();
}

TFmSecurity::TFmSecurity(PasswordMode mode, QWidget* parent) : QDialog(parent) {
  setObjectName("TFmSecurity");
  setWindowTitle(CaptionFor(mode));
  setModal(true);

  fieldLabel_ = new QLabel(LabelFor(mode), this);
  fieldLabel_->setObjectName("pwdLabel");
  pwdLabelEdit_ = new QLineEdit(this);
  pwdLabelEdit_->setObjectName("pwdLabelEdit");
  MakePasswordField(*pwdLabelEdit_, true);
  fieldLabel_->setBuddy(pwdLabelEdit_);

  const SubmitClearRow buttons = MakeSubmitClearRow(*this);
  submitBtn_ = buttons.submit;
  clearBtn_ = buttons.clear;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fieldLabel_);
  layout->addWidget(pwdLabelEdit_);
  layout->addLayout(buttons.row);

  connect(submitBtn_, &QPushButton::clicked, this, &TFmSecurity::Submit);
  connect(clearBtn_, &QPushButton::clicked, pwdLabelEdit_, &QLineEdit::clear);
  SubmitOnEnter(*pwdLabelEdit_, *submitBtn_, [this] { Submit(); });
}

void TFmSecurity::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  pwdLabelEdit_->setFocus();
}

void TFmSecurity::Submit() {
  submitted_ = pwdLabelEdit_->text();
  accept();
}

}  // namespace rer
