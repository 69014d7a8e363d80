// The window as the user sees it: its frame, its controls, their places and fonts.
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QScreen>

#include "window_fixture.h"

namespace ordwell::testing {
namespace {

class WindowLayoutTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    OpenWindow();
  }
};

enum class Kind { Label, Panel, Button, Bar, Group };

struct Expected {
  const char* name;
  Kind kind;
  const char* caption;
  const char* parent;  // "" for the client area
  QRect geometry;      // in the parent
};

// Written out from the window's description, not from the control table, so that a
// wrong entry there shows here.
const Expected kExpected[] = {
    {"Label1", Kind::Label, "Tavik FileName:", "", {12, 22, 86, 16}},
    {"P_FILE", Kind::Panel, "", "", {118, 19, 558, 25}},
    {"Label7", Kind::Label, "Sensor Type:", "", {16, 53, 77, 16}},
    {"P_TYP", Kind::Panel, "", "", {118, 49, 79, 25}},
    {"OrgBtn", Kind::Button, "mni_origin file", "", {8, 83, 101, 25}},
    {"P_ORG", Kind::Panel, "", "", {118, 83, 558, 25}},
    {"OtherBtn", Kind::Button, "mni_others file", "", {8, 113, 101, 25}},
    {"P_OTHER", Kind::Panel, "", "", {118, 114, 558, 25}},
    {"Label6", Kind::Label, "Sensor Type:", "", {16, 148, 77, 16}},
    {"P_TYP1", Kind::Panel, "", "", {118, 144, 79, 25}},
    {"Label4", Kind::Label, "Snirf FileName:", "", {12, 179, 89, 16}},
    {"P_SNIRF", Kind::Panel, "", "", {118, 176, 558, 25}},
    {"Panel2", Kind::Bar, "", "", {0, 244, 695, 56}},  // docked above the status line
    {"RG_POS", Kind::Group, "STD_POS3D / USR_POS3D", "Panel2", {112, 3, 257, 45}},
    {"RdBtn", Kind::Button, "datx/dat File Read", "Panel2", {428, 12, 153, 33}},
    {"ExitBtn", Kind::Button, "Exit", "Panel2", {592, 12, 77, 33}},
    {"P_MSG", Kind::Panel, "", "", {0, 300, 695, 21}},  // docked to the bottom edge
};

QString CaptionOf(QWidget* w) {
  if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<QPushButton*>(w)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(w)) return group->title();
  return QString();
}

bool IsKind(QWidget* w, Kind kind) {
  auto* label = qobject_cast<QLabel*>(w);
  switch (kind) {
    case Kind::Label:
      return label && label->frameShape() == QFrame::NoFrame;
    case Kind::Panel:
      return label && label->frameShape() == QFrame::Panel && label->frameShadow() == QFrame::Sunken;
    case Kind::Button:
      return qobject_cast<QPushButton*>(w) != nullptr;
    case Kind::Bar:
      return !label && qobject_cast<QFrame*>(w) != nullptr;
    case Kind::Group:
      return qobject_cast<QGroupBox*>(w) != nullptr;
  }
  return false;
}

TEST_F(WindowLayoutTest, EveryControlSitsWhereTheWindowPutsIt) {
  for (const Expected& e : kExpected) {
    SCOPED_TRACE(e.name);
    auto* w = Screen().findChild<QWidget*>(e.name);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(IsKind(w, e.kind));
    EXPECT_EQ(CaptionOf(w).toStdString(), e.caption);
    EXPECT_EQ(w->geometry(), e.geometry);
    QWidget* parent = w->parentWidget();
    EXPECT_EQ(parent->objectName().toStdString(), e.parent);
    EXPECT_TRUE(w->isVisibleTo(&Screen()));
    EXPECT_TRUE(parent->rect().contains(w->geometry())) << "inside its parent";
  }
}

TEST_F(WindowLayoutTest, FixedDialogFrameCaptionAndSize) {
  EXPECT_EQ(Screen().windowTitle(), "Ordwell");
  EXPECT_EQ(Screen().size(), QSize(695, 321));
  EXPECT_EQ(Screen().minimumSize(), QSize(695, 321));
  EXPECT_EQ(Screen().maximumSize(), QSize(695, 321));
  Qt::WindowFlags flags = Screen().windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window) << "a main window, with a task bar entry";
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint) << "only the hints asked for";
}

TEST_F(WindowLayoutTest, CentredOnTheScreen) {
  QRect area = Screen().screen()->availableGeometry();
  QRect window = Screen().geometry();
  ASSERT_TRUE(area.contains(window));
  EXPECT_LE(std::abs((window.left() - area.left()) - (area.right() - window.right())), 1);
  EXPECT_LE(std::abs((window.top() - area.top()) - (area.bottom() - window.bottom())), 1);
}

