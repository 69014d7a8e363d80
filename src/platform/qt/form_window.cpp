#include "platform/qt/form_window.h"

#include <QPushButton>
#include <QRadioButton>

namespace ordwell {

FormWindow::FormWindow(FormServices services, ConverterWaitMode waitMode, FormDialogs& dialogs)
    : ui_(dialogs), form_(ui_, std::move(services), waitMode) {
  ConnectHandlers();
  form_.FormCreate();
}

void FormWindow::ConnectHandlers() {
  auto onClick = [this](Button button, void (TForm1::*handler)()) {
    QObject::connect(&ui_.ButtonWidget(button), &QPushButton::clicked, &ui_, [this, handler] { (form_.*handler)(); });
  };
  onClick(Button::RdBtn, &TForm1::RdBtnClick);
  onClick(Button::ExitBtn, &TForm1::ExitBtnClick);
  onClick(Button::OrgBtn, &TForm1::OrgBtnClick);
  onClick(Button::OtherBtn, &TForm1::OtherBtnClick);

  for (int item : {0, 1}) {
    // Only a change of the selection counts; clicking the selected item again does nothing.
    QObject::connect(&ui_.PositionItem(item), &QRadioButton::clicked, &ui_, [this, item] {
      if (form_.PositionMode() != item) form_.RG_POSClick(item);
    });
  }
  ui_.SetCloseQuery([this] { return form_.FormCloseQuery(); });
}

}  // namespace ordwell
