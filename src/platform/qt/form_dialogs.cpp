#include "platform/qt/form_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ordwell {
namespace {

class StandardFormDialogs : public FormDialogs {
 public:
  std::optional<std::string> OpenFile(QWidget& owner, const DialogEntry& dialog,
                                      const std::string& initialFolder) override {
    QString chosen = QFileDialog::getOpenFileName(&owner, QString(), QString::fromStdString(initialFolder),
                                                  QString::fromUtf8(dialog.filter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
  }

  void Error(QWidget& owner, const std::string& message) override {
    QMessageBox box(QMessageBox::Critical, owner.windowTitle(), QString::fromStdString(message), QMessageBox::Ok,
                    &owner);
    box.setTextFormat(Qt::PlainText);  // messages quote file contents: never markup
    box.exec();
  }
};

}  // namespace

FormDialogs& StandardDialogs() {
  static StandardFormDialogs dialogs;
  return dialogs;
}

}  // namespace ordwell
