#include "app/fields/field_router.h"

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

#include "app/fields/field_widgets.h"
#include "app/fields/fill_pages.h"
#include "app/fields/model_layout.h"
#include "app/fields/page_table.h"
#include "app/fields/settings_page_builder.h"
#include "app/platform/tone_player.h"
#include "codeplug/image_fields.h"
#include "codeplug/key_filter.h"
#include "core/result_codes.h"
#include "pager/pager_session.h"
#include "pages/password_ota_page.h"
#include "pages/prompt_pages.h"
#include "tones/tone_steps.h"

namespace rer {
namespace {

constexpr int kFirstField = 1;
constexpr int kLastField = 430;
constexpr int kToneButtonCount = 4;
constexpr int kPatternCount = 16;

// Pages whose lists have no enter or change handler, and the pages whose
// masked fields are handled.
bool ListsHandledOn(int page) {
  return page != kPagePrompt2 && page != kPagePrompt3;
}
bool MaskedFieldsHandledOn(int page) {
  return (page >= kPageGeneral && page <= kPageCode13To16) || page == kPagePasswordOta;
}

const ControlEntry* EntryOfWidget(const QObject& widget) {
  return FieldCatalogue::Instance().Find(widget.objectName().toStdString());
}

bool IsPromptField(const QObject& widget) {
  const ControlEntry* entry = EntryOfWidget(widget);
  return entry != nullptr && entry->keyFilter == KeyFilter::PromptText;
}

bool IsRestoreDefaultKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_D && key.modifiers() == Qt::AltModifier;
}

FieldRouter::Kind KindOf(const QWidget& widget) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
    return edit->inputMask().isEmpty() ? FieldRouter::kTextField : FieldRouter::kMaskedField;
  }
  if (qobject_cast<const QComboBox*>(&widget)) return FieldRouter::kList;
  return FieldRouter::kCheckBox;
}

}  // namespace

PageEnvironment PageEnvironmentOf(PagerSession& session) {
  PageEnvironment environment = PageEnvironmentFor(session.link.ModelCode, session.link.CgromType,
                                                   ImageReader(session.image, session.layout));
  environment.passwords = &session.passwords;
  return environment;
}

FieldRouter::FieldRouter(const SettingsPages& pages, QTabWidget& pageControl, UserInterface& ui,
                         std::function<EditorSettings&()> settings, QObject* parent)
    : QObject(parent),
      pages_(pages),
      pageControl_(pageControl),
      ui_(ui),
      settings_(std::move(settings)) {}

FieldRouter::~FieldRouter() = default;

void FieldRouter::HookFieldEvents(const PageEnvironment& environment) {
  editor_ = std::make_unique<PageRules>(settings_(), ui_, environment);
  ConnectControls();
  ForgetList();
  alertsHidden_ = false;
  rowShown_.fill(true);
  rowsKnown_ = false;
  editor_->Addresses().UpdateAddresses();
  // The Alert tab's lists and enabling follow the pager as soon as it is in.
  editor_->EnterPage(kPageAlert);
  // A codeplug that has just come in (read, loaded or set to defaults) shows
  // its own prompt memory, not the last one's.
  if (PromptPages* prompts = PromptPagesOf(*editor_)) prompts->MemoryCheck(false);
  Reload();
}

