#pragma once
// The report step at the end of a calculation: start Word, write the
// numbered header, then the body. The window numbers its report while it
// writes the header (RunReportStep); the command-line tool takes the number
// first and writes the report only when the next number is stored
// (RunNumberedReportStep). Both write the same paragraphs through the same
// calls.

#include <QSize>

#include "automation/ObjectFactory.h"
#include "files/CounterLock.h"
#include "files/ReportCounter.h"
#include "platform/PlatformServices.h"
#include "report/ReportContent.h"
#include "report/WordConnection.h"

namespace velars {

// Writes the five header lines of report `number` (14 pt, bold, centred).
void WriteReportHeader(WordConnection& word, PlatformServices& platform, std::int32_t number);

// Reads the report number, writes the five header lines and stores the
// number plus one (32-bit wrap-around), holding the
// counter's lock from the reading to the storing. When another report step
// holds it longer than `lockWait`, throws before anything is written or
// numbered.
void ReportHeader(WordConnection& word, PlatformServices& platform, SaveLocation& location,
                  std::chrono::milliseconds lockWait = kCounterLockWait);

// Writes the body lines (12 pt, left) for the inputs and results.
void ReportBody(WordConnection& word, PlatformServices& platform, const ReportInputs& inputs);

// StartWord, ReportHeader, ReportBody. When Word cannot be started or its
// new document is missing, StartWord has already told the user and the step
// ends there: no header, no body, the counter is neither read nor advanced.
// Automation and counter-file errors propagate.
void RunReportStep(WordConnection& word, const ObjectFactory& factory, PlatformServices& platform,
                   SaveLocation& location, QSize mainWindowOuterSize, const ReportInputs& inputs,
                   std::chrono::milliseconds lockWait = kCounterLockWait);

// StartWord, the header of report `number`, the body: for a report whose
// number has been taken and stored already. False when Word cannot be
// started or its new document is missing (StartWord has told the user);
// automation errors propagate.
bool RunNumberedReportStep(WordConnection& word, const ObjectFactory& factory,
                           PlatformServices& platform, QSize mainWindowOuterSize,
                           const ReportInputs& inputs, std::int32_t number);

}  // namespace velars
