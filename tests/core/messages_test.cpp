#include "core/messages.h"

#include <gtest/gtest.h>

#include "core/scripted_user_interface.h"

namespace rer {
namespace {

const std::string kWrongPasswordHead = "WARNING : Wrong Password.\n";

std::string WrongPasswordWithCounter(const std::string& n) {
  return kWrongPasswordHead + "You have " + n + " times left." + "You input wrong pasword have " +
         n + " times, Please check again.\n" +
         "If input wrong password over 7 times, This pager will disable and lock.";
}

TEST(ComposeError, SecureWrongCountIsWrittenTwoWide) {
  MessageContext context;
  context.secureWrongCount = 3;
  const auto box = ComposeError(-6, context);
  EXPECT_EQ(box.title, "WARNING");
  EXPECT_EQ(box.icon, MessageIcon::Warning);
  EXPECT_EQ(box.text, WrongPasswordWithCounter(" 3"));
}

TEST(ComposeError, PagerPasswordQuotesAttemptsLeftUnlessNoneReported) {
  MessageContext context;
  context.attemptsLeft = 8;
  auto box = ComposeError(-1, context);
  EXPECT_EQ(box.title, "ERROR");
  EXPECT_EQ(box.text, kWrongPasswordHead);

  context.attemptsLeft = 12;
  box = ComposeError(-1, context);
  EXPECT_EQ(box.text, WrongPasswordWithCounter("12"));
  // -6 reads the other counter, not AttemptsLeft.
  EXPECT_EQ(ComposeError(-6, context).text, WrongPasswordWithCounter(" 0"));
}

struct ClassCase {
  int code;
  const char* title;
  MessageIcon icon;
  const char* text;
};

class ComposeErrorClass : public ::testing::TestWithParam<ClassCase> {};

TEST_P(ComposeErrorClass, TitleIconAndText) {
  const auto& c = GetParam();
  const auto box = ComposeError(c.code);
  EXPECT_EQ(box.title, c.title);
  EXPECT_EQ(box.icon, c.icon);
  EXPECT_EQ(box.text, c.text);
  EXPECT_EQ(box.buttons, MessageButtons::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ComposeErrorClass,
    ::testing::Values(
        ClassCase{0, "ERROR", MessageIcon::Stop, ""},
        ClassCase{-16, "ERROR", MessageIcon::Stop, "Pager is not responding.\n"},
        ClassCase{-22, "WARNING", MessageIcon::Warning, "Pager is unprogrammed.\n"},
        ClassCase{-53, "INFORMATION", MessageIcon::Information, "Pager is in Quick Page Mode.\n"},
        ClassCase{-56, "ERROR", MessageIcon::Stop,
                  "WARNING: Pager does not have a required CGROM for the current\n"
                  "selected prompt.  All prompts will be programmed as ENGLISH.\n"
                  "Press YES key to confirm"},
        ClassCase{-76, "ERROR", MessageIcon::Stop,
                  "ERROR: Invalid Canned Message Address Range.  Valid selections:\n"
                  "TRADITIONAL: $3321-$3F7E      SIMPLIFIED: $7821-$7D47\n"
                  "Please select again. "},
        ClassCase{-116, "WARNING", MessageIcon::Warning,
                  "WARNING: Frequency entered is not\nin the range of the receiver."},
        ClassCase{-121, "ERROR", MessageIcon::Stop,
                  "Versions mismatch! \n\nCan not program.\nPlease contact your local dealer "
                  "for service !!"},
        ClassCase{-128, "INFORMATION", MessageIcon::Information,
                  "Important Updates Available!  Please contact your local dealer for support."},
        ClassCase{-126, "ERROR", MessageIcon::Stop, "Undefined error, Error #-126"},
        ClassCase{-130, "ERROR", MessageIcon::Stop, "Undefined error, Error #-130"},
        ClassCase{5, "ERROR", MessageIcon::Stop, "Undefined error, Error #5"}));

TEST(ComposeError, LaterVersionQuotesTheCodeplugVersion) {
  MessageContext context;
  context.codeplugVersionText = "050102";
  EXPECT_EQ(ComposeError(-93, context).text,
            "ERROR: This pager has been programmed with a later\n"
            "RER version. It cannot be read by this RER.\n"
            "Codeplug version : R050102");
}

TEST(ComposeQuestion, CaptionsAndTexts) {
  auto box = ComposeQuestion(-65);
  EXPECT_EQ(box.title, "");
  EXPECT_EQ(box.buttons, MessageButtons::YesNo);
  EXPECT_EQ(box.icon, MessageIcon::Warning);
  EXPECT_EQ(box.text,
            "WARNING: Sequential programming of the\n"
            "selected addresses will cause duplicate addresses\n"
            "to be programmed in the pagers. [Press YES to program]");

  // The DTO questions differ only in their caption.
  const auto dto1 = ComposeQuestion(-130);
  const auto dto5 = ComposeQuestion(-134);
  EXPECT_EQ(dto1.title, "** WARNING (DTO-01) **\n");
  EXPECT_EQ(dto5.title, "** WARNING (DTO-05) **\n");
  EXPECT_EQ(dto1.text, "Pager is not responding.\nPress Yes key to retry,");
  EXPECT_EQ(dto1.text, dto5.text);
  EXPECT_EQ(ComposeQuestion(-111).title, "CLEAR PAGER");

  const auto unknown = ComposeQuestion(-1);
  EXPECT_EQ(unknown.title, "");
  EXPECT_EQ(unknown.text, "");
  EXPECT_EQ(unknown.buttons, MessageButtons::YesNo);
}

TEST(UserInterface, ShowErrorAlwaysOkAndAskQuestionYesOrNo) {
  ScriptedUserInterface ui;
  ui.answers = {kResultYes, kResultNo};
  ui.SetContextSource([] {
    MessageContext c;
    c.secureWrongCount = 2;
    return c;
  });
  EXPECT_EQ(ui.ShowError(-56), kResultOk);
  EXPECT_EQ(ui.ShowError(-6), kResultOk);
  EXPECT_EQ(ui.AskQuestion(-112), kResultYes);
  EXPECT_EQ(ui.AskQuestion(-112), kResultNo);
  EXPECT_EQ(ui.AskQuestion(-112), kResultNo);  // script exhausted: default No
  ASSERT_EQ(ui.shown.size(), 5u);
  EXPECT_EQ(ui.shown[1].text, WrongPasswordWithCounter(" 2"));
  EXPECT_EQ(ui.shown[2].buttons, MessageButtons::YesNo);
}

}  // namespace
}  // namespace rer
