#pragma once
// A document server registered in a factory, driven the way the calculator
// drives it: StartWord, then one AddParagraph per report line.

#include <QPointer>
#include <QSize>
#include <QString>
#include <QTextBlock>
#include <gtest/gtest.h>
#include <vector>

#include "automation/ObjectFactory.h"
#include "docserver/DocumentWindow.h"
#include "platform/FakePlatformServices.h"
#include "report/WordConnection.h"

namespace velars::test {

// One report line as the report writes it.
struct ReportLine {
    QString text;
    std::int8_t size;
    bool bold;
    std::int8_t alignment;
};

// A header and the start of a body.
std::vector<ReportLine> SampleReport();

// What one dispatch call answered.
struct CallAnswer {
    HRESULT hr = S_OK;
    Variant result;
    EXCEPINFO excepInfo;
    unsigned argErr = 0;
};

// Looks `name` up and invokes it as `flags` with `args` in written order; a
// put passes its value as the named argument DISPID_PROPERTYPUT unless
// `namedPut` is false.
CallAnswer Call(const Variant& object, const QString& name, std::uint16_t flags,
                std::vector<Variant> args = {}, bool namedPut = true);

// The character format that the paragraph's text (or, when empty, its mark) shows.
QTextCharFormat ShownFormat(const QTextBlock& block);

class ServerFixture : public testing::Test {
protected:
    ServerFixture();
    ~ServerFixture() override;

    // StartWord as the calculator calls it, with the calculator's outer size.
    void StartWord(QSize mainWindow = QSize(291, 640));
    void AddParagraph(const ReportLine& line);
    void WriteReport(const std::vector<ReportLine>& lines);

    // Every document window that exists, shown or not.
    static std::vector<DocumentWindow*> DocumentWindows();
    // The one document window; fails the test when there is not exactly one.
    DocumentWindow* OnlyWindow();
    // Runs the deletions that closed windows left pending.
    static void RunDeferredDeletes();

    FakePlatformServices platform;
    ObjectFactory factory;
    WordConnection word;
};

}  // namespace velars::test
