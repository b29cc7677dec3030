#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/setup_dialog.h"
#include "app/fields/field_router.h"
#include "app/fields/fill_pages.h"
#include "app/fields/model_layout.h"
#include "app/fields/page_table.h"
#include "app/main_window_operations.h"
#include "app/platform/help_file.h"
#include "app/platform/port_list.h"
#include "app/platform/settings_store.h"
#include "app/product_info.h"
#include "core/messages.h"
#include "core/result_codes.h"
#include "core/user_interface.h"
#include "operations/editor_codeplug.h"
#include "pager/read_pager.h"

namespace rer {
namespace {

constexpr char kExitQuestionTitle[] = "WARNING";
constexpr char kExitQuestionText[] = "Are you sure exit to WINDOWS ?";

// Commands enabled on the Main page and disabled on the settings pages.
constexpr const char* kMainPageCommands[] = {
    "toolBarOpen",
    "toolBarRead",
    "menuOpen",
    "readBtn",
    "serviceBtn",
    "singleBtn",
    "sequentialBtn",
    "readAndProgramBtn",
    // Opening a row of the history brings a codeplug in, as Load Codeplug does.
    "menuHistory",
};
// Commands enabled on the settings pages and disabled on the Main page.
constexpr const char* kSettingsPageCommands[] = {
    "toolBarSave", "toolBarWrite", "writeBtn", "menuSave", "menuDefault", "menuCompare",
};
// Menus that the whole-window scope switches together with the page control
// and the toolbar.
constexpr const char* kWindowMenus[] = {"menuFile", "menuSetup", "menuHelp", "menuProg",
                                        "menuPage"};

std::string Std(const QString& text) {
  return text.toStdString();
}

}  // namespace

TFmMain::TFmMain(UserInterface& ui, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      ui_(ui),
      comm_(std::make_unique<TDComm>(&ui)),
      link_(comm_.get()),
      calibrate_(&RealClock::CalibrateDelay),
      helpFilePath_(DefaultHelpFilePath()),
      helpViewer_(&OpenWithSystemViewer) {
  setObjectName("TFmMain");
  // No pager has been identified in this run, and none is known unprogrammed.
  session_.link.ModelCode = kNoPagerInformation;
  session_.link.Unprogrammed = false;
  // The messages quote the counters and the codeplug version this window keeps.
  ui_.SetContextSource([this] { return SessionMessageContext(session_); });
  setFont(QFont("Arial"));
  setWindowTitle(BaseTitle());

  BuildMenus();
  BuildToolBar();
  BuildPages();
  BuildStatusBar();

  // Function keys are seen before the focused control, so that every one of
  // them reaches the key dispatcher whatever field is being edited.
  qApp->installEventFilter(this);

  // A fixed-size window: its layout is designed for one size.
  setFixedSize(sizeHint());
}

TFmMain::~TFmMain() {
  ui_.SetContextSource({});
  if (comm_) comm_->Close();
}

void TFmMain::BuildMenus() {
  for (const MenuSpec& entry : Menus()) {
    auto* menu = new QMenu(entry.caption, this);
    menu->setObjectName(entry.name);
    if (entry.inMenuBar) menuBar()->addMenu(menu);
    menus_[entry.name] = menu;
    menuEnabled_[entry.name] = true;
  }
  for (const MenuItemSpec& entry : MenuItems()) {
    QMenu* menu = menus_.at(entry.menu);
    if (entry.separatorBefore) menu->addSeparator();
    auto* action = new QAction(entry.caption, this);
    action->setObjectName(entry.name);
    if (*entry.key) action->setShortcut(QKeySequence(entry.key));
    action->setCheckable(entry.checkable);
    menu->addAction(action);
    // The keys of a menu that is not in the menu bar work through the window.
    if (menu->parent() == this && !menuBar()->actions().contains(menu->menuAction()))
      addAction(action);
    const Command command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    actions_[entry.name] = action;
    ownEnabled_[action] = true;
    menuOf_[action] = entry.menu;
  }
}

void TFmMain::BuildToolBar() {
  toolBar_ = addToolBar("toolBar");
  toolBar_->setObjectName("toolBar");
  toolBar_->setMovable(false);
  for (const ToolButtonSpec& entry : ToolButtons()) {
    if (entry.separatorBefore) toolBar_->addSeparator();
    auto* action = toolBar_->addAction(style()->standardIcon(entry.icon), entry.hint);
    action->setObjectName(entry.name);
    action->setToolTip(entry.hint);
    action->setStatusTip(entry.hint);
    const Command command = entry.command;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    actions_[entry.name] = action;
    ownEnabled_[action] = true;
  }
}

void TFmMain::BuildPages() {
  auto* central = new QWidget(this);
  pageControl_ = new QTabWidget(central);
  pageControl_->setObjectName("pageControl");
  for (const EditorPageSpec& entry : EditorPages()) {
    auto* page = new QWidget(pageControl_);
    page->setObjectName(entry.control);
    pageControl_->addTab(page, entry.caption);
  }
  pages_.Build(*pageControl_);
  // Every edit of a control goes straight into the session's settings; the
  // pages' own rules and checks build on this.
  BindPageEdits(pages_, [this]() -> EditorSettings& { return session_.settings; });
  fields_ = std::make_unique<FieldRouter>(
      pages_, *pageControl_, ui_, [this]() -> EditorSettings& { return session_.settings; }, this);
  fields_->SetStateTargets(&CurrentFieldTag, &LastFieldCheck);
  // Every tab stays in view: the page control is as wide as all its tabs,
  // and at least as wide as the status bar's panels.
  pageControl_->tabBar()->setUsesScrollButtons(false);
  int panelsWidth = 0;
  for (int width : kStatusPanelWidths) panelsWidth += width;
  pageControl_->setMinimumSize(std::max(panelsWidth, pageControl_->tabBar()->sizeHint().width()),
                               440);
  // The Main page lists the function keys.
  QWidget* mainPage = pageControl_->widget(kMainPageIndex);
  auto* keyLines = new QVBoxLayout(mainPage);
  QFont fixedPitch("Courier New");
  fixedPitch.setStyleHint(QFont::TypeWriter);
  for (const char* line : MainPageKeyLines()) {
    auto* label = new QLabel(line, mainPage);
    label->setFont(fixedPitch);
    keyLines->addWidget(label);
  }
  keyLines->addStretch();

  pnl_programSequential_ = new QLabel(kSequentialModeCaption, central);
  pnl_programSequential_->setObjectName("pnl_programSequential");
  pnl_programSequential_->setAlignment(Qt::AlignCenter);
  pnl_programSequential_->setFrameShape(QFrame::Panel);
  pnl_programSequential_->hide();
  keymapStr_ = new QLabel(central);
  keymapStr_->setObjectName("keymapStr");

  // The run table of a sequential run stands beside the pages.
  runTable_ = new QTableWidget(0, 6, central);
  runTable_->setObjectName("runTable");
  runTable_->setHorizontalHeaderLabels(
      {"Pager", "Serial number", "First capcode", "Inventory number", "Result", "Time"});
  runTable_->verticalHeader()->hide();
  runTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  runTable_->setSelectionMode(QAbstractItemView::NoSelection);
  runTable_->setFocusPolicy(Qt::NoFocus);
  runTable_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  runTable_->setMinimumWidth(520);
  runTable_->hide();
  auto* pagesAndRun = new QHBoxLayout;
  pagesAndRun->addWidget(pageControl_, 1);
  pagesAndRun->addWidget(runTable_);

  auto* layout = new QVBoxLayout(central);
  layout->addLayout(pagesAndRun, 1);
  layout->addWidget(pnl_programSequential_);
  layout->addWidget(keymapStr_);
  setCentralWidget(central);

  connect(pageControl_, &QTabWidget::currentChanged, this, &TFmMain::OnPageChanged);
}

void TFmMain::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("mainStatusBar");
  bar->setSizeGripEnabled(false);  // the window has a fixed size
  for (int panel = 0; panel < 3; ++panel) {
    statusPanels_[panel] = new QLabel(bar);
    statusPanels_[panel]->setObjectName(QString("statusPanel%1").arg(panel));
    statusPanels_[panel]->setFixedWidth(kStatusPanelWidths[panel]);
  }
  // The prompt-memory gauge fills the middle panel, laid out in it so that
  // the panel is as tall as the gauge: white bar on the window colour, with
  // the percentage written over it.
  gauge_ = new QProgressBar(statusPanels_[1]);
  gauge_->setObjectName("statusGauge");
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  gauge_->setTextVisible(true);
  gauge_->setFormat("%p%");
  gauge_->setAlignment(Qt::AlignCenter);
  gauge_->setStyleSheet(
      "QProgressBar { background: palette(window); border: 1px solid gray; color: black; } "
      "QProgressBar::chunk { background: white; }");
  // Its full height: the panel and the bar grow to it rather than cut it.
  // The window's fixed size is taken from the layout before the gauge is
  // first shown, so its height is fixed here, from its polished look.
  gauge_->ensurePolished();
  gauge_->setFixedHeight(gauge_->sizeHint().height());
  statusPanels_[1]->setMinimumHeight(gauge_->height());
  auto* gaugeLayout = new QHBoxLayout(statusPanels_[1]);
  gaugeLayout->setContentsMargins(0, 0, 0, 0);
  gaugeLayout->addWidget(gauge_);
  gauge_->hide();
  fields_->SetPromptGauge(gauge_);
  // The first panel is where the toolbar's hints appear too.
  bar->addWidget(statusPanels_[0]);
  bar->addPermanentWidget(statusPanels_[1]);
  bar->addPermanentWidget(statusPanels_[2]);
}

// ---- pages ----

int TFmMain::ActivePage() const {
  return pageControl_->currentIndex();
}

bool TFmMain::IsPageShown(int index) const {
  return pageControl_->isTabVisible(index);
}

void TFmMain::GoToMainPage() {
  changingPageInternally_ = true;
  for (int index = 0; index <= kMainPageIndex; ++index) pageControl_->setTabVisible(index, false);
  pageControl_->setTabVisible(kMainPageIndex, true);
  pageControl_->setCurrentIndex(kMainPageIndex);
  changingPageInternally_ = false;
  previousPage_ = kMainPageIndex;
  gauge_->hide();
  SetActionEnabled("toolBarRead", true);
  SetActionEnabled("toolBarOpen", true);
  SetActionEnabled("menuOpen", true);
  SetStatusPanel(2, "");
  pageControl_->setFocus();
  ShowKeyLegend();
}

void TFmMain::SetupPagesForPager(std::uint8_t modelCode) {
  changingPageInternally_ = true;
  for (int index = 0; index < kSettingsPageCount; ++index) pageControl_->setTabVisible(index, true);
  if (HidesPrompt3Page(modelCode)) pageControl_->setTabVisible(kPrompt3PageIndex, false);
  pageControl_->setCurrentIndex(kGeneralPageIndex);
  pageControl_->setTabVisible(kMainPageIndex, false);
  changingPageInternally_ = false;
  previousPage_ = kGeneralPageIndex;
  gauge_->hide();
  for (const char* name : ControlsEnabledOnEntry()) {
    if (auto* control = findChild<QWidget*>(name)) control->setEnabled(true);
  }
}

void TFmMain::SetPortOverride(const QString& portName) {
  portOverride_ = portName;
  if (!portName.isEmpty()) comm_->SetPortName(portName.toStdString());
}

void TFmMain::FillPages() {
  const FilledPagesView view = ApplyFillPagesRules(session_.settings, session_.link.CgromType);
  rer::FillPages(pages_, session_.settings);
  ShowFilledPagesView(pages_, view);
  // After the rows: the model's own controls within the rows that are shown.
  PrintPageCount = ApplyModelLayout(*pageControl_, session_.link.ModelCode);
  fields_->HookFieldEvents(PageEnvironmentOf(session_));
}

void TFmMain::EnterEditor(const QString& filePath) {
  SetStatusPanel(0, "");
  if (CurrentFileName.isEmpty()) SetupPagesForPager(session_.link.ModelCode);
  // The serial number is the pager's own; the inventory number is where
  // editing starts.
  if (QWidget* serial = pages_.Control("ed_serialNumber")) serial->setEnabled(false);
  FillPages();
  if (QWidget* inventory = pages_.Control("ed_ICN")) inventory->setFocus();
  if (filePath.isEmpty()) {
    CurrentFileName = kReadCodeplugName;
    setWindowTitle(CaptionForReadPager());
  } else {
    CurrentFileName = filePath;
    setWindowTitle(CaptionForFile(filePath));
  }
  ShowKeyLegend();
  VersionStatusText = QString::fromStdString(session_.settings.versionText);
  SetStatusPanel(2, VersionStatusText);
}

void TFmMain::CodeplugSavedAs(const QString& filePath) {
  setWindowTitle(CaptionForFile(filePath));
  CurrentFileName = filePath;
  VersionStatusText = CodeplugVersionStatusText();
  SetStatusPanel(2, VersionStatusText);
}

void TFmMain::LeaveEditor() {
  SetStatusPanel(0, "");
  GoToMainPage();
  CurrentFileName.clear();
  setWindowTitle(BaseTitle());
  SetCommandStates(true, CommandScope::ByPage);
}

void TFmMain::ShowRunTable(const std::vector<RunLogRow>& rows) {
  runTable_->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const RunLogRow& row = rows[static_cast<std::size_t>(r)];
    const QString cells[] = {QString::number(row.pagerNumber),
                             QString::fromStdString(row.serialNumber),
                             QString::fromStdString(row.firstCapcode),
                             QString::fromStdString(row.inventoryNumber),
                             QString::number(row.result),
                             QString::fromStdString(row.time)};
    for (int c = 0; c < 6; ++c) runTable_->setItem(r, c, new QTableWidgetItem(cells[c]));
  }
  const bool show = !rows.empty();
  if (runTable_->isVisible() != show || show) {
    runTable_->setVisible(show);
    if (show) runTable_->scrollToBottom();
    // The window keeps one fixed size for each arrangement.
    setFixedSize(sizeHint());
  }
}

