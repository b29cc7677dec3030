#include "app/dialogs/progress_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
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
  // The box only tells; the keys stay with the window and its fields.
  setAttribute(Qt::WA_ShowWithoutActivating);

  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName("progressBar");
  progressBar_->setRange(0, 100);
  progressBar_->setValue(0);
  // The figure stands beside the bar: drawn on a black bar it would vanish.
  progressBar_->setTextVisible(false);
  progressBar_->setMinimumWidth(300);
  // Black bar on white, whatever the platform style draws.
  progressBar_->setStyleSheet(
      "QProgressBar { background: white; color: black; border: 1px solid black; "
      "text-align: center; } QProgressBar::chunk { background: black; }");

  percent_ = new QLabel("0 %", this);
  percent_->setObjectName("percent");
  percent_->setMinimumWidth(fontMetrics().horizontalAdvance("100 %") + 4);
  percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

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
  auto* barRow = new QHBoxLayout;
  barRow->addWidget(progressBar_, 1);
  barRow->addWidget(percent_);
  layout->addLayout(barRow);
  layout->addWidget(secondsLeft_);
}

void TFmProgressBar::SetPercent(int percent) {
  progressBar_->setValue(std::clamp(percent, 0, 100));
  percent_->setText(QString("%1 %").arg(progressBar_->value()));
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
