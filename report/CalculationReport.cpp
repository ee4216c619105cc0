#include "report/CalculationReport.h"

#include "catalogue/Catalogue.h"
#include "numbers/SignificantNumber.h"

namespace velars {

namespace {

constexpr std::int8_t kBodySize = 12;
constexpr std::int8_t kLeft = 0;

// The constants of the formulas, as the loss model uses them.
constexpr long double kBlasiusLimit = 100000;
constexpr long double kLossConstant = 2.16e-5L;
constexpr long double kAllowedShare = 0.1L;

ReportParagraph Line(const QString& text, bool bold = false) {
    return {text, kBodySize, bold, kLeft};
}

QString Symbol(Coefficient coefficient) {
    switch (coefficient) {
    case Coefficient::Meter: return QStringLiteral("ζПП");
    case Coefficient::Turbulizer: return QStringLiteral("ζтурб");
    case Coefficient::TurbulizerVs: return QStringLiteral("ζВС");
    }
    return {};
}

QString Label(Coefficient coefficient) {
    switch (coefficient) {
    case Coefficient::Meter: return QStringLiteral("прибора");
    case Coefficient::Turbulizer: return QStringLiteral("турбулизатора");
    case Coefficient::TurbulizerVs: return QStringLiteral("турбулизатора ВС");
    }
    return {};
}

class Writer {
public:
    Writer(const CalculationSteps& steps, const Separators& separators)
        : steps_(steps), separators_(separators) {}

    std::vector<ReportParagraph> Paragraphs() {
        lines_.push_back(Line(QString(), true));
        lines_.push_back(Line(QStringLiteral("Ход расчета"), true));
        lines_.push_back(Line(QString(), true));
        Inputs();
        if (steps_.friction.frictionComputed) Friction();
        Coefficients();
        Loss();
        return std::move(lines_);
    }

private:
    template <typename T>
    QString V(T value) const {
        return FormatSignificant(value, kCalculationDigits, separators_);
    }
    QString Dy() const { return QStringLiteral("Ду") + QString::number(steps_.record.valDy); }
    void Add(const QString& text) { lines_.push_back(Line(text)); }

    void Inputs() {
        const CalcRecord& r = steps_.record;
        Add(QStringLiteral("Исходные данные в единицах СИ:"));
        Add(QStringLiteral("плотность при стандартных условиях: ρ = ") + V(r.valPlotnost) +
            QStringLiteral(" кг/м3"));
        Add(QStringLiteral("расход при стандартных условиях: Q = ") + V(r.valQ) +
            QStringLiteral(" нм3/ч"));
        Add(QStringLiteral("температура газа: T = ") + V(r.valTgaza) + QStringLiteral(" К"));
        Add(QStringLiteral("избыточное давление: Ризб = ") + V(r.valPizb) + QStringLiteral(" Па"));
        Add(QStringLiteral("атмосферное давление: Ратм = ") + V(r.valPatm) + QStringLiteral(" Па"));
        Add((steps_.model == catalogue::kCutInModel
                 ? QStringLiteral("диаметр трубы (врезной прибор всегда "
                                  "рассчитывается для трубы 50 мм): Ду = ")
                 : QStringLiteral("диаметр условного прохода: Ду = ")) +
            QString::number(r.valDy) + QStringLiteral(" мм"));
        if (steps_.model == catalogue::kCutInModel)
            Add(QStringLiteral("отношение длины к диаметру: L/Ду = ") + V(steps_.friction.ldy));
    }

    void Friction() {
        const LossTrace& t = steps_.friction;
        Add(QStringLiteral("Коэффициент трения:"));
        Add(QStringLiteral("вязкость: μ = ") + V(t.mu));
        Add(QStringLiteral("абсолютное давление: p = ") + V(t.p) + QStringLiteral(" МПа"));
        Add(QStringLiteral("скоростной член: w = ") + V(t.w));
        Add(QStringLiteral("число Рейнольдса: Re = ") + V(t.Re));
        if (t.blasius) {
            Add(QStringLiteral("Re ≤ ") + V(kBlasiusLimit) +
                QStringLiteral(", формула Блазиуса: λ = ") + V(0.3164L) + QStringLiteral(" / Re^") +
                V(0.25L));
        } else {
            Add(QStringLiteral("Re > ") + V(kBlasiusLimit) +
                QStringLiteral(", экспоненциальная аппроксимация: λ = ") + V(0.00804L) +
                QStringLiteral(" + ") + V(0.00837L) + QStringLiteral(" × exp(-Re / ") +
                V(186525.0L) + QStringLiteral(") + ") + V(0.00519L) +
                QStringLiteral(" × exp(-Re / ") + V(2689000.0L) + QStringLiteral(")"));
        }
        Add(QStringLiteral("коэффициент трения: λ = ") + V(t.lambda));
    }

