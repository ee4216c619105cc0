#include "calc/ResultsPane.h"

#include "calc/PressureUnits.h"
#include "numbers/FormatFloat.h"

namespace velars {

namespace {

// "<pascal> Па ( <mm> мм вод. ст.)", with a full stop after the bracket
// when asked.
QString ResultLine(float pascal, const Separators& separators, bool fullStop) {
    QString line = FormatFloat(pascal, 2, separators) + QStringLiteral(" Па ( ") +
                   FormatFloat(PascalToMmWater(pascal), 0, separators) +
                   QStringLiteral(" мм вод. ст.)");
    if (fullStop) line += QLatin1Char('.');
    return line;
}

// 1-based position of the first occurrence, 0 when absent.
int Position(const QString& text, QStringView marker) {
    return static_cast<int>(text.indexOf(marker)) + 1;
}

}  // namespace

QStringList ResultLines(const CalcRecord& record, int section, const Separators& separators) {
    QStringList lines{
        QStringLiteral("Результаты расчета:"),
        QStringLiteral("Наибольшие потери давления на ПП"),
        QStringLiteral("и турбулизаторе (в чистом состоянии):"),
        ResultLine(record.valDPpoteri, separators, false),
    };
    if (section != 0) {
        lines << QStringLiteral(" ") << QStringLiteral("Допустимое значение увеличения")
              << QStringLiteral("перепада давления на загрязненном")
              << QStringLiteral("устройстве подготовки потока:")
              << ResultLine(record.valDPdop, separators, true);
    }
    return lines;
}

// The offsets are set for a text whose line ends are CR LF while the
// selection counts a line end as one character: run 1 is the heading, run 2
// the first result line (from the end of the line before it), run 3 the
// second result line.
std::array<BoldRun, 3> FindBoldRuns(const QString& paneText) {
    std::array<BoldRun, 3> runs;
    int a = Position(paneText, u"Ре");
    int b = Position(paneText, u"та:");
    runs[0] = {a - 1, (b + 2) - (a - 1)};
    a = Position(paneText, u"):");
    b = Position(paneText, u".)");
    runs[1] = {a - 1, (b + 1) - (a - 1)};
    a = Position(paneText, u"ка:");
    b = Position(paneText, u").");
    runs[2] = {a - 4, (b + 1) - (a - 4)};
    return runs;
}

}  // namespace velars
