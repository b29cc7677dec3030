#include "app/dialogs/pleasing_alert_dialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMediaDevices>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "app/platform/tone_player.h"
#include "qt_test_environment.h"

namespace rer {
namespace {

// Records what the dialog asks to hear.
class RecordingPlayer : public TonePlayer {
 public:
  void Play(const tones::ToneSequence& sequence) override { played.push_back(sequence); }
  std::vector<tones::ToneSequence> played;
};

tones::Melody SampleTune() {
  tones::Melody tune = tones::DefaultMelody();
  tune[0] = 0xF0;   // volume 7, "2743 Hz"
  tune[1] = 0x20;   // volume 1, "OFF"
  tune[15] = 0x58;  // volume 2, "6400 Hz"
  return tune;
}

class PleasingAlertDialogTest : public ::testing::Test {
 protected:
  QComboBox* Frequency(int note) {
    auto* list = dialog.findChild<QComboBox*>(QString("cb_pleasingAlertFreq%1").arg(note));
    EXPECT_NE(list, nullptr) << note;
    return list;
  }
  QComboBox* Volume(int note) {
    auto* list = dialog.findChild<QComboBox*>(QString("cb_pleasingAlertVolume%1").arg(note));
    EXPECT_NE(list, nullptr) << note;
    return list;
  }
  QPushButton* Button(const char* name) {
    auto* button = dialog.findChild<QPushButton*>(name);
    EXPECT_NE(button, nullptr) << name;
    return button;
  }

  RecordingPlayer player;
  TFmPleasingAlert dialog{SampleTune(), player};
};

TEST_F(PleasingAlertDialogTest, ShowsEachNoteAsFrequencyAndVolume) {
  EXPECT_EQ(dialog.windowTitle(), "Programmable Pleasing Alert");
  EXPECT_EQ(Frequency(0)->currentText(), "2743 Hz");
  EXPECT_EQ(Frequency(1)->currentText(), "OFF");
  EXPECT_EQ(Volume(1)->currentText(), "1");
  EXPECT_EQ(Frequency(7)->currentText(), "1300 Hz");  // 0xE9
  EXPECT_EQ(Volume(7)->currentText(), "7");
  EXPECT_EQ(Frequency(15)->currentText(), "6400 Hz");
  EXPECT_EQ(Volume(15)->currentText(), "2");
  EXPECT_EQ(Frequency(15)->count(), 25);
  EXPECT_EQ(Volume(15)->count(), 8);
  EXPECT_EQ(Frequency(12)->property("tag").toInt(), 12);
  EXPECT_EQ(Volume(12)->property("tag").toInt(), 12);
  EXPECT_EQ(Button("alertBtn1")->text(), "ALT-A Play");
  EXPECT_EQ(Button("alertBtn4")->text(), "F10 Done");
  EXPECT_TRUE(player.played.empty());
}

TEST_F(PleasingAlertDialogTest, FrequencyChangePlaysItsNoteVolumeChangeIsSilent) {
  Frequency(4)->setCurrentIndex(16);
  EXPECT_EQ(dialog.tune()[4], 0xF0);
  ASSERT_EQ(player.played.size(), 1u);
  EXPECT_EQ(player.played[0], tones::PlayNote(0xF0));
  Volume(4)->setCurrentIndex(3);
  EXPECT_EQ(dialog.tune()[4], 0x70);
  EXPECT_EQ(player.played.size(), 1u);
  Frequency(4)->setCurrentIndex(0);
  EXPECT_EQ(dialog.tune()[4], 0x60);
  ASSERT_EQ(player.played.size(), 2u);
  EXPECT_EQ(tones::TotalMilliseconds(player.played[1]), 500);
}

TEST_F(PleasingAlertDialogTest, AltAPlaysTheMelodyFromAnyList) {
  QTest::keyClick(Volume(9), Qt::Key_A, Qt::AltModifier);
  ASSERT_EQ(player.played.size(), 1u);
  EXPECT_EQ(player.played[0], tones::PlayMelody(SampleTune()));
  EXPECT_EQ(dialog.tune(), SampleTune());  // the key did not search the list
  QTest::mouseClick(Button("alertBtn1"), Qt::LeftButton);
  EXPECT_EQ(player.played.size(), 2u);
}

TEST_F(PleasingAlertDialogTest, EscRestoresTheTuneShownAndStaysOpen) {
  dialog.show();
  Frequency(2)->setCurrentIndex(3);
  Volume(3)->setCurrentIndex(0);
  ASSERT_NE(dialog.tune(), SampleTune());
  QTest::keyClick(Frequency(2), Qt::Key_Escape);
  EXPECT_EQ(dialog.tune(), SampleTune());
  EXPECT_EQ(Frequency(2)->currentText(), "1300 Hz");
  EXPECT_EQ(Volume(3)->currentText(), "7");
  EXPECT_TRUE(dialog.isVisible());
  // Only the frequency change sounded, not the restore.
  EXPECT_EQ(player.played.size(), 1u);
  // The button does the same.
  Frequency(2)->setCurrentIndex(5);
  QTest::mouseClick(Button("alertBtn2"), Qt::LeftButton);
  EXPECT_EQ(dialog.tune(), SampleTune());
}

TEST_F(PleasingAlertDialogTest, F6SetsEveryNoteToTheDefault) {
  QTest::keyClick(Frequency(0), Qt::Key_F6);
  EXPECT_EQ(dialog.tune(), tones::DefaultMelody());
  for (int note = 0; note < 16; ++note) {
    EXPECT_EQ(Frequency(note)->currentText(), "1300 Hz");
    EXPECT_EQ(Volume(note)->currentText(), "7");
  }
  // Abort still goes back to the tune shown, not to the default.
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.tune(), SampleTune());
  EXPECT_TRUE(player.played.empty());
}

TEST_F(PleasingAlertDialogTest, F10ClosesAndKeepsTheEdits) {
  dialog.show();
  Frequency(6)->setCurrentIndex(24);
  QTest::keyClick(Volume(6), Qt::Key_F10);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  tones::Melody expected = SampleTune();
  expected[6] = 0xF8;
  EXPECT_EQ(dialog.tune(), expected);
}

TEST_F(PleasingAlertDialogTest, ClosingTheWindowIsDone) {
  dialog.show();
  Frequency(6)->setCurrentIndex(1);
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.tune()[6], 0xE1);
}

