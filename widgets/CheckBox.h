#pragma once
// The check box of the window: a click anywhere in its area ticks it, not
// only on the box and the caption.

#include <QCheckBox>

namespace velars {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr);

protected:
    bool hitButton(const QPoint& pos) const override;
};

}  // namespace velars
