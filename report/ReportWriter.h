#pragma once
// Starting Word and writing one paragraph, through the automation calls.

#include <QSize>
#include <QString>
#include <cstdint>

#include "automation/ObjectFactory.h"
#include "platform/PlatformServices.h"
#include "report/WordConnection.h"

namespace velars {

// Creates a new "Word.Application", makes it visible, adds and activates one
// document, sets the zoom, places Word's window (from monitor 0's size and
// the main window's outer size) and the line spacing; nParagraph := 1.
// Returns false after showing "Ошибка при открытии сервера Word" (with what
// is missing on a second line when the server says so: ServerUnavailable)
// or "Ошибка при создании документов"; any other failure throws
// EOleSysError.
bool StartWord(WordConnection& word, const ObjectFactory& factory, PlatformServices& platform,
               QSize mainWindowOuterSize);

// Appends one paragraph to word.vDocument (15 member accesses); the text
// passes through the narrow code page. nParagraph rises by one at the end.
void AddParagraph(WordConnection& word, PlatformServices& platform, const QString& text,
                  std::int8_t size, bool bold, std::int8_t alignment);

}  // namespace velars
