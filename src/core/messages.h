#pragma once
// The texts behind every negative result code: the message boxes of
// ShowError and the Yes/No questions of AskQuestion.

#include <string>

#include "core/result_codes.h"

namespace rer {

enum class MessageIcon { Warning, Information, Stop, Question };
enum class MessageButtons { Ok, YesNo };

struct MessageBox {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::Stop;
  MessageButtons buttons = MessageButtons::Ok;
  // A Yes/No box whose default answer is No: Enter alone must not replace
  // anything.
  bool defaultNo = false;
};

// Values that some messages quote at the moment they are shown.
struct MessageContext {
  int attemptsLeft = 0;             // -1: tries the pager reports as left; 8 = "not reported"
  int secureWrongCount = 0;         // -6: wrong SECURE passwords in a row
  std::string codeplugVersionText;  // -93: the pager's six-digit codeplug version
  std::string detail;               // -160, -161: what differed, or why the backup failed
};

// The OK box for `code` (title and icon by class, text composed from its pieces).
MessageBox ComposeError(int code, const MessageContext& context = {});
// The Yes/No box for `code`; an unknown code gives an empty box.
MessageBox ComposeQuestion(int code);

}  // namespace rer
