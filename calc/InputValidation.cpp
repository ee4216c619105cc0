#include "calc/InputValidation.h"

#include "calc/CheckedArithmetic.h"
#include "calc/FloatErrors.h"
#include "numbers/Exception.h"
#include "numbers/ParseDecimal.h"

namespace velars {

namespace {

constexpr int kCutInModel = 2;  // the only model whose L/Dy is read

// Only a value that survives the store into single precision is valid.
float StoreOrReject(long double value, const QString& text, QChar decimalSeparator) {
    try {
        return checked::ToSingle(value);
    } catch (const EMathError&) {
        QString copy = text;
        for (QChar& c : copy)
            if (c == QLatin1Char('.') || c == QLatin1Char(',')) c = decimalSeparator;
        throw EConvertError(QLatin1Char('\'') + copy +
                            QLatin1String("' is not a valid floating point value"));
    }
}

// Reads one field; on failure the field is marked and the result set. The
// record field is written only when the whole conversion succeeds, so a
// failed field keeps the value of the previous calculation.
template <typename Convert>
void ReadField(InputForm& form, InputField field, QChar decimalSeparator, float& target,
               int& result, Convert convert) {
    try {
        const float value = ReadSingle(form.Text(field), decimalSeparator);
        target = checked::ToSingle(convert(value));
    } catch (const EConvertError&) {
        form.MarkInvalid(field);
        result = 1;
    } catch (const EMathError&) {
        form.MarkInvalid(field);
        result = 1;
    }
}

}  // namespace

float ReadSingle(const QString& text, QChar decimalSeparator) {
    return StoreOrReject(ParseDecimal(text, decimalSeparator), text, decimalSeparator);
}

int CheckInputs(InputForm& form, CalcRecord& record, QChar decimalSeparator) {
    int result = 0;
    // kPa to Pa.
    ReadField(form, InputField::Patm, decimalSeparator, record.valPatm, result,
              [](float v) { return checked::Mul(v, 1000.0L); });
    // MPa to Pa.
    ReadField(form, InputField::Pizb, decimalSeparator, record.valPizb, result,
              [](float v) { return checked::Mul(v, 1000000.0L); });
    // Degrees Celsius to kelvin.
    ReadField(form, InputField::Tgaza, decimalSeparator, record.valTgaza, result,
              [](float v) { return checked::Add(v, 273.15); });
    ReadField(form, InputField::Q, decimalSeparator, record.valQ, result,
              [](float v) { return static_cast<long double>(v); });
    ReadField(form, InputField::Plotnost, decimalSeparator, record.valPlotnost, result,
              [](float v) { return static_cast<long double>(v); });

    for (InputList list : {InputList::Pribor, InputList::Uchastok, InputList::Dy}) {
        if (form.SelectedIndex(list) == -1) {
            form.MarkInvalid(list);
            result = 1;
        }
    }

    // The L/Dy text is only tested; the loss model reads it again.
    if (form.SelectedIndex(InputList::Pribor) == kCutInModel) {
        try {
            ReadSingle(form.Text(InputField::LDy), decimalSeparator);
        } catch (const EConvertError&) {
            form.MarkInvalid(InputField::LDy);
            result = 1;
        }
    }
    return result;
}

}  // namespace velars
