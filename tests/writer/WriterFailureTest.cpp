// The Writer server when the office fails: it does not start, it does not
// answer, its window is closed or the office quits while a report is being
// written. Each is bounded in time; the calculator side recovers.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <gtest/gtest.h>
#include <csignal>
#include <functional>
#include <unistd.h>

#include "automation/Automation.h"
#include "automation/ModuleServer.h"
#include "files/ReportCounter.h"
#include "OfficeFixture.h"
#include "platform/FakePlatformServices.h"
#include "platform/ProgramModules.h"
#include "report/ReportStep.h"
#include "report/ReportWriter.h"
#include "report/WordConnection.h"
#include "tests/support/ReportInputs.h"
#include "writer/WriterServer.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;
using namespace std::chrono_literals;

const QString kDisconnected =
    QStringLiteral("The object invoked has disconnected from its clients");

// An office that is not LibreOffice: a script in a folder of its own.
class FakeOffice {
public:
    explicit FakeOffice(const QString& body) {
        EXPECT_TRUE(folder.isValid());
        program = folder.filePath(QStringLiteral("soffice"));
        QFile script(program);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(("#!/bin/sh\n" + body + "\n").toUtf8());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ~FakeOffice() { OfficeEnvironment::KillProcessesNaming(folder.path()); }

    OfficeOptions Options(std::chrono::milliseconds timeout) const {
        OfficeOptions options = OfficeEnvironment::Options();
        options.programFolder = QFileInfo(QFileInfo(options.program).canonicalFilePath()).path();
        options.program = program;
        options.pipeName = QStringLiteral("velars-fake-%1").arg(getpid());
        options.timeout = timeout;
        return options;
    }

    QTemporaryDir folder;
    QString program;
};

// A report attempt on a server that cannot be reached: the start box only,
// nothing written, the counter file never made; the time it took.
// `registerServer` replaces the server's own registration when given.
std::chrono::milliseconds FailingReport(
    const OfficeOptions& options,
    const std::function<void(ObjectFactory&, FakePlatformServices&)>& registerServer = {}) {
    QTemporaryDir folder;
    FakePlatformServices platform;
    platform.executablePath = folder.filePath(QStringLiteral("velars-tp"));
    SaveLocation location;
    ObjectFactory factory;
    if (registerServer)
        registerServer(factory, platform);
    else
        RegisterWriterServer(factory, options);
    WordConnection word;
    QElapsedTimer timer;
    timer.start();
    RunReportStep(word, factory, platform, location, QSize(291, 640), WorkedExample());
    const auto took = std::chrono::milliseconds(timer.elapsed());
    EXPECT_TRUE(word.vWordApp.IsEmpty());
    EXPECT_EQ(word.nParagraph, 0);
    EXPECT_FALSE(QFile::exists(CounterFilePath(platform.executablePath)));
    EXPECT_EQ(platform.messageBoxes.size(), 1u);
    if (!platform.messageBoxes.empty()) {
        EXPECT_EQ(platform.messageBoxes[0].text,
                  QStringLiteral("Ошибка при открытии сервера Word"));
        EXPECT_EQ(platform.messageBoxes[0].caption, QStringLiteral("Ошибка"));
    }
    return took;
}

TEST(WriterFailureTest, AnOfficeThatFailsToStartShowsTheStartBoxAtOnce) {
    const FakeOffice office(QStringLiteral("exit 1"));
    EXPECT_LT(FailingReport(office.Options(10s)), 3s);
}

// The program's own module of the server, loaded from the build's program
// folder as the program loads it, fails as the server does.
TEST(WriterFailureTest, TheServerModuleOfTheProgramFailsAsTheServerDoes) {
    const FakeOffice office(QStringLiteral("exit 1"));
    const QString module = QStringLiteral(VELARS_WRITER_SERVER_MODULE);
    QString missing;
    const QFunctionPointer entry = LoadProgramModule(QStringLiteral(VELARS_TP_EXECUTABLE), module,
                                                     kServerModuleEntry, missing);
    ASSERT_NE(entry, nullptr) << missing.toStdString();
    const auto took = FailingReport(
        office.Options(10s), [&](ObjectFactory& factory, FakePlatformServices& platform) {
            platform.modules[module] = entry;
            RegisterModuleServer(factory, platform, QStringLiteral("Word.Application"), module,
                                 office.program);
        });
    EXPECT_LT(took, 3s);
}

TEST(WriterFailureTest, AnOfficeThatNeverAcceptsIsGivenUpAfterTheBoundAndEnded) {
    const FakeOffice office(QStringLiteral("sleep 60"));
    const auto took = FailingReport(office.Options(1500ms));
    EXPECT_GE(took, 1500ms);
    EXPECT_LT(took, 4s);
    // The office that was started and never answered is gone.
    EXPECT_TRUE(OfficeEnvironment::ProcessesNaming(office.folder.path()).empty());
}

TEST(WriterFailureTest, AnOfficeThatAcceptsButNeverAnswersIsGivenUpAfterTheBound) {
    const FakeOffice office(QStringLiteral("exit 1"));
    const OfficeOptions options = office.Options(1500ms);
    // Listens on the office's pipe and reads, never answering.
    const QString socket =
        QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(getuid()).arg(options.pipeName);
    QProcess listener;
    listener.start(QStringLiteral("python3"),
                   {QStringLiteral("-c"),
                    QStringLiteral("import socket,sys,time\n"
                                   "s=socket.socket(socket.AF_UNIX)\ns.bind(sys.argv[1])\n"
                                   "s.listen(1)\nprint('ready',flush=True)\nc,_=s.accept()\n"
                                   "while c.recv(4096): pass\ntime.sleep(60)\n"),
                    socket});
    ASSERT_TRUE(listener.waitForReadyRead(5000));
    const auto took = FailingReport(options);
    listener.kill();
    listener.waitForFinished();
    QFile::remove(socket);
    EXPECT_GE(took, 1500ms);
    EXPECT_LT(took, 4s);
}

// A report stopped after its header: StartWord and five paragraphs.
struct ReportInProgress {
    QTemporaryDir folder;
    FakePlatformServices platform;
    SaveLocation location;
    WordConnection word;
    std::vector<Model> documents;

