#pragma once
// What the main window asks of the rest of the program: the operations behind
// its commands (read, program, load, save, print, defaults, service) and the
// numbering of the settings pages' fields. The window decides when each
// runs; an implementation does the work. The defaults describe a window with
// no operation attached.

namespace rer {

class TFmMain;

class MainWindowOperations {
 public:
  virtual ~MainWindowOperations() = default;

  // Gives every editing control its field number (first show).
  virtual void NumberFields(TFmMain& /*window*/) {}
  // (The page checks and the page entry are the window's field machinery:
  // TFmMain::Fields(), over the page rules of src/pages.)

  // Main page.
  virtual void ReadPager(TFmMain& /*window*/) {}
  virtual void Service(TFmMain& /*window*/) {}
  virtual void ProgramSingle(TFmMain& /*window*/) {}
  virtual void ProgramSequential(TFmMain& /*window*/) {}
  virtual void LoadCodeplug(TFmMain& /*window*/) {}
  // Settings pages.
  virtual void ProgramFromEditor(TFmMain& /*window*/) {}
  virtual void SetToDefaults(TFmMain& /*window*/) {}
  virtual void SaveAs(TFmMain& /*window*/) {}
  virtual void Print(TFmMain& /*window*/) {}
};

}  // namespace rer
