#pragma once
// TFmService: the service dialog. A technician adjusts the hardware-tuned
// values of the pager in the cradle and drives its test modes from here, by
// function keys or the menu that names them. What each key does is the
// service logic's; this dialog shows its state and hands it the events.

#include <QDialog>
#include <functional>
#include <memory>

#include "service/service_dialog_logic.h"

class QAction;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QTabWidget;

namespace rer {

// What the dialog asks of the main window.
struct ServiceWindowSide {
  std::function<void(int topic)> openHelp;
  std::function<int()> programPager;
  std::function<int(std::uint8_t command, std::vector<std::uint8_t>& reply, int replyKind)>
      sendServiceCommand;
  std::function<void()> forgetFileName;
  std::function<void()> refreshWindowCommands;
};

class TFmService : public QDialog, private ServiceHost {
  Q_OBJECT

 public:
  TFmService(PagerSession& session, UserInterface& ui, ServiceWindowSide window,
             QWidget* parent = nullptr);
  ~TFmService() override;

  ServiceDialogLogic& Logic() { return *logic_; }
  QTabWidget& Pages() const { return *servicePgc_; }
  // The function key F`number` as pressed on the dialog.
  void PressFunctionKey(int number);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenu();
  QWidget* BuildMainPage();
  QWidget* BuildAdjustPage();
  QWidget* BuildTestPage();
  // Shows the logic's state: the page, the menu, the status, the values.
  void Refresh();
  QLineEdit* FieldOf(ServiceAdjustField field) const;

  // ServiceHost
  void OpenHelp(int topic) override;
  void SetDialogEnabled(bool enabled) override;
  void SetAdjustPageEnabled(bool enabled) override;
  int ProgramPager() override;
  int SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply,
                         int replyKind) override;
  void ForgetFileName() override;
  void RefreshWindowCommands() override;
  void FocusAdjustField(ServiceAdjustField field) override;
  void FocusNextControl() override;
  void CloseDialog() override;

  ServiceWindowSide window_;
  std::unique_ptr<ServiceDialogLogic> logic_;
  QTabWidget* servicePgc_ = nullptr;
  QWidget* pages_[kServicePageCount] = {};
  QMenu* serviceMenu_ = nullptr;
  std::vector<std::pair<ServiceMenuItem, QAction*>> menuItems_;
  QComboBox* secondAdjust_ = nullptr;
  QLineEdit* contrast_ = nullptr;
  QLineEdit* iconContrast_ = nullptr;
  QButtonGroup* tests_ = nullptr;
  QLineEdit* resultEdit_ = nullptr;
  QLabel* statusPanels_[2] = {};
  int lastShownPage_ = 0;
  bool refreshing_ = false;
  bool closing_ = false;
};

}  // namespace rer
