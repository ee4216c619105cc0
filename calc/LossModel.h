#pragma once
// The pressure-loss model: loss coefficients of the meter and its measuring
// section, their total, the largest loss and the allowed increase.
// Extended-precision arithmetic, values stored in single precision exactly
// where the record (or an intermediate) holds them. Faults raise
// EZeroDivide, EOverflow or EInvalidOp and leave the record as it was at
// the fault.

#include <QString>
#include <array>

#include "calc/CalcRecord.h"

namespace velars {

// Intermediate values of the friction model (models 0 and 2), for the
// command line tool's --verbose output and for tests.
struct LossTrace {
    bool frictionComputed = false;  // false for models 1, 3, 4, 5
    float mu = 0;                   // viscosity term
    long double p = 0;              // absolute pressure, MPa
    float w = 0;                    // flow velocity term
    float Re = 0;                   // Reynolds number
    bool blasius = false;           // Re <= 100000
    float a = 0;                    // -Re/186525 as stored (fit branch only)
    float lambda = 0;               // friction factor
    long double ldy = 0;            // L/Dy as read (model 2)
    double lengthFactor = 0;        // k(Dy) that λ is multiplied by (model 0)
};

// The three loss coefficients of the record.
enum class Coefficient {
    Meter,         // valDzetaPP
    Turbulizer,    // valDzetaTurb
    TurbulizerVs,  // valDzetaTurb2
};

float CoefficientValue(const CalcRecord& record, Coefficient coefficient);

// One term of the total coefficient: factor × coefficient.
struct SumTerm {
    long double factor = 1;
    Coefficient coefficient = Coefficient::Meter;
};

// How valDzetaSum is made for a model and section: its terms in the order
// they are added. No terms where the model assigns no total for the
// section; the total then keeps its earlier value.
struct SumFormula {
    std::array<SumTerm, 2> terms{};
    int count = 0;
};

SumFormula SumTerms(int model, int section);

// Loss coefficients for `model` (0..5) and record.valDy. For model 2 the
// L/Dy text is read with ParseDecimal(ldyText, decimalSeparator) and
// valDy becomes 50.
void CalcCoefficients(CalcRecord& record, int model, const QString& ldyText, QChar decimalSeparator,
                      LossTrace* trace = nullptr);

// Total coefficient valDzetaSum for `model` and `section`.
void SumCoefficients(CalcRecord& record, int model, int section);

// The loss formula: valDPpoteri and valDPdop.
void CalcLoss(CalcRecord& record);

// The three steps of one calculation in their order: CalcCoefficients,
// SumCoefficients, CalcLoss.
void CalculateLoss(CalcRecord& record, int model, int section, const QString& ldyText,
                   QChar decimalSeparator, LossTrace* trace = nullptr);

// The friction factor of the full-bore and cut-in models for a Reynolds
// number: the Blasius formula up to 100000 inclusive, the exponential fit
// above. Stored as single.
float FrictionFactor(float re);

}  // namespace velars
