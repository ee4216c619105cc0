#include "app/TmainForm.h"

#include <QEvent>
#include <QMenu>
#include <QShortcut>
#include <utility>

#include "app/ComparisonWindow.h"
#include "app/ErrorBox.h"
#include "app/LossCurve.h"
#include "app/WindowPlacement.h"
#include "calc/CalculationSteps.h"
#include "calc/CheckedArithmetic.h"
#include "calc/LossModel.h"
#include "calc/PressureUnits.h"
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

// The events of a text field or a list that a handler is named after.
enum class ControlEvent { Change, Click, DblClick, Enter };

// Runs `slot` after `event` of a text field or a list.
template <class Slot>
void OnEvent(QWidget* control, ControlEvent event, QObject* context, Slot slot) {
    if (auto* field = qobject_cast<TextField*>(control)) {
        constexpr void (TextField::*signalOf[])() = {&TextField::changed, &TextField::clicked,
                                                     &TextField::doubleClicked,
                                                     &TextField::entered};
        QObject::connect(field, signalOf[static_cast<int>(event)], context, slot);
    } else if (auto* list = qobject_cast<ColorComboBox*>(control)) {
        // No signal for a double click: a list has none.
        constexpr void (ColorComboBox::*signalOf[])() = {
            &ColorComboBox::changed, &ColorComboBox::clicked, nullptr, &ColorComboBox::entered};
        QObject::connect(list, signalOf[static_cast<int>(event)], context, slot);
    }
}

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

void TmainForm::WireEvents() {
    auto on = [this](auto* sender, auto signal, void (TmainForm::*handler)()) {
        connect(sender, signal, this, guard_.Guarded([this, handler] { (this->*handler)(); }));
    };
    on(cbPribor, &ColorComboBox::changed, &TmainForm::cbPriborChange);
    on(cbUchastok, &ColorComboBox::changed, &TmainForm::cbUchastokChange);
    on(cbDy, &ColorComboBox::changed, &TmainForm::cbDyChange);
    on(mePizb, &TextField::changed, &TmainForm::mePizbChange);
    on(mePizb, &TextField::clicked, &TmainForm::mePizbClick);
    on(mePizb, &TextField::entered, &TmainForm::mePizbEnter);
    on(mePizb2, &TextField::changed, &TmainForm::mePizb2Change);
    on(mePizb2, &TextField::clicked, &TmainForm::mePizb2Click);
    on(mePizb2, &TextField::entered, &TmainForm::mePizb2Enter);

    // The handlers that only give their control its window colour back, by
    // the names of the window description.
    using enum ControlEvent;
    const std::pair<QWidget*, ControlEvent> restoring[] = {
        {cbPribor, Click},    // cbPriborClick
        {cbPribor, Enter},    // cbPriborEnter
        {cbUchastok, Click},  // cbUchastokClick
        {cbUchastok, Enter},  // cbUchastokEnter
        {cbDy, Click},        // cbDyClick
        {cbDy, Enter},        // cbDyEnter
        {mePlotnost, Click},  // mePlotnostClick
        {mePlotnost, Enter},  // mePlotnostEnter
        {meQ, Click},         // meQClick
        {meQ, Enter},         // meQEnter
        {meTgaza, Change},    // meTgazaChange
        {meTgaza, DblClick},  // meTgazaDblClick
        {meTgaza, Enter},     // meTgazaEnter
        {mePatm, Click},      // mePatmClick
        {mePatm, Enter},      // mePatmEnter
        {Edit_LDy, Click},    // Edit_LDyClick
        {Edit_LDy, Enter},    // Edit_LDyEnter
    };
    for (const auto& [control, event] : restoring)
        OnEvent(control, event, this, guard_.Guarded([control] { Restore(control); }));

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

void TmainForm::Restore(QWidget* control) {
    if (auto* field = qobject_cast<TextField*>(control)) field->SetColor(WindowColor());
    if (auto* list = qobject_cast<ColorComboBox*>(control)) list->SetColorEx(WindowColor());
}

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

void TmainForm::cbUchastokChange() {
    RichEdit1->ClearLines();
    Restore(cbUchastok);
}

void TmainForm::cbDyChange() {
    RichEdit1->ClearLines();
    const QString text = cbDy->currentText();
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    record_.valDy = value;
    Restore(cbDy);
}

// --- The gauge-pressure fields -------------------------------------------------

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
// single before the conversion, and shown without decimals.
void TmainForm::mePizbChange() {
    if (flagPizb_ != 1 || validating_) return;
    const Separators separators = platform_.LocaleSeparators();
    const float megapascals = checked::ToSingle(ParseDecimal(mePizb->text(), separators.decimal));
    SetFieldText(mePizb2,
                 FormatFloat(MegapascalToMmWater(megapascals), 0, TwinFieldSeparators(separators)));
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

// Millimetres of water column to megapascals: the result is rounded to
// single, and shown with ten decimals.
void TmainForm::mePizb2Change() {
    if (flagPizb_ != 0 || validating_) return;
    const Separators separators = platform_.LocaleSeparators();
    const long double millimetres = ParseDecimal(mePizb2->text(), separators.decimal);
    SetFieldText(mePizb, FormatFloat(MmWaterToMegapascal(millimetres), 10, separators));
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

bool TmainForm::InputsAccepted() {
    if (CheckInputs() == 0) return true;
    platform_.MessageBox(QStringLiteral("Ошибка ввода параметров!"), QStringLiteral("Ошибка!"),
                         MB_ICONERROR, BoxOwner::Application);
    return false;
}

// --- Calculation ---------------------------------------------------------------------

void TmainForm::butRaschhetClick() {
    RunCalculation(cbOtchet->isChecked() ? ReportKind::Plain : ReportKind::None);
}

void TmainForm::DetailedReport() { RunCalculation(ReportKind::WithCalculation); }

void TmainForm::RunCalculation(ReportKind report) {
    RichEdit1->ClearLines();
    if (!InputsAccepted()) return;
    const Separators separators = platform_.LocaleSeparators();
    const int section = cbUchastok->currentIndex();
    const int model = cbPribor->currentIndex();
    LossTrace trace;
    CalculateLoss(record_, model, section, Edit_LDy->text(), separators.decimal, &trace);

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

void TmainForm::ShowComparison() {
    if (!InputsAccepted()) return;
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
    if (!InputsAccepted()) return;
    const Separators separators = platform_.LocaleSeparators();
    plot::LossChartData data;
    data.choice = {cbPribor->currentIndex(), cbUchastok->currentIndex(), record_.valDy};
    data.separators = separators;
    data.entered = CalculateChoice(record_, data.choice, Edit_LDy->text(), separators.decimal);
    // 201 flows from zero to twice the entered one: the middle one is it.
    const float twice = checked::ToSingle(checked::Mul(record_.valQ, 2.0L));
    data.points = velars::LossCurve(record_, data.choice, Edit_LDy->text(), separators.decimal,
                                    CurveFlows(0.0f, twice, 201));
    OpenLossCurve(lossCurve_, this, platform_, data);
    lossCurve_->show();
    lossCurve_->raise();
    lossCurve_->activateWindow();
}

}  // namespace velars
