#pragma once
// The comparison of every choice for the window's gas data: a table sortable
// by any column, a loss limit that greys out the choices above it, and a
// button that copies the table as CSV.

#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>
#include <vector>

#include "calc/Sizing.h"
#include "numbers/Separators.h"
#include "platform/PlatformServices.h"

namespace velars {

class ComparisonWindow : public QWidget {
    Q_OBJECT
public:
    // The table's columns.
    enum Column { Model, Section, Dy, Loss, LossMm, Increase, IncreaseMm, ColumnCount };

    ComparisonWindow(PlatformServices& platform, QWidget* parent = nullptr);

    // Shows `results`, sorted by the loss, numbers with `separators`.
    void SetResults(std::vector<ChoiceResult> results, const Separators& separators);

    QTableView* tableChoices;
    QLineEdit* editMaxLoss;
    QPushButton* butCopyCsv;

    // The result shown in a row of the view, as sorted now.
    const ChoiceResult& ResultAt(int viewRow) const;
    // Whether a row of the view is greyed out by the limit.
    bool IsGreyedOut(int viewRow) const;

private:
    void ApplyLimit();
    void CopyCsv();

    PlatformServices& platform_;
    QStandardItemModel model_;
    QSortFilterProxyModel sorted_;
    std::vector<ChoiceResult> results_;
    Separators separators_;
};

}  // namespace velars
