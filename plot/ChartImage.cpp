#include "plot/ChartImage.h"

#include <QApplication>
#include <QChart>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace velars::plot {

namespace {

QString CannotWrite(const QString& path, const QString& reason) {
    return QStringLiteral("cannot write '%1': %2").arg(path, reason);
}

}  // namespace

bool SaveChartImage(std::unique_ptr<QChart> chart, QSize size, const QString& path,
                    QString& error) {
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    const bool svg = suffix == QLatin1String("svg");
    if (!svg && suffix != QLatin1String("png")) {
        error = CannotWrite(path, QStringLiteral("the name does not end in .svg or .png"));
        return false;
    }
    // The chart on a scene of its own, laid out at the image's size.
    QGraphicsScene scene;
    QChart* drawn = chart.release();
    scene.addItem(drawn);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    drawn->setGeometry(area);
    scene.setSceneRect(area);
    // Laying out the axes needs their labels' sizes, which the first pass
    // sets: let the posted layout requests run until none is left.
    for (int pass = 0; pass < 3; ++pass) QApplication::processEvents();
    auto render = [&](QPainter& painter) { scene.render(&painter, area, area); };

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = CannotWrite(path, file.errorString());
        return false;
    }
    if (svg) {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        // At 96 dots per inch the document's size is `size` in CSS pixels.
        generator.setResolution(96);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(drawn->title());
        QPainter painter;
        if (!painter.begin(&generator)) {
            error = CannotWrite(path, QStringLiteral("the SVG could not be started"));
            return false;
        }
        render(painter);
        painter.end();
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        render(painter);
        painter.end();
        if (!image.save(&file, "PNG")) {
            error = CannotWrite(path, QStringLiteral("the PNG could not be encoded"));
            return false;
        }
    }
    if (!file.commit()) {
        error = CannotWrite(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace velars::plot
