// Two calculators started from one portable folder press "Расчитать" at the
// same moment, round after round, with the report box ticked: into one
// LibreOffice Writer (started here, on the calculator's own pipe, with a
// profile of its own) and into the built-in document window. Every click
// gives a document or a box, the report numbers are distinct and follow one
// another, and the counter ends past the last number.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <gtest/gtest.h>
#include <algorithm>
#include <csignal>
#include <numeric>

#include "MainWindow.h"
#include "RealDisplay.h"
#include "writer/OfficeSession.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"
#include "writer/WriterDetection.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using namespace std::chrono_literals;

constexpr int kRounds = 10;
// A round is over within the bounds of a report (10 s for each call into the
// office, 10 s for the counter's lock) and some.
constexpr int kRoundMs = 60000;

// Where a test leaves the screen it failed on.
QString ShotPath(const char* name) {
    const QString folder = QStringLiteral(VELARS_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QLatin1String(name));
}

const QString kLastLine = QStringLiteral("УПП - Устройство Подготовки Потока");

// The report's number in its header line, or -1.
int ReportNumber(const QString& text) {
    static const QRegularExpression number(QStringLiteral("Расчет № (\\d+) от "));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The two main windows lie right of where the reports open: on a 1920 × 1080
// screen the report's window is placed at 305, 46, 700 × 706.
const QSize kScreen(1920, 1080);
const QPoint kMainPlaces[2] = {{1100, 100}, {1450, 100}};
const QRect kReportPlace(305, 46, 700, 706);

// LibreOffice on the test's display, accepting on the calculator's pipe, with
// a profile of its own; the test reads its documents through UNO. It ends
// with every process it started, and with any office a calculator started.
class OfficeOnDisplay {
public:
    explicit OfficeOnDisplay(RealDisplay& display) : display_(display) {}
    ~OfficeOnDisplay() { End(); }

    // Starts it; false, with the reason, when another office already
    // accepts on the calculator's pipe (the test would write into it).
    bool Start(QString* why) {
        const QString program = FindWriterOffice(qEnvironmentVariable("PATH"));
        if (program.isEmpty()) {
            *why = QStringLiteral("LibreOffice Writer is not installed");
            return false;
        }
        OfficeOptions options;
        options.program = program;
        options.programFolder = QFileInfo(QFileInfo(program).canonicalFilePath()).path();
        {
            // An office that cannot start: connecting succeeds only when one
            // already accepts on the pipe.
            OfficeOptions probe = options;
            probe.program = folder_.filePath(QStringLiteral("no-office"));
            OfficeSession session(probe);
            if (SUCCEEDED(session.Connect())) {
                *why = QStringLiteral("an office already accepts on the calculator's pipe");
                return false;
            }
        }
        options.extraArguments = {QStringLiteral("--norestore"), QStringLiteral("--nolockcheck"),
                                  QStringLiteral("-env:UserInstallation=file://") + Profile()};
        // The first start makes the profile; on a busy machine that is slow.
        options.timeout = 60s;
        qputenv("DISPLAY", display_.Display().toLocal8Bit());
        session_ = std::make_shared<OfficeSession>(options);
        if (FAILED(session_->Connect())) {
            *why = QStringLiteral("LibreOffice does not start");
            return false;
        }
        return true;
    }

    struct Report {
        QString text;
        bool shown = false;
        QRect box;
    };
    // Every Writer document of the office.
    std::vector<Report> Reports() {
        auto reports = std::make_shared<std::vector<Report>>();
        OfficeSession* const session = session_.get();
        const OfficeAnswer answer = session->Run([session, reports] {
            const auto each = session->Desktop()->getComponents()->createEnumeration();
            while (each->hasMoreElements()) {
                const uno::Reference<css::lang::XServiceInfo> info(each->nextElement(),
                                                                   uno::UNO_QUERY);
                if (!info.is() || !info->supportsService("com.sun.star.text.TextDocument"))
                    continue;
                const uno::Reference<css::frame::XModel> model(info, uno::UNO_QUERY_THROW);
                Report report;
                report.text = FromOUString(
                    uno::Reference<css::text::XTextDocument>(model, uno::UNO_QUERY_THROW)
                        ->getText()
                        ->getString());
                const uno::Reference<css::awt::XWindow2> window(WindowOf(model),
                                                                uno::UNO_QUERY_THROW);
                report.shown = window->isVisible();
                const css::awt::Rectangle box = window->getPosSize();
                report.box = QRect(box.X, box.Y, box.Width, box.Height);
                reports->push_back(report);
            }
            return uno::Any();
        });
        EXPECT_EQ(answer.hr, S_OK) << answer.message.toStdString();
        return *reports;
    }

private:
    QString Profile() const { return folder_.filePath(QStringLiteral("profile")); }

    void End() {
        if (session_ && session_->IsConnected()) {
            OfficeSession* const session = session_.get();
            // The reports are closed unsaved first: a visible office would
            // ask about each.
            session->Run([session] {
                const auto each = session->Desktop()->getComponents()->createEnumeration();
                while (each->hasMoreElements()) {
                    const uno::Reference<css::util::XCloseable> document(each->nextElement(),
                                                                         uno::UNO_QUERY);
                    if (document.is()) document->close(true);
                }
                session->Desktop()->terminate();
                return uno::Any();
            });
        }
        session_.reset();
        // The office's processes name its profile; one a calculator started
        // runs in the calculators' home.
        const QByteArray profile = QFile::encodeName(Profile());
        const QByteArray home = "HOME=" + QFile::encodeName(display_.HomeFolder());
        const auto ours = [&](const QString& pid) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
            if (!cmdline.open(QIODevice::ReadOnly)) return false;
            const QByteArray command = cmdline.readAll();
            if (command.contains(profile)) return true;
            return command.contains("soffice") && environ.open(QIODevice::ReadOnly) &&
                   environ.readAll().split('\0').contains(home);
        };
        RealDisplay::WaitFor(
            [&] {
                bool left = false;
                for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
                    if (entry.toInt() <= 0 || !ours(entry)) continue;
                    left = true;
                    kill(entry.toInt(), SIGKILL);
                }
                return !left;
            },
            10000);
    }

    RealDisplay& display_;
    QTemporaryDir folder_;
    std::shared_ptr<OfficeSession> session_;
};

