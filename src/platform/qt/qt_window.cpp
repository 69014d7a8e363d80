// The window build of the tool: one main window on the real machine.
#include <QApplication>

#include "app/command_line.h"
#include "app/window.h"
#include "platform/qt/form_window.h"

namespace ordwell {

int RunWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  FormWindow window(MachineServices(), ConverterWaitMode::kPollForOutput);
  window.Ui().ShowCentred();
  // Closing the window (Exit or the close box) ends the loop once the handler that
  // is running, if any, has returned.
  return QApplication::exec();
}

}  // namespace ordwell
