#pragma once
// The window's modal dialogs: the file-open dialogs and the error box. The window
// asks for them through this interface so a test can answer them.
#include <optional>
#include <string>

#include "platform/qt/control_table.h"

class QWidget;

namespace ordwell {

class FormDialogs {
 public:
  virtual ~FormDialogs() = default;
  // The chosen file's full path; nothing when cancelled.
  virtual std::optional<std::string> OpenFile(QWidget& owner, const DialogEntry& dialog,
                                              const std::string& initialFolder) = 0;
  // The standard error box; returns when the user has closed it.
  virtual void Error(QWidget& owner, const std::string& message) = 0;
};

// QFileDialog and QMessageBox.
FormDialogs& StandardDialogs();

}  // namespace ordwell
