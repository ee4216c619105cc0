// The real program under Xvfb, driven as a user drives it: the first action
// after start, clicks into the fields right after a message box, the
// keyboard order, the worked example with its bold runs, and the report in
// the built-in document window under the default and a dark colour scheme.

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "MainWindow.h"
#include "RealDisplay.h"

namespace velars::test {
namespace {

const QString kNbsp = QString(QChar(0x00A0));

const QRect kCheckBoxIndicator(8, 410, 20, 17);
const QRect kDiameterList(39, 139, 78, 22);

QString Folder(const char* name) {
    const QString path = QStringLiteral(VELARS_SCREENSHOT_DIR);
    QDir().mkpath(path);
    return QDir(path).filePath(QLatin1String(name));
}

// The bold runs of an HTML fragment as Qt's rich-text copy writes it, one
// string per paragraph (empty when nothing in it is bold).
QStringList BoldTextPerParagraph(const QString& html) {
    static const QRegularExpression paragraph(QStringLiteral("<p[^>]*>(.*?)</p>"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression span(QStringLiteral("<span style=\"([^\"]*)\">(.*?)</span>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    QStringList bold;
    for (auto p = paragraph.globalMatch(html); p.hasNext();) {
        QString runs;
        for (auto s = span.globalMatch(p.next().captured(1)); s.hasNext();) {
            const auto m = s.next();
            if (m.captured(1).contains(QLatin1String("font-weight:700"))) runs += m.captured(2);
        }
        runs.replace(QLatin1String("&quot;"), QLatin1String("\""));
        runs.replace(QLatin1String("&amp;"), QLatin1String("&"));
        bold << runs;
    }
    return bold;
}

// The page of the document window in a screenshot of it: the rows that hold
// a long run of white paper, and what of them is ink.
struct Page {
    QRect paper;
    int ink = 0;         // near-black pixels on the paper
    int firstInkY = -1;  // the first row with ink
};

Page FindPage(const QImage& image) {
    Page page;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixelColor(x, y) == Qt::white ? run + 1 : 0;
            if (run == 300) {
                page.paper |= QRect(x - 299, y, 300, 1);
            } else if (run > 300) {
                page.paper |= QRect(x, y, 1, 1);
            }
        }
    }
    for (int y = page.paper.top(); y <= page.paper.bottom(); ++y) {
        for (int x = page.paper.left(); x <= page.paper.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::max({c.red(), c.green(), c.blue()}) < 80) {
                ++page.ink;
                if (page.firstInkY < 0) page.firstInkY = y;
            }
        }
    }
    return page;
}

class OnDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(display.StartServer()) << display.Error().toStdString(); }

    void Start(RealDisplay::Scheme scheme = RealDisplay::Scheme::Default) {
        ASSERT_TRUE(display.StartProgram(scheme)) << display.Error().toStdString();
    }

    // Waits for the message box named `caption`, presses its OK button with
    // the mouse and waits until it is gone.
    void CloseBox(const QString& caption) {
        const auto box = display.WaitForWindow(QStringLiteral("^") + caption + QStringLiteral("$"));
        ASSERT_TRUE(box.has_value()) << "no box " << caption.toStdString();
        display.ClickAt(box->geometry.topLeft() +
                        QPoint(box->geometry.width() - 42, box->geometry.height() - 18));
        ASSERT_TRUE(display.WaitForNoWindow(QStringLiteral("^") + caption + QStringLiteral("$")))
            << "the OK button did not close " << caption.toStdString();
    }

    QImage MainWindowShot() { return display.Screenshot().copy(display.Main().geometry); }

    QColor ColourAt(QPoint inMain) { return MainWindowShot().pixelColor(inMain); }

    // Waits until the main window shows `colour` at `inMain`.
    bool WaitForColour(QPoint inMain, QColor colour) {
        return RealDisplay::WaitFor([&] { return ColourAt(inMain) == colour; }, 10000);
    }

