#pragma once
// A plain-text table for the terminal: columns padded to their widest cell,
// numbers right-aligned, the last column left as it is.

#include <QString>
#include <QStringList>
#include <vector>

namespace velars::cli {

class TextTable {
public:
    // `rightAligned` says for each column whether its cells are numbers.
    explicit TextTable(std::vector<bool> rightAligned) : rightAligned_(std::move(rightAligned)) {}

    // A row of at most as many cells as there are columns.
    void AddRow(QStringList cells) { rows_.push_back(std::move(cells)); }

    // Every row on its own line, columns two blanks apart, no trailing
    // blanks.
    QString Text() const;

private:
    std::vector<bool> rightAligned_;
    std::vector<QStringList> rows_;
};

}  // namespace velars::cli
