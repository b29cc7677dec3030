#include "app/dialogs/pleasing_alert_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/tone_player.h"

namespace rer {
namespace {

using Action = TFmPleasingAlert::Action;

struct ButtonRow {
  const char* name;
  const char* text;
  Action action;
  int key;  // Qt key; Alt+A plays
};

constexpr ButtonRow kButtons[] = {
    {"alertBtn1", "ALT-A Play", Action::Play, Qt::Key_A},
    {"alertBtn2", "ESC Abort", Action::Abort, Qt::Key_Escape},
    {"alertBtn3", "F6 Default", Action::Default, Qt::Key_F6},
    {"alertBtn4", "F10 Done", Action::Done, Qt::Key_F10},
};

// The notes stand in two columns of eight, as a tune is read: left, then right.
constexpr int kNotesPerColumn = 8;

}  // namespace

TFmPleasingAlert::TFmPleasingAlert(const tones::Melody& tune, TonePlayer& player, QWidget* parent)
    : QDialog(parent), player_(player), tune_(tune), shownTune_(tune) {
  setObjectName("TFmPleasingAlert");
  setWindowTitle("Programmable Pleasing Alert");
  setModal(true);

  QStringList frequencies;
  for (int index = 0; index < tones::kFrequencyCount; ++index) {
    frequencies << QString::fromUtf8(tones::FrequencyLabel(index).data(),
                                     static_cast<qsizetype>(tones::FrequencyLabel(index).size()));
  }
  QStringList volumes;
  for (int volume = 0; volume < tones::kVolumeCount; ++volume) volumes << QString::number(volume);

  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(8);
  for (int column = 0; column < 2; ++column) {
    const int at = column * 4;
    auto* noteHeader = new QLabel("Note", this);
    noteHeader->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(noteHeader, 0, at);
    grid->addWidget(new QLabel("Frequency", this), 0, at + 1);
    grid->addWidget(new QLabel("Volume", this), 0, at + 2);
  }
  grid->setColumnMinimumWidth(3, 24);
  for (int note = 0; note < static_cast<int>(tones::kMelodyLength); ++note) {
    auto* frequency = new QComboBox(this);
    frequency->setObjectName(QString("cb_pleasingAlertFreq%1").arg(note));
    frequency->addItems(frequencies);
    frequency->setMaxVisibleItems(tones::kFrequencyCount);
    auto* volume = new QComboBox(this);
    volume->setObjectName(QString("cb_pleasingAlertVolume%1").arg(note));
    volume->addItems(volumes);
    for (QComboBox* list : {frequency, volume}) list->setProperty("tag", note);
    frequencyLists_[static_cast<std::size_t>(note)] = frequency;
    volumeLists_[static_cast<std::size_t>(note)] = volume;

    const int row = 1 + note % kNotesPerColumn;
    const int at = (note / kNotesPerColumn) * 4;
    auto* label = new QLabel(QString::number(note + 1), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, at);
    grid->addWidget(frequency, row, at + 1);
    grid->addWidget(volume, row, at + 2);

    connect(frequency, &QComboBox::currentIndexChanged, this,
            [this, note](int index) { FrequencyChosen(note, index); });
    connect(volume, &QComboBox::currentIndexChanged, this,
            [this, note](int index) { VolumeChosen(note, index); });
  }

  auto* buttons = new QHBoxLayout;
  for (const ButtonRow& row : kButtons) {
    auto* button = new QPushButton(row.text, this);
    button->setObjectName(row.name);
    // Enter in a list must not play or close anything.
    button->setAutoDefault(false);
    const Action action = row.action;
    connect(button, &QPushButton::clicked, this, [this, action] { Perform(action); });
    buttons->addWidget(button);
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addLayout(buttons);
  setFixedSize(sizeHint());

  // The keys work wherever the focus is in the dialog.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  Redisplay();
}

void TFmPleasingAlert::PlayMelody() {
  player_.Play(tones::PlayMelody(tune_));
}

void TFmPleasingAlert::Abort() {
  tune_ = shownTune_;
  Redisplay();
}

void TFmPleasingAlert::SetDefault() {
  tune_ = tones::DefaultMelody();
  Redisplay();
}

void TFmPleasingAlert::Done() {
  accept();
}

void TFmPleasingAlert::reject() {
  Abort();
}

void TFmPleasingAlert::closeEvent(QCloseEvent* event) {
  event->accept();
  Done();
}

void TFmPleasingAlert::Perform(Action action) {
  switch (action) {
    case Action::Play:
      PlayMelody();
      break;
    case Action::Abort:
      Abort();
      break;
    case Action::Default:
      SetDefault();
      break;
    case Action::Done:
      Done();
      break;
  }
}

bool TFmPleasingAlert::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  for (const ButtonRow& row : kButtons) {
    // Play is Alt+A; the others are keys of their own.
    const Qt::KeyboardModifiers wanted =
        row.action == Action::Play ? Qt::AltModifier : Qt::NoModifier;
    if (key->key() == row.key && modifiers == wanted) {
      Perform(row.action);
      return true;
    }
  }
  // F1 has no help to give in this dialog.
  if (key->key() == Qt::Key_F1 && modifiers == Qt::NoModifier) return true;
  return QDialog::eventFilter(watched, event);
}

void TFmPleasingAlert::Redisplay() {
  redisplaying_ = true;
  for (std::size_t note = 0; note < tune_.size(); ++note) {
    const int index = tones::FrequencyIndexOf(tune_[note]);
    // Indices 25 to 31 name no item: the list shows none and the byte stays
    // as it is until a frequency is chosen.
    frequencyLists_[note]->setCurrentIndex(index < tones::kFrequencyCount ? index : -1);
    volumeLists_[note]->setCurrentIndex(tones::VolumeOf(tune_[note]));
  }
  redisplaying_ = false;
}

void TFmPleasingAlert::FrequencyChosen(int note, int index) {
  if (redisplaying_ || index < 0) return;
  auto& byte = tune_[static_cast<std::size_t>(note)];
  byte = tones::WithFrequencyIndex(byte, index);
  player_.Play(tones::PlayNote(byte));
}

void TFmPleasingAlert::VolumeChosen(int note, int volume) {
  if (redisplaying_ || volume < 0) return;
  auto& byte = tune_[static_cast<std::size_t>(note)];
  byte = tones::WithVolume(byte, volume);
}

}  // namespace rer