void TFmMain::ShowPage(int index) {
  if (index < 0 || index > kMainPageIndex) return;
  changingPageInternally_ = true;
  pageControl_->setCurrentIndex(index);
  changingPageInternally_ = false;
  previousPage_ = ActivePage();
  AfterPageChange(ActivePage());
}

void TFmMain::OnPageChanged(int index) {
  if (changingPageInternally_ || index < 0) return;
  const int from = previousPage_;
  if (from != index && from >= 0 && from < kSettingsPageCount) {
    const int check = fields_->PageCheck(from);
    LastFieldCheck = check;
    if (!PageChangeAllowed(check)) {
      changingPageInternally_ = true;
      pageControl_->setCurrentIndex(from);
      changingPageInternally_ = false;
      return;
    }
  }
  previousPage_ = index;
  AfterPageChange(index);
}

void TFmMain::AfterPageChange(int index) {
  ShowKeyLegend();
  gauge_->setVisible(index >= kFirstPromptPageIndex && index <= kLastPromptPageIndex);
  if (index != kMainPageIndex) fields_->PageEntered(index);
  pageControl_->setFocus();
}

void TFmMain::MoveToShownPage(int step) {
  for (int index = ActivePage() + step; index >= 0 && index < kSettingsPageCount; index += step) {
    if (IsPageShown(index)) {
      ShowPage(index);
      return;
    }
  }
  // On the first or last shown page the key leaves the page as it is.
}

