#include "widgets/TextField.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "widgets/ActiveControl.h"
#include "widgets/SystemColors.h"

namespace velars {

TextField::TextField(QWidget* parent) : QLineEdit(parent) {
    // textChanged is raised for every change, from code too, and not when
    // the same text is set again.
    connect(this, &QLineEdit::textChanged, this, [this](const QString&) { emit changed(); });
    SetColor(WindowColor());
}

void TextField::SetColor(const QColor& color) {
    color_ = color;
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::Base, color);
    setPalette(p);
    repaint();
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    const bool enter = ActiveControl::Take(this);
    // The focus that comes with the window's activation keeps the caret
    // where it was, or where the click that activated the window put it.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        // Caret at the start, the first character selected.
        if (text().isEmpty())
            setCursorPosition(0);
        else
            setSelection(1, -1);
    }
    if (enter) emit entered();
}

void TextField::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        focusNextChild();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextField::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TextField::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit doubleClicked();
}

}  // namespace velars
