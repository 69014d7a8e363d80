#pragma once
// The window and the form behind it: QtFormUi shows, TForm1 decides. Creating it
// runs FormCreate; every click and close request goes to TForm1's handler.
#include "app/form1.h"
#include "platform/qt/form_dialogs.h"
#include "platform/qt/qt_form_ui.h"

namespace ordwell {

class FormWindow {
 public:
  FormWindow(FormServices services, ConverterWaitMode waitMode, FormDialogs& dialogs = StandardDialogs());
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  QtFormUi& Ui() { return ui_; }
  TForm1& Form() { return form_; }

 private:
  void ConnectHandlers();

  QtFormUi ui_;
  TForm1 form_;
};

}  // namespace ordwell
