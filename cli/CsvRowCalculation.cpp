#include "cli/CsvRowCalculation.h"

#include <cmath>

#include "cli/DeviceChoice.h"
#include "cli/FastDecimal.h"
#include "cli/InstallationInput.h"
#include "numbers/ShortestNumber.h"
#include "calc/InputValidation.h"
#include "calc/LossModel.h"
#include "calc/PressureUnits.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"

namespace velars::cli {

namespace {

// CSV output is machine-readable: the decimal mark is always ".".
constexpr QChar kDecimalMark = QLatin1Char('.');

constexpr std::string_view kResultColumns =
    "dzeta_pp,dzeta_turb,dzeta_turb2,dzeta_sum,loss_pa,allowed_increase_pa,loss_mm,"
    "allowed_increase_mm";

const QString kNoText;

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A value read as validation reads it, stored as single.
bool FastSingle(std::string_view text, float& value) {
    long double read;
    if (!FastParseDecimal(text, read)) return false;
    value = static_cast<float>(read);
    return std::isfinite(value);
}

// A value converted and stored again as single, as validation does.
bool Store(long double value, float& target) {
    target = static_cast<float>(value);
    return std::isfinite(target);
}

}  // namespace

// The values of one row: the device, the five inputs as read in their own
// units, L/Dy as the loss model read it, and the calculated record.
struct CsvRowCalculation::Values {
    int model = -1;
    int section = -1;
    int dy = 0;
    float density = 0, flow = 0, temperature = 0, gaugePressure = 0, atmPressure = 0;
    QString ldyText;
    long double ldy = 0;
    CalcRecord record;
};

CsvRowCalculation::CsvRowCalculation(const CsvColumns& columns, bool fastPath)
    : columns_(columns), fastPath_(fastPath) {}

void CsvRowCalculation::AppendHeader(std::string& out) const {
    for (std::size_t column = 0; column < columns_.names.size(); ++column) {
        const int field = columns_.fieldOfColumn[column];
        if (field >= 0)
            out.append(ColumnName(kAllFields[field]));
        else
            AppendCsvField(out, columns_.names[column]);
        out.push_back(',');
    }
    out.append(kResultColumns);
    out.push_back('\n');
}

bool CsvRowCalculation::ReadFast(const std::vector<std::string_view>& fields, Values& v) const {
    auto field = [&](Field f) { return fields[columns_.ColumnOf(f)]; };
    v.model = ModelFromNumber(SmallNumber(field(Field::Model)));
    if (v.model < 0) return false;
    v.section = SectionFromNumber(v.model, SmallNumber(field(Field::Section)));
    if (v.section < 0) return false;
    v.dy = DiameterFromNumber(v.model, SmallNumber(field(Field::Dy)));
    if (v.dy < 0) return false;
    if (!FastSingle(field(Field::Density), v.density) || !FastSingle(field(Field::Flow), v.flow) ||
        !FastSingle(field(Field::Temperature), v.temperature) ||
        !FastSingle(field(Field::GaugePressure), v.gaugePressure) ||
        !FastSingle(field(Field::AtmPressure), v.atmPressure))
        return false;
    CalcRecord& r = v.record;
    r.valDy = v.dy;
    if (!Store(static_cast<long double>(v.atmPressure) * 1000.0L, r.valPatm) ||
        !Store(static_cast<long double>(v.gaugePressure) * 1000000.0L, r.valPizb) ||
        !Store(static_cast<long double>(v.temperature) + static_cast<long double>(273.15),
               r.valTgaza))
        return false;
    r.valQ = v.flow;
    r.valPlotnost = v.density;
    if (catalogue::NeedsLDy(v.model)) {
        const int column = columns_.ColumnOf(Field::LDy);
        float ldy;
        if (column < 0 || !FastSingle(fields[column], ldy)) return false;
        v.ldyText = ToQString(fields[column]);
    }
    return true;
}

bool CsvRowCalculation::ReadReference(const std::vector<std::string_view>& fields, Values& v,
                                      std::vector<std::string>& errors) const {
    InstallationTexts texts;
    for (Field f : kAllFields) {
        const int column = columns_.ColumnOf(f);
        if (column >= 0 && fields[column].data() != nullptr)
            texts.Set(f, ToQString(fields[column]));
    }
    Installation installation;
    const std::vector<FieldError> problems = ReadInstallation(texts, kDecimalMark, installation);
    for (const FieldError& problem : problems) {
        errors.push_back("field '" + std::string(ColumnName(problem.field)) +
                         "': " + problem.message.toStdString());
    }
    if (!problems.empty()) return false;
    v.model = installation.model;
    v.section = installation.section;
    v.dy = installation.record.valDy;
    v.record = installation.record;
    v.ldyText = installation.ldyText;
    // The inputs in their own units, as validation first stored them.
    v.density = ReadSingle(*texts.Get(Field::Density), kDecimalMark);
    v.flow = ReadSingle(*texts.Get(Field::Flow), kDecimalMark);
    v.temperature = ReadSingle(*texts.Get(Field::Temperature), kDecimalMark);
    v.gaugePressure = ReadSingle(*texts.Get(Field::GaugePressure), kDecimalMark);
    v.atmPressure = ReadSingle(*texts.Get(Field::AtmPressure), kDecimalMark);
    return true;
}

bool CsvRowCalculation::Process(const std::vector<std::string_view>& fields, std::string& out,
                                std::vector<std::string>& errors, CalculationSteps* steps) const {
    if (fields.size() > columns_.names.size()) {
        errors.push_back(std::to_string(fields.size()) + " fields where the header has " +
                         std::to_string(columns_.names.size()));
        return false;
    }
    if (fields.size() < columns_.names.size()) {
        // The fields missing at the end of a short row are not given.
        std::vector<std::string_view> padded(fields);
        padded.resize(columns_.names.size());
        return Process(padded, out, errors, steps);
    }

    Values values;
    if (!(fastPath_ && ReadFast(fields, values)) && !ReadReference(fields, values, errors))
        return false;
    try {
        if (steps || catalogue::NeedsLDy(values.model)) {
            LossTrace trace;
            CalculateLoss(values.record, values.model, values.section, values.ldyText, kDecimalMark,
                          &trace);
            values.ldy = trace.ldy;
            if (steps) *steps = StepsOf(values.record, values.model, values.section, trace);
        } else {
            CalculateLoss(values.record, values.model, values.section, kNoText, kDecimalMark);
        }
    } catch (const Exception& fault) {
        errors.push_back(fault.Message().toStdString());
        return false;
    }
    AppendLine(fields, values, out);
    return true;
}

void CsvRowCalculation::AppendLine(const std::vector<std::string_view>& fields, const Values& v,
                                   std::string& out) const {
    for (std::size_t column = 0; column < fields.size(); ++column) {
        switch (columns_.fieldOfColumn[column]) {
        case IndexOf(Field::Model): AppendInteger(out, v.model); break;
        case IndexOf(Field::Section): AppendInteger(out, v.section); break;
        case IndexOf(Field::Dy): AppendInteger(out, v.dy); break;
        case IndexOf(Field::Density): AppendShortest(out, v.density); break;
        case IndexOf(Field::Flow): AppendShortest(out, v.flow); break;
        case IndexOf(Field::Temperature): AppendShortest(out, v.temperature); break;
        case IndexOf(Field::GaugePressure): AppendShortest(out, v.gaugePressure); break;
        case IndexOf(Field::AtmPressure): AppendShortest(out, v.atmPressure); break;
        case IndexOf(Field::LDy):
            // The loss model reads L/Dy for the cut-in model only.
            if (catalogue::NeedsLDy(v.model)) AppendShortest(out, v.ldy);
            break;
        default: AppendCsvField(out, fields[column]); break;
        }
        out.push_back(',');
    }
    const CalcRecord& r = v.record;
    for (float value : {r.valDzetaPP, r.valDzetaTurb, r.valDzetaTurb2, r.valDzetaSum, r.valDPpoteri,
                        r.valDPdop, PascalToMmWater(r.valDPpoteri), PascalToMmWater(r.valDPdop)}) {
        AppendShortest(out, value);
        out.push_back(',');
    }
    out.back() = '\n';
}

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

}  // namespace velars::cli
