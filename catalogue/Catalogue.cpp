#include "catalogue/Catalogue.h"

namespace velars::catalogue {
namespace {

const QStringList kEmpty;

// The models' names, and the description the list adds in brackets.
const QString kModelNames[kModelCount] = {
    QStringLiteral("ВЕЛАРС-Сфера-ПП"), QStringLiteral("ВЕЛАРС-Сфера-Пр"),
    QStringLiteral("ВЕЛАРС-Сфера-Вр"), QStringLiteral("ВЕЛАРС-МТ7"),
    QStringLiteral("ВЕЛАРС-Д500"),     QStringLiteral("ВЕЛАРС-МТ7-Сфера"),
};
const QString kModelDescriptions[kModelCount] = {
    QStringLiteral("полнопроходной"),
    QStringLiteral("погружной"),
    QStringLiteral("врезной"),
    {},
    {},
    {},
};

QStringList ListItems() {
    QStringList items;
    for (int model = 0; model < kModelCount; ++model) {
        items << kModelNames[model];
        if (!kModelDescriptions[model].isEmpty())
            items.back() += QStringLiteral(" (") + kModelDescriptions[model] + QLatin1Char(')');
    }
    return items;
}

const QStringList kModels = ListItems();

// Measuring sections: four with the silencer and the reverse turbulizer,
// three with the VS turbulizer, two for the plain list.
const QStringList kS4 = {
    QStringLiteral("Без турбулизатора"),
    QStringLiteral("Турбулизатор-Н"),
    QStringLiteral("Шумоглушитель"),
    QStringLiteral("Турбулизатор-Н исп. реверс"),
};
const QStringList kS3 = {
    QStringLiteral("Без турбулизатора"),
    QStringLiteral("Турбулизатор-Н"),
    QStringLiteral("Турбулизатор-ВС"),
};
const QStringList kS2 = {
    QStringLiteral("Без турбулизатора"),
    QStringLiteral("Турбулизатор-Н"),
};

const QStringList kDiameters[kModelCount] = {
    {"50", "80", "100", "150", "200", "300", "400"},
    {"100", "150", "200"},
    {"50"},
    {"27", "50", "80", "100", "150", "200", "300"},
    {"27", "50", "80", "100", "150", "200", "300"},
    {"50", "80", "100"},
};

}  // namespace

const QStringList& ModelNames() { return kModels; }

const QStringList& SectionsOf(int model) {
    switch (model) {
    case 0:
    case 1:
    case 2: return kS4;
    case 3:
    case 5: return kS3;
    case 4: return kS2;
    default: return kEmpty;
    }
}

const QStringList& DiametersOf(int model) {
    if (model < 0 || model >= kModelCount) return kEmpty;
    return kDiameters[model];
}

bool NeedsLDy(int model) { return model == kCutInModel; }

QString ReportModelName(int model) {
    if (model < 0 || model >= kModelCount) return {};
    return kModelNames[model];
}

QString ReportSectionName(int model, int section) {
    const QStringList& sections = model == 3 || model == 4 || model == 5 ? kS3 : kS4;
    if (section < 0 || section >= sections.size()) return {};
    return sections[section];
}

}  // namespace velars::catalogue
