#include "app/command_table.h"

#include <Qt>

namespace rer {
namespace {

constexpr MenuSpec kMenus[] = {
    {"menuFile", "&File", true}, {"menuSetup", "&Setup", true}, {"menuProg", "P&rogram", true},
    {"menuHelp", "&Help", true}, {"menuPage", "Page", false},
};

// Captions keep their trailing blanks; "&" marks the access key.
constexpr MenuItemSpec kMenuItems[] = {
    {"menuFile", "menuOpen", "L&oad Codeplug", "F8", Command::LoadFile, false, false},
    {"menuFile", "menuSave", "Save &as ", "Ctrl+S", Command::SaveFile, false, false},
    {"menuFile", "menuCompare", "&Compare with File...", "", Command::CompareWithFile, false,
     false},
    {"menuFile", "menuPrint", "&Print...", "", Command::Print, false, false},
    {"menuFile", "menuHistory", "Pager &History...", "", Command::PagerHistory, false, false},
    {"menuFile", "menuExit", "E&xit ", "F10", Command::Exit, true, false},
    {"menuSetup", "setupCommunication", "&Communication Setup", "Ctrl+O",
     Command::SetupCommunication, false, false},
    {"menuSetup", "setupStayontop", "Stay on &Top", "", Command::StayOnTop, false, true},
    {"menuProg", "readBtn", "&Read Pager ", "F3", Command::ReadPager, false, false},
    {"menuProg", "writeBtn", "&Write Pager", "F2", Command::WritePager, false, false},
    {"menuProg", "serviceBtn", "&Service", "F4", Command::Service, true, false},
    {"menuProg", "singleBtn", "Program Si&ngle", "F5", Command::ProgramSingle, false, false},
    {"menuProg", "sequentialBtn", "Program Se&quential", "F6", Command::ProgramSequential, false,
     false},
    {"menuProg", "readAndProgramBtn", "Read &and Program", "F7", Command::ReadAndProgram, false,
     false},
    {"menuProg", "menuDefault", "Set To Defaults", "F9", Command::SetToDefaults, false, false},
    {"menuProg", "menuClearPager", "&Erase Pager", "Ctrl+E", Command::ClearPager, false, false},
    {"menuHelp", "helpHtml", "&Help Topics", "F1", Command::Help, false, false},
    {"menuHelp", "menuAbout", "&About", "", Command::About, false, false},
    {"menuPage", "menuPrev", "Prev", "F11", Command::PrevPage, false, false},
    {"menuPage", "menuNext", "Next", "F12", Command::NextPage, false, false},
};

constexpr ToolButtonSpec kToolButtons[] = {
    {"toolBarOpen", "Load Codeplug (F8)", QStyle::SP_DialogOpenButton, Command::LoadFile, false},
    {"toolBarSave", "Save Codeplug", QStyle::SP_DialogSaveButton, Command::SaveFile, false},
    {"toolBarRead", "Read Pager (F3)", QStyle::SP_ArrowDown, Command::ReadPager, true},
    {"toolBarWrite", "Program Pager (F2)", QStyle::SP_ArrowUp, Command::WritePager, false},
    {"toolBarExit", "Exits Tarsel RER", QStyle::SP_DialogCloseButton, Command::Exit, true},
};

}  // namespace

std::span<const MenuSpec> Menus() {
  return kMenus;
}
std::span<const MenuItemSpec> MenuItems() {
  return kMenuItems;
}
std::span<const ToolButtonSpec> ToolButtons() {
  return kToolButtons;
}

int VirtualKeyOf(int qtKey) {
  if (qtKey < Qt::Key_F1 || qtKey > Qt::Key_F12) return 0;
  return kKeyF1 + (qtKey - Qt::Key_F1);
}

}  // namespace rer
