#include "widgets/RichLabel.h"

#include <QFontMetricsF>
#include <QPainter>

namespace velars {

RichLabel::RichLabel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RichLabel::SetRuns(std::vector<TextRun> runs) {
    runs_ = std::move(runs);
    update();
}

QString RichLabel::PlainText() const {
    QString text;
    for (const TextRun& run : runs_) text += run.text;
    return text;
}

void RichLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QFontMetricsF metrics(font());
    // Room above the text for a raised run.
    const double baseline = kShiftPixels + metrics.ascent();
    double x = 0;
    for (const TextRun& run : runs_) {
        double y = baseline;
        if (run.shift == TextRun::Raised)
            y -= kShiftPixels;
        else if (run.shift == TextRun::Lowered)
            y += kShiftPixels;
        painter.drawText(QPointF(x, y), run.text);
        x += metrics.horizontalAdvance(run.text);
    }
}

}  // namespace velars
