// The windowed program: one main window, run until it closes.

#include <QApplication>
#include <QMessageBox>
#include <exception>

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
  try {
    return QApplication::exec();
  } catch (const std::exception& error) {
    // Whatever escaped an operation is at least told to the user.
    QMessageBox::critical(nullptr, rer::kApplicationTitle, QString::fromLocal8Bit(error.what()));
    return 1;
  }
}
