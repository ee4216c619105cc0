#pragma once
// The system services of a program that runs without anybody at the screen
// (the command-line tool writing reports on the offscreen platform): what
// the system says (paths, folders, the date, the locale, the code page)
// comes as for the window, but nothing ever waits for an answer. A message
// box becomes one line on standard error and is answered as its default
// button; a save dialog is cancelled; the clipboard is left alone.

#include "platform/QtPlatformServices.h"

namespace velars {

class HeadlessPlatformServices : public QtPlatformServices {
public:
    // "<caption>: <text>" on standard error (line ends in the text become
    // blanks); returns IDOK, or IDCANCEL where the box offers it, IDNO for
    // a yes/no box.
    int MessageBox(const QString& text, const QString& caption, unsigned style,
                   BoxOwner owner) override;
    bool ExecuteSaveDialog(QString& fileName, const QString& filter = {},
                           QString* selectedFilter = nullptr) override;
    void SetClipboardText(const QString& text) override;
};

}  // namespace velars