// ---- command states ----

void TFmMain::SetActionEnabled(const char* name, bool enabled) {
  auto found = actions_.find(name);
  if (found == actions_.end()) return;
  ownEnabled_[found->second] = enabled;
  RefreshActionStates();
}

void TFmMain::SetMenuEnabled(const char* name, bool enabled) {
  menuEnabled_[name] = enabled;
  if (auto found = menus_.find(name); found != menus_.end())
    found->second->menuAction()->setEnabled(enabled);
  RefreshActionStates();
}

void TFmMain::RefreshActionStates() {
  for (const auto& [action, enabled] : ownEnabled_) {
    auto menu = menuOf_.find(action);
    const bool menuOn = menu == menuOf_.end() || menuEnabled_[menu->second];
    action->setEnabled(enabled && menuOn);
  }
}

void TFmMain::SetCommandStates(bool on, CommandScope scope) {
  if (scope == CommandScope::WholeWindow) {
    pageControl_->setEnabled(on);
    toolBar_->setEnabled(on);
    for (const char* menu : kWindowMenus) SetMenuEnabled(menu, on);
    return;
  }
  for (const char* name : kMainPageCommands) SetActionEnabled(name, on);
  for (const char* name : kSettingsPageCommands) SetActionEnabled(name, !on);
  SetMenuEnabled("menuPage", !on);
  SetActionEnabled("menuPrint", !on);
  actions_.at("menuPrint")->setVisible(!on);
  // Commands whose operation is not offered stay disabled rather than
  // doing nothing.
  if (!operations_ || !operations_->OffersService()) SetActionEnabled("serviceBtn", false);
  if (!operations_ || !operations_->OffersPrint()) SetActionEnabled("menuPrint", false);
  if (!operations_ || !operations_->OffersCompare()) SetActionEnabled("menuCompare", false);
  if (!operations_ || !operations_->OffersHistory()) SetActionEnabled("menuHistory", false);
}

