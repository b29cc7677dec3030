// The windowed program: one main window, run until it closes.

#include <QApplication>

#include "app/main_window.h"
#include "app/product_info.h"
#include "app/qt_user_interface.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(rer::kApplicationTitle);
  QApplication::setApplicationDisplayName(rer::kApplicationTitle);

  rer::QtUserInterface ui;
  rer::TFmMain window(ui);
  ui.SetParentWindow(&window);
  ui.SetStatusSink([&window](const QString& text) { window.SetStatusPanel(0, text); });
  window.show();
  return QApplication::exec();
}
