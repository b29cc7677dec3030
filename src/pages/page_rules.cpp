#include "pages/page_rules.h"

#include "codeplug/address_codec.h"
#include "codeplug/image_fields.h"
#include "core/result_codes.h"
#include "pages/address_checks.h"
#include "pages/alert_page.h"
#include "pages/features_pages.h"
#include "pages/password_ota_page.h"
#include "pages/prompt_pages.h"

namespace rer {
namespace {

constexpr int kFirstAddressPage = kPageCode1To4;
constexpr int kLastAddressPage = kPageCode13To16;
constexpr int kAddressesPerTab = 4;
constexpr int kFirstField = 1;
constexpr int kLastField = 430;
constexpr int kFunctionMenuPrompts = 0;
constexpr int kFunctionMenuIcons = 1;

bool IsAddressOrGeneralPage(int page) {
  return page >= kPageGeneral && page <= kLastAddressPage;
}
bool IsPromptPage(int page) {
  return page >= kPagePrompt1 && page <= kPagePrompt3;
}

}  // namespace

PageEnvironment PageEnvironmentFor(std::uint8_t modelCode, int cgromType,
                                   const ImageReader& image) {
  PageEnvironment environment;
  environment.modelCode = modelCode;
  environment.cgromType = cgromType;
  if (image.Has(Field::kSubModel)) environment.subModel = image.Byte(Field::kSubModel);
  return environment;
}

PageRules::PageRules(EditorSettings& settings, UserInterface& ui, PageEnvironment environment)
    : settings_(settings),
      ui_(ui),
      environment_(environment),
      addresses_(settings, ui, environment_) {
  SetHandler(kPageFeatures, std::make_unique<FeaturesPage>(settings, ui, environment_));
  SetHandler(kPageMoreFeatures, std::make_unique<MoreFeaturesPage>(settings, ui, environment_));
  SetHandler(kPagePasswordOta, std::make_unique<PasswordOtaPage>(settings_, ui_, environment_));
  SetHandler(kPageAlert, std::make_unique<AlertPage>(settings_, ui_, environment_));
  SetHandler(kPagePrompt1, std::make_unique<PromptPages>(settings_, ui_, environment_));
}

PageHandler* PageRules::HandlerOf(int page) {
  if (IsAddressOrGeneralPage(page)) return &addresses_;
  if (page < 0 || page >= kSettingsPageCount) return nullptr;
  if (plugged_[static_cast<std::size_t>(page)])
    return plugged_[static_cast<std::size_t>(page)].get();
  // The three prompt pages share one handler.
  if (IsPromptPage(page)) return plugged_[kPagePrompt1].get();
  return nullptr;
}

void PageRules::SetHandler(int page, std::unique_ptr<PageHandler> handler) {
  if (page < kPagePrompt1 || page >= kSettingsPageCount) return;  // the address pages are built in
  plugged_[static_cast<std::size_t>(page)] = std::move(handler);
}

void PageRules::Enter(int page, int field) {
  if (PageHandler* handler = HandlerOf(page)) handler->Enter(field);
}

void PageRules::Leave(int page, int field) {
  if (PageHandler* handler = HandlerOf(page)) handler->Leave(field);
}

int PageRules::Store(int page, int field) {
  if (field < kFirstField || field > kLastField) return kSuccess;
  PageHandler* handler = HandlerOf(page);
  return handler ? handler->Store(field) : kSuccess;
}

int PageRules::CheckOf(int page) {
  PageHandler* handler = HandlerOf(page);
  return handler ? handler->Check(page) : kSuccess;
}

int PageRules::PromptCheck() {
  const int result = CheckOf(kPagePrompt1);
  // Chinese prompts have no icon menu of their own: a menu that shows
  // anything shows the icons.
  if (result == kSuccess && settings_.ideoPrompts &&
      settings_.Item(Control::cb_functionMenuDisplay) != kFunctionMenuPrompts) {
    settings_.SetItem(Control::cb_functionMenuDisplay, kFunctionMenuIcons);
  }
  return result;
}

int PageRules::AlertCheck() {
  const int result = CheckOf(kPageAlert);
  return result == kSuccess ? CheckReminderTimes(settings_, ui_) : result;
}

int PageRules::PageCheck(int activePage, int checkedField) {
  Store(activePage, checkedField);
  int result = kSuccess;
  if (IsPromptPage(activePage)) {
    result = CheckOf(activePage);
  } else if (activePage == kPageAlert) {
    result = AlertCheck();
  } else {
    result = CheckOf(activePage);
  }
  for (int page = kFirstAddressPage; page <= kLastAddressPage && result == kSuccess; ++page) {
    result = CheckOf(page);
  }
  if (result == kSuccess) result = PromptCheck();
  if (result == kSuccess) result = AlertCheck();
  for (int page : {kPagePasswordOta, kPageFeatures, kPageMoreFeatures}) {
    if (result == kSuccess) result = CheckOf(page);
  }
  if (result == kDuplicateCodes) ui_.ShowError(kDuplicateCodes);
  return result;
}

int PageRules::ShortPageCheck(int activePage, int checkedField) {
  if (IsAddressOrGeneralPage(activePage)) {
    Store(activePage, checkedField);
    return CheckOf(activePage);
  }
  if (IsPromptPage(activePage)) return PromptCheck();
  return CheckOf(activePage);
}

void PageRules::EnterPage(int page) {
  if (PageHandler* handler = HandlerOf(page)) handler->Refresh(page);
}

PageView PageRules::TakeView() {
  PageView view = addresses_.View();
  addresses_.View().Clear();
  for (auto& handler : plugged_) {
    if (!handler) continue;
    PageView& more = handler->View();
    view.enabled.insert(more.enabled.begin(), more.enabled.end());
    view.visible.insert(more.visible.begin(), more.visible.end());
    view.offeredItems.insert(more.offeredItems.begin(), more.offeredItems.end());
    view.addressRowShown.insert(more.addressRowShown.begin(), more.addressRowShown.end());
    if (more.focusField != 0) view.focusField = more.focusField;
    if (more.prompt3TabShown) view.prompt3TabShown = more.prompt3TabShown;
    if (more.alertsGroupShown) view.alertsGroupShown = more.alertsGroupShown;
    more.Clear();
  }
  return view;
}

int RunEditorPageCheck(PageRules& pages, int activePage, int checkedField) {
  return pages.PageCheck(activePage, checkedField);
}

int CapcodePairTarget(const EditorSettings& settings, int field) {
  const FieldCatalogue& catalogue = FieldCatalogue::Instance();
  for (int address = 2; address <= kAddressCount; address += 2) {
    if (catalogue.Entry(Control::Capcode, address).fieldNumber != field) continue;
    if (ClassOfAddress(settings, address - 1) != AddressClass::kLong) return 0;
    // The next address on the same tab: 2 goes to 3, 4 back to 1.
    const int tabFirst = (address - 1) / kAddressesPerTab * kAddressesPerTab + 1;
    const int next = address % kAddressesPerTab == 0 ? tabFirst : address + 1;
    return catalogue.Entry(Control::Capcode, next).fieldNumber;
  }
  return 0;
}

}  // namespace rer
