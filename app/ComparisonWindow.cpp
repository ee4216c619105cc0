#include "app/ComparisonWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>
#include <limits>

#include "calc/PressureUnits.h"
#include "calc/SizingCsv.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"
#include "numbers/FormatFloat.h"
#include "numbers/ParseDecimal.h"

namespace velars {

namespace {

// The role that holds the number a column sorts by.
constexpr int kSortRole = Qt::UserRole;
// The role of a row's index into the results.
constexpr int kResultRole = Qt::UserRole + 1;
// What sorts after every number: a fault, a missing increase.
constexpr double kNoValue = std::numeric_limits<double>::infinity();

QStandardItem* Cell(const QString& text, double sortValue, bool number) {
    auto* item = new QStandardItem(text);
    item->setData(sortValue, kSortRole);
    item->setEditable(false);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

ComparisonWindow::ComparisonWindow(PlatformServices& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("ComparisonWindow"));
    setWindowTitle(QStringLiteral("Сравнение вариантов"));
    resize(820, 520);

    tableChoices = new QTableView(this);
    tableChoices->setObjectName(QStringLiteral("tableChoices"));
    sorted_.setSourceModel(&model_);
    sorted_.setSortRole(kSortRole);
    tableChoices->setModel(&sorted_);
    tableChoices->setSortingEnabled(true);
    tableChoices->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableChoices->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableChoices->verticalHeader()->hide();
    model_.setHorizontalHeaderLabels(
        {QStringLiteral("Прибор"), QStringLiteral("Участок"), QStringLiteral("Dy, мм"),
         QStringLiteral("Потери, Па"), QStringLiteral("мм вод. ст."),
         QStringLiteral("Допустимое увеличение, Па"), QStringLiteral("мм вод. ст.")});

    auto* limitLabel = new QLabel(QStringLiteral("Предел потерь, Па:"), this);
    editMaxLoss = new QLineEdit(this);
    editMaxLoss->setObjectName(QStringLiteral("editMaxLoss"));
    limitLabel->setBuddy(editMaxLoss);
    butCopyCsv = new QPushButton(QStringLiteral("Копировать CSV"), this);
    butCopyCsv->setObjectName(QStringLiteral("butCopyCsv"));

    auto* bar = new QHBoxLayout;
    bar->addWidget(limitLabel);
    bar->addWidget(editMaxLoss);
    bar->addStretch(1);
    bar->addWidget(butCopyCsv);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(tableChoices);

    connect(editMaxLoss, &QLineEdit::textChanged, this, &ComparisonWindow::ApplyLimit);
    connect(butCopyCsv, &QPushButton::clicked, this, &ComparisonWindow::CopyCsv);
}

void ComparisonWindow::SetResults(std::vector<ChoiceResult> results, const Separators& separators) {
    results_ = std::move(results);
    separators_ = separators;
    model_.removeRows(0, model_.rowCount());
    const QString none = QStringLiteral("—");
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const ChoiceResult& result = results_[i];
        const MeterChoice& c = result.choice;
        QList<QStandardItem*> row{
            Cell(catalogue::ModelNames().value(c.model), c.model, false),
            Cell(catalogue::SectionsOf(c.model).value(c.section), c.section, false),
            Cell(QString::number(c.dy), c.dy, true),
        };
        if (result.Faulted()) {
            row << Cell(result.fault, kNoValue, false) << Cell(none, kNoValue, true)
                << Cell(none, kNoValue, true) << Cell(none, kNoValue, true);
        } else {
            const float loss = result.record.valDPpoteri;
            const float increase = result.record.valDPdop;
            row << Cell(FormatFloat(loss, 2, separators), loss, true)
                << Cell(FormatFloat(PascalToMmWater(loss), 0, separators), PascalToMmWater(loss),
                        true);
            if (HasAllowedIncrease(c.section)) {
                row << Cell(FormatFloat(increase, 2, separators), increase, true)
                    << Cell(FormatFloat(PascalToMmWater(increase), 0, separators),
                            PascalToMmWater(increase), true);
            } else {
                row << Cell(none, kNoValue, true) << Cell(none, kNoValue, true);
            }
        }
        row.first()->setData(static_cast<int>(i), kResultRole);
        model_.appendRow(row);
    }
    tableChoices->sortByColumn(Loss, Qt::AscendingOrder);
    tableChoices->resizeColumnsToContents();
    ApplyLimit();
}

const ChoiceResult& ComparisonWindow::ResultAt(int viewRow) const {
    const QModelIndex source = sorted_.mapToSource(sorted_.index(viewRow, 0));
    return results_.at(
        static_cast<std::size_t>(model_.item(source.row(), 0)->data(kResultRole).toInt()));
}

bool ComparisonWindow::IsGreyedOut(int viewRow) const {
    const QModelIndex source = sorted_.mapToSource(sorted_.index(viewRow, 0));
    return !model_.item(source.row(), 0)->isEnabled();
}

// An empty or unreadable limit greys out nothing.
void ComparisonWindow::ApplyLimit() {
    std::optional<long double> limit;
    if (!editMaxLoss->text().trimmed().isEmpty()) {
        try {
            limit = ParseDecimal(editMaxLoss->text(), separators_.decimal);
        } catch (const EConvertError&) {
        }
    }
    for (int row = 0; row < model_.rowCount(); ++row) {
        const ChoiceResult& result =
            results_.at(static_cast<std::size_t>(model_.item(row, 0)->data(kResultRole).toInt()));
        const bool enabled = !limit || WithinLimit(result, *limit);
        for (int column = 0; column < ColumnCount; ++column)
            model_.item(row, column)->setEnabled(enabled);
    }
}

// The rows in the order they are shown.
void ComparisonWindow::CopyCsv() {
    std::vector<ChoiceResult> shown;
    shown.reserve(results_.size());
    for (int row = 0; row < sorted_.rowCount(); ++row) shown.push_back(ResultAt(row));
    platform_.SetClipboardText(QString::fromStdString(ComparisonCsv(shown)));
}

}  // namespace velars
