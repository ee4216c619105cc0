#pragma once
// What the report says: the header and body paragraphs with their formatting.

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

#include "calc/CalcRecord.h"
#include "numbers/Separators.h"

namespace velars {

struct ReportParagraph {
    QString text;
    std::int8_t size = 12;
    bool bold = false;
    std::int8_t alignment = 0;  // 0 left, 1 centred
    bool operator==(const ReportParagraph&) const = default;
};

// The five centred, bold, 14-point header lines, the last "Расчет № N от DD.MM.YYYY".
std::vector<ReportParagraph> HeaderParagraphs(std::int32_t number, QDate today);

struct ReportInputs {
    int model = -1;    // cbPribor's index
    int section = -1;  // cbUchastok's index
    QString dyText;    // the text shown by cbDy
    CalcRecord record;
};

// The 21 to 24 body paragraphs.
std::vector<ReportParagraph> BodyParagraphs(const ReportInputs& inputs,
                                            const Separators& separators);

}  // namespace velars
