#include "service/service_dialog_logic.h"

#include <algorithm>

#include "codeplug/editor_settings.h"
#include "codeplug/image_fields.h"
#include "core/result_codes.h"
#include "pager/link_engine.h"

namespace rer {
namespace {

using enum Control;

// The model whose service entry needs the pager's password: without it the
// contrast cannot be changed, which the technician is told on the way in.
constexpr std::uint8_t kPasswordServiceModel = 0x40;

// A decimal text of the adjust page; an empty field counts as 0, as the
// codeplug encoding reads it. Nothing for a text that is not a number.
std::optional<int> DecimalOf(const std::string& text) {
  if (text.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

bool InRange(const std::string& text, int maximum) {
  const std::optional<int> value = DecimalOf(text);
  return value && *value <= maximum;
}

}  // namespace

ServiceTestOutcome RunServiceTest(const ServiceTestRow& test, const ServiceCommandSender& send) {
  std::vector<std::uint8_t> reply;
  const int result = send(test.command, reply, test.command);
  ServiceTestOutcome outcome;
  outcome.code = test.backToMain ? kServiceBackToMain : result;
  outcome.acknowledged = result == kLinkOk && !reply.empty() && reply[0] == kServiceAcknowledge;
  // A reply that failed leaves its buffer as it was: showing it would name a
  // key nobody pressed.
  if (outcome.acknowledged && reply.size() >= 2) {
    switch (test.shown) {
      case ServiceReplyShown::Character:
        outcome.shown = std::string(1, static_cast<char>(reply[1]));
        break;
      case ServiceReplyShown::KeyName:
        outcome.shown = std::string(ServiceKeyName(reply[1]));
        break;
      case ServiceReplyShown::Nothing:
        break;
    }
  }
  return outcome;
}

MessageBox InvalidKeyMessage() {
  return MessageBox{"Information", "Invalid Key", MessageIcon::Information, MessageButtons::Ok};
}

ServiceDialogLogic::ServiceDialogLogic(PagerSession& session, UserInterface& ui, ServiceHost& host)
    : session_(session), ui_(ui), host_(host) {}

void ServiceDialogLogic::Show() {
  page_ = ServicePage::Main;
  selectedTest_ = 0;
  resultText_.clear();
  adjustError_ = 0;
  adjustPageEnabled_ = true;
}

bool ServiceDialogLogic::IsMenuItemEnabled(ServiceMenuItem item) const {
  // While the adjustments are programmed the menu is off with the page.
  if (page_ == ServicePage::Adjust && !adjustPageEnabled_) return false;
  return IsServiceMenuItemEnabled(item, page_);
}

std::string ServiceDialogLogic::StatusText(int panel) const {
  return panel == 1 ? ServicePageOf(page_).keyHint : "";
}

void ServiceDialogLogic::ShowPage(ServicePage page) {
  page_ = page;
}

void ServiceDialogLogic::FunctionKey(int functionKey) {
  if (functionKey < 1 || functionKey > 10) return;
  const ServiceMenuRow* row = ServiceMenuItemOfKey(functionKey);
  // Only the page's own keys work; the menu shows which.
  if (!row || !IsServiceMenuItemEnabled(row->item, page_)) {
    ui_.ShowMessageBox(InvalidKeyMessage());
    return;
  }
  if (page_ == ServicePage::Adjust && !adjustPageEnabled_) return;
  switch (row->item) {
    case ServiceMenuItem::Help:
      host_.OpenHelp(ServicePageOf(page_).helpTopic);
      break;
    case ServiceMenuItem::Adjust:
      OpenAdjustPage();
      break;
    case ServiceMenuItem::Test:
      OpenTestPage();
      break;
    case ServiceMenuItem::Quick:
    case ServiceMenuItem::Msg:
    case ServiceMenuItem::Chirp:
      ShowProgressOnly();
      break;
    case ServiceMenuItem::Program:
      ProgramAdjustments();
      break;
    case ServiceMenuItem::Command:
      RunSelectedTest();
      break;
    case ServiceMenuItem::Exit:
      if (page_ == ServicePage::Main) {
        host_.CloseDialog();
      } else if (page_ == ServicePage::Adjust) {
        LoadValues(saved_);
        StoreValues(saved_);
        checked_.reset();
        adjustError_ = 0;
        ShowPage(ServicePage::Main);
      } else {
        // Leaving the test page takes the pager out of test mode.
        RunServiceTest(ServiceTests()[0], [&](std::uint8_t c, std::vector<std::uint8_t>& r, int k) {
          return host_.SendServiceCommand(c, r, k);
        });
        ShowPage(ServicePage::Main);
      }
      break;
  }
}

void ServiceDialogLogic::EnterKey() {
  if (page_ == ServicePage::Adjust && adjustPageEnabled_) host_.FocusNextControl();
}

void ServiceDialogLogic::OpenAdjustPage() {
  if (ui_.AskQuestion(kQuestionHardwareSettings) != kResultYes) return;
  ShowPage(ServicePage::Adjust);
  saved_ = ValuesOfSession();
  LoadValues(saved_);
  checked_ = saved_;
  adjustError_ = 0;
}

void ServiceDialogLogic::OpenTestPage() {
  if (session_.link.ModelCode == kPasswordServiceModel && !session_.serviceRequested) {
    ui_.ShowError(kServiceWrongPassword);
  }
  ShowPage(ServicePage::Test);
}

void ServiceDialogLogic::ShowProgressOnly() {
  // These commands have nothing to send to the pagers in this series; the
  // progress box shows that the key was taken.
  host_.SetDialogEnabled(false);
  ui_.BeginProgress();
  ui_.EndProgress();
  host_.SetDialogEnabled(true);
}

void ServiceDialogLogic::ProgramAdjustments() {
  // A value typed since the last check is checked now, so that the pager
  // never receives anything but what the page shows.
  if (!checked_ || *checked_ != values_) {
    Validate();
    if (adjustError_ != 0) return;
  } else if (adjustError_ != 0) {
    ui_.ShowError(adjustError_);
    return;
  }
  KeepAdjustmentsInImage();
  adjustPageEnabled_ = false;
  host_.SetAdjustPageEnabled(false);
  ui_.BeginProgress();
  const int result = host_.ProgramPager();
  ui_.EndProgress();
  if (result != kLinkPortNotOpened) host_.ForgetFileName();
  adjustPageEnabled_ = true;
  host_.SetAdjustPageEnabled(true);
  host_.RefreshWindowCommands();
  host_.CloseDialog();
}

void ServiceDialogLogic::KeepAdjustmentsInImage() {
  // The program sequence takes the contrast and the second adjustment from
  // the editor's codeplug again when it meets a pager other than the one it
  // last programmed, which is every pager the dialog is opened for after a
  // fresh start. The adjustments are stored there as well, so that what the
  // technician set is what the pager receives.
  if (!session_.layout.InForce()) return;
  ImageFields image(session_.image, session_.layout);
  const std::optional<int> contrast = DecimalOf(session_.settings.Text(ed_displayContrast));
  image.SetByte(Field::kDisplayContrast, static_cast<std::uint8_t>(contrast.value_or(0)));
  image.SetByte(Field::kServiceAdjustment,
                static_cast<std::uint8_t>(session_.settings.clockSecondAdjust));
}

void ServiceDialogLogic::RunSelectedTest() {
  const ServiceTestRow& test = ServiceTests()[static_cast<std::size_t>(selectedTest_)];
  resultText_.clear();
  host_.SetDialogEnabled(false);
  ui_.BeginProgress();
  const ServiceTestOutcome outcome =
      RunServiceTest(test, [&](std::uint8_t c, std::vector<std::uint8_t>& r, int k) {
        return host_.SendServiceCommand(c, r, k);
      });
  ui_.EndProgress();
  host_.SetDialogEnabled(true);
  if (outcome.shown) resultText_ = *outcome.shown;
  if (outcome.code == kServiceBackToMain) ShowPage(ServicePage::Main);
}

void ServiceDialogLogic::EditText(ServiceAdjustField field, const std::string& text) {
  if (field == ServiceAdjustField::TextContrast) values_.textContrast = text;
  if (field == ServiceAdjustField::IconContrast) values_.iconContrast = text;
}

void ServiceDialogLogic::ChooseSecondAdjust(int index) {
  values_.secondAdjustIndex =
      std::clamp(index, 0, static_cast<int>(SecondAdjustItems().size()) - 1);
  LeaveField(ServiceAdjustField::SecondAdjust);
}

void ServiceDialogLogic::LeaveField(ServiceAdjustField /*field*/) {
  if (page_ != ServicePage::Adjust) return;
  Validate();
}

void ServiceDialogLogic::Validate() {
  // Every value that passes goes into the codeplug settings at once; one
  // that fails stays only in its field, and F2 refuses until it is mended.
  adjustError_ = 0;
  checked_ = values_;
  session_.settings.clockSecondAdjust = SecondAdjustValueOfIndex(values_.secondAdjustIndex);
  if (InRange(values_.textContrast, kTextContrastMaximum)) {
    session_.settings.SetText(ed_displayContrast, std::to_string(*DecimalOf(values_.textContrast)));
  } else {
    ui_.ShowError(kTextContrastOutOfRange);
    host_.FocusAdjustField(ServiceAdjustField::TextContrast);
    adjustError_ = kTextContrastOutOfRange;
  }
  if (InRange(values_.iconContrast, kIconContrastMaximum)) {
    session_.settings.iconContrast = *DecimalOf(values_.iconContrast);
  } else {
    ui_.ShowError(kIconContrastOutOfRange);
    host_.FocusAdjustField(ServiceAdjustField::IconContrast);
    adjustError_ = kIconContrastOutOfRange;
  }
}

void ServiceDialogLogic::SelectTest(int index) {
  const auto tests = ServiceTests();
  if (index < 0 || index >= static_cast<int>(tests.size())) return;
  if (!tests[static_cast<std::size_t>(index)].offered) return;
  selectedTest_ = index;
}

ServiceAdjustValues ServiceDialogLogic::ValuesOfSession() const {
  ServiceAdjustValues values;
  values.secondAdjustIndex = SecondAdjustIndexOfValue(session_.settings.clockSecondAdjust);
  values.textContrast = session_.settings.Text(ed_displayContrast);
  values.iconContrast = std::to_string(session_.settings.iconContrast);
  return values;
}

void ServiceDialogLogic::LoadValues(const ServiceAdjustValues& values) {
  values_ = values;
}

void ServiceDialogLogic::StoreValues(const ServiceAdjustValues& values) {
  session_.settings.clockSecondAdjust = SecondAdjustValueOfIndex(values.secondAdjustIndex);
  session_.settings.SetText(ed_displayContrast, values.textContrast);
  if (const std::optional<int> icon = DecimalOf(values.iconContrast)) {
    session_.settings.iconContrast = *icon;
  }
}

}  // namespace rer