    void AddCoefficient(Coefficient coefficient) {
        const CalcRecord& r = steps_.record;
        const LossTrace& t = steps_.friction;
        const QString value = V(CoefficientValue(r, coefficient));
        switch (OriginOf(steps_.model, coefficient)) {
        case CoefficientOrigin::Table:
            Add(Label(coefficient) + QStringLiteral(" по таблице модели для ") + Dy() +
                QStringLiteral(": ") + Symbol(coefficient) + QStringLiteral(" = ") + value);
            break;
        case CoefficientOrigin::LambdaTimesLength:
            Add(Label(coefficient) + QStringLiteral(": ") + Symbol(coefficient) +
                QStringLiteral(" = λ × k(") + Dy() + QStringLiteral(") = ") + V(t.lambda) +
                QStringLiteral(" × ") + V(t.lengthFactor) + QStringLiteral(" = ") + value);
            break;
        case CoefficientOrigin::LDyTimesLambda:
            Add(Label(coefficient) + QStringLiteral(": ") + Symbol(coefficient) +
                QStringLiteral(" = L/Ду × λ = ") + V(t.ldy) + QStringLiteral(" × ") + V(t.lambda) +
                QStringLiteral(" = ") + value);
            break;
        }
    }

    void Coefficients() {
        const SumFormula& sum = steps_.sum;
        Add(QStringLiteral("Коэффициенты сопротивления:"));
        for (int i = 0; i < sum.count; ++i) AddCoefficient(sum.terms[std::size_t(i)].coefficient);
        QString symbols;
        QString values;
        for (int i = 0; i < sum.count; ++i) {
            const SumTerm& term = sum.terms[std::size_t(i)];
            const QString factor = term.factor == 1 ? QString()
                                                    : V(term.factor) + QStringLiteral(" × ");
            const QString plus = i == 0 ? QString() : QStringLiteral(" + ");
            symbols += plus + factor + Symbol(term.coefficient);
            values += plus + factor + V(CoefficientValue(steps_.record, term.coefficient));
        }
        QString text = QStringLiteral("суммарный коэффициент: ζΣ = ");
        // A lone coefficient taken as it is needs no second line of values.
        if (sum.count > 1 || (sum.count == 1 && sum.terms[0].factor != 1))
            text += symbols + QStringLiteral(" = ") + values + QStringLiteral(" = ");
        else if (sum.count == 1)
            text += symbols + QStringLiteral(" = ");
        Add(text + V(steps_.record.valDzetaSum));
    }

    void Loss() {
        const CalcRecord& r = steps_.record;
        // The diameter in metres as the loss formula takes it (rounded to double).
        const double d = static_cast<double>(static_cast<long double>(r.valDy) * 0.001L);
        Add(QStringLiteral("Потери давления:"));
        Add(QStringLiteral("формула: ΔP = ") + V(kLossConstant) +
            QStringLiteral(" × ζΣ × ρ × Q² × T / (D⁴ × (Ратм + Ризб)), где D = Ду / 1000, м"));
        Add(QStringLiteral("наибольшие потери давления: ΔP = ") + V(kLossConstant) +
            QStringLiteral(" × ") + V(r.valDzetaSum) + QStringLiteral(" × ") + V(r.valPlotnost) +
            QStringLiteral(" × ") + V(r.valQ) + QStringLiteral("² × ") + V(r.valTgaza) +
            QStringLiteral(" / (") + V(d) + QStringLiteral("⁴ × (") + V(r.valPatm) +
            QStringLiteral(" + ") + V(r.valPizb) + QStringLiteral(")) = ") + V(r.valDPpoteri) +
            QStringLiteral(" Па"));
        // The allowed increase is reported where a flow conditioner or a
        // silencer is fitted, as in the body.
        if (steps_.section == 0) return;
        Add(QStringLiteral("допустимое увеличение перепада давления: ΔPдоп = ") + V(kAllowedShare) +
            QStringLiteral(" × ΔP = ") + V(kAllowedShare) + QStringLiteral(" × ") +
            V(r.valDPpoteri) + QStringLiteral(" = ") + V(r.valDPdop) + QStringLiteral(" Па"));
    }

    const CalculationSteps& steps_;
    const Separators& separators_;
    std::vector<ReportParagraph> lines_;
};

}  // namespace

std::vector<ReportParagraph> CalculationParagraphs(const CalculationSteps& steps,
                                                   const Separators& separators) {
    return Writer(steps, separators).Paragraphs();
}

}  // namespace velars
