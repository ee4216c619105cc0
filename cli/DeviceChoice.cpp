#include "cli/DeviceChoice.h"
#include "cli/MessageText.h"

#include <QStringList>

#include <array>
#include <vector>

#include "catalogue/Catalogue.h"

namespace velars::cli {

namespace {

constexpr int kMaxNumberDigits = 9;

template <typename Char>
int SmallNumberOf(const Char* chars, qsizetype length) {
    if (length == 0 || length > kMaxNumberDigits) return -1;
    int value = 0;
    for (qsizetype i = 0; i < length; ++i) {
        const auto c = chars[i];
        if (c < '0' || c > '9') return -1;
        value = value * 10 + static_cast<int>(c - '0');
    }
    return value;
}

// The model's name up to its bracketed description: "ВЕЛАРС-Сфера-ПП".
QString ShortName(const QString& name) {
    const qsizetype bracket = name.indexOf(QLatin1String(" ("));
    return bracket < 0 ? name : name.left(bracket);
}

bool SameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The diameter texts of every model as numbers, read once.
const std::array<std::vector<int>, catalogue::kModelCount>& DiameterValues() {
    static const auto values = [] {
        std::array<std::vector<int>, catalogue::kModelCount> result;
        for (int model = 0; model < catalogue::kModelCount; ++model)
            for (const QString& text : catalogue::DiametersOf(model))
                result[model].push_back(text.toInt());
        return result;
    }();
    return values;
}

QString Quoted(const QString& text) {
    return QLatin1Char('\'') + ShownText(text) + QLatin1Char('\'');
}

}  // namespace

int SmallNumber(std::string_view text) {
    return SmallNumberOf(text.data(), static_cast<qsizetype>(text.size()));
}

int SmallNumber(QStringView text) { return SmallNumberOf(text.utf16(), text.size()); }

int ModelFromNumber(int number) {
    return number >= 0 && number < catalogue::kModelCount ? number : -1;
}

int SectionFromNumber(int model, int number) {
    return number >= 0 && number < catalogue::SectionsOf(model).size() ? number : -1;
}

int DiameterFromNumber(int model, int number) {
    if (model < 0 || model >= catalogue::kModelCount || number < 0) return -1;
    const std::vector<int>& diameters = DiameterValues()[model];
    for (int diameter : diameters)
        if (diameter == number) return number;
    if (number < static_cast<int>(diameters.size())) return diameters[number];
    return -1;
}

int ResolveModel(const QString& text, QString* error) {
    const QString trimmed = text.trimmed();
    const QStringList& names = catalogue::ModelNames();
    const int number = SmallNumber(QStringView(trimmed));
    if (number >= 0) {
        if (ModelFromNumber(number) >= 0) return number;
    } else {
        for (int model = 0; model < names.size(); ++model) {
            if (SameText(trimmed, names.at(model)) || SameText(trimmed, ShortName(names.at(model))))
                return model;
        }
    }
    if (error) {
        *error = Quoted(text) +
                 QStringLiteral(" is not a model: give 0 to %1 or a name from --help")
                     .arg(catalogue::kModelCount - 1);
    }
    return -1;
}

int ResolveSection(int model, const QString& text, QString* error) {
    const QString trimmed = text.trimmed();
    const QStringList& sections = catalogue::SectionsOf(model);
    const int number = SmallNumber(QStringView(trimmed));
    if (number >= 0) {
        if (SectionFromNumber(model, number) >= 0) return number;
    } else {
        for (int section = 0; section < sections.size(); ++section)
            if (SameText(trimmed, sections.at(section))) return section;
    }
    if (error) {
        QStringList choices;
        for (int section = 0; section < sections.size(); ++section)
            choices << QStringLiteral("%1 %2").arg(section).arg(sections.at(section));
        *error = Quoted(text) + QStringLiteral(" is not a section of ") +
                 catalogue::ModelNames().value(model) + QStringLiteral(" (") +
                 choices.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    return -1;
}

int ResolveDiameter(int model, const QString& text, QString* error) {
    const int number = SmallNumber(QStringView(text.trimmed()));
    const int diameter = number >= 0 ? DiameterFromNumber(model, number) : -1;
    if (diameter < 0 && error) {
        *error = Quoted(text) + QStringLiteral(" is not a diameter of ") +
                 catalogue::ModelNames().value(model) + QStringLiteral(" (") +
                 catalogue::DiametersOf(model).join(QStringLiteral(", ")) +
                 QStringLiteral(" mm, or their position from 0)");
    }
    return diameter;
}

}  // namespace velars::cli
