#pragma once
// TFmPleasingAlert: edits the sixteen notes of the programmable pleasing
// alert, each a frequency and a volume, and plays them. Edits apply to the
// dialog's own copy of the tune at once; the caller takes tune() when the
// dialog closes, whichever way it closes.

#include <QDialog>
#include <array>

#include "tones/tone_steps.h"

class QComboBox;
class QPushButton;

namespace rer {

class TonePlayer;

class TFmPleasingAlert : public QDialog {
  Q_OBJECT

 public:
  enum class Action { Play, Abort, Default, Done };

  // Shows `tune` and keeps a copy of it for Abort.
  TFmPleasingAlert(const tones::Melody& tune, TonePlayer& player, QWidget* parent = nullptr);

  const tones::Melody& tune() const { return tune_; }

  // The four buttons.
  void PlayMelody();
  void Abort();
  void SetDefault();
  void Done();
  void Perform(Action action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Esc aborts the edits but leaves the dialog open; closing the window is
  // Done, as the edits are never held back.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Redisplay();
  void FrequencyChosen(int note, int index);
  void VolumeChosen(int note, int volume);

  TonePlayer& player_;
  tones::Melody tune_;
  tones::Melody shownTune_;
  std::array<QComboBox*, tones::kMelodyLength> frequencyLists_{};
  std::array<QComboBox*, tones::kMelodyLength> volumeLists_{};
  bool redisplaying_ = false;
};

}  // namespace rer