TEST(PleasingAlertDialog, NoteWithoutALabelIsKeptUntilChosen) {
  RecordingPlayer player;
  tones::Melody tune = tones::DefaultMelody();
  tune[5] = 0x3F;  // frequency index 31: no list item
  TFmPleasingAlert dialog(tune, player);
  auto* list = dialog.findChild<QComboBox*>("cb_pleasingAlertFreq5");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->currentIndex(), -1);
  dialog.findChild<QComboBox*>("cb_pleasingAlertVolume5")->setCurrentIndex(0);
  EXPECT_EQ(dialog.tune()[5], 0x1F);
}

TEST(AudioTonePlayer, WithoutAnOutputSaysSoOnceAndPlaysNothing) {
  std::vector<QString> notices;
  AudioTonePlayer player([&notices](const QString& text) { notices.push_back(text); },
                         [] { return QAudioDevice(); });
  player.Play(tones::PlayMelody(tones::DefaultMelody()));
  player.Play(tones::PlayNote(0xE9));
  player.Play(tones::PlayWholePattern(15, tones::DefaultMelody()));
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], AudioTonePlayer::NoOutputMessage());
  EXPECT_FALSE(player.IsPlaying());
}

TEST(AudioTonePlayer, NewPreviewReplacesTheOnePlaying) {
  if (QMediaDevices::defaultAudioOutput().isNull()) GTEST_SKIP() << "no audio output here";
  std::vector<QString> notices;
  AudioTonePlayer player([&notices](const QString& text) { notices.push_back(text); });
  player.Play(tones::PlayTone(440, 2000));
  EXPECT_TRUE(player.IsPlaying());
  player.Play(tones::PlayTone(880, 100));
  EXPECT_TRUE(player.IsPlaying());
  // The short one ends on its own while events are processed.
  EXPECT_TRUE(QTest::qWaitFor([&player] { return !player.IsPlaying(); }, 3000));
  EXPECT_TRUE(notices.empty());
}

}  // namespace
}  // namespace rer
