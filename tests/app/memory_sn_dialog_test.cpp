// TFmMemorySn as the program sequence meets it: the entry of a pager that
// holds no codeplug, answered in the dialog itself.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/dialogs/memory_sn_dialog.h"
#include "app/platform/qt_user_interface.h"
#include "core/result_codes.h"
#include "service/serial_partition.h"

namespace rer {
namespace {

// Runs `act` on the dialog once it is open, then lets the entry return.
int EnterInDialog(LinkState& link, std::uint8_t& partition,
                  const std::function<void(TFmMemorySn&)>& act) {
  QtUserInterface ui;
  bool acted = false;
  std::function<void()> poll;
  poll = [&] {
    auto* dialog = qobject_cast<TFmMemorySn*>(QApplication::activeModalWidget());
    if (!dialog) {
      QTimer::singleShot(10, poll);
      return;
    }
    acted = true;
    act(*dialog);
  };
  QTimer::singleShot(0, poll);
  const int result = EnterSerialAndPartition(link, partition, ui);
  EXPECT_TRUE(acted);
  return result;
}

LinkState Pager(bool largeMemory, std::uint8_t model = 0x84) {
  LinkState link;
  link.ModelCode = model;
  link.MemoryByte = largeMemory ? 32 : 8;
  link.LargeMemory = largeMemory;
  link.SerialNumber = "OLD0000001";
  return link;
}

QComboBox& Personal(TFmMemorySn& d) {
  return *d.findChild<QComboBox*>("cb_persMemSizeString");
}
QComboBox& Maildrop(TFmMemorySn& d) {
  return *d.findChild<QComboBox*>("cb_persMaildropString");
}
void Type(TFmMemorySn& d, const char* serial) {
  d.findChild<QLineEdit*>("ed_newSerialNumber")->setText(serial);
}
void Click(TFmMemorySn& d, const char* button) {
  d.findChild<QPushButton*>(button)->click();
}

TEST(MemorySnDialog, LargeMemoryOpensOnTheStoredCodeAndStoresTheChosenOne) {
  LinkState link = Pager(true);
  std::uint8_t partition = 26;
  const int result = EnterInDialog(link, partition, [](TFmMemorySn& d) {
    EXPECT_EQ(d.windowTitle(), "SerialNo / Memory  Partitions Size");
    EXPECT_EQ(Personal(d).currentText(), "  27K");
    EXPECT_EQ(Maildrop(d).currentText(), "   5K");
    EXPECT_TRUE(Personal(d).isEnabled());
    Personal(d).setCurrentIndex(Personal(d).findText("  10K"));
    EXPECT_EQ(Maildrop(d).currentText(), "  22K");  // the lists move together
    Type(d, "NEW0000042");
    Click(d, "okBtn");
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(partition, 11);
  EXPECT_EQ(link.SerialNumber, "NEW0000042");
}

TEST(MemorySnDialog, SmallMemoryCodeEightShowsTheLastEntryAndKeepsEight) {
  LinkState link = Pager(false);
  std::uint8_t partition = 8;
  const int result = EnterInDialog(link, partition, [](TFmMemorySn& d) {
    EXPECT_EQ(Personal(d).currentText(), "7.5K");
    EXPECT_EQ(Maildrop(d).currentText(), "None");
    Type(d, "NEW0000043");
    Click(d, "okBtn");
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(partition, 8);
}

TEST(MemorySnDialog, CancelAfterAChangeKeepsTheCodeAndTheSerialNumber) {
  LinkState link = Pager(true);
  std::uint8_t partition = 26;
  const int result = EnterInDialog(link, partition, [](TFmMemorySn& d) {
    Maildrop(d).setCurrentIndex(0);
    EXPECT_EQ(Personal(d).currentIndex(), 0);
    Type(d, "NEW0000044");
    Click(d, "cancelBtn");
  });
  EXPECT_EQ(result, kOperationCancelled);
  EXPECT_EQ(partition, 26);
  EXPECT_EQ(link.SerialNumber, "OLD0000001");
}

TEST(MemorySnDialog, FourAddressModelAsksTheSerialNumberOnly) {
  LinkState link = Pager(true, 0x40);
  std::uint8_t partition = 26;
  const int result = EnterInDialog(link, partition, [](TFmMemorySn& d) {
    EXPECT_FALSE(Personal(d).isEnabled());
    EXPECT_FALSE(Maildrop(d).isEnabled());
    EXPECT_EQ(Personal(d).count(), 0);
    Type(d, "NEW0000045X");  // one character too many
    Click(d, "okBtn");
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(link.SerialNumber, "NEW0000045");
  EXPECT_EQ(partition, 26);
}

}  // namespace
}  // namespace rer
