#include "platform/qt/qt_form_ui.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include "platform/qt/control_builder.h"

namespace ordwell {
namespace {

template <typename W>
W* Control(QWidget& window, const char* name) {
  W* control = window.findChild<W*>(QString::fromUtf8(name));
  Q_ASSERT(control);
  return control;
}

const DialogEntry& EntryOf(Dialog dialog) {
  for (const DialogEntry& entry : kDialogs)
    if (entry.dialog == dialog) return entry;
  return kDialogs[0];
}

}  // namespace

QtFormUi::QtFormUi(FormDialogs& dialogs) : dialogs_(dialogs) {
  // A fixed dialog frame: no resizing, no minimise or maximise box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setFixedSize(kClientWidth, kClientHeight);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  // Placed before FormCreate runs, so that a start-up error box comes up where the
  // window is going to be.
  CentreOnScreen();
  BuildControls(*this);
  for (int p = 0; p < kPanelCount; ++p) panels_[static_cast<size_t>(p)] = Control<QLabel>(*this, PanelName(Panel(p)));
  for (int b = 0; b < kButtonCount; ++b)
    buttons_[static_cast<size_t>(b)] = Control<QPushButton>(*this, ButtonName(Button(b)));
  for (size_t i = 0; i < positionItems_.size(); ++i)
    positionItems_[i] = Control<QRadioButton>(*this, ("RG_POS_" + std::to_string(i)).c_str());
}

QtFormUi::~QtFormUi() { SetCursor(CursorShape::Default); }

void QtFormUi::ShowText(Panel panel, const std::string& text) { PanelWidget(panel).setText(QString::fromStdString(text)); }

void QtFormUi::ShowEnabled(Button button, bool enabled) { ButtonWidget(button).setEnabled(enabled); }

void QtFormUi::ShowPositionMode(int item) { PositionItem(item == 1 ? 1 : 0).setChecked(true); }

std::optional<std::string> QtFormUi::AskOpenFile(Dialog dialog, const std::string& initialFolder) {
  return dialogs_.OpenFile(*this, EntryOf(dialog), initialFolder);
}

void QtFormUi::ShowError(const std::string& message) { dialogs_.Error(*this, message); }

void QtFormUi::SetCursor(CursorShape shape) {
  const bool hourglass = shape == CursorShape::Hourglass;
  if (hourglass == hourglass_) return;
  hourglass_ = hourglass;
  if (hourglass)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

// Input, painting, timers and close requests; the handlers they trigger run here,
// inside the handler that is waiting.
void QtFormUi::ProcessMessages() { QCoreApplication::processEvents(); }

// The window hides at once; the application's loop ends once the running handler
// has returned to it.
void QtFormUi::CloseWindow() { close(); }

void QtFormUi::closeEvent(QCloseEvent* event) {
  if (closeQuery_ && !closeQuery_())
    event->ignore();
  else
    event->accept();
}

void QtFormUi::CentreOnScreen() {
  QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

void QtFormUi::ShowCentred() {
  CentreOnScreen();
  show();
}

}  // namespace ordwell
