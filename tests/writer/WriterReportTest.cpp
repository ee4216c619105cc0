// The real report through the Writer server into a real (headless)
// LibreOffice, read back through UNO and compared with what the built-in
// server holds for the same report.

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <gtest/gtest.h>

#include "calc/LossModel.h"
#include "docserver/DocumentServer.h"
#include "docserver/DocumentWindow.h"
#include "OfficeFixture.h"
#include "platform/FakePlatformServices.h"
#include "report/ReportStep.h"
#include "report/WordConnection.h"
#include "tests/support/ReportInputs.h"

namespace velars::test {
namespace {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

// Each server's report reads a counter file of its own, so both are number 1.
struct ReportRun {
    QTemporaryDir folder;
    FakePlatformServices platform;
    SaveLocation location;
    ReportRun() { platform.executablePath = folder.filePath(QStringLiteral("velars-tp")); }
};

std::vector<ParagraphLook> BuiltInReport(const ReportInputs& inputs) {
    ReportRun run;
    ObjectFactory factory;
    RegisterDocumentServer(factory, run.platform);
    std::vector<ParagraphLook> looks;
    {
        WordConnection word;
        RunReportStep(word, factory, run.platform, run.location, QSize(291, 640), inputs);
        EXPECT_TRUE(run.platform.messageBoxes.empty());
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<DocumentWindow*>(widget)) {
            looks = BuiltInLooks(*window->Document());
            window->Document()->setModified(false);
            delete window;
            break;
        }
    }
    return looks;
}

// The report into Writer; the new document, after the calculator's objects
// are gone.
Model WriterReport(const ReportInputs& inputs) {
    ReportRun run;
    const std::vector<Model> before = OfficeEnvironment::Documents();
    {
        WordConnection word;
        RunReportStep(word, OfficeEnvironment::Factory(), run.platform, run.location,
                      QSize(291, 640), inputs);
        EXPECT_TRUE(run.platform.messageBoxes.empty());
    }
    const std::vector<Model> added = NewDocuments(before, OfficeEnvironment::Documents());
    EXPECT_EQ(added.size(), 1u);
    return added.empty() ? Model() : added.front();
}

TEST(WriterReportTest, HoldsWhatTheBuiltInServerHoldsAndStaysOpenUnsaved) {
    for (const ReportInputs& inputs : {WorkedExample(), ModelZeroSectionZero()}) {
        SCOPED_TRACE(testing::Message()
                     << "model " << inputs.model << " section " << inputs.section);
        const std::vector<ParagraphLook> expected = BuiltInReport(inputs);
        ASSERT_GT(expected.size(), 20u);
        const Model document = WriterReport(inputs);
        ASSERT_TRUE(document.is());
        EXPECT_EQ(WriterLooks(document), expected);

        auto modified = std::make_shared<bool>(false);
        auto framed = std::make_shared<bool>(false);
        OfficeEnvironment::Run([document, modified, framed] {
            *modified = uno::Reference<css::util::XModifiable>(document, uno::UNO_QUERY_THROW)
                            ->isModified();
            const auto controller = document->getCurrentController();
            *framed = controller.is() && controller->getFrame().is();
        });
        EXPECT_TRUE(*modified);
        EXPECT_TRUE(*framed);
    }
}

TEST(WriterReportTest, EachReportOpensAFrameOfItsOwn) {
    const Model first = WriterReport(WorkedExample());
    const Model second = WriterReport(WorkedExample());
    ASSERT_TRUE(first.is() && second.is());
    auto distinct = std::make_shared<bool>(false);
    OfficeEnvironment::Run([first, second, distinct] {
        *distinct = first->getCurrentController()->getFrame() !=
                    second->getCurrentController()->getFrame();
    });
    EXPECT_TRUE(*distinct);
}

TEST(WriterReportTest, TheDocumentOutlivesTheCalculatorsConnection) {
    for (const Model& document : OfficeEnvironment::Documents())
        OfficeEnvironment::Run([document] {
            uno::Reference<css::util::XCloseable>(document, uno::UNO_QUERY_THROW)->close(true);
        });
    {
        ReportRun run;
        WordConnection word;
        RunReportStep(word, OfficeEnvironment::Factory(), run.platform, run.location,
                      QSize(291, 640), WorkedExample());
        EXPECT_TRUE(run.platform.messageBoxes.empty());
    }
    // The calculator ends its connection as it closes; a new one finds the
    // report open and unsaved in the office that runs on.
    OfficeEnvironment::Session().Disconnect();
    const std::vector<Model> documents = OfficeEnvironment::Documents();
    ASSERT_EQ(documents.size(), 1u);
    const Model document = documents.front();
    auto modified = std::make_shared<bool>(false);
    OfficeEnvironment::Run([document, modified] {
        *modified =
            uno::Reference<css::util::XModifiable>(document, uno::UNO_QUERY_THROW)->isModified();
    });
    EXPECT_TRUE(*modified);
    EXPECT_EQ(WriterLooks(document).size(), 30u);
}

}  // namespace
}  // namespace velars::test
