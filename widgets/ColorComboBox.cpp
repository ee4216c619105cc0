#include "widgets/ColorComboBox.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

#include "widgets/ActiveControl.h"
#include "widgets/SystemColors.h"

namespace velars {

namespace {

// Items of a fixed height.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(ColorComboBox::kItemHeight);
        return size;
    }
};

}  // namespace

ColorComboBox::ColorComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new FixedHeightDelegate(this));
    // Items wider than the list are cut off at the right edge.
    view()->setTextElideMode(Qt::ElideNone);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(this, &QComboBox::activated, this, [this](int) { emit changed(); });
    SetColorEx(WindowColor());
}

void ColorComboBox::SetColorEx(const QColor& color) {
    color_ = color;
    QPalette p = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Base, color);
        p.setColor(group, QPalette::Button, color);
    }
    setPalette(p);
    // The drop-down part keeps the ordinary list colours.
    view()->setPalette(QGuiApplication::palette());
    repaint();
}

// Owner-drawn: the style's frame and arrow, the field in the list's own
// colour, the current item's text on it.
void ColorComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect arrow = style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                QStyle::SC_ComboBoxArrow, this);
    const QRect field(2, 2, arrow.left() - 2, height() - 4);
    painter.fillRect(field, color_);
    option.palette.setColor(QPalette::ButtonText, palette().color(QPalette::Text));
    option.currentText = ClosedText();
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

QRect ColorComboBox::TextRect() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The label is drawn one pixel in from each side of the edit field.
    return style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this)
        .adjusted(1, 0, -1, 0);
}

QString ColorComboBox::ClosedText() const {
    return fontMetrics().elidedText(currentText(), Qt::ElideRight, TextRect().width());
}

void ColorComboBox::showPopup() {
    QComboBox::showPopup();
    // The drop-down part is exactly as wide as the control.
    if (QWidget* popup = view()->window(); popup != window()) {
        popup->setFixedWidth(width());
    }
}

void ColorComboBox::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    // Enter means the list became the window's active control, not that the
    // window got it back or the drop-down part closed.
    if (ActiveControl::Take(this)) emit entered();
}

void ColorComboBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked();
    QComboBox::mousePressEvent(event);
}

}  // namespace velars
