#pragma once
// A chart drawn into an image file: SVG or PNG by the file's suffix. Needs a
// QApplication (the offscreen platform will do).

#include <QSize>
#include <QString>
#include <memory>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace velars::plot {

// Draws `chart` at `size` pixels into `path` (".svg" or ".png", letter case
// ignored). The file is written whole or not at all. On failure returns
// false and says why in `error`.
bool SaveChartImage(std::unique_ptr<QChart> chart, QSize size, const QString& path, QString& error);

}  // namespace velars::plot