// ---- keys ----

void TFmMain::DispatchKey(int pageIndex, int key) {
  if (pageIndex == kMainPageIndex) {
    MainPageCommand(key);
  } else {
    EditorCommand(key);
  }
}

void TFmMain::MainPageCommand(int key) {
  switch (key) {
    case kKeyF1:
    case kKeyF3:
    case kKeyF4:
    case kKeyF5:
    case kKeyF6:
    case kKeyF8:
      SetSequentialBarVisible(false);
      break;
    default:
      return;  // every other key does nothing on the Main page
  }
  if (key == kKeyF1) {
    OpenHelp();
    return;
  }
  if (!operations_) return;
  switch (key) {
    case kKeyF3:
      operations_->ReadPager(*this);
      break;
    case kKeyF4:
      if (operations_->OffersService()) operations_->Service(*this);
      break;
    case kKeyF5:
      operations_->ProgramSingle(*this);
      break;
    case kKeyF6:
      operations_->ProgramSequential(*this);
      break;
    case kKeyF8:
      operations_->LoadCodeplug(*this);
      break;
    default:
      break;
  }
}

void TFmMain::EditorCommand(int key) {
  switch (key) {
    case kKeyF1:
      OpenHelp();
      break;
    case kKeyF2:
      if (operations_) operations_->ProgramFromEditor(*this);
      break;
    case kKeyF9:
      if (operations_) operations_->SetToDefaults(*this);
      break;
    case kKeyF11:
    case kKeyF12: {
      const int check = fields_->ShortPageCheck(ActivePage());
      LastFieldCheck = check;
      if (check == 1) MoveToShownPage(key == kKeyF11 ? -1 : +1);
      break;
    }
    default:
      break;  // every other key does nothing in the editor
  }
}

