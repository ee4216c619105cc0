// One whole Word report of the worked example into the program's own
// document server: from the start of the report step (StartWord, header with
// the counter file and the folder check, body) to the last paragraph.
//
// The "accesses" counter is the number of member accesses per report, each
// one a name lookup followed by an invocation; a counting dispatch wrapper
// stands between the report and the server and wraps every object the server
// hands out. Argument 0 runs without the wrapper, argument 1 with it.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "automation/Dispatch.h"
#include "automation/ObjectFactory.h"
#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "files/ReportCounter.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "report/WordConnection.h"
#include "tests/support/ReportInputs.h"

namespace {

using namespace velars;

struct AccessCount {
    long lookups = 0;
    long invocations = 0;
};

// Forwards every call to the real object and counts it; objects returned by
// the real object come back wrapped too.
class CountingDispatch : public IDispatch {
public:
    CountingDispatch(DispatchPtr inner, std::shared_ptr<AccessCount> count)
        : inner_(std::move(inner)), count_(std::move(count)) {}

    static DispatchPtr Wrap(DispatchPtr inner, const std::shared_ptr<AccessCount>& count) {
        if (!inner) return inner;
        return std::make_shared<CountingDispatch>(std::move(inner), count);
    }

    HRESULT GetIDsOfNames(const QString* names, unsigned count, LCID lcid, DISPID* ids) override {
        ++count_->lookups;
        return inner_->GetIDsOfNames(names, count, lcid, ids);
    }

    HRESULT Invoke(DISPID id, LCID lcid, std::uint16_t flags, DISPPARAMS* params, Variant* result,
                   EXCEPINFO* excepInfo, unsigned* argErr) override {
        ++count_->invocations;
        const HRESULT hr = inner_->Invoke(id, lcid, flags, params, result, excepInfo, argErr);
        if (result && result->vt() == VT_DISPATCH)
            *result = Variant::FromDispatch(Wrap(result->pdispVal(), count_));
        return hr;
    }

private:
    DispatchPtr inner_;
    std::shared_ptr<AccessCount> count_;
};

// Closes every document window without a question, as if the user had
// discarded the reports.
void CloseDocumentWindows() {
    // The windows' menus are top-level widgets too and go with their window:
    // pick the windows out first, then delete them.
    std::vector<QPointer<DocumentWindow>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<DocumentWindow*>(widget)) windows.emplace_back(window);
    for (const QPointer<DocumentWindow>& window : windows) delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ReportIntoDocumentServer(benchmark::State& state) {
    const bool counted = state.range(0) != 0;
    QTemporaryDir folder;
    if (!folder.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    FakePlatformServices platform;
    platform.executablePath = folder.filePath(QStringLiteral("velars-tp"));
    platform.separators = Separators{QLatin1Char(','), QChar(0x00A0)};

    ObjectFactory server;
    RegisterDocumentServer(server, platform);
    auto count = std::make_shared<AccessCount>();
    ObjectFactory counting;
    counting.Register(QStringLiteral("Word.Application"), [&server, count]() -> DispatchPtr {
        DispatchPtr app;
        if (FAILED(server.CreateInstance(QStringLiteral("Word.Application"), &app))) return {};
        return CountingDispatch::Wrap(app, count);
    });
    const ObjectFactory& factory = counted ? counting : server;

    const ReportInputs inputs = test::WorkedExample();
    SaveLocation location;
    auto word = std::make_unique<WordConnection>();
    int paragraphs = 0;
    for (auto _ : state) {
        RunReportStep(*word, factory, platform, location, QSize(291, 640), inputs);

        state.PauseTiming();
        paragraphs = word->nParagraph - 1;
        word = std::make_unique<WordConnection>();
        CloseDocumentWindows();
        state.ResumeTiming();
    }
    if (!platform.messageBoxes.empty()) state.SkipWithError("the report showed a message box");
    state.counters["paragraphs"] = paragraphs;
    if (counted) {
        state.counters["accesses"] = benchmark::Counter(double(count->lookups),
                                                        benchmark::Counter::kAvgIterations);
        state.counters["invocations"] = benchmark::Counter(double(count->invocations),
                                                           benchmark::Counter::kAvgIterations);
    }
}

BENCHMARK(ReportIntoDocumentServer)
    ->ArgName("counted")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
