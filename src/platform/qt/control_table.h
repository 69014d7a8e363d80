#pragma once
// The window as data: every control with its place, size and caption, the three
// file dialogs with their filters, and the two fonts. Layout is in pixels and does
// not follow the screen's resolution.
#include <array>

#include "platform/ui.h"

namespace ordwell {

inline constexpr const char* kWindowCaption = "Ordwell";
inline constexpr int kClientWidth = 695;
inline constexpr int kClientHeight = 321;
inline constexpr int kStatusLineHeight = 21;
inline constexpr int kButtonBarHeight = 56;

enum class ControlKind { Label, TextPanel, Button, ButtonBar, RadioGroup };
enum class ControlParent { Client, ButtonBar };

struct ControlEntry {
  const char* name;
  ControlKind kind;
  const char* caption;
  ControlParent parent;
  int left, top, width, height;
};

// Parents come before their children. The bar and the status line are docked to the
// bottom edge of the fixed client area: the status line at the very bottom, the bar
// right above it.
inline constexpr std::array<ControlEntry, 17> kControls{{
    {"Label1", ControlKind::Label, "Tavik FileName:", ControlParent::Client, 12, 22, 86, 16},
    {"P_FILE", ControlKind::TextPanel, "", ControlParent::Client, 118, 19, 558, 25},
    {"Label7", ControlKind::Label, "Sensor Type:", ControlParent::Client, 16, 53, 77, 16},
    {"P_TYP", ControlKind::TextPanel, "", ControlParent::Client, 118, 49, 79, 25},
    {"OrgBtn", ControlKind::Button, "mni_origin file", ControlParent::Client, 8, 83, 101, 25},
    {"P_ORG", ControlKind::TextPanel, "", ControlParent::Client, 118, 83, 558, 25},
    {"OtherBtn", ControlKind::Button, "mni_others file", ControlParent::Client, 8, 113, 101, 25},
    {"P_OTHER", ControlKind::TextPanel, "", ControlParent::Client, 118, 114, 558, 25},
    {"Label6", ControlKind::Label, "Sensor Type:", ControlParent::Client, 16, 148, 77, 16},
    {"P_TYP1", ControlKind::TextPanel, "", ControlParent::Client, 118, 144, 79, 25},
    {"Label4", ControlKind::Label, "Snirf FileName:", ControlParent::Client, 12, 179, 89, 16},
    {"P_SNIRF", ControlKind::TextPanel, "", ControlParent::Client, 118, 176, 558, 25},
    {"Panel2", ControlKind::ButtonBar, "", ControlParent::Client, 0,
     kClientHeight - kStatusLineHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight},
    {"RG_POS", ControlKind::RadioGroup, "STD_POS3D / USR_POS3D", ControlParent::ButtonBar, 112, 3, 257, 45},
    {"RdBtn", ControlKind::Button, "datx/dat File Read", ControlParent::ButtonBar, 428, 12, 153, 33},
    {"ExitBtn", ControlKind::Button, "Exit", ControlParent::ButtonBar, 592, 12, 77, 33},
    {"P_MSG", ControlKind::TextPanel, "", ControlParent::Client, 0, kClientHeight - kStatusLineHeight, kClientWidth,
     kStatusLineHeight},
}};

// RG_POS: item 0 and item 1, side by side in two columns.
inline constexpr std::array<const char*, 2> kPositionItems{{"STD_POS3D", "USR_POS3D"}};
inline constexpr int kPositionColumns = 2;

struct DialogEntry {
  Dialog dialog;
  const char* name;
  const char* filter;  // in the file dialog's "Description (*.a *.b)" form
};

inline constexpr std::array<DialogEntry, 3> kDialogs{{
    {Dialog::OpenDialog1, "OpenDialog1", "Tavik DataFile (*.datx *.dat)"},
    {Dialog::OpenDialog2, "OpenDialog2", "MNI_ORIGIN File (*_mni_origin_*.csv)"},
    {Dialog::OpenDialog3, "OpenDialog3", "MNI_OTHERS File (*_mni_others_*.csv)"},
}};

struct FontChoice {
  // The wanted family first, then close stand-ins for systems that lack it, comma
  // separated.
  const char* families;
  int pixelSize;
};

// Labels, panels and the radio group.
inline constexpr FontChoice kTextFont{"Tahoma,DejaVu Sans Condensed,Liberation Sans", 13};
// The four buttons.
inline constexpr FontChoice kButtonFont{"ＭＳ Ｐゴシック,MS PGothic,IPAPGothic,VL PGothic,DejaVu Sans Condensed", 15};
// A stand-in font wider than the wanted one steps down in size until a caption fits
// its control, but not below this.
inline constexpr int kSmallestPixelSize = 9;

}  // namespace ordwell
