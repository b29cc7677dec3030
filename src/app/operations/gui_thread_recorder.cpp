#include "app/operations/gui_thread_recorder.h"

#include <QMetaObject>
#include <QThread>

namespace rer {

bool GuiThreadRecorder::Record(const PagerRecord& record, std::string& error) {
  if (QThread::currentThread() == guiThreadObject_.thread()) return target_.Record(record, error);
  bool kept = false;
  QMetaObject::invokeMethod(
      &guiThreadObject_, [&] { kept = target_.Record(record, error); },
      Qt::BlockingQueuedConnection);
  return kept;
}

}  // namespace rer
