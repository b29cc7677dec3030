#pragma once
// The pager history's database connection belongs to the thread that opened
// it, and a program attempt is recorded on the worker thread that ran it.
// This recorder carries every record over to the GUI thread, where the
// window's history lives, and waits for it to be kept.

#include <QObject>

#include "operations/operation_recorder.h"

namespace rer {

class GuiThreadRecorder : public OperationRecorder {
 public:
  // `target` is used on the GUI thread only (the thread that creates this).
  explicit GuiThreadRecorder(OperationRecorder& target) : target_(target) {}
  bool Record(const PagerRecord& record, std::string& error) override;

 private:
  OperationRecorder& target_;
  QObject guiThreadObject_;
};

}  // namespace rer
