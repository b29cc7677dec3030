#pragma once
// The one shape of every settings page's rules. A page handler works on the
// editor settings and talks to the person through the UserInterface seam; it
// knows nothing of widgets. What the widgets must do besides showing the
// settings (enable, hide, move the focus, show a tab) it writes into a
// PageView, which the window applies after each call and the command line
// ignores.
//
// The calling order is the same in the window and in rer-cli apply:
//   Enter(field)  the field is about to be edited (the handler notes its value)
//   ... the new value is written into the settings ...
//   Store(field)  the handler applies its rules: 1, or the failure it has shown
//   Leave(field)  the field has lost the focus (after its store)
//   Check(page)   the page check before the page is left, programmed or saved
//   Refresh(page) the page has just become the active one

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>

#include "codeplug/editor_settings.h"
#include "codeplug/field_catalogue.h"
#include "core/user_interface.h"

namespace rer {

struct PasswordState;

// What the pages need to know of the pager besides its settings.
struct PageEnvironment {
  std::uint8_t modelCode = 0xFF;  // ModelCode of the pager link
  std::uint8_t subModel = 0;      // the codeplug's sub-model byte
  int cgromType = 0;              // CgromType of the pager link
  // The window's lock flag: set at start, and nothing clears it.
  bool menuLocker = true;
  // The passwords of the run, which the protection boxes ask for; null for
  // a page that keeps its own.
  PasswordState* passwords = nullptr;
};

// Widget states a handler asks for, by catalogue entry index.
struct PageView {
  std::map<std::size_t, bool> enabled;
  std::map<std::size_t, bool> visible;
  // Lists that offer only their first n items: the others belong to pagers
  // of another layout.
  std::map<std::size_t, int> offeredItems;
  // Address rows (1..16) shown or hidden.
  std::map<int, bool> addressRowShown;
  // The field number that should take the focus next; 0 for none.
  int focusField = 0;
  // The Prompt 3 tab and the alerts group of the address pages.
  std::optional<bool> prompt3TabShown;
  std::optional<bool> alertsGroupShown;

  void Enable(Control control, int address, bool on) {
    enabled[EntryIndexOf(control, address)] = on;
  }
  void Show(Control control, int address, bool on) { visible[EntryIndexOf(control, address)] = on; }
  void OfferItems(Control control, int count) { offeredItems[EntryIndexOf(control, 0)] = count; }
  void Clear() { *this = PageView{}; }
};

class PageHandler {
 public:
  PageHandler(EditorSettings& settings, UserInterface& ui, const PageEnvironment& environment)
      : settings_(settings), ui_(ui), environment_(environment) {}
  virtual ~PageHandler() = default;
  PageHandler(const PageHandler&) = delete;
  PageHandler& operator=(const PageHandler&) = delete;

  // The field numbered `field` is about to be edited.
  virtual void Enter(int field) = 0;
  // The field's new value stands in the settings: apply the page's rules.
  // Returns kSuccess, or the failure the handler has already shown.
  virtual int Store(int field) = 0;
  // The field numbered `field` has been left. Most pages have nothing to do
  // then beyond the store.
  virtual void Leave(int /*field*/) {}
  // The check of page `page` (this handler may serve several pages).
  virtual int Check(int page) = 0;
  // The refresh of page `page` when it becomes the active page.
  virtual void Refresh(int page) = 0;

  // What the widgets must do after the last call; the window clears it.
  PageView& View() { return view_; }

 protected:
  EditorSettings& settings_;
  UserInterface& ui_;
  const PageEnvironment& environment_;
  PageView view_;
};

}  // namespace rer
