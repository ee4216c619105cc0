#include "ServerFixture.h"

#include <QApplication>
#include <QTextDocument>

#include "docserver/DocumentServer.h"
#include "report/ReportWriter.h"

namespace velars::test {

std::vector<ReportLine> SampleReport() {
    return {
        {QStringLiteral("Программный комплекс \"ВЕЛАРС-ТП\""), 14, true, 1},
        {QStringLiteral("модуль \"Оценка потерь давления\""), 14, true, 1},
        {QStringLiteral("версия 2.02 от 03.03.20"), 14, true, 1},
        {QString(), 14, true, 1},
        {QStringLiteral("Расчет № 7 от 15.03.2024"), 14, true, 1},
        {QString(), 12, true, 0},
        {QStringLiteral("Вариант конструкции прибора:"), 12, true, 0},
        {QString(), 12, true, 0},
        {QStringLiteral("Тип измерительного прибора: ВЕЛАРС-Сфера-ПП"), 12, false, 0},
        {QStringLiteral("Избыточное давление, Ризб.: 0,10 МПа (10 197 мм вод. ст.)"), 12, false, 0},
        {QString(), 12, false, 0},
        {QStringLiteral("УПП - Устройство Подготовки Потока"), 12, false, 0},
    };
}

CallAnswer Call(const Variant& object, const QString& name, std::uint16_t flags,
                std::vector<Variant> args, bool namedPut) {
    CallAnswer answer;
    const DispatchPtr dispatch = object.pdispVal();
    if (!dispatch) {
        ADD_FAILURE() << "no object for " << name.toStdString();
        answer.hr = E_POINTER;
        return answer;
    }
    DISPID id = DISPID_UNKNOWN;
    answer.hr = dispatch->GetIDsOfNames(&name, 1, LOCALE_SYSTEM_DEFAULT, &id);
    if (FAILED(answer.hr)) return answer;
    std::vector<Variant> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params;
    params.rgvarg = reversed.empty() ? nullptr : reversed.data();
    params.cArgs = unsigned(reversed.size());
    if (flags == DISPATCH_PROPERTYPUT && namedPut) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    answer.hr = dispatch->Invoke(id, LOCALE_SYSTEM_DEFAULT, flags, &params, &answer.result,
                                 &answer.excepInfo, &answer.argErr);
    return answer;
}

QTextCharFormat ShownFormat(const QTextBlock& block) {
    if (block.begin() != block.end()) return block.begin().fragment().charFormat();
    return block.charFormat();
}

ServerFixture::ServerFixture() { RegisterDocumentServer(factory, platform); }

ServerFixture::~ServerFixture() {
    for (DocumentWindow* window : DocumentWindows()) delete window;
}

void ServerFixture::StartWord(QSize mainWindow) {
    const std::size_t boxes = platform.messageBoxes.size();
    ASSERT_TRUE(velars::StartWord(word, factory, platform, mainWindow));
    ASSERT_EQ(platform.messageBoxes.size(), boxes);
}

void ServerFixture::AddParagraph(const ReportLine& line) {
    velars::AddParagraph(word, platform, line.text, line.size, line.bold, line.alignment);
}

void ServerFixture::WriteReport(const std::vector<ReportLine>& lines) {
    for (const ReportLine& line : lines) AddParagraph(line);
}

std::vector<DocumentWindow*> ServerFixture::DocumentWindows() {
    std::vector<DocumentWindow*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<DocumentWindow*>(widget)) windows.push_back(window);
    }
    return windows;
}

DocumentWindow* ServerFixture::OnlyWindow() {
    const auto windows = DocumentWindows();
    EXPECT_EQ(windows.size(), 1u);
    return windows.size() == 1 ? windows.front() : nullptr;
}

void ServerFixture::RunDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace velars::test
