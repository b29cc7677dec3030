#pragma once
// Read Pager: brings the codeplug of the pager in the cradle into the editor.
// An identify run, then a codeplug read run; the layout of the pager's
// family; the codeplug's own local password where it asks for one; and the
// decode into the editor settings. A pager that stops answering may be
// retried from the very beginning.

#include <optional>
#include <string>

#include "core/result_codes.h"
#include "core/user_interface.h"
#include "pager/link_engine.h"
#include "pager/pager_session.h"
#include "pager/password_state.h"

namespace rer {

// A model code that never asks for the codeplug's local password.
inline constexpr std::uint8_t kModelWithoutLocalPassword = 0x80;

// Installs the checks that follow every image the link reads: the codeplug
// version (-93 for a codeplug newer than this program) and, for a 4 KB image
// read into the editor's buffer, the injection-side bits the synthesizer
// search needs.
void InstallImageReadChecks(PagerLink& link, PagerSession& session);

// The message context for the session's boxes: the tries the pager reports
// as left, the SECURE wrong-entry count, and the six-digit version of the
// codeplug in the editor's image.
MessageContext SessionMessageContext(const PagerSession& session);

class ReadSequence {
 public:
  ReadSequence(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui)
      : session_(session), link_(link), checks_(checks), ui_(ui) {}

  // 1 on success, otherwise the code of the step that failed. The caller
  // shows the message for every result except 1, -16, -114 and -8.
  int ReadPager();

 private:
  int Attempt();
  // The codeplug's own local password, where it asks for one. 0 or -8.
  int LocalPasswordGate();

  PagerSession& session_;
  PagerLink& link_;
  PasswordChecks& checks_;
  UserInterface& ui_;
  // The local password last accepted at the gate in this run, unscrambled.
  std::optional<std::string> acceptedLocalPassword_;
  bool gateAsked_ = false;
};

// One read with a sequence of its own (nothing remembered between reads).
int ReadPager(PagerSession& session, PagerLink& link, PasswordChecks& checks, UserInterface& ui);

}  // namespace rer
