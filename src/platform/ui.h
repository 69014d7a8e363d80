#pragma once
// What TForm1 needs of a screen. The window (Qt) and the command line (headless)
// are two implementations; TForm1 keeps the state, the screen only shows it.
#include <optional>
#include <string>

namespace ordwell {

enum class Panel { P_FILE, P_TYP, P_ORG, P_OTHER, P_TYP1, P_SNIRF, P_MSG };
enum class Button { RdBtn, ExitBtn, OrgBtn, OtherBtn };
enum class Dialog { OpenDialog1, OpenDialog2, OpenDialog3 };  // data, origin, others
enum class CursorShape { Default, Hourglass };

inline constexpr int kPanelCount = 7;
inline constexpr int kButtonCount = 4;

const char* PanelName(Panel p);
const char* ButtonName(Button b);

class FormUi {
 public:
  virtual ~FormUi() = default;
  virtual void ShowText(Panel panel, const std::string& text) = 0;
  virtual void ShowEnabled(Button button, bool enabled) = 0;
  virtual void ShowPositionMode(int item) = 0;  // RG_POS item 0 or 1
  // Shows a file-open dialog; the chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> AskOpenFile(Dialog dialog, const std::string& initialFolder) = 0;
  // The standard error box.
  virtual void ShowError(const std::string& message) = 0;
  virtual void SetCursor(CursorShape shape) = 0;
  // Lets the screen handle what is waiting (input, painting, close requests).
  virtual void ProcessMessages() = 0;
  virtual void CloseWindow() = 0;
};

}  // namespace ordwell
