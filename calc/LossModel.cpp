#include "calc/LossModel.h"

#include "calc/CheckedArithmetic.h"
#include "numbers/ParseDecimal.h"

namespace velars {

using checked::Add;
using checked::Div;
using checked::Exp;
using checked::Mul;
using checked::Pow;
using checked::ToDouble;
using checked::ToSingle;

namespace {

using Ext = long double;

constexpr int kCutInModel = 2;  // always computed for a 50 mm pipe
constexpr int kFullBoreModel = 0;

// Reynolds numbers up to this bound use the Blasius formula.
constexpr float kBlasiusLimit = 100000.0f;

// Models 3 and 4: the meter, the VS turbulizer and the N turbulizer.
struct TableRow {
    std::int32_t dy;
    float dzetaPP;
    float dzetaTurb2;
    float dzetaTurb;
};
constexpr TableRow kMt7Table[] = {
    {27, 1.28f, 2.9f, 1.8f},  {50, 1.28f, 2.9f, 1.8f},  {80, 1.28f, 2.9f, 1.8f},
    {100, 0.95f, 2.9f, 1.8f}, {150, 0.95f, 2.9f, 1.5f}, {200, 0.95f, 2.9f, 1.8f},
    {300, 0.95f, 2.9f, 1.8f},
};
// Model 5: the meter; the turbulizers are those of the MT7.
constexpr TableRow kMt7SferaTable[] = {
    {50, 0.52f, 2.9f, 1.8f},
    {80, 0.41f, 2.9f, 1.8f},
    {100, 0.38f, 2.9f, 1.8f},
};

// Model 1: the insertion meter.
struct MeterRow {
    std::int32_t dy;
    float dzetaPP;
};
constexpr MeterRow kInsertionTable[] = {{100, 0.59f}, {150, 0.34f}, {200, 0.25f}};

// Model 0: length factor by which the friction factor is multiplied.
struct LengthRow {
    std::int32_t dy;
    double k;
};
constexpr LengthRow kFullBoreLength[] = {
    {50, 5.2}, {80, 3.25}, {100, 3.06}, {150, 2.33}, {200, 1.76}, {300, 1.38}, {400, 1.22},
};

template <typename Row, std::size_t N>
const Row* FindRow(const Row (&table)[N], std::int32_t dy) {
    for (const Row& row : table)
        if (row.dy == dy) return &row;
    return nullptr;
}

float FrictionFactorTraced(float re, LossTrace* trace) {
    if (re > kBlasiusLimit) {
        // Exponential fit; the first exponent is held in single precision.
        const float a = ToSingle(Mul(-Ext(re), 5.361211633829245e-6L));
        const Ext b = Mul(-Ext(re), 3.718854592785422e-7L);
        const Ext fit = Add(Add(Mul(Exp(a), 0.00837L), 0.00804L), Mul(Exp(b), 0.00519L));
        if (trace) {
            trace->blasius = false;
            trace->a = a;
        }
        return ToSingle(fit);
    }
    if (trace) trace->blasius = true;
    return ToSingle(Div(0.3164L, Pow(re, 0.25)));
}

}  // namespace

float FrictionFactor(float re) { return FrictionFactorTraced(re, nullptr); }

void CalcCoefficients(CalcRecord& r, int model, const QString& ldyText, QChar decimalSeparator,
                      LossTrace* trace) {
    if (trace) *trace = LossTrace{};

    if (model == 3 || model == 4) {
        if (const TableRow* row = FindRow(kMt7Table, r.valDy)) {
            r.valDzetaPP = row->dzetaPP;
            r.valDzetaTurb2 = row->dzetaTurb2;
            r.valDzetaTurb = row->dzetaTurb;
        }
    }
    if (model == 5) {
        if (const TableRow* row = FindRow(kMt7SferaTable, r.valDy)) {
            r.valDzetaPP = row->dzetaPP;
            r.valDzetaTurb2 = row->dzetaTurb2;
            r.valDzetaTurb = row->dzetaTurb;
        }
    }
    if (model == 0 || model == 1 || model == 2) {
        r.valDzetaTurb = 1.8f;
        if (r.valDy == 300 || r.valDy == 400) r.valDzetaTurb = 2.5f;
    }
    if (model == 1) {
        if (const MeterRow* row = FindRow(kInsertionTable, r.valDy)) r.valDzetaPP = row->dzetaPP;
    }
    if (model != kFullBoreModel && model != kCutInModel) return;

    if (model == kCutInModel) r.valDy = 50;

    // Viscosity term.
    const float mu = ToSingle(Mul(Pow(Mul(r.valTgaza, 0.0036609921288669233L), 0.5), 11.5e-6L));
    if (trace) {
        trace->frictionComputed = true;
        trace->mu = mu;
    }
    // Absolute pressure in MPa: the gauge pressure plus a fixed 0.1 MPa.
    const Ext p = Add(Mul(r.valPizb, 1e-6L), 0.1L);
    if (trace) trace->p = p;
    // Flow velocity term.
    const Ext area = Mul(Mul(Pow(Mul(r.valDy, 0.001L), 2.0), 3.14L), 0.25L);
    const Ext denominator = Mul(Mul(Mul(Mul(area, r.valPlotnost), p), 1000000.0L), 3600.0L);
    const float w = ToSingle(Div(Mul(r.valQ, r.valPatm), denominator));
    if (trace) trace->w = w;
    // Reynolds number.
    const float re = ToSingle(Div(Mul(Mul(Mul(r.valDy, 0.001L), w), p), Mul(mu, 0.1L)));
    if (trace) trace->Re = re;
    const float lambda = FrictionFactorTraced(re, trace);
    if (trace) trace->lambda = lambda;

    if (model == kFullBoreModel) {
        if (const LengthRow* row = FindRow(kFullBoreLength, r.valDy)) {
            if (trace) trace->lengthFactor = row->k;
            r.valDzetaPP = ToSingle(Mul(lambda, row->k));
        }
    }
    if (model == kCutInModel) {
        const Ext ldy = ParseDecimal(ldyText, decimalSeparator);
        if (trace) trace->ldy = ldy;
        r.valDzetaPP = ToSingle(Mul(ldy, lambda));
    }
}

float CoefficientValue(const CalcRecord& r, Coefficient coefficient) {
    switch (coefficient) {
    case Coefficient::Meter: return r.valDzetaPP;
    case Coefficient::Turbulizer: return r.valDzetaTurb;
    case Coefficient::TurbulizerVs: return r.valDzetaTurb2;
    }
    return 0;
}

SumFormula SumTerms(int model, int section) {
    constexpr SumTerm meter{1.0L, Coefficient::Meter};
    constexpr SumTerm turbulizer{1.0L, Coefficient::Turbulizer};
    switch (model) {
    case 0:
    case 1:
    case 2:
        switch (section) {
        case 0: return {{meter}, 1};
        case 1: return {{meter, turbulizer}, 2};
        // The silencer replaces the meter's own coefficient.
        case 2: return {{SumTerm{2.5L, Coefficient::Turbulizer}}, 1};
        case 3: return {{meter, SumTerm{2.0L, Coefficient::Turbulizer}}, 2};
        default: return {};
        }
    case 3:
    case 4:
    case 5:
        switch (section) {
        case 0: return {{meter}, 1};
        case 1: return {{meter, turbulizer}, 2};
        case 2: return {{meter, SumTerm{1.0L, Coefficient::TurbulizerVs}}, 2};
        default: return {};
        }
    default: return {};
    }
}

void SumCoefficients(CalcRecord& r, int model, int section) {
    const SumFormula formula = SumTerms(model, section);
    if (formula.count == 0) return;
    // A lone term with the factor 1 is a copy of the stored value; the
    // others are summed in extended precision and stored once.
    Ext sum = 0;
    for (int i = 0; i < formula.count; ++i) {
        const SumTerm& term = formula.terms[std::size_t(i)];
        const Ext value = CoefficientValue(r, term.coefficient);
        const Ext product = term.factor == 1.0L ? value : Mul(term.factor, value);
        sum = i == 0 ? product : Add(sum, product);
    }
    r.valDzetaSum = ToSingle(sum);
}

void CalcLoss(CalcRecord& r) {
    const Ext q = r.valQ;
    const Ext n = Mul(Mul(Mul(Mul(2.16e-5L, r.valDzetaSum), r.valPlotnost), Mul(q, q)), r.valTgaza);
    const Ext d = ToDouble(Mul(r.valDy, 0.001L));
    const Ext d2 = Mul(d, d);
    const Ext d4 = Mul(d2, d2);
    r.valDPpoteri = ToSingle(Div(n, Mul(d4, Add(r.valPatm, r.valPizb))));
    r.valDPdop = ToSingle(Mul(0.1L, r.valDPpoteri));
}

void CalculateLoss(CalcRecord& record, int model, int section, const QString& ldyText,
                   QChar decimalSeparator, LossTrace* trace) {
    CalcCoefficients(record, model, ldyText, decimalSeparator, trace);
    SumCoefficients(record, model, section);
    CalcLoss(record);
}

}  // namespace velars