void FieldRouter::ConnectControls() {
  if (connected_) return;
  connected_ = true;
  const auto& entries = FieldCatalogue::Instance().Entries();
  for (std::size_t index = 0; index < entries.size(); ++index) {
    QWidget* control = pages_.Control(index);
    if (control == nullptr) continue;
    control->installEventFilter(this);
    if (auto* list = qobject_cast<QComboBox*>(control)) {
      // Connected after the edit binding, so the new choice is already stored.
      connect(list, &QComboBox::currentIndexChanged, this, [this, list](int index) {
        if (!editor_ || storing_ || !ListsHandledOn(ActivePage())) return;
        if (ToneButtonsEnabled(FieldNumberOf(*list)) && listFieldNumber_ == FieldNumberOf(*list)) {
          listChoice_ = index;
        }
        StoreFrom(list);
      });
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
      connect(box, &QCheckBox::clicked, this, [this, box] {
        if (!editor_ || storing_) return;
        Remember(box, kCheckBox);
        StoreFrom(box);
      });
    }
  }
  for (int button = 1; button <= kToneButtonCount; ++button) {
    const QString name = QString("listenBtn%1").arg(button, 2, 10, QChar('0'));
    if (auto* found = pageControl_.findChild<QPushButton*>(name)) {
      connect(found, &QPushButton::clicked, this, [this] { PlayTone(); });
    }
  }
  if (auto* found = pageControl_.findChild<QPushButton*>(kUserPasswordButtonName)) {
    connect(found, &QPushButton::clicked, this, [this] { SetUserPassword(); });
  }
}

void FieldRouter::SetUserPassword() {
  auto* page =
      editor_ ? dynamic_cast<PasswordOtaPage*>(editor_->HandlerOf(kPagePasswordOta)) : nullptr;
  if (page == nullptr) return;
  storing_ = true;
  const int result = page->SetUserPassword();
  if (lastFieldCheck_) *lastFieldCheck_ = result;
  Reload();
  storing_ = false;
}

void FieldRouter::UpdateUserPasswordButton() {
  // The button stands for the hidden key digits: usable while they are, and
  // shown with the letters beside it. Only the digits' own state counts, not
  // a window disabled for the moment by a pager operation.
  auto* button = pageControl_.findChild<QPushButton*>(kUserPasswordButtonName);
  QWidget* digits = pages_.Control("ed_cpwFc_Password");
  QWidget* letters = pages_.Control("ed_cpwFc_Password_LRUD");
  if (button == nullptr || digits == nullptr || letters == nullptr) return;
  button->setEnabled(!digits->testAttribute(Qt::WA_ForceDisabled));
  button->setVisible(!letters->isHidden());
}

int FieldRouter::ActivePage() const {
  return pageControl_.currentIndex();
}

void FieldRouter::Remember(QWidget* control, Kind kind) {
  currentControl_[kind] = control;
  if (currentFieldTag_) *currentFieldTag_ = FieldNumberOf(*control);
}

void FieldRouter::ForgetList() {
  listFieldNumber_ = kNoListField;
  listChoice_ = kNoListField;
  UpdateToneButtons();
}

void FieldRouter::ListUsed(QWidget* list) {
  listFieldNumber_ = FieldNumberOf(*list);
  UpdateToneButtons();
  if (ToneButtonsEnabled(listFieldNumber_)) {
    listChoice_ = static_cast<QComboBox*>(list)->currentIndex();
  }
}

void FieldRouter::UpdateToneButtons() {
  const bool enabled = ToneButtonsEnabled(listFieldNumber_);
  for (int button = 1; button <= kToneButtonCount; ++button) {
    const QString name = QString("listenBtn%1").arg(button, 2, 10, QChar('0'));
    if (auto* found = pageControl_.findChild<QPushButton*>(name)) found->setEnabled(enabled);
  }
}

void FieldRouter::PlayTone() {
  // A click into a text field forgets the pattern: nothing plays then.
  if (listChoice_ < 0 || listChoice_ >= kPatternCount) return;
  TonePlayer& player = player_ ? *player_ : ApplicationTonePlayer();
  player.Play(tones::PlayWholePattern(listChoice_, settings_().pleasingAlertTune));
}

void FieldRouter::StoreFrom(QWidget* control) {
  const ControlEntry* entry = EntryOfWidget(*control);
  if (entry == nullptr || !editor_) return;
  storing_ = true;
  ControlValue& value = settings_().Value(entry->control, entry->address);
  value = ReadFieldValue(*control, *entry, value);
  const int result = editor_->Store(ActivePage(), entry->fieldNumber);
  if (lastFieldCheck_) *lastFieldCheck_ = result;
  Reload();
  storing_ = false;
}

