#include "report/ReportStep.h"

#include "report/ReportWriter.h"

namespace velars {

void WriteReportHeader(WordConnection& word, PlatformServices& platform, std::int32_t number) {
    for (const ReportParagraph& line : HeaderParagraphs(number, platform.Today()))
        AddParagraph(word, platform, line.text, line.size, line.bold, line.alignment);
}

void ReportHeader(WordConnection& word, PlatformServices& platform, SaveLocation& location,
                  std::chrono::milliseconds lockWait) {
    CounterLock lock(platform, lockWait);
    const std::int32_t number = LoadReportNumber(platform);
    WriteReportHeader(word, platform, number);
    const auto next = static_cast<std::int32_t>(static_cast<std::uint32_t>(number) + 1u);
    SaveReportNumber(platform, location, next, &lock);
}

void ReportBody(WordConnection& word, PlatformServices& platform, const ReportInputs& inputs) {
    for (const ReportParagraph& line : BodyParagraphs(inputs, platform.LocaleSeparators()))
        AddParagraph(word, platform, line.text, line.size, line.bold, line.alignment);
}

void RunReportStep(WordConnection& word, const ObjectFactory& factory, PlatformServices& platform,
                   SaveLocation& location, QSize mainWindowOuterSize, const ReportInputs& inputs,
                   std::chrono::milliseconds lockWait) {
    // After a failed start vDocument holds no document of this report (empty,
    // or the previous report's): writing on would call an empty or stale
    // object, so the step ends with the box StartWord has shown.
    if (!StartWord(word, factory, platform, mainWindowOuterSize)) return;
    ReportHeader(word, platform, location, lockWait);
    ReportBody(word, platform, inputs);
}

bool RunNumberedReportStep(WordConnection& word, const ObjectFactory& factory,
                           PlatformServices& platform, QSize mainWindowOuterSize,
                           const ReportInputs& inputs, std::int32_t number) {
    if (!StartWord(word, factory, platform, mainWindowOuterSize)) return false;
    WriteReportHeader(word, platform, number);
    ReportBody(word, platform, inputs);
    return true;
}

}  // namespace velars
