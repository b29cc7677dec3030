#include "app/progress_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace rer {

QString ProgressPhaseText(ProgressPhase phase) {
  switch (phase) {
    case ProgressPhase::Reading:
      return "Reading";
    case ProgressPhase::Writing:
      return "Writing";
    case ProgressPhase::Waiting:
      break;
  }
  return "Waiting for the pager";
}

TFmProgressBar::TFmProgressBar(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName("TFmProgressBar");
  setWindowTitle("Progress");
  setModal(false);

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("progressBar");
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  progressBar_->setMinimumWidth(300);
  // Black bar on white, whatever the platform style draws.
  progressBar_->setStyleSheet(
      "QProgressBar { background: white; color: black; border: 1px solid black; "
      "text-align: center; } QProgressBar::chunk { background: black; }");

  phase_ = new QLabel(this);
  phase_->setObjectName("phase");
  phase_->setAlignment(Qt::AlignCenter);

  secondsLeft_ = new QLabel(this);
  secondsLeft_->setObjectName("secondsLeft");
  secondsLeft_->setAlignment(Qt::AlignCenter);
  // The line keeps its room while hidden, so the box does not change size
  // (and need a new layout) at every pause.
  QSizePolicy keepRoom = secondsLeft_->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);
  secondsLeft_->setSizePolicy(keepRoom);
  secondsLeft_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(phase_);
  layout->addWidget(progressBar_);
  layout->addWidget(secondsLeft_);
}

void TFmProgressBar::SetPercent(int percent) {
  progressBar_->setValue(std::clamp(percent, 0, 100));
}

int TFmProgressBar::Percent() const {
  return progressBar_->value();
}

void TFmProgressBar::SetSecondsLeft(int seconds) {
  if (seconds < 1) {
    secondsLeft_->clear();
    secondsLeft_->hide();
    return;
  }
  secondsLeft_->setText(QString("%1 s left").arg(seconds));
  secondsLeft_->show();
}

QString TFmProgressBar::SecondsLeftText() const {
  return secondsLeft_->isHidden() ? QString() : secondsLeft_->text();
}

void TFmProgressBar::SetPhase(const QString& text) {
  if (phase_->text() != text) phase_->setText(text);
}

QString TFmProgressBar::PhaseText() const {
  return phase_->text();
}

void TFmProgressBar::Finish() {
  finishing_ = true;
  close();
}

void TFmProgressBar::reject() {
  if (finishing_) QDialog::reject();
}

void TFmProgressBar::closeEvent(QCloseEvent* event) {
  if (finishing_) {
    QDialog::closeEvent(event);
  } else {
    event->ignore();
  }
}

}  // namespace rer
