#include "widgets/GroupFrame.h"

#include <QFontMetrics>
#include <QPainter>

namespace velars {

GroupFrame::GroupFrame(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption) {
    setFocusPolicy(Qt::NoFocus);
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int lineY = metrics.height() / 2;
    // An etched frame: a dark line with a light one beside it.
    const QRect frame(0, lineY, width() - 2, height() - lineY - 2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));

    if (caption_.isEmpty()) return;
    const int left = 8;
    const QRect textRect(left, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
    painter.fillRect(textRect, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(textRect, Qt::AlignCenter, caption_);
}

}  // namespace velars
