#pragma once
// File dialogs answered from a queue and an error box that only records, so a test
// drives the window without anyone at the screen.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/form_dialogs.h"

namespace ordwell::testing {

class ScriptedDialogs : public FormDialogs {
 public:
  struct Shown {
    std::string name;
    std::string filter;
    std::string initialFolder;
  };

  // Queues the answer of the next showing of a dialog (nothing: cancelled).
  void Answer(Dialog dialog, std::optional<std::string> path) { answers_[dialog].push_back(std::move(path)); }

  std::optional<std::string> OpenFile(QWidget&, const DialogEntry& dialog, const std::string& initialFolder) override {
    shown.push_back({dialog.name, dialog.filter, initialFolder});
    if (onOpen) onOpen(dialog);
    auto& queue = answers_[dialog.dialog];
    if (queue.empty()) return std::nullopt;
    std::optional<std::string> answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }

  void Error(QWidget&, const std::string& message) override { errors.push_back(message); }

  std::vector<Shown> shown;
  std::vector<std::string> errors;
  std::function<void(const DialogEntry&)> onOpen;  // sees the window while the dialog is up

 private:
  std::map<Dialog, std::deque<std::optional<std::string>>> answers_;
};

}  // namespace ordwell::testing
