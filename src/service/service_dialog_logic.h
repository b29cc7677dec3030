#pragma once
// What the service dialog does, without its widgets: which page is shown,
// which menu items work there, the status text, the adjust values with their
// checks and saved copy, the test selection and its result, and what every
// function key does on every page. The Qt dialog shows this state and hands
// over its events; the window side (help, the program sequence, the service
// command on the pager link, the main window's state) comes through
// ServiceHost, so tests drive the whole dialog without a window.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/user_interface.h"
#include "pager/pager_session.h"
#include "service/service_tables.h"

namespace rer {

// Sends one test command byte and receives its reply of `replyKind`; the
// result as the link's service command gives it.
using ServiceCommandSender =
    std::function<int(std::uint8_t command, std::vector<std::uint8_t>& reply, int replyKind)>;

struct ServiceTestOutcome {
  // kServiceBackToMain for the tests that leave test mode, otherwise what
  // the command gave (0 when its transfers succeeded).
  int code = 0;
  // What the result field shows; nothing when the pager's reply did not
  // arrive whole and acknowledged.
  std::optional<std::string> shown;
  bool acknowledged = false;  // every byte arrived and the reply began with "."
};

// Runs one test: the command byte, its reply, and what the reply means.
ServiceTestOutcome RunServiceTest(const ServiceTestRow& test, const ServiceCommandSender& send);

// The fields of the adjust page.
enum class ServiceAdjustField { SecondAdjust, TextContrast, IconContrast };

// The adjust page as its controls hold it.
struct ServiceAdjustValues {
  int secondAdjustIndex = 0;  // into SecondAdjustItems()
  std::string textContrast;
  std::string iconContrast;
  bool operator==(const ServiceAdjustValues&) const = default;
};

inline constexpr int kTextContrastMaximum = 15;
inline constexpr int kIconContrastMaximum = 3;

// The window's side of the dialog.
class ServiceHost {
 public:
  virtual ~ServiceHost() = default;
  virtual void OpenHelp(int topic) = 0;
  // The whole dialog off and on around a test or a progress box.
  virtual void SetDialogEnabled(bool enabled) = 0;
  // The adjust page and the menu off and on around programming.
  virtual void SetAdjustPageEnabled(bool enabled) = 0;
  // The program sequence over the session, as the window's Program runs it.
  virtual int ProgramPager() = 0;
  virtual int SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply,
                                 int replyKind) = 0;
  // The editor no longer matches the codeplug file it came from.
  virtual void ForgetFileName() = 0;
  // The main window sets its commands for its state after programming.
  virtual void RefreshWindowCommands() = 0;
  virtual void FocusAdjustField(ServiceAdjustField field) = 0;
  virtual void FocusNextControl() = 0;
  virtual void CloseDialog() = 0;
};

// The information box for a function key that the page does not take.
MessageBox InvalidKeyMessage();

class ServiceDialogLogic {
 public:
  // The dialog changes the session's three adjust settings; the session
  // outlives it.
  ServiceDialogLogic(PagerSession& session, UserInterface& ui, ServiceHost& host);

  // The state of a dialog just shown: the Main page, the first test.
  void Show();

  ServicePage page() const { return page_; }
  bool IsMenuItemEnabled(ServiceMenuItem item) const;
  // The status bar's panels: the first is kept empty, the second names the keys.
  std::string StatusText(int panel) const;

  // F1 ... F10 (`functionKey` 1 ... 10); other numbers are ignored.
  void FunctionKey(int functionKey);
  // Enter on the adjust page moves on to the next control.
  void EnterKey();

  // The adjust page.
  const ServiceAdjustValues& adjustValues() const { return values_; }
  // Typing into a field: nothing is checked until the field is left.
  void EditText(ServiceAdjustField field, const std::string& text);
  // A new item of the drop-down, which is checked at once.
  void ChooseSecondAdjust(int index);
  // Leaving a field checks all three values.
  void LeaveField(ServiceAdjustField field);
  int adjustError() const { return adjustError_; }
  bool adjustPageEnabled() const { return adjustPageEnabled_; }

  // The test page.
  int selectedTest() const { return selectedTest_; }  // into ServiceTests()
  void SelectTest(int index);
  const std::string& resultText() const { return resultText_; }

 private:
  void ShowPage(ServicePage page);
  void OpenAdjustPage();
  void OpenTestPage();
  void ShowProgressOnly();
  void ProgramAdjustments();
  void KeepAdjustmentsInImage();
  void RunSelectedTest();
  void Validate();
  void LoadValues(const ServiceAdjustValues& values);
  void StoreValues(const ServiceAdjustValues& values);
  ServiceAdjustValues ValuesOfSession() const;

  PagerSession& session_;
  UserInterface& ui_;
  ServiceHost& host_;
  ServicePage page_ = ServicePage::Main;
  ServiceAdjustValues values_;
  ServiceAdjustValues saved_;
  // The values last checked; F2 checks again whatever was typed since.
  std::optional<ServiceAdjustValues> checked_;
  int adjustError_ = 0;
  bool adjustPageEnabled_ = true;
  int selectedTest_ = 0;
  std::string resultText_;
};

}  // namespace rer
