#pragma once
// The single-line text field of the window. Change is raised on every
// change of the text, a change from code included, but not when code sets
// the text the field already holds. On receiving the focus the caret goes
// to the start and the first character is selected; the Enter key moves
// the focus on as Tab does.

#include <QColor>
#include <QLineEdit>

namespace velars {

class TextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget* parent = nullptr);

    // Background colour, repainted at once.
    void SetColor(const QColor& color);
    QColor Color() const { return color_; }

signals:
    void changed();        // the text changed
    void clicked();        // a mouse click in the field
    void doubleClicked();  // a double click in the field
    void entered();        // the field became the window's active control

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor color_;
};

}  // namespace velars
