#include "cli/SizingInput.h"

#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"
#include "numbers/ParseDecimal.h"

namespace velars::cli {

namespace {

QString Latin(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString ErrorLines(const std::vector<FieldError>& errors) {
    QString lines;
    for (const FieldError& error : errors) {
        lines += QStringLiteral("field '") + Latin(ColumnName(error.field)) +
                 QStringLiteral("' (") + Latin(OptionName(error.field)) + QStringLiteral("): ") +
                 error.message + QLatin1Char('\n');
    }
    return lines;
}

std::vector<FieldError> ReadGas(const InstallationTexts& texts, QChar decimalSeparator,
                                Installation& gas) {
    // Any device of the catalogue will do for reading the gas data; the
    // cut-in model's when an L/Dy is given, so that it is tested too.
    InstallationTexts withDevice = texts;
    const int model = texts.Get(Field::LDy) ? catalogue::kCutInModel : 0;
    withDevice.Set(Field::Model, QString::number(model));
    withDevice.Set(Field::Section, QStringLiteral("0"));
    withDevice.Set(Field::Dy, catalogue::DiametersOf(model).first());
    return ReadInstallation(withDevice, decimalSeparator, gas);
}

QString ReadLimit(const QString& text, QChar decimalSeparator, long double& limit) {
    try {
        limit = ParseDecimal(text, decimalSeparator);
    } catch (const EConvertError&) {
        return QStringLiteral("option '--max-loss': '") + text +
               QStringLiteral("' is not a valid floating point value");
    }
    return {};
}

}  // namespace velars::cli
