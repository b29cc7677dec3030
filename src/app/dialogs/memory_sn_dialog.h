#pragma once
// TFmMemorySn: the serial number, and for most models the split of the
// message memory, of a pager that holds no codeplug yet. The two lists move
// together: choosing an entry in one selects the same entry in the other.

#include <QDialog>
#include <optional>

#include "core/user_interface.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace rer {

class TFmMemorySn : public QDialog {
  Q_OBJECT

 public:
  // Without lists in `request` only the serial number is asked.
  explicit TFmMemorySn(const UserInterface::SerialPartitionRequest& request,
                       QWidget* parent = nullptr);

  // What OK gave; nullopt after Cancel or closing the window.
  const std::optional<UserInterface::SerialPartitionEntry>& submitted() const { return submitted_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void SelectBoth(int index);
  void Ok();
  void Cancel();

  QLineEdit* serial_;
  QLabel* personalLabel_;
  QLabel* maildropLabel_;
  QComboBox* personal_;
  QComboBox* maildrop_;
  std::optional<UserInterface::SerialPartitionEntry> submitted_;
};

}  // namespace rer
