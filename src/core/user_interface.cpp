#include "core/user_interface.h"

namespace rer {

int UserInterface::ShowError(int code) {
  ShowMessageBox(ComposeError(code, CurrentContext()));
  return kResultOk;
}

int UserInterface::AskQuestion(int code) {
  return ShowMessageBox(ComposeQuestion(code)) == kResultYes ? kResultYes : kResultNo;
}

}  // namespace rer
