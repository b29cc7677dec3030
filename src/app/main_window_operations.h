#pragma once
// What the main window asks of the rest of the program: the operations behind
// its commands (read, program, load, save, print, defaults, service) and the
// field machinery of the settings pages (numbering, page checks, page entry).
// The window decides when each runs; an implementation does the work. The
// defaults describe a window whose settings pages have no fields yet: there
// is nothing to number or check, and no operation is attached.

namespace rer {

class TFmMain;

class MainWindowOperations {
 public:
  virtual ~MainWindowOperations() = default;

  // Gives every editing control its field number (first show).
  virtual void NumberFields(TFmMain& /*window*/) {}
  // The full check of the active page before its tab is left: 1 valid,
  // 0 not valid, negative an error code.
  virtual int CheckPage(TFmMain& /*window*/, int /*pageIndex*/) { return 1; }
  // The shorter check before F11/F12 move to another page.
  virtual int ShortPageCheck(TFmMain& /*window*/, int /*pageIndex*/) { return 1; }
  // The refresh of a page that has just become active.
  virtual void PageEntered(TFmMain& /*window*/, int /*pageIndex*/) {}

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
