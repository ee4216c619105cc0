// The results pane's context menu and the two sizing windows it opens.

#include <QAction>
#include <QChart>
#include <QContextMenuEvent>
#include <QLineSeries>
#include <QMenu>
#include <QScatterSeries>
#include <QValueAxis>
#include <gtest/gtest.h>

#include "app/ComparisonWindow.h"
#include "app/LossCurveWindow.h"
#include "calc/LossModel.h"
#include "calc/SizingCsv.h"
#include "MainFormFixture.h"
#include "plot/LossChart.h"
#include "widgets/GlassButton.h"
#include "widgets/RichTextPane.h"

namespace velars {
namespace {

class SizingWindows : public test::MainFormTest {
protected:
    void SetUp() override {
        MainFormTest::SetUp();
        Show();
    }
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }

    // The worked example: model 3, section 1, Dy 100.
    void EnterWorkedExample(int model = 3, int section = 1, int diameter = 3) {
        Pick("cbPribor", model);
        Pick("cbUchastok", section);
        Pick("cbDy", diameter);
        Type("mePlotnost", "0,68");
        Type("meQ", "500");
        Type("meTgaza", "20");
        Type("mePizb", "0,3");
        Type("mePatm", "101,325");
    }

    RichTextPane* Pane() const { return Find<RichTextPane>("RichEdit1"); }

    // A right click in the pane, as the window system reports it.
    QMenu* RightClick() {
        const QPoint at(20, 20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, Pane()->viewport()->mapToGlobal(at));
        QApplication::sendEvent(Pane()->viewport(), &event);
        return OpenMenu();
    }
    QMenu* OpenMenu() {
        QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        EXPECT_NE(menu, nullptr);
        EXPECT_EQ(menu, form->ResultsMenu());
        return menu;
    }
    void Choose(const char* action) {
        QMenu* menu = RightClick();
        ASSERT_NE(menu, nullptr);
        QAction* chosen = menu->findChild<QAction*>(QLatin1String(action));
        ASSERT_NE(chosen, nullptr);
        menu->close();
        chosen->trigger();
    }

    void ExpectInputErrorBox() {
        ASSERT_EQ(platform.messageBoxes.size(), 1u);
        EXPECT_EQ(platform.messageBoxes[0].text, "Ошибка ввода параметров!");
        EXPECT_EQ(platform.messageBoxes[0].caption, "Ошибка!");
        EXPECT_EQ(platform.messageBoxes[0].style, MB_ICONERROR);
        EXPECT_EQ(platform.messageBoxes[0].owner, BoxOwner::Application);
    }
};

TEST_F(SizingWindows, RightClickAndTheMenuKeyOfferTheCommands) {
    QMenu* menu = RightClick();
    ASSERT_NE(menu, nullptr);
    QStringList texts;
    for (QAction* action : menu->actions()) texts << action->text();
    EXPECT_EQ(texts, QStringList({"Копировать", "Сравнить варианты…", "График потерь…",
                                  "Отчет с ходом расчета"}));
    // Nothing selected: nothing to copy.
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    menu->close();

    for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Menu), Qt::SHIFT | Qt::Key_F10}) {
        Pane()->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(Pane()->hasFocus());
        QTest::keyClick(Pane(), keys.key(), keys.keyboardModifiers());
        QMenu* byKey = OpenMenu();
        ASSERT_NE(byKey, nullptr);
        byKey->close();
    }
}

TEST_F(SizingWindows, CopyPutsTheSelectedLinesOnTheClipboard) {
    EnterWorkedExample();
    QTest::mouseClick(Find<GlassButton>("butRaschhet"), Qt::LeftButton);
    Pane()->selectAll();
    QMenu* menu = RightClick();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions()[0]->isEnabled());
    menu->close();
    menu->actions()[0]->trigger();
    ASSERT_EQ(platform.clipboard.size(), 1u);
    EXPECT_EQ(platform.clipboard[0], Pane()->Lines().join(QLatin1Char('\n')));
}

