#pragma once
// A screen without a window: it remembers what it was told to show and answers the
// file dialogs from queued answers. The command line and the tests use it.
#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace ordwell {

class HeadlessUi : public FormUi {
 public:
  void ShowText(Panel panel, const std::string& text) override { texts[static_cast<int>(panel)] = text; }
  void ShowEnabled(Button button, bool enabled) override { enabled_[static_cast<int>(button)] = enabled; }
  void ShowPositionMode(int item) override { positionMode = item; }
  std::optional<std::string> AskOpenFile(Dialog dialog, const std::string& initialFolder) override;
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void SetCursor(CursorShape shape) override { cursor = shape; }
  void ProcessMessages() override {
    ++messagePumps;
    if (onProcessMessages) onProcessMessages();
  }
  void CloseWindow() override { closed = true; }

  // Queues the answer of the next showing of a dialog (nothing: cancelled).
  void Answer(Dialog dialog, std::optional<std::string> path) { answers[dialog].push_back(std::move(path)); }

  const std::string& Text(Panel panel) const { return texts[static_cast<int>(panel)]; }
  bool Enabled(Button button) const { return enabled_[static_cast<int>(button)]; }

  std::array<std::string, kPanelCount> texts{};
  std::array<bool, kButtonCount> enabled_{};
  int positionMode = 0;
  std::vector<std::string> errors;
  CursorShape cursor = CursorShape::Default;
  long messagePumps = 0;
  bool closed = false;
  std::function<void()> onProcessMessages;  // a test's clicks during a wait
  std::map<Dialog, std::deque<std::optional<std::string>>> answers;
  std::vector<std::pair<Dialog, std::string>> dialogsShown;  // dialog and its initial folder
};

}  // namespace ordwell
