#include "platform/qt/control_builder.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace ordwell {
namespace {

// A caption never runs out of its control: where the system lacks the wanted font
// and the stand-in is wider, the stand-in steps down in size until the caption fits.
void FitCaption(QWidget& control, const QString& caption, int room) {
  QFont font = control.font();
  while (font.pixelSize() > kSmallestPixelSize && QFontMetrics(font).horizontalAdvance(caption) > room)
    font.setPixelSize(font.pixelSize() - 1);
  control.setFont(font);
}

QLabel* MakeLabel(const ControlEntry& entry, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(entry.caption), parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  FitCaption(*label, label->text(), entry.width);
  return label;
}

// One line, left-aligned, in a lowered frame; paths and status texts are shown as
// they are, never as markup, and cannot be edited.
QLabel* MakeTextPanel(QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setTextFormat(Qt::PlainText);
  panel->setWordWrap(false);
  panel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setTextInteractionFlags(Qt::NoTextInteraction);
  return panel;
}

// The width the style leaves for a button's caption, with a little air on each side.
int ButtonCaptionRoom(const QPushButton& button, const ControlEntry& entry) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.rect = QRect(0, 0, entry.width, entry.height);
  option.text = button.text();
  const int air = button.style()->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
  return button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width() - air;
}

QPushButton* MakeButton(const ControlEntry& entry, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(entry.caption), parent);
  button->setFont(FontOf(kButtonFont));
  button->setAutoDefault(false);
  FitCaption(*button, button->text(), ButtonCaptionRoom(*button, entry));
  return button;
}

QFrame* MakeButtonBar(QWidget* parent) {
  auto* bar = new QFrame(parent);
  bar->setFrameStyle(QFrame::Panel | QFrame::Raised);
  bar->setLineWidth(1);
  return bar;
}

// The items fill equal columns below the caption, as many rows as the columns need.
QGroupBox* MakeRadioGroup(const ControlEntry& entry, QWidget* parent) {
  auto* group = new QGroupBox(QString::fromUtf8(entry.caption), parent);
  const int count = static_cast<int>(kPositionItems.size());
  const int rows = (count + kPositionColumns - 1) / kPositionColumns;
  const int captionHeight = QFontMetrics(group->font()).height();
  const int columnWidth = (entry.width - 10) / kPositionColumns;
  const int freeHeight = entry.height - captionHeight - 5;
  const int itemHeight = freeHeight / rows;
  const int firstTop = captionHeight + 1 + (freeHeight % rows) / 2;
  for (int i = 0; i < count; ++i) {
    auto* item = new QRadioButton(QString::fromUtf8(kPositionItems[static_cast<size_t>(i)]), group);
    item->setObjectName(QString::fromUtf8(entry.name) + "_" + QString::number(i));
    item->setGeometry(8 + (i / rows) * columnWidth, firstTop + (i % rows) * itemHeight, columnWidth, itemHeight);
  }
  return group;
}

QWidget* MakeControl(const ControlEntry& entry, QWidget* parent) {
  switch (entry.kind) {
    case ControlKind::Label:
      return MakeLabel(entry, parent);
    case ControlKind::TextPanel:
      return MakeTextPanel(parent);
    case ControlKind::Button:
      return MakeButton(entry, parent);
    case ControlKind::ButtonBar:
      return MakeButtonBar(parent);
    case ControlKind::RadioGroup:
      return MakeRadioGroup(entry, parent);
  }
  return nullptr;
}

}  // namespace

QFont FontOf(const FontChoice& choice) {
  QFont font;
  font.setFamilies(QString::fromUtf8(choice.families).split(','));
  font.setPixelSize(choice.pixelSize);
  return font;
}

void BuildControls(QWidget& window) {
  window.setFont(FontOf(kTextFont));
  QWidget* bar = nullptr;
  for (const ControlEntry& entry : kControls) {
    QWidget* parent = entry.parent == ControlParent::ButtonBar ? bar : &window;
    QWidget* control = MakeControl(entry, parent);
    control->setObjectName(QString::fromUtf8(entry.name));
    control->setGeometry(entry.left, entry.top, entry.width, entry.height);
    if (entry.kind == ControlKind::ButtonBar) bar = control;
  }
}

}  // namespace ordwell