bool TFmMain::HandleFunctionKey(int key) {
  switch (key) {
    case kKeyF2:
      WritePagerClick();
      break;
    case kKeyF3:
      ReadPagerClick();
      break;
    case kKeyF4:
      serviceClick();
      break;
    case kKeyF5:
      singleClick();
      break;
    case kKeyF6:
      sequentialClick();
      break;
    default:
      DispatchKey(ActivePage(), key);
      break;
  }
  return true;
}

bool TFmMain::eventFilter(QObject* watched, QEvent* event) {
  // A function key whose menu item is disabled (or that has none) is not
  // taken as a shortcut; it still goes to the dispatcher, which decides per
  // page whether it does anything.
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    const int virtualKey = VirtualKeyOf(key->key());
    if (virtualKey != 0 && key->modifiers() == Qt::NoModifier && widget->window() == this &&
        pageControl_->isEnabled() && isEnabled()) {
      return HandleFunctionKey(virtualKey);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- caption, legend, status ----

QString TFmMain::KeyLegend() const {
  return keymapStr_->text();
}

void TFmMain::ShowKeyLegend() {
  keymapStr_->setText(ActivePage() == kMainPageIndex ? QString() : QString(kEditorKeyLegend));
}

void TFmMain::SetSequentialBarVisible(bool visible) {
  pnl_programSequential_->setVisible(visible);
}

bool TFmMain::IsSequentialBarVisible() const {
  return !pnl_programSequential_->isHidden();
}

void TFmMain::SetStatusPanel(int panel, const QString& text) {
  if (panel < 0 || panel > 2) return;
  statusPanels_[panel]->setText(text);
}

QString TFmMain::StatusPanel(int panel) const {
  return panel >= 0 && panel <= 2 ? statusPanels_[panel]->text() : QString();
}

bool TFmMain::IsGaugeVisible() const {
  return !gauge_->isHidden();
}

bool TFmMain::IsBusy() const {
  return link_ && link_->IsOpen();
}

// ---- commands ----

void TFmMain::RunCommand(Command command) {
  switch (command) {
    case Command::LoadFile:
      LoadFileClick();
      break;
    case Command::SaveFile:
      SaveFileClick();
      break;
    case Command::CompareWithFile:
      compareWithFileClick();
      break;
    case Command::Print:
      menuPrintClick();
      break;
    case Command::PagerHistory:
      menuHistoryClick();
      break;
    case Command::Exit:
      menuExitClick();
      break;
    case Command::SetupCommunication:
      setupCommunicationClick();
      break;
    case Command::StayOnTop:
      setupStayontopClick();
      break;
    case Command::ReadPager:
      ReadPagerClick();
      break;
    case Command::WritePager:
      WritePagerClick();
      break;
    case Command::Service:
      serviceClick();
      break;
    case Command::ProgramSingle:
      singleClick();
      break;
    case Command::ProgramSequential:
      sequentialClick();
      break;
    case Command::ReadAndProgram:
      readAndProgramClick();
      break;
    case Command::SetToDefaults:
      menuDefaultClick();
      break;
    case Command::ClearPager:
      break;  // the item stays hidden; no erase operation is offered
    case Command::Help:
      helpHtmlClick();
      break;
    case Command::About:
      menuAboutClick();
      break;
    case Command::PrevPage:
      prevPageClick();
      break;
    case Command::NextPage:
      nextPageClick();
      break;
  }
}

void TFmMain::ShowNeedCodeplugMessage() {
  ui_.ShowMessageBox(NeedCodeplugMessage());
}

void TFmMain::ReadPagerClick() {
  if (ActivePage() == kMainPageIndex) MainPageCommand(kKeyF3);
}

void TFmMain::serviceClick() {
  if (ActivePage() != kMainPageIndex) return;
  toolBar_->setFocus();  // leaves the field being edited, so its leave handler runs
  MainPageCommand(kKeyF4);
}

void TFmMain::singleClick() {
  if (ActivePage() != kMainPageIndex) return;
  toolBar_->setFocus();
  MainPageCommand(kKeyF5);
}

void TFmMain::sequentialClick() {
  if (ActivePage() != kMainPageIndex) return;
  toolBar_->setFocus();
  MainPageCommand(kKeyF6);
}

void TFmMain::WritePagerClick() {
  toolBar_->setFocus();
  if (CurrentFileName.isEmpty()) {
    ShowNeedCodeplugMessage();
    return;
  }
  if (ActivePage() != kMainPageIndex) EditorCommand(kKeyF2);
}

void TFmMain::readAndProgramClick() {
  DispatchKey(ActivePage(), kKeyF7);
}
void TFmMain::LoadFileClick() {
  DispatchKey(ActivePage(), kKeyF8);
}
void TFmMain::helpHtmlClick() {
  DispatchKey(ActivePage(), kKeyF1);
}
void TFmMain::menuDefaultClick() {
  DispatchKey(ActivePage(), kKeyF9);
}
void TFmMain::prevPageClick() {
  DispatchKey(ActivePage(), kKeyF11);
}
void TFmMain::nextPageClick() {
  DispatchKey(ActivePage(), kKeyF12);
}

void TFmMain::SaveFileClick() {
  if (operations_) operations_->SaveAs(*this);
}

void TFmMain::compareWithFileClick() {
  if (operations_ && operations_->OffersCompare()) operations_->CompareWithFile(*this);
}

void TFmMain::GoToSetting(Control control, int address) {
  const ControlEntry& entry = FieldCatalogue::Instance().Entry(control, address);
  ShowPage(entry.page);
  if (QWidget* widget = pages_.Control(EntryIndexOf(control, address))) widget->setFocus();
}

void TFmMain::menuPrintClick() {
  if (operations_ && operations_->OffersPrint()) operations_->Print(*this);
}

void TFmMain::menuHistoryClick() {
  if (operations_ && operations_->OffersHistory()) operations_->PagerHistory(*this);
}

void TFmMain::OpenHelp() {
  if (!QFile::exists(helpFilePath_)) {
    ui_.ShowMessageBox(MessageBox{kApplicationTitle, Std(HelpNotFoundText(helpFilePath_)),
                                  MessageIcon::Warning, MessageButtons::Ok});
    return;
  }
  // A help file that no viewer opens is as good as none: the technician is
  // told where it is.
  if (!helpViewer_ || !helpViewer_(helpFilePath_)) {
    ui_.ShowMessageBox(MessageBox{kApplicationTitle, Std(HelpNoViewerText(helpFilePath_)),
                                  MessageIcon::Warning, MessageButtons::Ok});
  }
}

void TFmMain::menuAboutClick() {
  ui_.ShowMessageBox(MessageBox{"About", Std(QString(kProductName) + "\n" + VersionText()),
                                MessageIcon::Information, MessageButtons::Ok});
}

void TFmMain::setupStayontopClick() {
  QAction* item = actions_.at("setupStayontop");
  // The item is checkable, so a click has already toggled its mark.
  setWindowFlag(Qt::WindowStaysOnTopHint, item->isChecked());
  show();
}

void TFmMain::setupCommunicationClick() {
  const std::unique_ptr<QSettings> store = OpenSettingsStore();
  TFmSetup dialog(*store, AvailablePortDisplayNames(), this);
  dialog.SetHelpRequest([this] { OpenHelp(); });
  dialog.exec();
  if (!dialog.applied()) return;
  const StoredSettings& applied = *dialog.applied();
  WorkFilesPath = EffectiveWorkFolder(applied.workFilesPath);
  AutoBackup = applied.autoBackup;
  BackupFolder = EffectiveBackupFolder(applied.backupPath, WorkFilesPath);
  VerifyAfterProgram = applied.verifyAfterProgram;
  session_.passwords.softwarePassword = applied.softwarePassword.toStdString();
  // New line settings take effect at the next opening of the port.
  if (IsBusy()) link_->Close();
  ApplyCommSettings(applied.comm, *comm_);
  if (!portOverride_.isEmpty()) comm_->SetPortName(portOverride_.toStdString());
}

void TFmMain::menuExitClick() {
  SetSequentialBarVisible(false);
  if (ActivePage() == kMainPageIndex) {
    close();
    return;
  }
  if (IsBusy()) {
    if (ui_.AskQuestion(kQuestionBusyExit) != kResultYes) return;
    link_->Close();
  }
  // Unsaved edits are dropped: the editor is simply left.
  GoToMainPage();
  SetCommandStates(true, CommandScope::ByPage);
  CurrentFileName.clear();
  setWindowTitle(BaseTitle());
}

// ---- start and end ----

void TFmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (firstShowQueued_) return;
  firstShowQueued_ = true;
  // The start-up steps may open a modal dialog; they run once the window has
  // been shown and painted, not inside the show itself.
  QMetaObject::invokeMethod(this, &TFmMain::FirstShown, Qt::QueuedConnection);
}

void TFmMain::FirstShown() {
  if (startupDone_) return;
  if (calibrate_) calibrate_();
  setWindowTitle(BaseTitle());
  if (operations_) operations_->NumberFields(*this);
  GoToMainPage();
  ShowKeyLegend();
  SetCommandStates(true, CommandScope::ByPage);
  actions_.at("menuClearPager")->setVisible(false);
  const int result = LoadSettings();
  startupDone_ = true;
  if (result != 0) {
    StartupRefused = true;
    close();
  }
}

int TFmMain::LoadSettings() {
  const std::unique_ptr<QSettings> store = OpenSettingsStore();
  const StoredSettings stored = ReadSettings(*store);
  int result = 0;
  session_.passwords.softwarePassword = stored.softwarePassword.toStdString();
  if (!stored.softwarePassword.isEmpty()) {
    PasswordChecks checks(session_.passwords, ui_, clock_);
    result = checks.AskSoftwarePassword();
  }
  WorkFilesPath = EffectiveWorkFolder(stored.workFilesPath);
  AutoBackup = stored.autoBackup;
  BackupFolder = EffectiveBackupFolder(stored.backupPath, WorkFilesPath);
  VerifyAfterProgram = stored.verifyAfterProgram;
  ApplyCommSettings(stored.comm, *comm_);
  if (!portOverride_.isEmpty()) comm_->SetPortName(portOverride_.toStdString());
  return result;
}

bool TFmMain::CloseQuery() {
  if (StartupRefused) return true;
  if (IsBusy()) return ui_.AskQuestion(kQuestionBusyExit) == kResultYes;
  return ui_.ShowMessageBox(MessageBox{kExitQuestionTitle, kExitQuestionText, MessageIcon::Warning,
                                       MessageButtons::YesNo}) == kResultYes;
}

void TFmMain::closeEvent(QCloseEvent* event) {
  if (!CloseQuery()) {
    event->ignore();
    return;
  }
  if (link_) link_->Close();
  if (comm_) comm_->Close();
  event->accept();
}

}  // namespace rer