class TwoCalculators : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.StartServer(kScreen)) << display.Error().toStdString();
    }

    // Both instances from the one folder with `path` as their PATH, apart,
    // the worked example entered and the report box ticked in each.
    void StartBoth(const QString& path) {
        for (int instance = 0; instance < 2; ++instance) {
            ASSERT_EQ(display.StartInstance(path), instance) << display.Error().toStdString();
            display.MoveMain(instance, kMainPlaces[instance]);
        }
        for (int instance = 0; instance < 2; ++instance) {
            EnterWorkedExample(display, instance);
            display.ClickAt(display.Main(instance).geometry.topLeft() + at::cbOtchetRightEnd);
        }
    }

    // "Расчитать" in both, one click right after the other. Each click must
    // reach its calculator: a window that lies over it (a report's window
    // opened where the office first puts it, the whole screen) takes the
    // click, and that calculator never learns of it.
    // False, with the failure, when a click went elsewhere: the round could
    // only wait for the report of a click that never came.
    bool ClickBoth(int round) {
        const std::vector<QString> under =
            display.ClickEach({display.Main(0).geometry.topLeft() + at::butRaschhet,
                               display.Main(1).geometry.topLeft() + at::butRaschhet});
        bool reached = true;
        for (int instance = 0; instance < 2; ++instance) {
            const QString& window = under[std::size_t(instance)];
            if (window == display.Main(instance).id) continue;
            reached = false;
            ADD_FAILURE() << "round " << round << ": the click meant for calculator " << instance
                          << " went to window " << window.toStdString() << " \""
                          << display.WindowName(window).toStdString() << "\"";
        }
        return reached;
    }

    // The instances' windows other than their main windows and those whose
    // name matches `documents`: the boxes they show.
    std::vector<XWindow> Boxes(const QRegularExpression& documents) {
        std::vector<XWindow> boxes;
        for (int instance = 0; instance < 2; ++instance)
            for (const XWindow& window : display.WindowsOf(instance))
                if (window.id != display.Main(instance).id &&
                    !documents.match(window.name).hasMatch())
                    boxes.push_back(window);
        return boxes;
    }

    // Presses the OK button of each box and waits until it is gone.
    void Close(const std::vector<XWindow>& boxes) {
        for (const XWindow& box : boxes) {
            display.ClickAt(box.geometry.topLeft() +
                            QPoint(box.geometry.width() - 42, box.geometry.height() - 18));
            EXPECT_TRUE(RealDisplay::WaitFor([&] {
                const std::vector<XWindow> left = Boxes(QRegularExpression(QStringLiteral("^$")));
                return std::none_of(left.begin(), left.end(),
                                    [&](const XWindow& w) { return w.id == box.id; });
            })) << "the box "
                << box.name.toStdString() << " stays";
        }
    }

    // The number the counter file holds for the next report.
    int Counter() {
        QFile file(QDir(display.ProgramFolder()).filePath(QStringLiteral("velars-tp_nr.ini")));
        if (!file.open(QIODevice::ReadOnly)) return 1;
        static const QRegularExpression entry(QStringLiteral("(?m)^n=(\\d+)"));
        const QRegularExpressionMatch match = entry.match(QString::fromLatin1(file.readAll()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // Numbers of the reports and the boxes shown: the numbers are 1, 2, …
    // in some order and the counter holds the next.
    void ExpectNumberedInTurn(std::vector<int> numbers, int boxes) {
        EXPECT_EQ(int(numbers.size()) + boxes, 2 * kRounds);
        std::sort(numbers.begin(), numbers.end());
        std::vector<int> expected(numbers.size());
        std::iota(expected.begin(), expected.end(), 1);
        EXPECT_EQ(numbers, expected);
        EXPECT_EQ(Counter(), int(numbers.size()) + 1);
    }

    RealDisplay display;
};

TEST_F(TwoCalculators, IntoOneWriterEveryClickGivesAReportOrABoxNumberedInTurn) {
    OfficeOnDisplay office(display);
    QString why;
    if (!office.Start(&why)) {
        if (why.startsWith(QLatin1String("an office"))) GTEST_SKIP() << why.toStdString();
        FAIL() << why.toStdString();
    }
    ASSERT_NO_FATAL_FAILURE(
        StartBoth(QFileInfo(FindWriterOffice(qEnvironmentVariable("PATH"))).path()));
    const QRegularExpression none(QStringLiteral("^$"));
    int boxes = 0;
    std::vector<OfficeOnDisplay::Report> reports;
    for (int round = 1; round <= kRounds; ++round) {
        ASSERT_TRUE(ClickBoth(round));
        // Both clicks are answered: each by a whole report, shown, or a box.
        const bool answered = RealDisplay::WaitFor(
            [&] {
                const std::vector<XWindow> shown = Boxes(none);
                boxes += int(shown.size());
                Close(shown);
                reports = office.Reports();
                const auto whole = std::count_if(reports.begin(), reports.end(), [](const auto& r) {
                    return r.shown && r.text.contains(kLastLine);
                });
                return int(whole) + boxes >= 2 * round;
            },
            kRoundMs);
        if (!answered) display.Screenshot().save(ShotPath("e2e-two-calculators-writer.png"));
        ASSERT_TRUE(answered) << "round " << round << ": a click gave neither a report nor a box ("
                              << reports.size() << " reports, " << boxes << " boxes)";
    }
    std::vector<int> numbers;
    for (const OfficeOnDisplay::Report& report : reports) {
        numbers.push_back(ReportNumber(report.text));
        EXPECT_EQ(report.box, kReportPlace) << "report " << numbers.back();
    }
    ExpectNumberedInTurn(numbers, boxes);
}

TEST_F(TwoCalculators, IntoTheBuiltInWindowEveryClickGivesAReportOrABoxNumberedInTurn) {
    // No word processor on the PATH.
    ASSERT_NO_FATAL_FAILURE(StartBoth({}));
    const QRegularExpression documents(QStringLiteral("^Отчет \\d+"));
    int boxes = 0;
    std::vector<XWindow> read;
    std::vector<int> numbers;
    for (int round = 1; round <= kRounds; ++round) {
        ASSERT_TRUE(ClickBoth(round));
        std::vector<XWindow> reports;
        const bool answered = RealDisplay::WaitFor(
            [&] {
                const std::vector<XWindow> shown = Boxes(documents);
                boxes += int(shown.size());
                Close(shown);
                reports.clear();
                for (int instance = 0; instance < 2; ++instance)
                    for (const XWindow& window : display.WindowsOf(instance))
                        if (documents.match(window.name).hasMatch()) reports.push_back(window);
                return int(reports.size()) + boxes >= 2 * round;
            },
            kRoundMs);
        if (!answered) display.Screenshot().save(ShotPath("e2e-two-calculators-built-in.png"));
        ASSERT_TRUE(answered) << "round " << round << ": a click gave neither a report nor a box ("
                              << reports.size() << " reports, " << boxes << " boxes)";
        // The new reports, each read back from its page.
        for (const XWindow& report : reports) {
            if (std::any_of(read.begin(), read.end(),
                            [&](const XWindow& w) { return w.id == report.id; }))
                continue;
            read.push_back(report);
            display.Raise(report.id);
            display.ClickAt(report.geometry.center());
            const QString text = display.CopyFocused();
            EXPECT_TRUE(text.contains(kLastLine)) << text.toStdString();
            numbers.push_back(ReportNumber(text));
        }
    }
    ExpectNumberedInTurn(numbers, boxes);
}

}  // namespace
}  // namespace velars::test
