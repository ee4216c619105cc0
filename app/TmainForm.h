#pragma once
// The calculator window: the composition root of the program. It owns the
// controls, the gauge-pressure flag, the calculation record, the Word
// objects of the last report and the save location of the folder check;
// its handlers apply the catalogue, the number reader and format, the
// pressure units, the validation, the loss model and the report step to its
// controls, and hold no calculation of their own.
//
// Controls and handlers are private. Every control carries its name as
// objectName, so tests reach them with findChild<...>("cbPribor").

#include <QLabel>
#include <QWidget>
#include <cstdint>

#include "app/EventGuard.h"
#include "automation/ObjectFactory.h"
#include "calc/CalcRecord.h"
#include "calc/InputValidation.h"
#include "files/ReportCounter.h"
#include "platform/PlatformServices.h"
#include "report/ReportContent.h"
#include "report/WordConnection.h"
#include "widgets/CheckBox.h"
#include "widgets/ColorComboBox.h"
#include "widgets/GlassButton.h"
#include "widgets/GroupFrame.h"
#include "widgets/RichLabel.h"
#include "widgets/RichTextPane.h"
#include "widgets/TextField.h"

QT_BEGIN_NAMESPACE
class QMenu;
QT_END_NAMESPACE

namespace velars {

class ComparisonWindow;

class TmainForm : public QWidget, private InputForm {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 283;
    static constexpr int kClientHeight = 607;

    TmainForm(PlatformServices& platform, const ObjectFactory& factory, QWidget* parent = nullptr);
    ~TmainForm() override;

    // Places the window on monitor 0 and sets the state before the first
    // show: no selection in the three lists, the diameter and L/Dy widgets
    // hidden.
    void FormCreate();

    // --- State, open to tests --------------------------------------------------
    const CalcRecord& Record() const { return record_; }
    std::uint8_t FlagPizb() const { return flagPizb_; }
    const WordConnection& Word() const { return word_; }
    const SaveLocation& Location() const { return location_; }
    // The caption of the general error box.
    const QString& Title() const { return title_; }
    QMenu* ResultsMenu() const { return resultsMenu_; }
    // The two sizing windows, once opened (null before).
    ComparisonWindow* Comparison() const { return comparison_; }
    QWidget* LossCurve() const { return lossCurve_; }

protected:
    bool event(QEvent* event) override;

private:
    // --- Controls: made, placed and named by CreateControls and NameControls
    // (TmainFormLayout.cpp); each carries its name as objectName.
    GlassButton* butRaschhet;
    GroupFrame* AdvGroupBox1;
    QLabel* label_pribor;
    ColorComboBox* cbPribor;
    QLabel* label_uchastok;
    ColorComboBox* cbUchastok;
    GroupFrame* AdvGroupBox2;
    RichLabel* label_dy;
    ColorComboBox* cbDy;
    RichLabel* mm;
    RichLabel* Label_LDy;
    TextField* Edit_LDy;
    RichLabel* opisanie_ph;
    QLabel* label_p;
    QLabel* label_h;
    TextField* mePlotnost;
    RichLabel* label_kg_m3;
    RichLabel* opisanie_q;
    RichLabel* Q;
    TextField* meQ;
    RichLabel* mn3ch;
    RichLabel* t_gazga;
    TextField* meTgaza;
    RichLabel* label_grad_C;
    RichLabel* Pizb;
    TextField* mePizb;
    RichLabel* MPa;
    TextField* mePizb2;
    RichLabel* mm_vod_st;
    RichLabel* Patm;
    TextField* mePatm;
    RichLabel* label_KPa;
    CheckBox* cbOtchet;
    RichTextPane* RichEdit1;

    // --- Event handlers --------------------------------------------------------
    // The seventeen handlers that only give their control its window colour
    // back (cbPriborClick, meTgazaDblClick, ...) have no function of their
    // own: WireEvents wires them from one table.
    void cbPriborChange();
    void cbUchastokChange();
    void cbDyChange();
    void mePizbClick();
    void mePizb2Click();
    void mePizbEnter();
    void mePizb2Enter();
    void mePizbChange();
    void mePizb2Change();
    void butRaschhetClick();
    // The results pane's context menu, at a point of the screen.
    void RichEdit1ContextPopup(const QPoint& globalPos);

    // --- Operations --------------------------------------------------------------
    // Reads every input into the record and marks the invalid ones; 0 when
    // all are valid, 1 otherwise.
    std::int32_t CheckInputs();
    // CheckInputs, and the input-error box when an input is invalid: the one
    // way the calculate button and the sizing commands validate. True when
    // every input is valid.
    bool InputsAccepted();
    // The context menu's commands: the pane's selection to the clipboard;
    // every choice for the gas data; the loss curve of the current choice.
    // The last two validate the inputs as the calculate button does.
    void CopyResults();
    void ShowComparison();
    void ShowLossCurve();
    // "Отчет с ходом расчета": validates and calculates as the calculate
    // button does, then writes the report with its "Ход расчета" part,
    // whether the report box is ticked or not.
    void DetailedReport();

    // Places the window by the centring rule for its outer size.
    void PlaceWindow();
    // The window manager adds the frame only once the window is shown: the
    // placement is made again, once, when the frame turns out larger than
    // the size it was made for and the window still stands where it was put.
    void PlaceAgainForTheFrame();

    // InputForm: what validation reads and marks.
    QString Text(InputField field) override;
    void MarkInvalid(InputField field) override;
    int SelectedIndex(InputList list) override;
    void MarkInvalid(InputList list) override;

    // The controls, their places, fonts, texts and keyboard order.
    void CreateControls();
    // What a screen reader says for each input: its label and unit.
    void NameControls();
    void WireEvents();
    void CreateResultsMenu();
    // What a calculation ends with: no report, the report, or the report
    // with the "Ход расчета" part.
    enum class ReportKind { None, Plain, WithCalculation };
    // The calculate button's run: the pane, then the report asked for.
    void RunCalculation(ReportKind report);
    TextField* FieldOf(InputField field) const;
    ColorComboBox* ListOf(InputList list) const;
    // The choice and the record as the report reads them.
    ReportInputs CurrentReportInputs() const;

    // Sets a field's text from code; its Change handler runs inside, and an
    // exception it raises continues in the caller.
    void SetFieldText(TextField* field, const QString& text);
    // The separators of the millimetre field: none for grouping where the
    // locale groups with a character the number reader takes as a mark.
    static Separators TwinFieldSeparators(Separators separators);
    // Gives a text field or a list its window colour back.
    static void Restore(QWidget* control);

    PlatformServices& platform_;
    const ObjectFactory& factory_;
    QString title_;
    EventGuard guard_;
    // True while validation empties invalid fields: the twin conversion of
    // the gauge-pressure fields stays out of it.
    bool validating_ = false;
    bool placementPending_ = false;
    QMenu* resultsMenu_ = nullptr;
    ComparisonWindow* comparison_ = nullptr;
    QWidget* lossCurve_ = nullptr;
    QPoint placedAt_;
    QSize placedFor_;

    // The window's own state, declared so that it is released before the
    // controls, the Word objects first.
    std::uint8_t flagPizb_ = 0;
    CalcRecord record_{};
    SaveLocation location_;
    WordConnection word_;
};

}  // namespace velars
