#include "platform/headless_ui.h"

namespace ordwell {

std::optional<std::string> HeadlessUi::AskOpenFile(Dialog dialog, const std::string& initialFolder) {
  dialogsShown.emplace_back(dialog, initialFolder);
  auto& queue = answers[dialog];
  if (queue.empty()) return std::nullopt;  // nobody to answer: as if cancelled
  std::optional<std::string> answer = std::move(queue.front());
  queue.pop_front();
  return answer;
}

const char* PanelName(Panel p) {
  static const char* const names[] = {"P_FILE", "P_TYP", "P_ORG", "P_OTHER", "P_TYP1", "P_SNIRF", "P_MSG"};
  return names[static_cast<int>(p)];
}

const char* ButtonName(Button b) {
  static const char* const names[] = {"RdBtn", "ExitBtn", "OrgBtn", "OtherBtn"};
  return names[static_cast<int>(b)];
}

}  // namespace ordwell
