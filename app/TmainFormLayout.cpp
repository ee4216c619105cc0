// The window's controls: their places, fonts and texts as the window
// description gives them, the keyboard order and the names a screen reader
// says.

#include <QFont>
#include <QPalette>

#include "app/TmainForm.h"
#include "catalogue/Catalogue.h"
#include "widgets/SystemColors.h"

namespace velars {

namespace {

QFont ArialPixels(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QFont ArialPoints(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

template <class Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

// A rich-text label: the unit and symbol labels are bold 10 points, the
// descriptions regular 9 points.
RichLabel* MakeRichLabel(QWidget* parent, const char* name, int left, int top, int width,
                         int height, std::vector<TextRun> runs, bool description = false) {
    auto* label = Place(new RichLabel(parent), name, left, top, width, height);
    label->setFont(description ? ArialPoints(9) : ArialPoints(10, true));
    label->SetRuns(std::move(runs));
    return label;
}

TextRun Plain(const QString& text) { return {text, TextRun::Normal}; }
TextRun Raised(const QString& text) { return {text, TextRun::Raised}; }
TextRun Lowered(const QString& text) { return {text, TextRun::Lowered}; }

}  // namespace

void TmainForm::CreateControls() {
    setFont(ArialPixels(13));
    QPalette p = palette();
    p.setColor(QPalette::Window, ButtonFaceColor());
    setPalette(p);
    setAutoFillBackground(true);

    butRaschhet = Place(new GlassButton(QStringLiteral("Расчитать"), this), "butRaschhet", 176, 401,
                        100, 32);
    // No Tab stop, but a click takes the focus as a push button does, so
    // that clicking back into a field marked by validation enters it.
    butRaschhet->setFocusPolicy(Qt::ClickFocus);
    butRaschhet->SetColors({ColorFromValue(0x008000), ColorFromValue(0xFFFFFF),
                            ColorFromValue(16760205), ColorFromValue(0x000000),
                            ColorFromValue(0xFFFFFF), ColorFromValue(0xFFFFFF)});

    AdvGroupBox1 = Place(new GroupFrame(QStringLiteral("Вариант конструкции прибора"), this),
                         "AdvGroupBox1", 5, 0, 272, 113);
    label_pribor = Place(new QLabel(QStringLiteral("Тип измерительного прибора"), AdvGroupBox1),
                         "label_pribor", 20, 20, 195, 16);
    label_pribor->setFont(ArialPixels(13, true));
    cbPribor = Place(new ColorComboBox(AdvGroupBox1), "cbPribor", 20, 39, 238, 22);
    cbPribor->addItems(catalogue::ModelNames());
    cbPribor->setCurrentIndex(-1);
    label_uchastok = Place(new QLabel(QStringLiteral("Тип измерительного участка"), AdvGroupBox1),
                           "label_uchastok", 20, 62, 190, 16);
    label_uchastok->setFont(ArialPixels(13, true));
    cbUchastok = Place(new ColorComboBox(AdvGroupBox1), "cbUchastok", 20, 80, 238, 22);

    AdvGroupBox2 = Place(new GroupFrame(QStringLiteral("Исходные данные для расчета"), this),
                         "AdvGroupBox2", 5, 119, 272, 277);
    QWidget* g = AdvGroupBox2;
    label_dy = MakeRichLabel(g, "label_dy", 4, 23, 25, 25, {Plain("D"), Lowered("y")});
    cbDy = Place(new ColorComboBox(g), "cbDy", 34, 20, 78, 22);
    mm = MakeRichLabel(g, "mm", 115, 25, 25, 25, {Plain(QStringLiteral("мм"))});
    Label_LDy = MakeRichLabel(g, "Label_LDy", 150, 23, 35, 25, {Plain("L/D"), Lowered("y")});
    Edit_LDy = Place(new TextField(g), "Edit_LDy", 190, 20, 67, 24);
    opisanie_ph = MakeRichLabel(g, "opisanie_ph", 3, 44, 255, 25,
                                {Plain(QStringLiteral("Плотность при стандартных условиях"))},
                                true);
    label_p = Place(new QLabel(QStringLiteral("ρ"), g), "label_p", 7, 62, 10, 20);
    label_p->setFont(ArialPixels(16, true));
    label_h = Place(new QLabel(QStringLiteral("H"), g), "label_h", 21, 77, 7, 14);
    label_h->setFont(ArialPixels(11, true));
    mePlotnost = Place(new TextField(g), "mePlotnost", 49, 67, 121, 24);
    label_kg_m3 = MakeRichLabel(g, "label_kg_m3", 180, 65, 40, 25,
                                {Plain(QStringLiteral("кг/м")), Raised("3")});
    opisanie_q = MakeRichLabel(g, "opisanie_q", 4, 97, 255, 25,
                               {Plain(QStringLiteral("Расход при стандартных условиях"))}, true);
    Q = MakeRichLabel(g, "Q", 7, 120, 26, 25, {Plain("Q")});
    meQ = Place(new TextField(g), "meQ", 49, 120, 121, 24);
    mn3ch = MakeRichLabel(g, "mn3ch", 180, 120, 40, 25,
                          {Plain(QStringLiteral("нм")), Raised("3/"), Plain(QStringLiteral("ч"))});
    t_gazga = MakeRichLabel(g, "t_gazga", 7, 151, 40, 25,
                            {Plain("t"), Lowered(QStringLiteral("газа"))});
    meTgaza = Place(new TextField(g), "meTgaza", 49, 150, 121, 24);
    label_grad_C = MakeRichLabel(g, "label_grad_C", 180, 150, 40, 25,
                                 {Raised("o"), Plain(QStringLiteral("С"))});
    Pizb = MakeRichLabel(g, "Pizb", 7, 182, 40, 25, {Plain("P"), Lowered(QStringLiteral("изб."))});
    mePizb = Place(new TextField(g), "mePizb", 49, 182, 121, 24);
    MPa = MakeRichLabel(g, "MPa", 180, 180, 40, 25, {Plain(QStringLiteral("МПа"))});
    mePizb2 = Place(new TextField(g), "mePizb2", 49, 212, 121, 24);
    mm_vod_st = MakeRichLabel(g, "mm_vod_st", 180, 212, 80, 25,
                              {Plain(QStringLiteral("мм вод. ст."))});
    Patm = MakeRichLabel(g, "Patm", 7, 242, 40, 25, {Plain("P"), Lowered(QStringLiteral("атм."))});
    mePatm = Place(new TextField(g), "mePatm", 49, 242, 121, 24);
    label_KPa = MakeRichLabel(g, "label_KPa", 180, 240, 40, 25, {Plain(QStringLiteral("КПа"))});

    cbOtchet = Place(new CheckBox(QStringLiteral(" Отчет MS Word"), this), "cbOtchet", 8, 410, 145,
                     17);
    RichEdit1 = Place(new RichTextPane(this), "RichEdit1", 3, 440, 277, 163);
    RichEdit1->setFont(ArialPixels(13));
    RichEdit1->AddLine(QStringLiteral("Результаты расчета:"));

    // Keyboard order: the temperature comes after the atmospheric pressure
    // although it stands above the pressures on the screen.
    const QList<QWidget*> order = {cbPribor, cbUchastok, cbDy,    mePlotnost, meQ,      mePizb,
                                   mePizb2,  mePatm,     meTgaza, Edit_LDy,   cbOtchet, RichEdit1};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

void TmainForm::NameControls() {
    const struct {
        QWidget* control;
        const char* name;
    } names[] = {
        {cbPribor, "Тип измерительного прибора"},
        {cbUchastok, "Тип измерительного участка"},
        {cbDy, "Dy, мм"},
        {Edit_LDy, "L/Dy"},
        {mePlotnost, "Плотность при стандартных условиях, кг/м³"},
        {meQ, "Расход при стандартных условиях, нм³/ч"},
        {meTgaza, "Температура газа, °С"},
        {mePizb, "Избыточное давление, МПа"},
        {mePizb2, "Избыточное давление, мм вод. ст."},
        {mePatm, "Атмосферное давление, кПа"},
        {RichEdit1, "Результаты расчета"},
    };
    for (const auto& n : names) n.control->setAccessibleName(QString::fromUtf8(n.name));
}

}  // namespace velars
