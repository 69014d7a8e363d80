#pragma once
// The main window: every control of the control table, shown as TForm1 says.
#include <QWidget>
#include <array>
#include <functional>

#include "platform/qt/form_dialogs.h"
#include "platform/ui.h"

class QLabel;
class QPushButton;
class QRadioButton;

namespace ordwell {

class QtFormUi : public QWidget, public FormUi {
 public:
  explicit QtFormUi(FormDialogs& dialogs);
  ~QtFormUi() override;

  // FormUi
  void ShowText(Panel panel, const std::string& text) override;
  void ShowEnabled(Button button, bool enabled) override;
  void ShowPositionMode(int item) override;
  std::optional<std::string> AskOpenFile(Dialog dialog, const std::string& initialFolder) override;
  void ShowError(const std::string& message) override;
  void SetCursor(CursorShape shape) override;
  void ProcessMessages() override;
  void CloseWindow() override;

  // Asked on every request to close the window; false keeps it open.
  void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }
  // Shows the window centred on its screen.
  void ShowCentred();

  QLabel& PanelWidget(Panel panel) const { return *panels_[static_cast<size_t>(panel)]; }
  QPushButton& ButtonWidget(Button button) const { return *buttons_[static_cast<size_t>(button)]; }
  QRadioButton& PositionItem(int item) const { return *positionItems_[static_cast<size_t>(item)]; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CentreOnScreen();

  FormDialogs& dialogs_;
  std::function<bool()> closeQuery_;
  bool hourglass_ = false;
  std::array<QLabel*, kPanelCount> panels_{};
  std::array<QPushButton*, kButtonCount> buttons_{};
  std::array<QRadioButton*, 2> positionItems_{};
};

}  // namespace ordwell
