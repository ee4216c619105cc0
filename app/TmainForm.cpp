#include "app/TmainForm.h"

#include <QEvent>
#include <QMenu>
#include <QShortcut>
#include <QFont>
#include <QPalette>
#include <QShortcut>

#include "app/ComparisonWindow.h"
#include "app/ErrorBox.h"
#include "app/LossCurveWindow.h"
#include "app/WindowPlacement.h"
#include "calc/CalculationSteps.h"
#include "calc/CheckedArithmetic.h"
#include "calc/LossModel.h"
#include "calc/ResultsPane.h"
#include "calc/Sizing.h"
#include "catalogue/Catalogue.h"
#include "numbers/Exception.h"
#include "numbers/FormatFloat.h"
#include "numbers/ParseDecimal.h"
#include "report/ReportStep.h"
#include "widgets/Accessibility.h"
#include "widgets/SystemColors.h"

namespace velars {

namespace {

// The error colour that validation puts on an invalid control.
constexpr std::uint32_t kErrorColor = 255;

// Millimetres of water column per megapascal, and megapascals per
// millimetre of water column.
constexpr double kMmPerMPa = 101971.62129779282;
constexpr double kMPaPerMm = 9.80665e-06;

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

TmainForm::TmainForm(PlatformServices& platform, const ObjectFactory& factory, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      platform_(platform),
      factory_(factory),
      title_(ApplicationTitle(platform.ExecutablePath())),
      guard_([this](std::exception_ptr error) {
          ShowErrorBox(platform_, title_, error, BoxOwner::MainWindow);
      }) {
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Веларс-ТП. Оценка потерь."));
    setFixedSize(kClientWidth, kClientHeight);
    setFont(ArialPixels(13));
    QPalette p = palette();
    p.setColor(QPalette::Window, ButtonFaceColor());
    setPalette(p);
    setAutoFillBackground(true);
    InstallAccessibility();
    CreateControls();
    NameControls();
    WireEvents();
    CreateResultsMenu();
}

TmainForm::~TmainForm() {
    // No handler runs while the window comes apart.
    for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

void TmainForm::CreateControls() {
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

void TmainForm::WireEvents() {
    auto on = [this](auto* sender, auto signal, void (TmainForm::*handler)()) {
        connect(sender, signal, this, guard_.Guarded([this, handler] { (this->*handler)(); }));
    };
    on(cbPribor, &ColorComboBox::changed, &TmainForm::cbPriborChange);
    on(cbPribor, &ColorComboBox::clicked, &TmainForm::cbPriborClick);
    on(cbPribor, &ColorComboBox::entered, &TmainForm::cbPriborEnter);
    on(cbUchastok, &ColorComboBox::changed, &TmainForm::cbUchastokChange);
    on(cbUchastok, &ColorComboBox::clicked, &TmainForm::cbUchastokClick);
    on(cbUchastok, &ColorComboBox::entered, &TmainForm::cbUchastokEnter);
    on(cbDy, &ColorComboBox::changed, &TmainForm::cbDyChange);
    on(cbDy, &ColorComboBox::clicked, &TmainForm::cbDyClick);
    on(cbDy, &ColorComboBox::entered, &TmainForm::cbDyEnter);
    on(Edit_LDy, &TextField::clicked, &TmainForm::Edit_LDyClick);
    on(Edit_LDy, &TextField::entered, &TmainForm::Edit_LDyEnter);
    on(mePlotnost, &TextField::clicked, &TmainForm::mePlotnostClick);
    on(mePlotnost, &TextField::entered, &TmainForm::mePlotnostEnter);
    on(meQ, &TextField::clicked, &TmainForm::meQClick);
    on(meQ, &TextField::entered, &TmainForm::meQEnter);
    on(meTgaza, &TextField::changed, &TmainForm::meTgazaChange);
    on(meTgaza, &TextField::doubleClicked, &TmainForm::meTgazaDblClick);
    on(meTgaza, &TextField::entered, &TmainForm::meTgazaEnter);
    on(mePizb, &TextField::changed, &TmainForm::mePizbChange);
    on(mePizb, &TextField::clicked, &TmainForm::mePizbClick);
    on(mePizb, &TextField::entered, &TmainForm::mePizbEnter);
    on(mePizb2, &TextField::changed, &TmainForm::mePizb2Change);
    on(mePizb2, &TextField::clicked, &TmainForm::mePizb2Click);
    on(mePizb2, &TextField::entered, &TmainForm::mePizb2Enter);
    on(mePatm, &TextField::clicked, &TmainForm::mePatmClick);
    on(mePatm, &TextField::entered, &TmainForm::mePatmEnter);
    on(butRaschhet, &GlassButton::clicked, &TmainForm::butRaschhetClick);
    // The button is no Tab stop: F9 and Ctrl+Enter press it from anywhere in
    // the window, the focus staying where it is.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_F9), QKeySequence(Qt::CTRL | Qt::Key_Return),
          QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, butRaschhet, &QAbstractButton::click);
    }
    butRaschhet->setToolTip(QStringLiteral("Расчитать (F9, Ctrl+Enter)"));
}

void TmainForm::FormCreate() {
    PlaceWindow();
    cbPribor->setCurrentIndex(-1);
    cbUchastok->setCurrentIndex(-1);
    cbDy->setCurrentIndex(-1);
    cbDy->hide();
    label_dy->hide();
    Edit_LDy->hide();
    Label_LDy->hide();
    mm->hide();
}

void TmainForm::PlaceWindow() {
    placedFor_ = frameGeometry().size();
    placedAt_ = CentredPosition(platform_.Monitor0Size(), placedFor_);
    move(placedAt_);
    placementPending_ = true;
}

void TmainForm::PlaceAgainForTheFrame() {
    if (!placementPending_ || !isVisible()) return;
    if (pos() != placedAt_) {
        placementPending_ = false;  // the user or the window manager moved it
        return;
    }
    if (frameGeometry().size() != placedFor_) {
        placementPending_ = false;
        move(CentredPosition(platform_.Monitor0Size(), frameGeometry().size()));
    }
}

bool TmainForm::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Paint:
    case QEvent::WindowActivate: PlaceAgainForTheFrame(); break;
    default: break;
    }
    return handled;
}

// --- Helpers -----------------------------------------------------------------

void TmainForm::SetFieldText(TextField* field, const QString& text) {
    field->setText(text);
    guard_.RethrowPending();
}

void TmainForm::Restore(TextField* field) { field->SetColor(WindowColor()); }

void TmainForm::Restore(ColorComboBox* list) { list->SetColorEx(WindowColor()); }

// --- Model, section and diameter ---------------------------------------------

void TmainForm::cbPriborChange() {
    RichEdit1->ClearLines();
    const int model = cbPribor->currentIndex();
    if (model >= 0 && model < catalogue::kModelCount) {
        cbUchastok->clear();
        cbUchastok->addItems(catalogue::SectionsOf(model));
        cbDy->show();
        label_dy->show();
        Edit_LDy->setVisible(catalogue::NeedsLDy(model));
        Label_LDy->setVisible(catalogue::NeedsLDy(model));
        mm->show();
        cbDy->clear();
        cbDy->addItems(catalogue::DiametersOf(model));
    }
    Restore(cbPribor);
    cbUchastok->setCurrentIndex(-1);
    cbDy->setCurrentIndex(-1);
}

void TmainForm::cbPriborClick() { Restore(cbPribor); }
void TmainForm::cbPriborEnter() { Restore(cbPribor); }

void TmainForm::cbUchastokChange() {
    RichEdit1->ClearLines();
    Restore(cbUchastok);
}
void TmainForm::cbUchastokClick() { Restore(cbUchastok); }
void TmainForm::cbUchastokEnter() { Restore(cbUchastok); }

void TmainForm::cbDyChange() {
    RichEdit1->ClearLines();
    const QString text = cbDy->currentText();
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    record_.valDy = value;
    Restore(cbDy);
}
void TmainForm::cbDyClick() { Restore(cbDy); }
void TmainForm::cbDyEnter() { Restore(cbDy); }

// --- Text fields ---------------------------------------------------------------

void TmainForm::mePlotnostClick() { Restore(mePlotnost); }
void TmainForm::mePlotnostEnter() { Restore(mePlotnost); }
void TmainForm::meQClick() { Restore(meQ); }
void TmainForm::meQEnter() { Restore(meQ); }
void TmainForm::meTgazaChange() { Restore(meTgaza); }
void TmainForm::meTgazaDblClick() { Restore(meTgaza); }
void TmainForm::meTgazaEnter() { Restore(meTgaza); }
void TmainForm::mePatmClick() { Restore(mePatm); }
void TmainForm::mePatmEnter() { Restore(mePatm); }
void TmainForm::Edit_LDyClick() { Restore(Edit_LDy); }
void TmainForm::Edit_LDyEnter() { Restore(Edit_LDy); }

void TmainForm::mePizbClick() {
    Restore(mePizb);
    Restore(mePizb2);
}

void TmainForm::mePizb2Click() {
    Restore(mePizb);
    Restore(mePizb2);
}

void TmainForm::mePizbEnter() {
    flagPizb_ = 1;
    Restore(mePizb);
    Restore(mePizb2);
}

void TmainForm::mePizb2Enter() {
    flagPizb_ = 0;
    Restore(mePizb);
    Restore(mePizb2);
}

// Megapascals to millimetres of water column: the value is rounded to
// single before the multiplication, and shown without decimals.
void TmainForm::mePizbChange() {
    if (flagPizb_ != 1 || validating_) return;
    const Separators separators = platform_.LocaleSeparators();
    const float megapascals = checked::ToSingle(ParseDecimal(mePizb->text(), separators.decimal));
    const long double millimetres = checked::Mul(static_cast<long double>(megapascals),
                                                 static_cast<long double>(kMmPerMPa));
    SetFieldText(mePizb2, FormatFloat(millimetres, 0, TwinFieldSeparators(separators)));
}

// The millimetre field is read back as a number when the user edits it, and
// the number reader takes "." and "," as decimal marks. Where the locale
// groups digits with one of them, "10,197" would come back as 10.197 mm
// without a word, so such a group separator is left out of that field.
Separators TmainForm::TwinFieldSeparators(Separators separators) {
    if (separators.group == QLatin1Char('.') || separators.group == QLatin1Char(','))
        separators.group = QChar();
    return separators;
}

// Millimetres of water column to megapascals: the product is rounded to
// single, and shown with ten decimals.
void TmainForm::mePizb2Change() {
    if (flagPizb_ != 0 || validating_) return;
    const Separators separators = platform_.LocaleSeparators();
    const long double millimetres = ParseDecimal(mePizb2->text(), separators.decimal);
    const float megapascals =
        checked::ToSingle(checked::Mul(millimetres, static_cast<long double>(kMPaPerMm)));
    SetFieldText(mePizb, FormatFloat(megapascals, 10, separators));
}

// --- Validation ------------------------------------------------------------------

TextField* TmainForm::FieldOf(InputField field) const {
    switch (field) {
    case InputField::Patm: return mePatm;
    case InputField::Pizb: return mePizb;
    case InputField::Tgaza: return meTgaza;
    case InputField::Q: return meQ;
    case InputField::Plotnost: return mePlotnost;
    case InputField::LDy: return Edit_LDy;
    }
    return nullptr;
}

ColorComboBox* TmainForm::ListOf(InputList list) const {
    switch (list) {
    case InputList::Pribor: return cbPribor;
    case InputList::Uchastok: return cbUchastok;
    case InputList::Dy: return cbDy;
    }
    return nullptr;
}

QString TmainForm::Text(InputField field) { return FieldOf(field)->text(); }

void TmainForm::MarkInvalid(InputField field) {
    const QColor error = ColorFromValue(kErrorColor);
    if (field == InputField::Pizb) {
        mePizb->SetColor(error);
        mePizb2->SetColor(error);
        SetFieldText(mePizb, QString());
        SetFieldText(mePizb2, QString());
        return;
    }
    TextField* control = FieldOf(field);
    control->SetColor(error);
    SetFieldText(control, QString());
}

int TmainForm::SelectedIndex(InputList list) { return ListOf(list)->currentIndex(); }

void TmainForm::MarkInvalid(InputList list) {
    ListOf(list)->SetColorEx(ColorFromValue(kErrorColor));
}

std::int32_t TmainForm::CheckInputs() {
    struct Validating {
        bool& flag;
        explicit Validating(bool& f) : flag(f) { flag = true; }
        ~Validating() { flag = false; }
    } validating(validating_);
    return velars::CheckInputs(*this, record_, platform_.LocaleSeparators().decimal);
}

// --- Calculation ---------------------------------------------------------------------

void TmainForm::butRaschhetClick() {
    RunCalculation(cbOtchet->isChecked() ? ReportKind::Plain : ReportKind::None);
}

void TmainForm::DetailedReport() { RunCalculation(ReportKind::WithCalculation); }

void TmainForm::RunCalculation(ReportKind report) {
    RichEdit1->ClearLines();
    if (CheckInputs() != 0) {
        platform_.MessageBox(QStringLiteral("Ошибка ввода параметров!"), QStringLiteral("Ошибка!"),
                             MB_ICONERROR, BoxOwner::Application);
        return;
    }
    const Separators separators = platform_.LocaleSeparators();
    const int model = cbPribor->currentIndex();
    const int section = cbUchastok->currentIndex();
    LossTrace trace;
    CalcCoefficients(record_, model, Edit_LDy->text(), separators.decimal, &trace);
    SumCoefficients(record_, model, section);
    CalcLoss(record_);

    for (const QString& line : ResultLines(record_, section, separators)) RichEdit1->AddLine(line);
    for (const BoldRun& run : FindBoldRuns(RichEdit1->Text())) {
        if (run.start < 0) continue;
        RichEdit1->Select(run.start, run.length);
        RichEdit1->MakeSelectionBold();
    }

    if (report == ReportKind::None) return;
    ReportInputs inputs = CurrentReportInputs();
    if (report == ReportKind::WithCalculation)
        inputs.steps = StepsOf(record_, model, section, trace);
    RunReportStep(word_, factory_, platform_, location_, frameGeometry().size(), inputs);
}

// --- Report ------------------------------------------------------------------------

ReportInputs TmainForm::CurrentReportInputs() const {
    return {cbPribor->currentIndex(), cbUchastok->currentIndex(), cbDy->currentText(), record_,
            std::nullopt};
}

// --- The results pane's context menu: sizing -------------------------------------

void TmainForm::CreateResultsMenu() {
    resultsMenu_ = new QMenu(this);
    resultsMenu_->setObjectName(QStringLiteral("resultsMenu"));
    auto add = [this](const QString& text, const char* name, void (TmainForm::*command)()) {
        QAction* action = resultsMenu_->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this,
                guard_.Guarded([this, command] { (this->*command)(); }));
        return action;
    };
    QAction* copy = add(QStringLiteral("Копировать"), "actCopy", &TmainForm::CopyResults);
    add(QStringLiteral("Сравнить варианты…"), "actCompare", &TmainForm::ShowComparison);
    add(QStringLiteral("График потерь…"), "actCurve", &TmainForm::ShowLossCurve);
    add(QStringLiteral("Отчет с ходом расчета"), "actDetailedReport", &TmainForm::DetailedReport);
    connect(resultsMenu_, &QMenu::aboutToShow, this,
            [this, copy] { copy->setEnabled(RichEdit1->textCursor().hasSelection()); });