    ReportInProgress() {
        platform.executablePath = folder.filePath(QStringLiteral("velars-tp"));
        const std::vector<Model> before = OfficeEnvironment::Documents();
        EXPECT_TRUE(StartWord(word, OfficeEnvironment::Factory(), platform, QSize(291, 640)));
        ReportHeader(word, platform, location);
        documents = NewDocuments(before, OfficeEnvironment::Documents());
        EXPECT_EQ(documents.size(), 1u);
    }
    // The next paragraph fails as automation fails; the error's text.
    QString NextParagraphError() {
        try {
            AddParagraph(word, platform, QStringLiteral("после"), 12, false, 0);
        } catch (const EOleSysError& error) {
            return error.Message();
        }
        return {};
    }
};

// After a failed report, the next one writes a whole report into a new window.
void NextReportSucceeds() {
    QTemporaryDir folder;
    FakePlatformServices platform;
    platform.executablePath = folder.filePath(QStringLiteral("velars-tp"));
    SaveLocation location;
    WordConnection word;
    const std::vector<Model> before = OfficeEnvironment::Documents();
    RunReportStep(word, OfficeEnvironment::Factory(), platform, location, QSize(291, 640),
                  WorkedExample());
    EXPECT_TRUE(platform.messageBoxes.empty());
    const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(WriterLooks(added.front()).size(), std::size_t(word.nParagraph));
}

TEST(WriterFailureTest, ClosingTheWriterWindowDisconnectsTheReportAndTheNextOneStartsAfresh) {
    {
        ReportInProgress report;
        ASSERT_EQ(report.documents.size(), 1u);
        const Model document = report.documents.front();
        // As the user closes the window and discards the document.
        OfficeEnvironment::Run([document] {
            uno::Reference<css::util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
        });
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(report.NextParagraphError(), kDisconnected);
        EXPECT_LT(timer.elapsed(), 2000);
    }
    NextReportSucceeds();
}

TEST(WriterFailureTest, QuittingTheOfficeDisconnectsTheReportAndTheNextOneStartsItAgain) {
    {
        ReportInProgress report;
        ASSERT_EQ(report.documents.size(), 1u);
        // The office ends with every process it had.
        OfficeEnvironment::KillProcessesNaming(OfficeEnvironment::Folder());
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(report.NextParagraphError(), kDisconnected);
        EXPECT_LT(timer.elapsed(), 2000);
    }
    NextReportSucceeds();
}

TEST(WriterFailureTest, AnOfficeThatStopsAnsweringMidReportIsGivenUpAfterTheBound) {
    {
        ReportInProgress report;
        ASSERT_EQ(report.documents.size(), 1u);
        // The office freezes: every process it has is stopped.
        const std::vector<int> office =
            OfficeEnvironment::ProcessesNaming(OfficeEnvironment::Folder());
        ASSERT_FALSE(office.empty());
        for (const int pid : office) kill(pid, SIGSTOP);
        QElapsedTimer timer;
        timer.start();
        const QString error = report.NextParagraphError();
        const qint64 took = timer.elapsed();
        for (const int pid : office) kill(pid, SIGCONT);
        EXPECT_EQ(error, kDisconnected);
        EXPECT_GE(took, OfficeEnvironment::Options().timeout.count());
        EXPECT_LT(took, OfficeEnvironment::Options().timeout.count() + 2000);
    }
    // The office answers again: the next report reaches it afresh.
    NextReportSucceeds();
}

}  // namespace
}  // namespace velars::test
