#include "app/operations/gui_thread_user_interface.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QThread>
#include <exception>
#include <memory>

namespace rer {

void RunOffGuiThread(const std::function<void()>& work) {
  std::exception_ptr failure;
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&] {
    try {
      work();
    } catch (...) {
      failure = std::current_exception();
    }
  }));
  // Connected before the start: a worker that finishes at once still ends
  // the loop, as the queued signal waits for it.
  QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit,
                   Qt::QueuedConnection);
  worker->start();
  loop.exec(QEventLoop::AllEvents);
  worker->wait();
  if (failure) std::rethrow_exception(failure);
}

GuiThreadUserInterface::GuiThreadUserInterface(UserInterface& target) : target_(target) {
  // The messages quote what the target's source gives; that source reads the
  // session, which the worker owns while it runs.
  SetContextSource([this] { return target_.CurrentContext(); });
}

GuiThreadUserInterface::~GuiThreadUserInterface() = default;

void GuiThreadUserInterface::OnGuiThread(const std::function<void()>& call) {
  if (QThread::currentThread() == guiThreadObject_.thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(&guiThreadObject_, call, Qt::BlockingQueuedConnection);
}

void GuiThreadUserInterface::PostToGuiThread(std::function<void()> call) {
  if (QThread::currentThread() == guiThreadObject_.thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(&guiThreadObject_, std::move(call), Qt::QueuedConnection);
}

int GuiThreadUserInterface::ShowMessageBox(const MessageBox& box) {
  int answer = kResultOk;
  OnGuiThread([&] { answer = target_.ShowMessageBox(box); });
  return answer;
}

std::optional<std::string> GuiThreadUserInterface::EnterPassword(PasswordMode mode) {
  std::optional<std::string> entry;
  OnGuiThread([&] { entry = target_.EnterPassword(mode); });
  return entry;
}

std::optional<UserInterface::NewPassword> GuiThreadUserInterface::EnterNewPassword(
    PasswordMode kind) {
  std::optional<NewPassword> entry;
  OnGuiThread([&] { entry = target_.EnterNewPassword(kind); });
  return entry;
}

std::optional<std::string> GuiThreadUserInterface::EnterUserPasswordKeys(
    const std::string& digits) {
  std::optional<std::string> saved;
  OnGuiThread([&] { saved = target_.EnterUserPasswordKeys(digits); });
  return saved;
}

std::optional<UserInterface::SerialPartitionEntry> GuiThreadUserInterface::EnterSerialPartition(
    const SerialPartitionRequest& request) {
  std::optional<SerialPartitionEntry> entry;
  OnGuiThread([&] { entry = target_.EnterSerialPartition(request); });
  return entry;
}

std::optional<UserInterface::PleasingAlertTune> GuiThreadUserInterface::EditPleasingAlert(
    const PleasingAlertTune& tune) {
  std::optional<PleasingAlertTune> edited;
  OnGuiThread([&] { edited = target_.EditPleasingAlert(tune); });
  return edited;
}

void GuiThreadUserInterface::BeginProgress() {
  lastPercent_ = -1;
  OnGuiThread([this] { target_.BeginProgress(); });
}

void GuiThreadUserInterface::SetProgress(int percent) {
  // One event per change of the figure, not one per byte.
  if (percent == lastPercent_) return;
  lastPercent_ = percent;
  PostToGuiThread([this, percent] { target_.SetProgress(percent); });
}

void GuiThreadUserInterface::SetSecondsLeft(int seconds) {
  PostToGuiThread([this, seconds] { target_.SetSecondsLeft(seconds); });
}

void GuiThreadUserInterface::SetProgressPhase(ProgressPhase phase) {
  PostToGuiThread([this, phase] { target_.SetProgressPhase(phase); });
}

void GuiThreadUserInterface::EndProgress() {
  OnGuiThread([this] { target_.EndProgress(); });
}

void GuiThreadUserInterface::SetStatusText(const std::string& text) {
  PostToGuiThread([this, text] { target_.SetStatusText(text); });
}

}  // namespace rer
