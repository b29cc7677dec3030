#pragma once
// The speaker of the tone previews. Windows hand a sequence of tone steps to
// a TonePlayer and go on at once; the sound plays on while the window keeps
// working, and a new preview cuts off the one still sounding.

#include <QAudioDevice>
#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "tones/tone_steps.h"

class QAudioSink;

namespace rer {

class TonePlayer {
 public:
  virtual ~TonePlayer() = default;
  // Starts `sequence`, replacing any preview still playing; returns at once.
  virtual void Play(const tones::ToneSequence& sequence) = 0;
};

// Plays through Qt Multimedia on the default audio output. Where there is no
// output, or it cannot be opened, the first preview tells so once through
// `notice` and every preview is skipped.
class AudioTonePlayer : public QObject, public TonePlayer {
  Q_OBJECT

 public:
  using Notice = std::function<void(const QString& text)>;
  using OutputSource = std::function<QAudioDevice()>;

  // `output` chooses the device on each preview (default: the system's
  // default output, which may change while the program runs).
  explicit AudioTonePlayer(Notice notice, OutputSource output = {}, QObject* parent = nullptr);
  ~AudioTonePlayer() override;

  void Play(const tones::ToneSequence& sequence) override;
  void Stop();
  bool IsPlaying() const { return sink_ != nullptr; }

  static QString NoOutputMessage();

 private:
  void ReportNoOutputOnce();
  void Finish(int preview);

  Notice notice_;
  OutputSource output_;
  bool reported_ = false;
  int previewCount_ = 0;
  std::unique_ptr<QAudioSink> sink_;
  QByteArray pcm_;
  QBuffer buffer_;
};

// The one player of the running program; the first missing-output notice is
// a message box over the active window.
TonePlayer& ApplicationTonePlayer();

}  // namespace rer
