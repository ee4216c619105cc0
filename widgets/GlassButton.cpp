#include "widgets/GlassButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace velars {

GlassButton::GlassButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    colors_ = {Qt::black, Qt::white, QColor(141, 189, 255), Qt::black, Qt::white, Qt::white};
    setAttribute(Qt::WA_Hover);
}

void GlassButton::SetColors(const Colors& colors) {
    colors_ = colors;
    update();
}

void GlassButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QPushButton::enterEvent(event);
}

void GlassButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

void GlassButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QRectF inner = outer.adjusted(1, 1, -1, -1);
    const double radius = 4;

    // Face: the background colour, darker while pressed.
    const QColor face = isDown() ? colors_.background.darker(130) : colors_.background;
    QPainterPath innerPath;
    innerPath.addRoundedRect(inner, radius - 1, radius - 1);
    painter.fillPath(innerPath, face);

    // Glow from the bottom while the mouse is over the button.
    if (hovered_ && isEnabled()) {
        QRadialGradient glow(inner.center().x(), inner.bottom(), inner.width() * 0.6);
        QColor c = colors_.glow;
        c.setAlpha(200);
        glow.setColorAt(0, c);
        c.setAlpha(0);
        glow.setColorAt(1, c);
        painter.fillPath(innerPath, glow);
    }

    // Shine on the upper half.
    QPainterPath shinePath;
    const QRectF upper(inner.left(), inner.top(), inner.width(), inner.height() / 2);
    shinePath.addRoundedRect(upper, radius - 1, radius - 1);
    QLinearGradient shine(upper.topLeft(), upper.bottomLeft());
    QColor s = colors_.shine;
    s.setAlpha(isDown() ? 60 : 120);
    shine.setColorAt(0, s);
    s.setAlpha(isDown() ? 20 : 40);
    shine.setColorAt(1, s);
    painter.fillPath(shinePath, shine);

    // Borders.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colors_.outerBorder, 1));
    painter.drawRoundedRect(outer, radius, radius);
    painter.setPen(QPen(colors_.innerBorder, 1));
    painter.drawRoundedRect(inner, radius - 1, radius - 1);

    // Caption.
    painter.setPen(isEnabled() ? colors_.caption : colors_.caption.darker(150));
    painter.setFont(font());
    QRectF textRect = inner;
    if (isDown()) textRect.translate(1, 1);
    painter.drawText(textRect, Qt::AlignCenter, text());
}

}  // namespace velars
