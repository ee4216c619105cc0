#pragma once
// One headless LibreOffice for the whole test binary, with a temporary
// profile of its own: the Writer server registered in `Factory()` starts it
// on the first report, every test reuses it, and the end of the binary ends
// it and every process it started.

#include <QString>
#include <QTextDocument>
#include <com/sun/star/frame/XModel.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "automation/ObjectFactory.h"
#include "writer/OfficeOptions.h"
#include "writer/OfficeSession.h"

namespace velars::test {

using Model = com::sun::star::uno::Reference<com::sun::star::frame::XModel>;

class OfficeEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    // The options the shared server was registered with.
    static OfficeOptions Options();
    static ObjectFactory& Factory();
    static OfficeSession& Session();
    // A folder that lives as long as the binary.
    static QString Folder();

    // Runs `work` on the office thread; fails the test when it does not
    // answer S_OK.
    static void Run(std::function<void()> work);
    // The Writer documents open in the office.
    static std::vector<Model> Documents();
    // The pids of the processes whose command line names `text`.
    static std::vector<int> ProcessesNaming(const QString& text);
    // Kills (SIGKILL) the processes naming `text` and waits until they are gone.
    static void KillProcessesNaming(const QString& text);
};

// What one paragraph looks like, in the terms the report sets.
struct ParagraphLook {
    QString text;
    double size = 0;
    bool bold = false;
    int alignment = 0;
    bool superscript = false;
    double lineSpacing = 0;  // points, to the quarter point; 12 is one line
    bool operator==(const ParagraphLook&) const = default;
};
void PrintTo(const ParagraphLook& look, std::ostream* out);

// Every paragraph of a Writer document, read through UNO.
std::vector<ParagraphLook> WriterLooks(const Model& document);
// Every paragraph of a document of the built-in server.
std::vector<ParagraphLook> BuiltInLooks(const QTextDocument& document);

// The documents in `after` that are not in `before`.
std::vector<Model> NewDocuments(const std::vector<Model>& before, const std::vector<Model>& after);

}  // namespace velars::test
