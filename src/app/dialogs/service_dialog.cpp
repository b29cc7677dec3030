#include "app/dialogs/service_dialog.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rer {
namespace {

QFont FixedPitchFont() {
  QFont font("Monospace");
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

QLineEdit* DecimalField(const char* name, int maxLength, const char* hint, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(name);
  field->setMaxLength(maxLength);
  field->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), field));
  field->setToolTip(hint);
  field->setStatusTip(hint);
  field->setMaximumWidth(80);
  return field;
}

}  // namespace

TFmService::TFmService(PagerSession& session, UserInterface& ui, ServiceWindowSide window,
                       QWidget* parent)
    : QDialog(parent),
      window_(std::move(window)),
      logic_(std::make_unique<ServiceDialogLogic>(session, ui, static_cast<ServiceHost&>(*this))) {
  setObjectName("TFmService");
  setWindowTitle("Service");
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  auto* menuBar = new QMenuBar(this);
  menuBar->setObjectName("serviceMenu");
  serviceMenu_ = menuBar->addMenu("&Service");
  serviceMenu_->setObjectName("menuService");
  layout->setMenuBar(menuBar);
  BuildMenu();

  servicePgc_ = new QTabWidget(this);
  servicePgc_->setObjectName("servicePgc");
  pages_[0] = BuildMainPage();
  pages_[1] = BuildAdjustPage();
  pages_[2] = BuildTestPage();
  for (const ServicePageRow& row : ServicePages()) {
    QWidget* page = pages_[static_cast<int>(row.page)];
    page->setObjectName(row.name);
    servicePgc_->addTab(page, row.caption);
  }
  layout->addWidget(servicePgc_);

  auto* statusBar = new QStatusBar(this);
  statusBar->setObjectName("serviceStatusBar");
  statusBar->setSizeGripEnabled(false);
  for (QLabel*& panel : statusPanels_) {
    panel = new QLabel(statusBar);
    statusBar->addWidget(panel, 1);
  }
  layout->addWidget(statusBar);

  qApp->installEventFilter(this);
  logic_->Show();
  Refresh();
  resize(520, 420);
}

TFmService::~TFmService() {
  qApp->removeEventFilter(this);
}

void TFmService::BuildMenu() {
  for (const ServiceMenuRow& row : ServiceMenuItems()) {
    // The key is shown beside the caption; the dialog takes the keys itself
    // so that a key the page does not take can say so.
    auto* action =
        serviceMenu_->addAction(QString("%1\tF%2").arg(row.caption).arg(row.functionKey));
    action->setObjectName(row.name);
    const int key = row.functionKey;
    connect(action, &QAction::triggered, this, [this, key] { PressFunctionKey(key); });
    menuItems_.emplace_back(row.item, action);
  }
}

QWidget* TFmService::BuildMainPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  for (const char* line : ServiceKeyLegend()) {
    auto* label = new QLabel(line, page);
    label->setFont(FixedPitchFont());
    layout->addWidget(label);
  }
  layout->addStretch();
  return page;
}

QWidget* TFmService::BuildAdjustPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  secondAdjust_ = new QComboBox(page);
  secondAdjust_->setObjectName("cb_secondAdjustValue");
  for (const char* item : SecondAdjustItems()) secondAdjust_->addItem(item);
  secondAdjust_->setMaximumWidth(80);
  contrast_ = DecimalField("ed_contrastAdjustValue", 2, "Enter Decimal value: 0-15", page);
  iconContrast_ = DecimalField("ed_IconContrastAdjustValue", 1, "Enter Decimal value: 0-3", page);
  form->addRow("Clock Second Adjust", secondAdjust_);
  form->addRow("Text Contrast", contrast_);
  form->addRow("Icon Contrast", iconContrast_);

  connect(secondAdjust_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (refreshing_ || index < 0) return;
    logic_->ChooseSecondAdjust(index);
    Refresh();
  });
  connect(contrast_, &QLineEdit::textEdited, this, [this](const QString& text) {
    logic_->EditText(ServiceAdjustField::TextContrast, text.toStdString());
  });
  connect(iconContrast_, &QLineEdit::textEdited, this, [this](const QString& text) {
    logic_->EditText(ServiceAdjustField::IconContrast, text.toStdString());
  });
  contrast_->installEventFilter(this);
  iconContrast_->installEventFilter(this);
  return page;
}

