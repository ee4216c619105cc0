#include "cli/InstallationInput.h"

#include "cli/DeviceChoice.h"
#include "cli/MessageText.h"
#include "calc/InputValidation.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"

namespace velars::cli {

namespace {

Field FieldOf(InputField field) {
    switch (field) {
    case InputField::Patm: return Field::AtmPressure;
    case InputField::Pizb: return Field::GaugePressure;
    case InputField::Tgaza: return Field::Temperature;
    case InputField::Q: return Field::Flow;
    case InputField::Plotnost: return Field::Density;
    case InputField::LDy: return Field::LDy;
    }
    return Field::LDy;
}

// The window's controls as validation sees them: the texts as given (an
// input not given reads as an empty field), the lists as resolved.
class TextForm : public InputForm {
public:
    TextForm(const InstallationTexts& texts, int model, int section, bool diameterChosen)
        : texts_(texts), model_(model), section_(section), diameterChosen_(diameterChosen) {}

    QString Text(InputField field) override {
        return texts_.Get(FieldOf(field)).value_or(QString());
    }
    void MarkInvalid(InputField field) override { invalid_[IndexOf(FieldOf(field))] = true; }
    int SelectedIndex(InputList list) override {
        switch (list) {
        case InputList::Pribor: return model_;
        case InputList::Uchastok: return section_;
        case InputList::Dy: return diameterChosen_ ? 0 : -1;
        }
        return -1;
    }
    // The device's errors are told by the resolution, with their reason.
    void MarkInvalid(InputList) override {}

    bool IsInvalid(Field field) const { return invalid_[IndexOf(field)]; }

private:
    const InstallationTexts& texts_;
    int model_;
    int section_;
    bool diameterChosen_;
    std::array<bool, kFieldCount> invalid_{};
};

QString ValueError(const QString& text, QChar decimalSeparator) {
    try {
        ReadSingle(text, decimalSeparator);
    } catch (const EConvertError&) {
        return QLatin1Char('\'') + ShownText(text) +
               QStringLiteral("' is not a valid floating point value");
    }
    // The text is a number; its conversion to SI units left the single range.
    return QLatin1Char('\'') + ShownText(text) + QStringLiteral("' is out of range");
}

const QString kMissing = QStringLiteral("missing");

}  // namespace

std::vector<FieldError> ReadInstallation(const InstallationTexts& texts, QChar decimalSeparator,
                                         Installation& installation) {
    installation = Installation{};
    std::vector<FieldError> errors;
    QString error;

    const auto& modelText = texts.Get(Field::Model);
    if (!modelText) {
        errors.push_back({Field::Model, kMissing});
    } else {
        installation.model = ResolveModel(*modelText, &error);
        if (installation.model < 0) errors.push_back({Field::Model, error});
    }
    // Section and diameter can only be checked against a known model.
    const auto& sectionText = texts.Get(Field::Section);
    if (!sectionText) {
        errors.push_back({Field::Section, kMissing});
    } else if (installation.model >= 0) {
        installation.section = ResolveSection(installation.model, *sectionText, &error);
        if (installation.section < 0) errors.push_back({Field::Section, error});
    }
    const auto& diameterText = texts.Get(Field::Dy);
    if (!diameterText) {
        errors.push_back({Field::Dy, kMissing});
    } else if (installation.model >= 0) {
        installation.record.valDy = ResolveDiameter(installation.model, *diameterText, &error);
        if (installation.record.valDy < 0) {
            errors.push_back({Field::Dy, error});
            installation.record.valDy = 0;
        }
    }

    TextForm form(texts, installation.model, installation.section, installation.record.valDy > 0);
    CheckInputs(form, installation.record, decimalSeparator);
    for (Field field : {Field::Density, Field::Flow, Field::Temperature, Field::GaugePressure,
                        Field::AtmPressure, Field::LDy}) {
        if (!form.IsInvalid(field)) continue;
        const auto& text = texts.Get(field);
        errors.push_back({field, text ? ValueError(*text, decimalSeparator) : kMissing});
    }
    if (catalogue::NeedsLDy(installation.model))
        installation.ldyText = texts.Get(Field::LDy).value_or(QString());
    return errors;
}

void Calculate(Installation& installation, QChar decimalSeparator, LossTrace* trace) {
    CalculateLoss(installation.record, installation.model, installation.section,
                  installation.ldyText, decimalSeparator, trace);
}

}  // namespace velars::cli