    RealDisplay display;
};

const QColor kRed(255, 0, 0);
const QColor kWhite(255, 255, 255);

TEST_F(OnDisplay, TheFirstActionAfterStartIsTypingIntoTheMegapascalField) {
    Start();
    display.Click(at::mePizb);
    display.Type(QStringLiteral("0,1"));
    EXPECT_EQ(display.CopyFrom(at::mePizb2), "10" + kNbsp + "197");
}

// The conversion error box closed with its OK button, then a click into the
// other pressure field: the click enters it and makes it the source.
TEST_F(OnDisplay, AClickIntoEitherPressureFieldRightAfterTheErrorBoxClosesEntersIt) {
    Start();
    display.Click(at::mePizb);
    display.Type(QStringLiteral("a"));
    CloseBox(QStringLiteral("velars-tp"));
    display.Click(at::mePizb2);
    display.Type(QStringLiteral("10000"));
    EXPECT_EQ(display.CopyFrom(at::mePizb), "0,0980665010");

    display.Click(at::mePizb2);
    display.Key(QStringLiteral("End"));
    display.Type(QStringLiteral("x"));
    CloseBox(QStringLiteral("velars-tp"));
    display.Click(at::mePizb);
    display.Key(QStringLiteral("ctrl+a"));
    display.Type(QStringLiteral("0,1"));
    EXPECT_EQ(display.CopyFrom(at::mePizb2), "10" + kNbsp + "197");
}

// After the input-error box, a click into a field marked red gives it the
// window colour back; a field not clicked stays red.
TEST_F(OnDisplay, AClickAfterTheInputErrorBoxRestoresTheMarkedField) {
    Start();
    display.Click(at::butRaschhet);
    CloseBox(QStringLiteral("Ошибка!"));
    ASSERT_TRUE(WaitForColour(at::BackgroundOf(at::meTgaza), kRed));
    display.Click(at::meTgaza);
    EXPECT_TRUE(WaitForColour(at::BackgroundOf(at::meTgaza), kWhite));
    display.Click(at::mePizb2);
    EXPECT_TRUE(WaitForColour(at::BackgroundOf(at::mePizb2), kWhite));
    EXPECT_TRUE(WaitForColour(at::BackgroundOf(at::mePizb), kWhite)) << "both pressure fields";
    EXPECT_EQ(ColourAt(at::BackgroundOf(at::mePlotnost)), kRed) << "not clicked";
}

// Tab from the density field through every input: each typed value lands
// in the field the keyboard order names, the temperature after the
// atmospheric pressure; then the check box, the pane and the model list.
TEST_F(OnDisplay, TheKeyboardOrder) {
    Start();
    const QImage before = MainWindowShot();
    display.Click(at::mePlotnost);
    display.Type(QStringLiteral("1"));
    display.Key(QStringLiteral("Tab"));
    display.Type(QStringLiteral("2"));
    display.Key(QStringLiteral("Tab"));
    display.Type(QStringLiteral("3"));
    display.Key(QStringLiteral("Tab ctrl+a"));
    display.Type(QStringLiteral("10000"));
    display.Key(QStringLiteral("Tab"));
    display.Type(QStringLiteral("5"));
    display.Key(QStringLiteral("Tab"));
    display.Type(QStringLiteral("6"));
    display.Key(QStringLiteral("Tab space Tab Tab Down"));  // tick, the pane, the first model
    EXPECT_TRUE(RealDisplay::WaitFor([&] {
        return MainWindowShot().copy(kDiameterList) != before.copy(kDiameterList);
    })) << "the model list got the focus and the Down key: the diameter list is shown";
    EXPECT_NE(MainWindowShot().copy(kCheckBoxIndicator), before.copy(kCheckBoxIndicator))
        << "the check box is ticked";

    EXPECT_EQ(display.CopyFrom(at::mePlotnost), "1");
    EXPECT_EQ(display.CopyFrom(at::meQ), "2");
    EXPECT_EQ(display.CopyFrom(at::mePizb), "0,0980665010");
    EXPECT_EQ(display.CopyFrom(at::mePizb2), "10000");
    EXPECT_EQ(display.CopyFrom(at::mePatm), "5");
    EXPECT_EQ(display.CopyFrom(at::meTgaza), "6");
}

TEST_F(OnDisplay, TheWorkedExampleByKeyboardGivesNineLinesAndThreeBoldRuns) {
    Start();
    EnterWorkedExample(display);
    display.Key(QStringLiteral("F9"));
    const QString html = display.CopyFrom(at::RichEdit1, QStringLiteral("text/html"));
    const QString text = display.CopyFocused();
    EXPECT_EQ(
        text.split(QLatin1Char('\n')),
        QStringList({"Результаты расчета:", "Наибольшие потери давления на ПП",
                     "и турбулизаторе (в чистом состоянии):", "73,76 Па ( 8 мм вод. ст.)", " ",
                     "Допустимое значение увеличения", "перепада давления на загрязненном",
                     "устройстве подготовки потока:", "7,38 Па ( 1 мм вод. ст.)."}));
    EXPECT_EQ(BoldTextPerParagraph(html),
              QStringList({"Результаты расчета:", "", "", "73,76 Па ( 8 мм вод. ст.)", " ", "", "",
                           "", "7,38 Па ( 1 мм вод. ст.)."}))
        << html.toStdString();
}

// The report in the built-in document window, read back from its page, and
// screenshots of both windows into the build folder: black ink on white
// paper whatever the scheme.
// The report's first page holds some 30 lines of text: several thousand
// pixels of ink.
constexpr int kReportInk = 3000;

class ReportOnDisplay : public OnDisplay,
                        public ::testing::WithParamInterface<RealDisplay::Scheme> {};

TEST_P(ReportOnDisplay, TheReportOpensInBlackOnWhiteAndReadsBack) {
    const bool dark = GetParam() == RealDisplay::Scheme::Dark;
    Start(GetParam());
    EnterWorkedExample(display);
    display.Key(QStringLiteral("F9"));
    EXPECT_EQ(display.CopyFrom(at::RichEdit1).count(QLatin1Char('\n')), 8);
    MainWindowShot().save(Folder(dark ? "e2e-dark-main.png" : "e2e-default-main.png"));

    display.Click(at::cbOtchetRightEnd);
    display.Key(QStringLiteral("ctrl+Return"));
    const auto report = display.WaitForWindow(QStringLiteral("^Отчет 1"));
    ASSERT_TRUE(report.has_value()) << display.ProgramErrors().toStdString();
    Page page;
    QImage shot;
    const bool inked = RealDisplay::WaitFor(
        [&] {
            shot = display.Screenshot().copy(report->geometry);
            page = FindPage(shot);
            return page.ink > kReportInk;
        },
        10000);
    shot.save(Folder(dark ? "e2e-dark-report.png" : "e2e-default-report.png"));
    ASSERT_TRUE(inked) << "no black text on white paper: " << page.ink << " ink pixels on "
                       << page.paper.width() << "x" << page.paper.height();
    EXPECT_GT(page.paper.width(), 500);

    display.ClickAt(report->geometry.topLeft() +
                    QPoint(page.paper.center().x(), page.firstInkY + 4));
    const QString text = display.CopyFocused();
    EXPECT_TRUE(text.contains(QStringLiteral("Расчет № 1 от "))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Тип измерительного прибора: ВЕЛАРС-МТ7")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("73,76"))) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Schemes, ReportOnDisplay,
                         ::testing::Values(RealDisplay::Scheme::Default, RealDisplay::Scheme::Dark),
                         [](const auto& info) {
                             return info.param == RealDisplay::Scheme::Dark ? "Dark" : "Default";
                         });

}  // namespace
}  // namespace velars::test
