#include "calc/SizingCsv.h"

#include "calc/PressureUnits.h"
#include "catalogue/Catalogue.h"
#include "numbers/ShortestNumber.h"

namespace velars {

namespace {

// A text field, quoted when it holds a comma, a quote or a line end.
void AppendText(std::string& out, const QString& text) {
    const std::string utf8 = text.toStdString();
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// loss_pa,loss_mm,allowed_increase_pa,allowed_increase_mm,fault and LF.
void AppendResults(std::string& out, const ChoiceResult& result) {
    if (result.Faulted()) {
        out += ",,,,";
        AppendText(out, result.fault);
        out += '\n';
        return;
    }
    const CalcRecord& r = result.record;
    AppendShortest(out, r.valDPpoteri);
    out += ',';
    AppendShortest(out, PascalToMmWater(r.valDPpoteri));
    out += ',';
    if (HasAllowedIncrease(result.choice.section)) {
        AppendShortest(out, r.valDPdop);
        out += ',';
        AppendShortest(out, PascalToMmWater(r.valDPdop));
    } else {
        out += ',';
    }
    out += ",\n";
}

}  // namespace

std::string ComparisonCsv(const std::vector<ChoiceResult>& results) {
    std::string out =
        "model,model_name,section,section_name,dy,loss_pa,loss_mm,allowed_increase_pa,"
        "allowed_increase_mm,fault\n";
    for (const ChoiceResult& result : results) {
        const MeterChoice& c = result.choice;
        AppendInteger(out, c.model);
        out += ',';
        AppendText(out, catalogue::ModelNames().value(c.model));
        out += ',';
        AppendInteger(out, c.section);
        out += ',';
        AppendText(out, catalogue::SectionsOf(c.model).value(c.section));
        out += ',';
        AppendInteger(out, c.dy);
        out += ',';
        AppendResults(out, result);
    }
    return out;
}

std::string CurveCsv(const std::vector<ChoiceResult>& points) {
    std::string out = "flow,loss_pa,loss_mm,allowed_increase_pa,allowed_increase_mm,fault\n";
    for (const ChoiceResult& point : points) {
        AppendShortest(out, point.record.valQ);
        out += ',';
        AppendResults(out, point);
    }
    return out;
}

}  // namespace velars