TEST_F(WindowLayoutTest, BackgroundIsTheButtonFace) {
  const QColor face = Screen().palette().color(QPalette::Button);
  EXPECT_EQ(Screen().palette().color(QPalette::Window), face);
  QImage image = Screen().grab().toImage();
  // Bare client area: right of P_TYP, between the rows of panels.
  for (QPoint p : {QPoint(400, 60), QPoint(400, 160), QPoint(5, 5)})
    EXPECT_EQ(image.pixelColor(p).rgb(), face.rgb()) << p.x() << "," << p.y();
}

// The wanted size where the system has the wanted family; a wider stand-in may step
// down, and then only as far as the caption needs.
void ExpectFont(QWidget* w, const char* family, int pixels, const QString& caption, int room) {
  SCOPED_TRACE(w->objectName().toStdString());
  const QFont& font = w->font();
  ASSERT_FALSE(font.families().isEmpty());
  EXPECT_EQ(font.families().first().toStdString(), family);
  if (QFontInfo(font).family() == family || caption.isEmpty()) {
    EXPECT_EQ(font.pixelSize(), pixels);
    return;
  }
  EXPECT_LE(font.pixelSize(), pixels);
  EXPECT_GE(font.pixelSize(), 9);
  EXPECT_LE(QFontMetrics(font).horizontalAdvance(caption), room) << "the caption fits";
  if (font.pixelSize() < pixels) {
    QFont larger = font;
    larger.setPixelSize(font.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).horizontalAdvance(caption), room) << "no smaller than the caption needs";
  }
}

TEST_F(WindowLayoutTest, FontsOfLabelsPanelsGroupAndButtons) {
  for (const char* name : {"Label1", "Label7", "Label6", "Label4"}) {
    auto* label = Screen().findChild<QLabel*>(name);
    ExpectFont(label, "Tahoma", 13, label->text(), label->width());
  }
  ExpectFont(Screen().findChild<QWidget*>("RG_POS"), "Tahoma", 13, "", 0);
  for (int p = 0; p < kPanelCount; ++p) ExpectFont(&Screen().PanelWidget(Panel(p)), "Tahoma", 13, "", 0);
  for (int item : {0, 1}) ExpectFont(&Screen().PositionItem(item), "Tahoma", 13, "", 0);
  for (int b = 0; b < kButtonCount; ++b) {
    QPushButton& button = Screen().ButtonWidget(Button(b));
    ExpectFont(&button, "ＭＳ Ｐゴシック", 15, button.text(), button.width() - 8);
  }
}

TEST_F(WindowLayoutTest, PositionItemsSideBySideInTwoColumns) {
  auto* group = Screen().findChild<QGroupBox*>("RG_POS");
  QRadioButton& standard = Screen().PositionItem(0);
  QRadioButton& user = Screen().PositionItem(1);
  EXPECT_EQ(standard.text(), "STD_POS3D");
  EXPECT_EQ(user.text(), "USR_POS3D");
  EXPECT_EQ(standard.parentWidget(), group);
  EXPECT_EQ(user.parentWidget(), group);
  EXPECT_EQ(standard.geometry().top(), user.geometry().top());
  EXPECT_EQ(standard.width(), user.width());
  EXPECT_LE(standard.geometry().right(), user.geometry().left());
  for (QRadioButton* item : {&standard, &user}) {
    EXPECT_TRUE(group->rect().contains(item->geometry()));
    EXPECT_GE(item->width(), item->sizeHint().width()) << "the caption fits";
    EXPECT_GT(item->geometry().top(), QFontMetrics(group->font()).height() / 2) << "below the caption";
  }
}

TEST_F(WindowLayoutTest, PanelsShowOneLineOfPlainTextTheUserCannotEdit) {
  Screen().ShowText(Panel::P_FILE, "/base/<b>run</b> & co.datx");
  QLabel& panel = Screen().PanelWidget(Panel::P_FILE);
  EXPECT_EQ(panel.textFormat(), Qt::PlainText) << "a path is never taken for markup";
  EXPECT_EQ(panel.text(), "/base/<b>run</b> & co.datx");
  for (int p = 0; p < kPanelCount; ++p) {
    QLabel& w = Screen().PanelWidget(Panel(p));
    SCOPED_TRACE(w.objectName().toStdString());
    EXPECT_FALSE(w.wordWrap());
    EXPECT_EQ(w.textInteractionFlags(), Qt::NoTextInteraction);
    EXPECT_EQ(w.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  }
}

}  // namespace
}  // namespace ordwell::testing
