#pragma once
// The program's own document server: an automation server that stands in
// for the word processor the report is written into. Every application
// object it creates opens its documents in windows of their own, where the
// user reads, edits, saves (ODT, PDF or DOCX) and prints the report.
//
// Documents behave as the report expects of a word processor: a new document
// holds one empty paragraph, Paragraphs.Add appends one more at the end, and
// the report fills paragraphs 1..N, so the finished report is followed by one
// empty paragraph (kept: it is where the user goes on typing). Everything
// written through automation counts as an unsaved change.
//
// Lifetime: a document window is a top-level window that deletes itself when
// the user closes it (after the question about unsaved changes), so it stays
// open when the calculator's window closes and the program ends with the last
// window. The automation objects hold only a guarded reference to the window:
// once it is closed, every call on the objects of that document answers
// RPC_E_DISCONNECTED. A window never shown goes with the last automation
// object that refers to it.
//
// For a program that writes reports to files (the command-line tool), the
// server can keep its windows hidden: Visible is remembered but shows
// nothing, every document goes with the last automation object that refers
// to it, and Document.SaveAs2 writes the report to the file.

#include "automation/ObjectFactory.h"
#include "platform/PlatformServices.h"

namespace velars {

enum class DocumentDisplay {
    Windows,  // each document in a window of its own, shown when Visible is put
    Hidden,   // never shown: the documents are only saved
};

// Registers the server under the ProgID "Word.Application". `platform`
// serves its file dialogs and questions and must outlive every object the
// server creates.
void RegisterDocumentServer(ObjectFactory& factory, PlatformServices& platform,
                            DocumentDisplay display = DocumentDisplay::Windows);

}  // namespace velars
