#include "OfficeFixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QThread>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/LineSpacing.hpp>
#include <com/sun/star/style/LineSpacingMode.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextDocument.hpp>
#include <cmath>
#include <csignal>
#include <ostream>

#include "docserver/ParagraphEditing.h"
#include "writer/UnoDocument.h"
#include "writer/UnoText.h"
#include "writer/WriterDetection.h"
#include "writer/WriterServer.h"

namespace velars::test {

namespace uno = com::sun::star::uno;
namespace css = com::sun::star;

namespace {

struct Shared {
    QTemporaryDir folder;
    OfficeOptions options;
    ObjectFactory factory;
    std::shared_ptr<OfficeSession> session;
};
Shared* shared = nullptr;

// One office for every test of the binary, started before the first test
// and ended after the last: the test main runs the environments registered
// before it.
[[maybe_unused]] testing::Environment* const kOffice =
    testing::AddGlobalTestEnvironment(new OfficeEnvironment);

}  // namespace

void OfficeEnvironment::SetUp() {
    shared = new Shared;
    ASSERT_TRUE(shared->folder.isValid());
    OfficeOptions& options = shared->options;
    options.program = FindWriterOffice(qEnvironmentVariable("PATH"));
    ASSERT_FALSE(options.program.isEmpty()) << "LibreOffice Writer is not installed";
    options.extraArguments = {
        QStringLiteral("--headless"), QStringLiteral("--invisible"), QStringLiteral("--norestore"),
        QStringLiteral("--nolockcheck"),
        QStringLiteral("-env:UserInstallation=file://") + shared->folder.filePath("profile")};
    options.pipeName = QStringLiteral("velars-test-%1").arg(QCoreApplication::applicationPid());
    shared->session = RegisterWriterServer(shared->factory, options);
}

void OfficeEnvironment::TearDown() {
    if (shared == nullptr) return;
    if (shared->session->IsConnected()) {
        const std::shared_ptr<OfficeSession> session = shared->session;
        // Ends the office without a question about the unsaved reports.
        session->Run([session] {
            session->Desktop()->terminate();
            return uno::Any();
        });
    }
    shared->factory.Unregister(QStringLiteral("Word.Application"));
    shared->session.reset();
    KillProcessesNaming(shared->folder.path());
    delete shared;
    shared = nullptr;
}

OfficeOptions OfficeEnvironment::Options() { return shared->options; }
ObjectFactory& OfficeEnvironment::Factory() { return shared->factory; }
OfficeSession& OfficeEnvironment::Session() { return *shared->session; }
QString OfficeEnvironment::Folder() { return shared->folder.path(); }

void OfficeEnvironment::Run(std::function<void()> work) {
    const OfficeAnswer answer = shared->session->Run([work] {
        work();
        return uno::Any();
    });
    ASSERT_EQ(answer.hr, S_OK) << answer.message.toStdString();
}

std::vector<Model> OfficeEnvironment::Documents() {
    auto documents = std::make_shared<std::vector<Model>>();
    const std::shared_ptr<OfficeSession> session = shared->session;
    EXPECT_EQ(session->Connect(), S_OK);
    Run([session, documents] {
        const uno::Reference<css::container::XEnumeration> each =
            session->Desktop()->getComponents()->createEnumeration();
        while (each->hasMoreElements()) {
            const uno::Reference<css::lang::XServiceInfo> info(each->nextElement(), uno::UNO_QUERY);
            if (info.is() && info->supportsService("com.sun.star.text.TextDocument"))
                documents->push_back(Model(info, uno::UNO_QUERY));
        }
    });
    return *documents;
}

std::vector<int> OfficeEnvironment::ProcessesNaming(const QString& text) {
    std::vector<int> pids;
    const QByteArray wanted = QFile::encodeName(text);
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const int pid = entry.toInt(&number);
        if (!number || pid == int(QCoreApplication::applicationPid())) continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().contains(wanted))
            pids.push_back(pid);
    }
    return pids;
}

void OfficeEnvironment::KillProcessesNaming(const QString& text) {
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        const std::vector<int> pids = ProcessesNaming(text);
        if (pids.empty()) return;
        if (timer.elapsed() > 1000)  // a second to end by itself
            for (const int pid : pids) kill(pid, SIGKILL);
        if (timer.elapsed() > 10000) {
            ADD_FAILURE() << "processes naming " << text.toStdString() << " are left";
            return;
        }
        QThread::msleep(50);
    }
}

void PrintTo(const ParagraphLook& look, std::ostream* out) {
    *out << '"' << look.text.toStdString() << "\" " << look.size << "pt"
         << (look.bold ? " bold" : "") << " align " << look.alignment
         << (look.superscript ? " superscript" : "") << " spacing " << look.lineSpacing;
}

std::vector<ParagraphLook> WriterLooks(const Model& document) {
    auto looks = std::make_shared<std::vector<ParagraphLook>>();
    OfficeEnvironment::Run([document, looks] {
        const uno::Reference<css::text::XTextDocument> text(document, uno::UNO_QUERY_THROW);
        const uno::Reference<css::container::XEnumerationAccess> paragraphs(text->getText(),
                                                                            uno::UNO_QUERY_THROW);
        const auto each = paragraphs->createEnumeration();
        while (each->hasMoreElements()) {
            const uno::Reference<css::text::XTextRange> paragraph(each->nextElement(),
                                                                  uno::UNO_QUERY_THROW);
            const uno::Reference<css::beans::XPropertySet> properties(paragraph,
                                                                      uno::UNO_QUERY_THROW);
            ParagraphLook look;
            look.text = FromOUString(paragraph->getString());
            look.size = properties->getPropertyValue("CharHeight").get<float>();
            look.bold = properties->getPropertyValue("CharWeight").get<float>() > 100;
            look.alignment = CodeOfAdjust(properties->getPropertyValue("ParaAdjust"));
            look.superscript = properties->getPropertyValue("CharEscapement").get<sal_Int16>() != 0;
            const auto spacing =
                properties->getPropertyValue("ParaLineSpacing").get<css::style::LineSpacing>();
            look.lineSpacing = spacing.Mode == css::style::LineSpacingMode::PROP
                                   ? std::round(spacing.Height * 12.0 / 100 * 4) / 4
                                   : -1;
            looks->push_back(look);
        }
    });
    return *looks;
}

std::vector<ParagraphLook> BuiltInLooks(const QTextDocument& document) {
    std::vector<ParagraphLook> looks;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCharFormat format = block.charFormat();
        if (block.begin() != block.end()) format = block.begin().fragment().charFormat();
        ParagraphLook look;
        look.text = ParagraphText(block);
        look.size = FontPointSize(format, block);
        look.bold = format.fontWeight() > QFont::Medium;
        look.alignment = AlignmentCode(block.blockFormat().alignment());
        look.superscript = format.verticalAlignment() == QTextCharFormat::AlignSuperScript;
        look.lineSpacing = std::round(LineSpacingPoints(block.blockFormat()) * 4) / 4;
        looks.push_back(look);
    }
    return looks;
}

std::vector<Model> NewDocuments(const std::vector<Model>& before, const std::vector<Model>& after) {
    std::vector<Model> added;
    for (const Model& document : after)
        if (std::find(before.begin(), before.end(), document) == before.end())
            added.push_back(document);
    return added;
}

}  // namespace velars::test
