#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/dialogs/password_dialog.h"
#include "app/dialogs/progress_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/platform/qt_user_interface.h"

namespace rer {
namespace {

// Runs `step` on the modal dialog once it is up, so that exec() returns.
void OnModal(std::function<void(QWidget&)> step) {
  QTimer::singleShot(0, [step] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    step(*modal);
  });
}

TEST(SecurityDialog, CaptionsAndLabelsByMode) {
  struct Case {
    PasswordMode mode;
    const char* caption;
    const char* label;
  };
  const Case cases[] = {
      {PasswordMode::Secure, "SECURE PASSWORD", "Enter SECURE Password"},
      {PasswordMode::Local, "LOCAL PASSWORD", "Enter LOCAL Password"},
      {PasswordMode::PagerLocal, "LOCAL PASSWORD", "Enter LOCAL Password"},
      {PasswordMode::Ota, "OTA PASSWORD", "Enter OTA Password"},
      {PasswordMode::Software, "SOFTWARE PASSWORD", "Enter Software Password"},
  };
  for (const Case& c : cases) {
    TFmSecurity dialog(c.mode);
    EXPECT_EQ(dialog.windowTitle(), c.caption);
    EXPECT_EQ(dialog.findChild<QLabel*>("pwdLabel")->text(), c.label);
  }
}

TEST(SecurityDialog, EnterSubmitsTheFilteredUpperCaseText) {
  TFmSecurity dialog(PasswordMode::Local);
  auto* field = dialog.findChild<QLineEdit*>("pwdLabelEdit");
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(field->echoMode(), QLineEdit::Password);
  QTest::keyClicks(field, "se-cr.et 9xyzw");
  EXPECT_EQ(field->text(), "SECRET 9XY");
  QTest::keyClick(field, Qt::Key_Return);
  ASSERT_TRUE(dialog.submitted().has_value());
  EXPECT_EQ(*dialog.submitted(), "SECRET 9XY");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(SecurityDialog, ClearEmptiesAndClosingSubmitsNothing) {
  TFmSecurity dialog(PasswordMode::Secure);
  dialog.show();
  auto* field = dialog.findChild<QLineEdit*>("pwdLabelEdit");
  QTest::keyClicks(field, "ABC");
  QTest::mouseClick(dialog.findChild<QPushButton*>("clearBtn"), Qt::LeftButton);
  EXPECT_EQ(field->text(), "");
  dialog.close();
  EXPECT_FALSE(dialog.submitted().has_value());
}

TEST(PasswordDialog, CaptionsByKind) {
  EXPECT_EQ(TFmPassword(PasswordMode::Secure).windowTitle(), "CHANGING SECURE PASSWORD");
  EXPECT_EQ(TFmPassword(PasswordMode::Local).windowTitle(), "CHANGING LOCAL PASSWORD");
  EXPECT_EQ(TFmPassword(PasswordMode::Ota).windowTitle(), "CHANGING OTA PASSWOR");
}

TEST(PasswordDialog, EnterInVerifySubmitsBothEntries) {
  TFmPassword dialog(PasswordMode::Local);
  auto* newField = dialog.findChild<QLineEdit*>("ed_newPassword");
  auto* verifyField = dialog.findChild<QLineEdit*>("ed_verifyPassword");
  QTest::keyClicks(newField, "abc");
  QTest::keyClicks(verifyField, "abd");
  QTest::keyClick(verifyField, Qt::Key_Enter);
  ASSERT_TRUE(dialog.submitted().has_value());
  EXPECT_EQ(dialog.submitted()->newText, "ABC");
  EXPECT_EQ(dialog.submitted()->verifyText, "ABD");
}

TEST(PasswordDialog, ClearEmptiesBothFields) {
  TFmPassword dialog(PasswordMode::Ota);
  auto* newField = dialog.findChild<QLineEdit*>("ed_newPassword");
  auto* verifyField = dialog.findChild<QLineEdit*>("ed_verifyPassword");
  QTest::keyClicks(newField, "A1");
  QTest::keyClicks(verifyField, "A1");
  QTest::mouseClick(dialog.findChild<QPushButton*>("clearBtn"), Qt::LeftButton);
  EXPECT_EQ(newField->text(), "");
  EXPECT_EQ(verifyField->text(), "");
  EXPECT_FALSE(dialog.submitted().has_value());
}

TEST(QtUserInterface, PasswordEntryReturnsTheTextOrNothingWhenClosed) {
  QtUserInterface ui;
  OnModal([](QWidget& modal) {
    EXPECT_EQ(modal.windowTitle(), "SOFTWARE PASSWORD");
    auto* field = modal.findChild<QLineEdit*>("pwdLabelEdit");
    QTest::keyClicks(field, "open 1");
    QTest::keyClick(field, Qt::Key_Return);
  });
  EXPECT_EQ(ui.EnterPassword(PasswordMode::Software), std::optional<std::string>("OPEN 1"));

  OnModal([](QWidget& modal) { modal.close(); });
  EXPECT_EQ(ui.EnterPassword(PasswordMode::Secure), std::nullopt);
}

TEST(QtUserInterface, MessageBoxesReturnOkYesOrNo) {
  QtUserInterface ui;
  struct Case {
    MessageButtons buttons;
    QMessageBox::StandardButton press;
    int result;
  };
  const Case cases[] = {
      {MessageButtons::Ok, QMessageBox::Ok, kResultOk},
      {MessageButtons::YesNo, QMessageBox::Yes, kResultYes},
      {MessageButtons::YesNo, QMessageBox::No, kResultNo},
  };
  for (const Case& c : cases) {
    OnModal([c](QWidget& modal) {
      auto& box = dynamic_cast<QMessageBox&>(modal);
      EXPECT_EQ(box.windowTitle(), "WARNING");
      EXPECT_EQ(box.text(), "Exit?");
      EXPECT_EQ(box.icon(), QMessageBox::Warning);
      box.button(c.press)->click();
    });
    EXPECT_EQ(ui.ShowMessageBox({"WARNING", "Exit?", MessageIcon::Warning, c.buttons}), c.result);
  }
  // Closing a Yes/No box is a No.
  OnModal([](QWidget& modal) { modal.close(); });
  EXPECT_EQ(ui.ShowMessageBox({"", "", MessageIcon::Stop, MessageButtons::YesNo}), kResultNo);
}

TEST(QtUserInterface, ErrorBoxUsesTheStopIconAndTheComposedText) {
  QtUserInterface ui;
  OnModal([](QWidget& modal) {
    auto& box = dynamic_cast<QMessageBox&>(modal);
    EXPECT_EQ(box.windowTitle(), "ERROR");
    EXPECT_EQ(box.text(), "Pager is not responding.\n");
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    box.button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(ui.ShowError(-16), kResultOk);
}

TEST(ProgressBox, StaysOpenUntilTheOperationEnds) {
  QtUserInterface ui;
  ui.BeginProgress();
  TFmProgressBar* box = ui.progressBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "Progress");
  EXPECT_TRUE(box->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(box->windowFlags().testFlag(Qt::WindowCloseButtonHint));
  ui.SetProgress(140);
  EXPECT_EQ(box->Percent(), 100);
  ui.SetProgress(37);
  EXPECT_EQ(box->Percent(), 37);
  ui.SetSecondsLeft(17);
  EXPECT_TRUE(box->SecondsLeftText().contains("17"));
  ui.SetSecondsLeft(0);
  EXPECT_EQ(box->SecondsLeftText(), "");
  // The user cannot close it; the operation can.
  box->close();
  EXPECT_TRUE(box->isVisible());
  QPointer<TFmProgressBar> watch(box);
  ui.EndProgress();
  EXPECT_EQ(ui.progressBox(), nullptr);
  EXPECT_TRUE(watch.isNull() || !watch->isVisible());
}

}  // namespace
}  // namespace rer
