#pragma once
// What the report says: the header and body paragraphs with their formatting.

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "calc/CalcRecord.h"
#include "calc/CalculationSteps.h"
#include "numbers/Separators.h"
#include "report/ReportParagraph.h"

namespace velars {

// The five centred, bold, 14-point header lines, the last "Расчет № N от DD.MM.YYYY".
std::vector<ReportParagraph> HeaderParagraphs(std::int32_t number, QDate today);

struct ReportInputs {
    int model = -1;    // cbPribor's index
    int section = -1;  // cbUchastok's index
    QString dyText;    // the text shown by cbDy
    CalcRecord record;
    // With them, the body ends with the "Ход расчета" part
    // (CalculationReport.h); without, the report is the plain one.
    std::optional<CalculationSteps> steps;
};

// The 21 to 24 body paragraphs, then the "Ход расчета" part when the inputs
// carry the calculation's steps.
std::vector<ReportParagraph> BodyParagraphs(const ReportInputs& inputs,
                                            const Separators& separators);

}  // namespace velars