TEST_F(SizingWindows, ComparisonShowsEveryChoiceSortableWithALimitAndCsv) {
    EnterWorkedExample();
    Choose("actCompare");
    EXPECT_TRUE(platform.messageBoxes.empty());
    ComparisonWindow* window = form->Comparison();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    QAbstractItemModel* table = window->tableChoices->model();
    ASSERT_EQ(table->rowCount(), 84);  // no L/Dy: the cut-in model is left out

    // Sorted by the loss; the worked example's row has the pane's figures.
    int example = -1;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (row > 0) {
            EXPECT_LE(window->ResultAt(row - 1).record.valDPpoteri,
                      window->ResultAt(row).record.valDPpoteri);
        }
        if (window->ResultAt(row).choice == MeterChoice{3, 1, 100}) example = row;
    }
    ASSERT_GE(example, 0);
    QStringList cells;
    for (int column = 0; column < ComparisonWindow::ColumnCount; ++column)
        cells << table->index(example, column).data().toString();
    EXPECT_EQ(cells,
              QStringList({"ВЕЛАРС-МТ7", "Турбулизатор-Н", "100", "73,76", "8", "7,38", "1"}));

    // Any column sorts by its numbers: the diameter, largest first.
    window->tableChoices->sortByColumn(ComparisonWindow::Dy, Qt::DescendingOrder);
    EXPECT_EQ(table->index(0, ComparisonWindow::Dy).data().toString(), QStringLiteral("400"));
    EXPECT_EQ(table->index(table->rowCount() - 1, ComparisonWindow::Dy).data().toString(),
              QStringLiteral("27"));

    // The limit greys out the choices above it, and only those.
    QTest::keyClicks(window->editMaxLoss, QStringLiteral("73,76138"));
    int greyed = 0;
    for (int row = 0; row < table->rowCount(); ++row) {
        const bool above = window->ResultAt(row).record.valDPpoteri > 73.76138L;
        EXPECT_EQ(window->IsGreyedOut(row), above) << row;
        EXPECT_EQ(bool(table->flags(table->index(row, ComparisonWindow::Loss)) & Qt::ItemIsEnabled),
                  !above);
        greyed += above ? 1 : 0;
    }
    EXPECT_GT(greyed, 0);
    EXPECT_LT(greyed, 84);

    // The copy is the CSV of the rows as shown.
    QTest::mouseClick(window->butCopyCsv, Qt::LeftButton);
    ASSERT_EQ(platform.clipboard.size(), 1u);
    std::vector<ChoiceResult> shown;
    for (int row = 0; row < table->rowCount(); ++row) shown.push_back(window->ResultAt(row));
    EXPECT_EQ(platform.clipboard[0], QString::fromStdString(ComparisonCsv(shown)));
    EXPECT_TRUE(platform.clipboard[0].startsWith(QStringLiteral("model,model_name,section,")));
    EXPECT_TRUE(
        platform.clipboard[0].contains(QStringLiteral("\n0,ВЕЛАРС-Сфера-ПП (полнопроходной),")));
}

TEST_F(SizingWindows, InvalidInputMarksTheControlsAndShowsTheSameBox) {
    EnterWorkedExample();
    Type("meQ", "five hundred");
    for (const char* action : {"actCompare", "actCurve"}) {
        platform.ClearCalls();
        Choose(action);
        ExpectInputErrorBox();
        EXPECT_EQ(Field("meQ")->text(), QString());
        EXPECT_EQ(Field("meQ")->Color(), Red());
        Type("meQ", "five hundred");
    }
    EXPECT_EQ(form->Comparison(), nullptr);
    EXPECT_EQ(form->LossCurve(), nullptr);
}

TEST_F(SizingWindows, CurveUpToTwiceTheFlowWithTheEnteredPointMarked) {
    EnterWorkedExample();
    Choose("actCurve");
    EXPECT_TRUE(platform.messageBoxes.empty());
    auto* window = qobject_cast<LossCurveWindow*>(form->LossCurve());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    QChart* chart = window->chartLoss->chart();
    QLineSeries* loss = nullptr;
    QLineSeries* increase = nullptr;
    QScatterSeries* entered = nullptr;
    for (QAbstractSeries* series : chart->series()) {
        if (series->name() == plot::LossSeriesName()) loss = qobject_cast<QLineSeries*>(series);
        if (series->name() == plot::IncreaseSeriesName())
            increase = qobject_cast<QLineSeries*>(series);
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) entered = scatter;
    }
    ASSERT_NE(loss, nullptr);
    ASSERT_NE(increase, nullptr);
    ASSERT_NE(entered, nullptr);
    ASSERT_EQ(loss->count(), 201);
    EXPECT_EQ(loss->at(0), QPointF(0, 0));
    EXPECT_EQ(loss->at(200).x(), 1000.0);
    // The middle point and the marked one are the single calculation.
    EXPECT_EQ(loss->at(100), QPointF(500.0, static_cast<double>(73.76138305664062f)));
    EXPECT_EQ(increase->at(100).y(), static_cast<double>(7.376138210296631f));
    ASSERT_EQ(entered->count(), 1);
    EXPECT_EQ(entered->at(0), QPointF(500.0, static_cast<double>(73.76138305664062f)));
    EXPECT_EQ(entered->name(), QStringLiteral("Введенный расход: Q = 500, ΔP = 73,76 Па"));
    const auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).value(0));
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->titleText(), QStringLiteral("Расход Q, нм³/ч"));
    EXPECT_GE(x->max(), 1000.0);
}

TEST_F(SizingWindows, CurveOfAFrictionModelNamesTheFaultAtZeroFlow) {
    EnterWorkedExample(0, 0, 2);  // full bore, no conditioner, Dy 100
    Choose("actCurve");
    ASSERT_NE(form->LossCurve(), nullptr);
    QStringList names;
    int lossPoints = 0;
    for (QAbstractSeries* series :
         qobject_cast<LossCurveWindow*>(form->LossCurve())->chartLoss->chart()->series()) {
        names << series->name();
        if (series->name() == plot::LossSeriesName())
            lossPoints += static_cast<int>(qobject_cast<QLineSeries*>(series)->count());
    }
    EXPECT_EQ(lossPoints, 200);
    EXPECT_FALSE(names.contains(plot::IncreaseSeriesName()));
    EXPECT_TRUE(
        names.contains(QStringLiteral("Нет расчета при Q = 0: Floating point division by zero")))
        << names.join(QLatin1Char('|')).toStdString();

    // Opened again with another flow, the same window shows the new curve.
    Type("meQ", "250");
    Choose("actCurve");
    for (QAbstractSeries* series :
         qobject_cast<LossCurveWindow*>(form->LossCurve())->chartLoss->chart()->series())
        if (auto* scatter = qobject_cast<QScatterSeries*>(series)) {
            EXPECT_EQ(scatter->at(0).x(), 250.0);
        }
}

}  // namespace
}  // namespace velars
