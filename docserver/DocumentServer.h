#pragma once
// The program's own document server: an automation server that stands in
// for the word processor the report is written into. Every application
// object it creates opens its documents in windows of their own, where the
// user reads, edits, saves (ODT or PDF) and prints the report.

#include "platform/PlatformServices.h"
#include "report/ObjectFactory.h"

namespace velars {

// Registers the server under the ProgID "Word.Application". `platform`
// serves its file dialogs and questions and must outlive every object the
// server creates.
void RegisterDocumentServer(ObjectFactory& factory, PlatformServices& platform);

}  // namespace velars
