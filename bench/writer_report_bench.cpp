// One Word report of the worked example through the Writer server, beside
// the same report into the program's own document server:
//   WriterRunningOffice  into a LibreOffice that already runs (the report
//                        step's start to the last paragraph)
//   WriterFirstReport    the first report, the office's start included
//   BuiltInServer        the same report into the built-in document window
// The office runs headless with a temporary profile (created once before
// the figures are taken, as a user's profile exists); every office process
// is ended at the end.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QThread>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <csignal>
#include <memory>

#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "report/WordConnection.h"
#include "tests/support/ReportInputs.h"
#include "writer/OfficeSession.h"
#include "writer/WriterDetection.h"
#include "writer/WriterServer.h"

namespace {

using namespace velars;
namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

QTemporaryDir* profile = nullptr;

OfficeOptions HeadlessOffice() {
    OfficeOptions options;
    options.program = FindWriterOffice(qEnvironmentVariable("PATH"));
    options.extraArguments = {
        QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("-env:UserInstallation=file://") + profile->filePath("profile")};
    options.pipeName = QStringLiteral("velars-bench-%1").arg(QCoreApplication::applicationPid());
    return options;
}

// Ends the office and waits until none of its processes is left.
void EndOffice(const std::shared_ptr<OfficeSession>& session) {
    if (session->IsConnected())
        session->Run([session] {
            session->Desktop()->terminate();
            return uno::Any();
        });
    session->Disconnect();
    const QByteArray marker = QFile::encodeName(profile->path());
    for (int round = 0; round < 200; ++round) {
        bool left = false;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(entry));
            if (entry.toInt() > 0 && entry.toInt() != int(QCoreApplication::applicationPid()) &&
                cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(marker)) {
                left = true;
                if (round > 40) kill(entry.toInt(), SIGKILL);
            }
        }
        if (!left) return;
        QThread::msleep(50);
    }
}

// Closes every document of the office without a question.
void CloseDocuments(const std::shared_ptr<OfficeSession>& session) {
    session->Run([session] {
        const auto each = session->Desktop()->getComponents()->createEnumeration();
        while (each->hasMoreElements()) {
            const uno::Reference<css::util::XCloseable> document(each->nextElement(),
                                                                 uno::UNO_QUERY);
            if (document.is()) document->close(true);
        }
        return uno::Any();
    });
}

void Report(benchmark::State& state, const ObjectFactory& factory) {
    QTemporaryDir folder;
    FakePlatformServices platform;
    platform.executablePath = folder.filePath(QStringLiteral("velars-tp"));
    SaveLocation location;
    auto word = std::make_unique<WordConnection>();
    RunReportStep(*word, factory, platform, location, QSize(291, 640), test::WorkedExample());
    if (!platform.messageBoxes.empty()) state.SkipWithError("the report showed a message box");
    state.counters["paragraphs"] = word->nParagraph - 1;
}

void WriterRunningOffice(benchmark::State& state) {
    ObjectFactory factory;
    const auto session = RegisterWriterServer(factory, HeadlessOffice());
    if (FAILED(session->Connect())) {
        state.SkipWithError("the office does not start");
        return;
    }
    for (auto _ : state) {
        Report(state, factory);
        state.PauseTiming();
        CloseDocuments(session);
        state.ResumeTiming();
    }
    EndOffice(session);
}

void WriterFirstReport(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        ObjectFactory factory;
        const auto session = RegisterWriterServer(factory, HeadlessOffice());
        state.ResumeTiming();
        Report(state, factory);
        state.PauseTiming();
        EndOffice(session);
        state.ResumeTiming();
    }
}

void BuiltInServer(benchmark::State& state) {
    FakePlatformServices platform;
    ObjectFactory factory;
    RegisterDocumentServer(factory, platform);
    for (auto _ : state) {
        Report(state, factory);
        state.PauseTiming();
        std::vector<QPointer<DocumentWindow>> windows;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* window = qobject_cast<DocumentWindow*>(widget)) windows.emplace_back(window);
        for (const QPointer<DocumentWindow>& window : windows) delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
}

BENCHMARK(WriterRunningOffice)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(WriterFirstReport)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BuiltInServer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    QTemporaryDir folder;
    profile = &folder;
    {
        // The profile is made once, as a user's exists before the first report.
        ObjectFactory factory;
        const auto session = RegisterWriterServer(factory, HeadlessOffice());
        if (SUCCEEDED(session->Connect())) EndOffice(session);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
