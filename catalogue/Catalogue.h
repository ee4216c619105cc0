#pragma once
// The six flow-meter models, their measuring-section lists and diameters,
// and the names the report gives them. Fixed data of the program.

#include <QString>
#include <QStringList>

namespace velars::catalogue {

constexpr int kModelCount = 6;
constexpr int kCutInModel = 2;  // the only model that needs L/Dy

// Item texts of the model list, in model-index order.
const QStringList& ModelNames();

// Section list of a model (S4 for 0..2, S3 for 3 and 5, S2 for 4); empty
// for an index outside 0..5.
const QStringList& SectionsOf(int model);

// Diameter texts of a model, in list order; empty outside 0..5.
const QStringList& DiametersOf(int model);

// Whether the model needs the L/Dy field.
bool NeedsLDy(int model);

// The report's name of a model: its list item without the description in
// brackets ("ВЕЛАРС-Сфера-ПП" for "ВЕЛАРС-Сфера-ПП (полнопроходной)");
// empty outside 0..5.
QString ReportModelName(int model);

// The report's name of a section. The report reads the section index against
// S3 for models 3, 4 and 5 (model 4's S2 being the first two items of S3)
// and against S4 for every other model index, none (-1) included; empty for
// an index that list does not have.
QString ReportSectionName(int model, int section);

}  // namespace velars::catalogue
