#pragma once
// The drop-down list of the window: a fixed list with a current index
// (-1 = none) and a background colour that can be set at run time.
// Change is raised only when the user picks an item; setting the index or
// replacing the items from code raises nothing.

#include <QColor>
#include <QComboBox>

namespace velars {

class ColorComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorComboBox(QWidget* parent = nullptr);

    // Background colour of the list, repainted at once.
    void SetColorEx(const QColor& color);
    QColor Color() const { return color_; }

    // Height of one item of the drop-down part.
    static constexpr int kItemHeight = 16;

    void showPopup() override;

    // Where the closed list draws the current item's text, and that text as
    // drawn: elided with "…" when it is wider than that place.
    QRect TextRect() const;
    QString ClosedText() const;

signals:
    void changed();  // the user picked an item
    void clicked();  // a mouse click on the list
    void entered();  // the list became the window's active control

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QColor color_;
};

}  // namespace velars
