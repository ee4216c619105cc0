#pragma once
// One paragraph of the report as AddParagraph writes it: text, size in
// points, weight and Word's alignment code.

#include <QString>
#include <cstdint>

namespace velars {

struct ReportParagraph {
    QString text;
    std::int8_t size = 12;
    bool bold = false;
    std::int8_t alignment = 0;  // 0 left, 1 centred
    bool operator==(const ReportParagraph&) const = default;
};

}  // namespace velars