QWidget* TFmService::BuildTestPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  tests_ = new QButtonGroup(page);
  const auto tests = ServiceTests();
  for (std::size_t i = 0; i < tests.size(); ++i) {
    auto* radio = new QRadioButton(tests[i].caption, page);
    radio->setObjectName(tests[i].radioName);
    tests_->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
    if (!tests[i].offered) {
      radio->setVisible(false);
      radio->setEnabled(false);
    }
  }
  // Arrow keys move the selection as well as clicks do.
  connect(tests_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (refreshing_ || !checked) return;
    logic_->SelectTest(id);
    Refresh();
  });
  auto* result = new QHBoxLayout;
  result->addWidget(new QLabel("Data Result", page));
  resultEdit_ = new QLineEdit(page);
  resultEdit_->setObjectName("resultEdit");
  resultEdit_->setReadOnly(true);
  resultEdit_->setFont(FixedPitchFont());
  result->addWidget(resultEdit_);
  layout->addLayout(result);
  layout->addStretch();
  return page;
}

void TFmService::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Refresh();
}

void TFmService::PressFunctionKey(int number) {
  logic_->FunctionKey(number);
  if (!closing_) Refresh();
}

void TFmService::Refresh() {
  refreshing_ = true;
  const int shown = static_cast<int>(logic_->page());
  for (int i = 0; i < kServicePageCount; ++i) servicePgc_->setTabVisible(i, i == shown);
  servicePgc_->setCurrentIndex(shown);
  const bool pageChanged = shown != lastShownPage_;
  lastShownPage_ = shown;
  for (const auto& [item, action] : menuItems_) action->setEnabled(logic_->IsMenuItemEnabled(item));
  for (int panel = 0; panel < 2; ++panel) {
    statusPanels_[panel]->setText(QString::fromStdString(logic_->StatusText(panel)));
  }
  const ServiceAdjustValues& values = logic_->adjustValues();
  if (secondAdjust_->currentIndex() != values.secondAdjustIndex) {
    const QSignalBlocker block(secondAdjust_);
    secondAdjust_->setCurrentIndex(values.secondAdjustIndex);
  }
  if (contrast_->text().toStdString() != values.textContrast)
    contrast_->setText(QString::fromStdString(values.textContrast));
  if (iconContrast_->text().toStdString() != values.iconContrast)
    iconContrast_->setText(QString::fromStdString(values.iconContrast));
  if (QAbstractButton* selected = tests_->button(logic_->selectedTest())) {
    selected->setChecked(true);
  }
  resultEdit_->setText(QString::fromStdString(logic_->resultText()));
  refreshing_ = false;
  // A page just shown starts with the focus on its first control, so that
  // the keyboard works there at once.
  if (pageChanged && logic_->page() == ServicePage::Adjust) secondAdjust_->setFocus();
  if (pageChanged && logic_->page() == ServicePage::Test) {
    if (QAbstractButton* selected = tests_->checkedButton()) selected->setFocus();
  }
}

QLineEdit* TFmService::FieldOf(ServiceAdjustField field) const {
  return field == ServiceAdjustField::IconContrast ? iconContrast_ : contrast_;
}

bool TFmService::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == contrast_ || watched == iconContrast_)) {
    // Only the technician leaving a field checks it: the focus that a
    // message box takes, or that the check itself puts back, does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
        reason == Qt::MouseFocusReason) {
      logic_->LeaveField(watched == contrast_ ? ServiceAdjustField::TextContrast
                                              : ServiceAdjustField::IconContrast);
      Refresh();
    }
    return false;
  }
  if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && isEnabled()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
      if (key->key() >= Qt::Key_F1 && key->key() <= Qt::Key_F10) {
        PressFunctionKey(key->key() - Qt::Key_F1 + 1);
        return true;
      }
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
          logic_->page() == ServicePage::Adjust) {
        logic_->EnterKey();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFmService::OpenHelp(int topic) {
  if (window_.openHelp) window_.openHelp(topic);
}

void TFmService::SetDialogEnabled(bool enabled) {
  setEnabled(enabled);
}

void TFmService::SetAdjustPageEnabled(bool enabled) {
  pages_[static_cast<int>(ServicePage::Adjust)]->setEnabled(enabled);
  serviceMenu_->setEnabled(enabled);
}

int TFmService::ProgramPager() {
  return window_.programPager ? window_.programPager() : kNotDone;
}

int TFmService::SendServiceCommand(std::uint8_t command, std::vector<std::uint8_t>& reply,
                                   int replyKind) {
  if (!window_.sendServiceCommand) return kLinkPortNotOpened;
  return window_.sendServiceCommand(command, reply, replyKind);
}

void TFmService::ForgetFileName() {
  if (window_.forgetFileName) window_.forgetFileName();
}

void TFmService::RefreshWindowCommands() {
  if (window_.refreshWindowCommands) window_.refreshWindowCommands();
}

void TFmService::FocusAdjustField(ServiceAdjustField field) {
  FieldOf(field)->setFocus(Qt::OtherFocusReason);
}

void TFmService::FocusNextControl() {
  focusNextChild();
}

void TFmService::CloseDialog() {
  closing_ = true;
  accept();
}

}  // namespace rer
