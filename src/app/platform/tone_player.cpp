#include "app/platform/tone_player.h"

#include <QApplication>
#include <QAudioSink>
#include <QMediaDevices>
#include <QMessageBox>
#include <QPointer>
#include <cstring>

#include "tones/pcm.h"

namespace rer {
namespace {

// A small device buffer keeps a note close to the click that asked for it;
// the trailing silence must be longer than the buffer (see Play).
constexpr qint64 kBufferUs = 100'000;
constexpr qint64 kTrailingSilenceUs = 400'000;

QAudioFormat PreviewFormat() {
  QAudioFormat format;
  format.setSampleRate(tones::kSampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  return format;
}

// The rendered samples in the device's own format when it does not take
// 16-bit mono at our rate: one value per channel, rendered at its rate so
// that durations stay exact.
QByteArray Encode(const tones::ToneSequence& sequence, const QAudioFormat& format) {
  const std::vector<std::int16_t> samples = tones::RenderPcm(sequence, format.sampleRate());
  const int channels = std::max(format.channelCount(), 1);
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(samples.size()) * channels * format.bytesPerSample());
  const auto put = [&bytes](const auto value) {
    char raw[sizeof(value)];
    std::memcpy(raw, &value, sizeof(value));
    bytes.append(raw, sizeof(value));
  };
  for (const std::int16_t sample : samples) {
    for (int channel = 0; channel < channels; ++channel) {
      switch (format.sampleFormat()) {
        case QAudioFormat::UInt8:
          put(static_cast<std::uint8_t>((sample >> 8) + 128));
          break;
        case QAudioFormat::Int32:
          put(static_cast<std::int32_t>(sample) * 65536);
          break;
        case QAudioFormat::Float:
          put(static_cast<float>(sample) / 32768.0f);
          break;
        default:
          put(sample);
          break;
      }
    }
  }
  return bytes;
}

}  // namespace

AudioTonePlayer::AudioTonePlayer(Notice notice, OutputSource output, QObject* parent)
    : QObject(parent), notice_(std::move(notice)), output_(std::move(output)) {
  if (!output_) output_ = [] { return QMediaDevices::defaultAudioOutput(); };
}

AudioTonePlayer::~AudioTonePlayer() {
  Stop();
}

QString AudioTonePlayer::NoOutputMessage() {
  return "No sound output was found.\nThe tone previews are not played.";
}

void AudioTonePlayer::ReportNoOutputOnce() {
  if (reported_) return;
  reported_ = true;
  if (notice_) notice_(NoOutputMessage());
}

void AudioTonePlayer::Play(const tones::ToneSequence& sequence) {
  Stop();
  if (sequence.empty()) return;
  const QAudioDevice device = output_();
  if (device.isNull()) {
    ReportNoOutputOnce();
    return;
  }
  QAudioFormat format = PreviewFormat();
  if (!device.isFormatSupported(format)) format = device.preferredFormat();
  if (!format.isValid()) {
    ReportNoOutputOnce();
    return;
  }
  pcm_ = Encode(sequence, format);
  // The sink is released when it has taken the last byte, while the device
  // still holds up to a buffer of sound; trailing silence longer than that
  // buffer lets the whole preview be heard.
  pcm_.append(format.bytesForDuration(kTrailingSilenceUs), '\0');
  buffer_.setData(pcm_);
  buffer_.open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, format);
  sink_->setBufferSize(format.bytesForDuration(kBufferUs));
  const int preview = ++previewCount_;
  connect(sink_.get(), &QAudioSink::stateChanged, this, [this, preview](QAudio::State state) {
    // Idle: every sample has been handed to the device. Stopped with an
    // error: the device went away. The sink is released later, not inside
    // its own signal.
    if (state == QAudio::IdleState || state == QAudio::StoppedState) {
      QMetaObject::invokeMethod(
          this, [this, preview] { Finish(preview); }, Qt::QueuedConnection);
    }
  });
  sink_->start(&buffer_);
  if (sink_->error() != QAudio::NoError) {
    Stop();
    ReportNoOutputOnce();
  }
}

void AudioTonePlayer::Finish(int preview) {
  // The end of a preview that has since been replaced is no business of
  // the one playing now.
  if (preview != previewCount_ || !sink_) return;
  const bool failedToOpen = sink_->error() == QAudio::OpenError;
  Stop();
  if (failedToOpen) ReportNoOutputOnce();
}

void AudioTonePlayer::Stop() {
  if (sink_) {
    sink_->disconnect(this);
    sink_->stop();
    sink_.reset();
  }
  buffer_.close();
}

TonePlayer& ApplicationTonePlayer() {
  static QPointer<AudioTonePlayer> player;
  if (!player) {
    player = new AudioTonePlayer(
        [](const QString& text) {
          QMessageBox::warning(QApplication::activeWindow(), "Error", text);
        },
        {}, qApp);
  }
  return *player;
}

}  // namespace rer
