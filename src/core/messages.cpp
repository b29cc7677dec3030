#include "core/messages.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

namespace rer {
namespace {

constexpr std::array kWarningCodes{-6,  -7,  -8,  -22, -49, -52,  -66,  -67,  -68,
                                   -75, -77, -80, -90, -91, -103, -116, -120, -161};
constexpr std::array kInformationCodes{-53, -54, -55, -62, -113, -128};

struct ErrorText {
  int code;
  std::string_view text;
};

// The wrong-password codes -1 and -6 are composed with their counter below;
// this table holds every other text as it is shown.
constexpr ErrorText kErrorTexts[] = {
    {0, ""},
    {-3,
     "** ERROR **\n"
     "The selected frequency is not\n"
     "in the range of the receiver.\n"},
    {-4,
     "** ERROR **\n"
     "The selected frequency is\n"
     "not allowed for this receiver.\n"},
    {-5,
     "** ERROR **\n"
     "The selected frequency is\n"
     "not allowed for this receiver.\n"
     "See online help for further information.\n"},
    {-7,
     "There is a new version firmware\n"
     "Please check for firmware upgrade.\n"},
    {-8, "WARNING : Wrong Password.\n"},
    {-15,
     "ERROR : Unknown pager type.\n"
     "Please read Pager information first."},
    {-16, "Pager is not responding.\n"},
    {-17, "Escape key is pressed. Abort\n"},
    {-18, "Failed to open com port"},
    {-19, "Incorrect checksum"},
    {-21, "BAD pager data\n"},
    {-22, "Pager is unprogrammed.\n"},
    {-23, "Download is disabled.\n"},
    {-25, "Bad checksum.\n"},
    {-26, "No acknowledge received.\n"},
    {-27, "ERROR: Invalid address code.\n"},
    {-28, "ERROR: Invalid archive file.\n"},
    {-32, "ERROR: Pager not programmed.\n"},
    {-34,
     "** ERROR **\n"
     "Frequency is not synthesizable.\n"
     "See online help for correct increment.\n"},
    {-48, "ERROR: Duplicate codes exist.\n"},
    {-49,
     "Warning: Reminder Alert Interval cannot be\n"
     "greater than Reminder Alert Timeout.\n"},
    {-50,
     "ERROR: You have selected Notebook without selecting\n"
     "manual delete.  The pager can not delete messages in\n"
     "a notebook.  Please select again.\n"},
    {-51, "ERROR: You have exceeded maximum size allowed.\n"},
    {-52,
     "WARNING: The character set selected may not work properly\n"
     "with the prompt selected for some remapped characters.\n"},
    {-53, "Pager is in Quick Page Mode.\n"},
    {-54, "Pager is in Keep Only Good Messages Mode.\n"},
    {-55, "Pager is in Receiver Always ON Mode.\n"},
    {-56,
     "WARNING: Pager does not have a required CGROM for the current\n"
     "selected prompt.  All prompts will be programmed as ENGLISH.\n"
     "Press YES key to confirm"},
    {-57,
     "WARNING: You are about to program ZODIDORI LX8/32 pager\n"
     "with ZODIDORI LX2 codeplug information.\n"
     "Press F2 key to confirm"},
    {-58, "\nERROR: Codeplug is corrupted.  Please verify your codeplug.\n"},
    {-59,
     "ERROR: Invalid Out of Range Time entered.\n"
     "Changing to default OOR Time Value,and\n"
     "default Missed Frame Count Time."},
    {-60,
     "ERROR: Invalid Timeout for Reacq. Time entered.\n"
     "Changing to default Timeout for Reacq. Time,\n"
     "and default OOR Time."},
    {-61,
     "ERROR: Show Source, Show Time Stamp, Disp. Slot/Msg #\n"
     "cannot ALL be set to NO\n"},
    {-62, "Pager is in Chirp Mode.\n"},
    {-66,
     "Warning: You have entered an invalid battery cycle\n"
     "value.  Setting collapse value to default value"},
    {-67,
     "Warning: You have entered an invalid frame value.\n"
     "Setting frame value to the derived frame"},
    {-68,
     "WARNING: By selecting the THAI option, the\n"
     "default for the Ideo Numeric Canned Msgs\n"
     "option will be defaulted to 2 digits"},
    {-72,
     "ERROR: Invalid Battery Gauge Level.\n"
     "Please select again.\n"},
    {-75,
     "WARNING: Text contrast can only be set to values\n"
     "0 - 15.  You have entered an illegal value\n"},
    {-76,
     "ERROR: Invalid Canned Message Address Range.  Valid selections:\n"
     "TRADITIONAL: $3321-$3F7E      SIMPLIFIED: $7821-$7D47\n"
     "Please select again. "},
    {-77,
     "WARNING: Invalid Canned Message Address Range for current\n"
     "CGROM.  Start and End Canned Messages Address Range will\n"
     "be set to default value.  Press F2 key to confirm"},
    {-80,
     "WARNING: You entered the wrong password.  You may still access\n"
     "the service screen, but the contrast value cannot be changed.\n"},
    {-90,
     "WARNING: The new password that you have entered does not\n"
     "match the verify password that you entered.  Please\n"
     "re-enter the new password and the verify password."},
    {-91,
     "WARNING: The old OTA password that you entered does not\n"
     "match the current OTA password.  The program sequence has\n"
     "been cancelled. Correctly enter the old OTA password."},
    {-93,
     "ERROR: This pager has been programmed with a later\n"
     "RER version. It cannot be read by this RER.\n"
     "Codeplug version : R"},
    {-103,
     "WARNING: Icon contrast can only be set to values\n"
     "0 - 3.  You have entered an illegal value\n"},
    {-107,
     "The File was created by newer RER then you.\n"
     "Please update your RER software.\n"},
    {-110, "Wrong Password.\n"},
    {-113, "Pager was cleared successfully."},
    {-115, "ERROR: Frequency is not synthesizable."},
    {-116, "WARNING: Frequency entered is not\nin the range of the receiver."},
    {-117,
     "Codeplug version newer than pager.\n"
     "Can not program."},
    {-120,
     "WARNING: Maximum Error Count can only be set to values\n"
     "0 - 255.  You have entered an illegal value\n"},
    {-121,
     "Versions mismatch! \n\n"
     "Can not program.\nPlease contact your local dealer for service !!"},
    {-125,
     "Frequency entered is not in the range of the receiver.\n\n"
     "Please check [band split or Frequency] and try again."},
    {-127, "You have entered an illegal value. (Max. 12 hours)\n"},
    {-128, "Important Updates Available!  Please contact your local dealer for support."},
    {-129,
     "Pager Model mismatch! \n\n"
     "Can not program.\nPlease check again !!"},
    {-136, "ERROR: This pager is not supported."},
    // Composed with what differed or why the backup failed (MessageContext::detail).
    {-160, "ERROR: The pager does not hold the codeplug that was written.\n"},
    {-161, "WARNING: The backup of the pager's codeplug was not written.\n"},
};

constexpr std::string_view kNotRespondingRetry =
    "Pager is not responding.\n"
    "Press Yes key to retry,";

struct QuestionText {
  int code;
  std::string_view caption;
  std::string_view text;
};

constexpr QuestionText kQuestions[] = {
    {-16, "** WARNING **\n", kNotRespondingRetry},
    {-65, "",
     "WARNING: Sequential programming of the\n"
     "selected addresses will cause duplicate addresses\n"
     "to be programmed in the pagers. [Press YES to program]"},
    {-69, "** WARNING **\n",
     "The derived frame does not match the entered frame.\n"
     "Do you want the entered frame changed to match the\n"
     "derived frame?\n\n"
     "Press YES Button to confirm."},
    {-70, "** WARNING **\n",
     "The entered battery cycle is not the default value.  The\n"
     "default value of 4 is best for most systems.  Would you\n"
     "like the entered value changed to the default value of 4?\n\n"
     "Press YES Button to confirm,"},
    {-73, "** WARNING **\n",
     "Selections on this screen are set for\n"
     "the specific hardware of this pager.\n"
     "DO NOT change these settings\n"
     "unless properly equipped.\n\n"
     "Press YES Button to confirm."},
    {-95, "** WARNING **\n",
     "You are about to reset all selections to defaults.\n\n"
     "Press YES key to confirm"},
    {-111, "CLEAR PAGER", "Press Yes to clear pager.\n"},
    {-112, "** WARNING **\n",
     "Exit operation has failed.\n"
     "Because software says BUSY !!\n\n"
     "Press Yes Button to EXIT."},
    {-118, "** WARNING **\n",
     "The pager version is newer than the codeplug.\n"
     " Are you sure to continue?"},
    {-122, "** WARNING **\n",
     "Narrow / Wide Band is not the same as Pager setting.\n"
     "Are you sure to continue?"},
    {-123, "** WARNING **\n",
     "PLL Selections is not the same as Pager setting.\n"
     "Are you sure to continue?"},
    {-124, "** WARNING **\n",
     "Narrow / Wide Band, PLL Selections is not the same as Pager setting.\n"
     "Are you sure to continue?"},
    {-130, "** WARNING (DTO-01) **\n", kNotRespondingRetry},
    {-131, "** WARNING (DTO-02) **\n", kNotRespondingRetry},
    {-132, "** WARNING (DTO-03) **\n", kNotRespondingRetry},
    {-133, "** WARNING (DTO-04) **\n", kNotRespondingRetry},
    {-134, "** WARNING (DTO-05) **\n", kNotRespondingRetry},
};

template <typename Array>
bool Contains(const Array& codes, int code) {
  return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::string Counter2d(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%2d", value);
  return buffer;
}

// -1 (pager password) and -6 (SECURE password) quote a tries counter unless
// the pager reported none, which is carried as 8.
std::string WrongPasswordText(int counter) {
  std::string text = "WARNING : Wrong Password.\n";
  if (counter == 8) return text;
  const std::string n = Counter2d(counter);
  text += "You have " + n + " times left.";
  text += "You input wrong pasword have " + n + " times, Please check again.\n";
  text += "If input wrong password over 7 times, This pager will disable and lock.";
  return text;
}

}  // namespace

MessageBox ComposeError(int code, const MessageContext& context) {
  MessageBox box;
  if (Contains(kWarningCodes, code)) {
    box.title = "WARNING";
    box.icon = MessageIcon::Warning;
  } else if (Contains(kInformationCodes, code)) {
    box.title = "INFORMATION";
    box.icon = MessageIcon::Information;
  } else {
    box.title = "ERROR";
    box.icon = MessageIcon::Stop;
  }
  if (code == -1) {
    box.text = WrongPasswordText(context.attemptsLeft);
    return box;
  }
  if (code == -6) {
    box.text = WrongPasswordText(context.secureWrongCount);
    return box;
  }
  for (const auto& entry : kErrorTexts) {
    if (entry.code == code) {
      box.text = std::string(entry.text);
      if (code == -93) box.text += context.codeplugVersionText;
      if (code == kVerifyMismatch || code == kBackupNotWritten) box.text += context.detail;
      return box;
    }
  }
  box.text = "Undefined error, Error #" + std::to_string(code);
  return box;
}

MessageBox ComposeQuestion(int code) {
  MessageBox box;
  box.icon = MessageIcon::Warning;
  box.buttons = MessageButtons::YesNo;
  for (const auto& entry : kQuestions) {
    if (entry.code == code) {
      box.title = std::string(entry.caption);
      box.text = std::string(entry.text);
      break;
    }
  }
  return box;
}

}  // namespace rer