    // A right click, and the menu key or Shift+F10 while the pane has the
    // focus.
    RichEdit1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(RichEdit1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        RichEdit1ContextPopup(RichEdit1->viewport()->mapToGlobal(pos));
    });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)}) {
        auto* shortcut = new QShortcut(keys, RichEdit1);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this] {
            const QRect cursor = RichEdit1->cursorRect();
            RichEdit1ContextPopup(RichEdit1->viewport()->mapToGlobal(cursor.bottomLeft()));
        });
    }
}

void TmainForm::RichEdit1ContextPopup(const QPoint& globalPos) { resultsMenu_->popup(globalPos); }

void TmainForm::CopyResults() {
    QString text = RichEdit1->textCursor().selectedText();
    // The selection separates its paragraphs with U+2029.
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    if (!text.isEmpty()) platform_.SetClipboardText(text);
}

bool TmainForm::ValidateForSizing() {
    if (CheckInputs() == 0) return true;
    platform_.MessageBox(QStringLiteral("Ошибка ввода параметров!"), QStringLiteral("Ошибка!"),
                         MB_ICONERROR, BoxOwner::Application);
    return false;
}

void TmainForm::ShowComparison() {
    if (!ValidateForSizing()) return;
    const Separators separators = platform_.LocaleSeparators();
    // The cut-in model is compared when its L/Dy field holds a number.
    std::optional<QString> ldy;
    try {
        ReadSingle(Edit_LDy->text(), separators.decimal);
        ldy = Edit_LDy->text();
    } catch (const EConvertError&) {
    }
    std::vector<ChoiceResult> results = CompareChoices(record_, ldy, separators.decimal);
    SortByLoss(results);
    if (!comparison_) comparison_ = new ComparisonWindow(platform_, this);
    comparison_->SetResults(std::move(results), separators);
    comparison_->show();
    comparison_->raise();
    comparison_->activateWindow();
}

void TmainForm::ShowLossCurve() {
    if (!ValidateForSizing()) return;
    const Separators separators = platform_.LocaleSeparators();
    plot::LossChartData data;
    data.choice = {cbPribor->currentIndex(), cbUchastok->currentIndex(), record_.valDy};
    data.separators = separators;
    data.entered = CalculateChoice(record_, data.choice, Edit_LDy->text(), separators.decimal);
    // 201 flows from zero to twice the entered one: the middle one is it.
    const float twice = checked::ToSingle(checked::Mul(record_.valQ, 2.0L));
    data.points = velars::LossCurve(record_, data.choice, Edit_LDy->text(), separators.decimal,
                                    CurveFlows(0.0f, twice, 201));
    if (!lossCurve_) lossCurve_ = new LossCurveWindow(this);
    lossCurve_->SetCurve(data);
    lossCurve_->show();
    lossCurve_->raise();
    lossCurve_->activateWindow();
}

}  // namespace velars
