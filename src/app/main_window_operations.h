#pragma once
// What the main window asks of the rest of the program: the operations behind
// its commands (read, program, load, save, print, defaults, service) and the
// field numbering of the settings pages. The window decides when each runs;
// an implementation does the work. The page checks and page entry are the
// window's field machinery over the page rules. Every operation must be
// given; Service and Print only where offered, and the window keeps their
// commands disabled otherwise.

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
  virtual void ReadPager(TFmMain& window) = 0;
  virtual void ProgramSingle(TFmMain& window) = 0;
  virtual void ProgramSequential(TFmMain& window) = 0;
  virtual void LoadCodeplug(TFmMain& window) = 0;
  // Settings pages: F2, F9 and Save as.
  virtual void ProgramFromEditor(TFmMain& window) = 0;
  virtual void SetToDefaults(TFmMain& window) = 0;
  virtual void SaveAs(TFmMain& window) = 0;

  // The service dialog and the report; their commands stay disabled while
  // these give false.
  virtual bool OffersService() const { return false; }
  virtual void Service(TFmMain& /*window*/) {}
  virtual bool OffersPrint() const { return false; }
  virtual void Print(TFmMain& /*window*/) {}
  // "Compare with File..." of the settings pages; disabled while not offered.
  virtual bool OffersCompare() const { return false; }
  virtual void CompareWithFile(TFmMain& /*window*/) {}
  // "Pager History...": disabled while not offered.
  virtual bool OffersHistory() const { return false; }
  virtual void PagerHistory(TFmMain& /*window*/) {}
};

}  // namespace rer
