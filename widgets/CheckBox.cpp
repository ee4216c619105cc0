#include "widgets/CheckBox.h"

namespace velars {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {}

bool CheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

}  // namespace velars