bool FieldRouter::eventFilter(QObject* watched, QEvent* event) {
  if (!editor_ || !watched->isWidgetType()) return QObject::eventFilter(watched, event);
  auto* control = static_cast<QWidget*>(watched);
  const Kind kind = KindOf(*control);
  const int page = ActivePage();
  const int field = FieldNumberOf(*control);
  switch (event->type()) {
    case QEvent::FocusIn: {
      // The focus coming back from a box or menu over the window is not
      // entering the field again (a list that opens the pleasing alert editor
      // would open it once more).
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      switch (kind) {
        case kTextField:
        case kMaskedField: {
          Remember(control, kind);
          ForgetList();
          if (kind == kMaskedField && !MaskedFieldsHandledOn(page)) break;
          editor_->Enter(page, field);
          if (kind == kTextField) {
            if (const int target = CapcodePairTarget(settings_(), field)) {
              const ControlEntry* entry = FieldCatalogue::Instance().FindByField(target, page);
              if (QWidget* next = entry ? pages_.Control(entry->name) : nullptr) {
                // Once this focus change has settled.
                QMetaObject::invokeMethod(
                    next, [next] { next->setFocus(Qt::TabFocusReason); }, Qt::QueuedConnection);
              }
            }
          }
          break;
        }
        case kList:
          Remember(control, kind);
          ListUsed(control);
          if (ListsHandledOn(page)) editor_->Enter(page, field);
          break;
        case kCheckBox:
          if (currentFieldTag_) *currentFieldTag_ = field;
          break;
        case kKindCount:
          break;
      }
      break;
    }
    case QEvent::FocusOut: {
      // A box or menu opening over the window is not leaving the field.
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (storing_) break;
      if (kind == kTextField || (kind == kMaskedField && MaskedFieldsHandledOn(page))) {
        StoreFrom(control);
      }
      if (kind == kCheckBox) {
        // A box stores when it is clicked; leaving it may still open a
        // dialog, once the focus has moved and the click that moved it has
        // been handled.
        QMetaObject::invokeMethod(
            this,
            [this, page, field] {
              // Not over a box or editor the next field has opened meanwhile.
              if (!editor_ || storing_ || QApplication::activeModalWidget()) return;
              storing_ = true;
              editor_->Leave(page, field);
              Reload();
              storing_ = false;
            },
            Qt::QueuedConnection);
      }
      break;
    }
    case QEvent::ShortcutOverride:
      // Alt+D belongs to the prompt field, not to a menu's mnemonic.
      if (IsPromptField(*control) && IsRestoreDefaultKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
      }
      break;
    case QEvent::KeyPress:
      if (IsPromptField(*control) && PromptFieldKey(*control, *static_cast<QKeyEvent*>(event))) {
        return true;
      }
      break;
    case QEvent::MouseButtonPress:
      if (kind == kTextField || kind == kMaskedField) {
        Remember(control, kind);
        ForgetList();
      } else if (kind == kList) {
        Remember(control, kind);
        ListUsed(control);
      }
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void FieldRouter::TakeCheckedField() {
  // The focused control's number when it is a field, otherwise the page
  // control's, which names no field to store.
  checkedField_ = 0;
  if (QWidget* focused = QApplication::focusWidget()) {
    const int field = FieldNumberOf(*focused);
    if (field >= kFirstField && field <= kLastField) checkedField_ = field;
  }
}

int FieldRouter::PageCheck(int page) {
  return StoreFocusedFieldAndCheck(
      [&] { return RunEditorPageCheck(*editor_, page, checkedField_); });
}

int FieldRouter::ShortPageCheck(int page) {
  return StoreFocusedFieldAndCheck([&] { return editor_->ShortPageCheck(page, checkedField_); });
}

int FieldRouter::StoreFocusedFieldAndCheck(const std::function<int()>& check) {
  if (!editor_) return kSuccess;
  TakeCheckedField();
  storing_ = true;
  // The focused field's text goes into the settings before its page stores
  // it: the check must see what the technician has typed so far.
  if (QWidget* focused = QApplication::focusWidget(); focused && checkedField_ != 0) {
    if (const ControlEntry* entry = EntryOfWidget(*focused)) {
      ControlValue& value = settings_().Value(entry->control, entry->address);
      value = ReadFieldValue(*focused, *entry, value);
    }
  }
  const int result = check();
  Reload();
  storing_ = false;
  return result;
}

void FieldRouter::PageEntered(int page) {
  if (!editor_) return;
  editor_->EnterPage(page);
  Reload();
}

void FieldRouter::Reload() {
  if (!editor_) return;
  FillPages(pages_, settings_());
  ApplyView(editor_->TakeView());
  ShowPromptGauge();
}

void FieldRouter::ShowPromptGauge() {
  PromptPages* prompts = editor_ ? PromptPagesOf(*editor_) : nullptr;
  if (gauge_ != nullptr && prompts != nullptr) gauge_->setValue(prompts->GaugePercent());
}

bool FieldRouter::PromptFieldKey(QWidget& control, const QKeyEvent& key) {
  PromptPages* prompts = PromptPagesOf(*editor_);
  if (prompts == nullptr) return false;
  if (IsRestoreDefaultKey(key)) {
    storing_ = true;
    const int result = prompts->RestoreDefault(FieldNumberOf(control));
    if (lastFieldCheck_) *lastFieldCheck_ = result;
    Reload();
    storing_ = false;
    return true;
  }
  // Only what the field's filter lets through is typing.
  const QString text = key.text();
  if (text.size() == 1 && KeyFilterAcceptsKey(KeyFilter::PromptText, text[0].unicode())) {
    prompts->NoteKeyTyped();
  }
  return false;
}

void FieldRouter::ApplyView(const PageView& view) {
  // Rows first: showing a row again brings the model's own layout back.
  bool rowsChanged = !rowsKnown_;
  for (const auto& [address, shown] : view.addressRowShown) {
    if (rowShown_[static_cast<std::size_t>(address - 1)] != shown) rowsChanged = true;
    rowShown_[static_cast<std::size_t>(address - 1)] = shown;
  }
  if (rowsChanged && !view.addressRowShown.empty()) {
    rowsKnown_ = true;
    FilledPagesView rows;
    rows.addressShown = rowShown_;
    rows.languagePointerVisible = editor_->Environment().cgromType != 0;
    ShowFilledPagesView(pages_, rows);
    ApplyModelLayout(pageControl_, editor_->Environment().modelCode);
  }
  for (const auto& [index, count] : view.offeredItems) {
    auto* list = qobject_cast<QComboBox*>(pages_.Control(index));
    if (list == nullptr || list->count() == count) continue;
    const QSignalBlocker quiet(list);
    const ControlEntry& entry = FieldCatalogue::Instance().Entries()[index];
    list->clear();
    for (int item = 0; item < count && item < static_cast<int>(entry.items.size()); ++item) {
      const std::string_view text = entry.items[static_cast<std::size_t>(item)];
      list->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    const int value = settings_().ValueAt(index).number;
    list->setCurrentIndex(value >= 0 && value < list->count() ? value : -1);
  }
  for (const auto& [index, on] : view.visible) {
    if (QWidget* control = pages_.Control(index)) control->setVisible(on);
  }
  for (const auto& [index, on] : view.enabled) {
    if (QWidget* control = pages_.Control(index)) control->setEnabled(on);
  }
  if (view.alertsGroupShown == false) alertsHidden_ = true;
  if (alertsHidden_) {
    for (int page = kPageCode1To4; page <= kPageCode13To16; ++page) {
      if (auto* group =
              pageControl_.findChild<QGroupBox*>(QString("gb_addressAlerts%1").arg(page))) {
        group->hide();
      }
    }
  }
  UpdateUserPasswordButton();
  if (view.prompt3TabShown) pageControl_.setTabVisible(kPrompt3PageIndex, *view.prompt3TabShown);
  if (view.focusField != 0) {
    const ControlEntry* entry =
        FieldCatalogue::Instance().FindByField(view.focusField, ActivePage());
    if (QWidget* next = entry ? pages_.Control(entry->name) : nullptr) next->setFocus();
  }
}

}  // namespace rer
