#pragma once
// TFmProgressBar: the small box that stays on top while a pager operation
// runs. It has no title-bar buttons and cannot be closed by the user; the
// operation that opened it closes it.

#include <QDialog>

#include "core/user_interface.h"

class QLabel;
class QProgressBar;

namespace rer {

// The phase line of the box.
QString ProgressPhaseText(ProgressPhase phase);

class TFmProgressBar : public QDialog {
  Q_OBJECT

 public:
  explicit TFmProgressBar(QWidget* parent = nullptr);

  // 0..100 %; values outside are clamped.
  void SetPercent(int percent);
  int Percent() const;
  // During a long pause the box tells how many whole seconds are left;
  // a value below 1 hides the line again.
  void SetSecondsLeft(int seconds);
  QString SecondsLeftText() const;
  // What the operation is doing: "Reading", "Writing", "Waiting for the pager".
  void SetPhase(const QString& text);
  QString PhaseText() const;

  // Closes the box for good (the user cannot).
  void Finish();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Escape and the window manager cannot close it either.
  void reject() override;

 private:
  QProgressBar* progressBar_;
  QLabel* percent_;
  QLabel* phase_;
  QLabel* secondsLeft_;
  bool finishing_ = false;
};

}  // namespace rer
