#pragma once
// Turns the control table into widgets on the window's client area.
#include <QFont>

#include "platform/qt/control_table.h"

class QWidget;

namespace ordwell {

// Creates every control of kControls on `window`, each named after its control, and
// the items of RG_POS, named RG_POS_0 and RG_POS_1.
void BuildControls(QWidget& window);

QFont FontOf(const FontChoice& choice);

}  // namespace ordwell
