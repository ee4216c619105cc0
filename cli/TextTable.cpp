#include "cli/TextTable.h"

#include <algorithm>

namespace velars::cli {

QString TextTable::Text() const {
    std::vector<qsizetype> widths(rightAligned_.size(), 0);
    for (const QStringList& row : rows_)
        for (qsizetype i = 0; i < row.size() && i < static_cast<qsizetype>(widths.size()); ++i)
            widths[i] = std::max(widths[i], row.at(i).size());
    QString text;
    for (const QStringList& row : rows_) {
        QString line;
        for (qsizetype i = 0; i < row.size() && i < static_cast<qsizetype>(widths.size()); ++i) {
            if (i > 0) line += QStringLiteral("  ");
            const bool last = i + 1 == row.size();
            if (rightAligned_[i])
                line += row.at(i).rightJustified(widths[i]);
            else
                line += last ? row.at(i) : row.at(i).leftJustified(widths[i]);
        }
        while (line.endsWith(QLatin1Char(' '))) line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}

}  // namespace velars::cli
