#pragma once
// The main window's menus, menu items and toolbar buttons as data: names,
// captions, shortcut keys, hints and the command each one runs. The window
// builds its menu bar and toolbar from these tables.

#include <QStyle>
#include <span>

namespace rer {

// What a menu item or toolbar button does; one handler of the main window each.
enum class Command {
  LoadFile,
  SaveFile,
  CompareWithFile,
  Print,
  PagerHistory,
  Exit,
  SetupCommunication,
  StayOnTop,
  ReadPager,
  WritePager,
  Service,
  ProgramSingle,
  ProgramSequential,
  ReadAndProgram,
  SetToDefaults,
  ClearPager,
  Help,
  About,
  PrevPage,
  NextPage,
};

struct MenuSpec {
  const char* name;
  const char* caption;
  bool inMenuBar;  // a menu kept out of the bar still has working shortcut keys
};

struct MenuItemSpec {
  const char* menu;  // name of the menu it belongs to
  const char* name;
  const char* caption;
  const char* key;  // portable key text ("F8", "Ctrl+S"), or "" for none
  Command command;
  bool separatorBefore;
  bool checkable;
};

struct ToolButtonSpec {
  const char* name;
  const char* hint;
  QStyle::StandardPixmap icon;
  Command command;
  bool separatorBefore;
};

std::span<const MenuSpec> Menus();
std::span<const MenuItemSpec> MenuItems();
std::span<const ToolButtonSpec> ToolButtons();

// Virtual key codes of the function keys, as the key dispatcher takes them.
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF2 = 113;
inline constexpr int kKeyF3 = 114;
inline constexpr int kKeyF4 = 115;
inline constexpr int kKeyF5 = 116;
inline constexpr int kKeyF6 = 117;
inline constexpr int kKeyF7 = 118;
inline constexpr int kKeyF8 = 119;
inline constexpr int kKeyF9 = 120;
inline constexpr int kKeyF10 = 121;
inline constexpr int kKeyF11 = 122;
inline constexpr int kKeyF12 = 123;
// The virtual code of a Qt function key F1..F12, or 0 for any other key.
int VirtualKeyOf(int qtKey);

}  // namespace rer
