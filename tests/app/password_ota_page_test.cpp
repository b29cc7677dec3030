// The Password/OTA page in the window: the protection boxes open the real
// password entry, the keypad opens from its button, and the keypad's own
// buttons follow its rules.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

#include "app/dialogs/keyboard_dialog.h"
#include "app/dialogs/password_dialog.h"
#include "app/main_window.h"
#include "app/platform/qt_user_interface.h"
#include "blank_codeplug_file.h"
#include "core/result_codes.h"
#include "core/scripted_user_interface.h"
#include "pager/codeplug_files.h"
#include "qt_test_environment.h"
#include "temp_path.h"

namespace rer {
namespace {

constexpr std::uint8_t kModel = 0x84;

// Handles each modal window as it comes up, by its title, until none is left
// to handle; the titles seen are kept in order.
class ModalSteps {
 public:
  using Step = std::function<void(QWidget&)>;
  explicit ModalSteps(std::vector<Step> steps) : steps_(std::move(steps)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || modal == last_ || next_ >= steps_.size()) return;
      last_ = modal;
      titles.push_back(modal->windowTitle().toStdString());
      steps_[next_++](*modal);
    });
    timer_.start(20);
  }
  std::vector<std::string> titles;

 private:
  std::vector<Step> steps_;
  std::size_t next_ = 0;
  QWidget* last_ = nullptr;
  QTimer timer_;
};

void Click(QWidget& dialog, const char* button) {
  auto* found = dialog.findChild<QPushButton*>(button);
  ASSERT_NE(found, nullptr) << button;
  QTest::mouseClick(found, Qt::LeftButton);
}

class PasswordOtaWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseFreshSettingsFolder();
    window = std::make_unique<TFmMain>(ui);
    window->SetCalibrationHook({});
    window->show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->StartupDone(); }));
    const std::string base =
        rer::testing::WriteBlankCodeplugFile(rer::testing::TempPath("pwpage_") + "base.cp", kModel);
    ScriptedUserInterface quiet;
    ASSERT_EQ(LoadCodeplugFile(window->Session(), base, quiet), kSuccess);
    window->PagerLink().ModelCode = kModel;
    window->SetupPagesForPager(kModel);
    window->FillPages();
    window->CurrentFileName = "file";
    window->ShowPage(kPagePasswordOta);
  }
  void TearDown() override {
    window->StartupRefused = true;
    window->close();
  }
  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }

  QtUserInterface ui;
  std::unique_ptr<TFmMain> window;
};

TEST_F(PasswordOtaWindowTest, TickingEnableSecurityLevelOpensThePasswordEntry) {
  auto* box = Find<QCheckBox>("cb_enableSecurePasswd");
  ASSERT_NE(box, nullptr);
  {
    // Closed without Submit: the box is unticked again.
    ModalSteps steps({[](QWidget& dialog) { dialog.close(); }});
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(steps.titles, std::vector<std::string>{"CHANGING SECURE PASSWORD"});
    EXPECT_FALSE(box->isChecked());
  }
  {
    ModalSteps steps({[](QWidget& dialog) {
                        for (const char* field : {"ed_newPassword", "ed_verifyPassword"}) {
                          QTest::keyClicks(dialog.findChild<QLineEdit*>(field), "tech7");
                        }
                        Click(dialog, "submitBtn");
                      },
                      [](QWidget& message) { static_cast<QDialog&>(message).accept(); }});
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(steps.titles, (std::vector<std::string>{"CHANGING SECURE PASSWORD", "successfully"}));
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(window->Passwords().securePasswordKnown, "TECH7     ");
  }
  // Set in this run: unticking and ticking again asks nothing more.
  QTest::mouseClick(box, Qt::LeftButton);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->isChecked());
}

TEST_F(PasswordOtaWindowTest, TheButtonOpensTheKeypadAndThePageShowsTheKeysSaved) {
  auto* enable = Find<QComboBox>("cb_fUif_User_Password_Enable");
  auto* button = Find<QPushButton>("BitBtn1");
  ASSERT_NE(enable, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Set user password.");
  enable->setCurrentIndex(0);  // "Disable"
  EXPECT_FALSE(button->isEnabled());
  enable->setCurrentIndex(1);  // "Enable"
  ASSERT_TRUE(button->isEnabled());

  ModalSteps steps({[](QWidget& keypad) {
    Click(keypad, "clearBtn");
    Click(keypad, "userPasswordBtn3");  // Up
    Click(keypad, "userPasswordBtn4");  // Down
    Click(keypad, "userPasswordBtn1");  // Left
    Click(keypad, "submitBtn");
  }});
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_EQ(steps.titles.size(), 1u);
  EXPECT_EQ(Find<QLineEdit>("ed_cpwFc_Password_LRUD")->text(), "UDL");
  EXPECT_TRUE(Find<QLineEdit>("ed_cpwFc_Password_LRUD")->isReadOnly());
  EXPECT_TRUE(Find<QLineEdit>("ed_cpwFc_Password")->isHidden());
  EXPECT_EQ(window->Session().settings.Text(Control::ed_cpwFc_Password), "230");
}

TEST(KeyboardDialog, SaveStaysDisabledAtOneKey) {
  ScriptedUserInterface ui;
  TFmKeyboard keypad("0123", ui);
  keypad.show();
  auto* letters = keypad.findChild<QLineEdit*>("ed_keyLetters");
  auto* save = keypad.findChild<QPushButton*>("submitBtn");
  ASSERT_NE(letters, nullptr);
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(letters->text(), "LRUD");
  EXPECT_TRUE(save->isEnabled());

  Click(keypad, "clearBtn");
  EXPECT_EQ(letters->text(), "");
  Click(keypad, "userPasswordBtn3");
  EXPECT_EQ(letters->text(), "U");
  EXPECT_FALSE(save->isEnabled());
  // Enter in the field does not save either.
  QTest::keyClick(letters, Qt::Key_Return);
  EXPECT_FALSE(keypad.saved());
  EXPECT_TRUE(ui.shown.empty());

  Click(keypad, "userPasswordBtn3");
  EXPECT_TRUE(save->isEnabled());
  Click(keypad, "BitBtn1");  // Backspace
  EXPECT_FALSE(save->isEnabled());
  // Typed keys: letters and digits of the keys press them; "x" is no key.
  QTest::keyClicks(letters, "ux");
  EXPECT_EQ(letters->text(), "UU");
  Click(keypad, "submitBtn");
  ASSERT_TRUE(keypad.saved());
  EXPECT_EQ(keypad.saved()->digits, "22");
  EXPECT_EQ(keypad.saved()->count, 2);
  EXPECT_EQ(keypad.saved()->value, 0xA);
}

TEST(KeyboardDialog, CancelSavesNothing) {
  ScriptedUserInterface ui;
  TFmKeyboard keypad("01", ui);
  keypad.show();
  Click(keypad, "userPasswordBtn2");
  Click(keypad, "BitBtn2");
  EXPECT_FALSE(keypad.isVisible());
  EXPECT_FALSE(keypad.saved());
}

}  // namespace
}  // namespace rer
