#pragma once
// Input validation: the only place where the text fields become numbers in
// the calculation record. One pass marks every invalid input.

#include <QString>

#include "calc/CalcRecord.h"

namespace velars {

enum class InputField { Patm, Pizb, Tgaza, Q, Plotnost, LDy };
enum class InputList { Pribor, Uchastok, Dy };

// What validation needs of the window.
class InputForm {
public:
    virtual ~InputForm() = default;
    virtual QString Text(InputField field) = 0;
    // Error colour 255 on the control, then its text emptied (for Pizb: the
    // colour on both pressure fields, then both emptied, mePizb first).
    virtual void MarkInvalid(InputField field) = 0;
    virtual int SelectedIndex(InputList list) = 0;
    // Error colour 255 through the list's colour setter.
    virtual void MarkInvalid(InputList list) = 0;
};

// Reads the five value fields into the record (atmospheric pressure kPa->Pa,
// gauge pressure MPa->Pa, temperature C->K), tests the three selections and,
// for the cut-in model, the L/Dy text. Returns 0 when all is valid, 1 when
// anything was marked. A value outside the single-precision range is invalid.
int CheckInputs(InputForm& form, CalcRecord& record, QChar decimalSeparator);

// One field's reading as validation does it: ParseDecimal, then stored as
// single. Throws EConvertError for a text that is no number or whose value
// lies outside the single range.
float ReadSingle(const QString& text, QChar decimalSeparator);

}  // namespace velars
