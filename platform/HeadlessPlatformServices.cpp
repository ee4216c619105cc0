#include "platform/HeadlessPlatformServices.h"

#include <cstdio>

namespace velars {

int HeadlessPlatformServices::MessageBox(const QString& text, const QString& caption,
                                         unsigned style, BoxOwner) {
    QString line = caption + QStringLiteral(": ") + text.simplified() + QLatin1Char('\n');
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
    std::fflush(stderr);
    // Nobody answers: the answer that changes nothing.
    switch (style & 0x0Fu) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL: return IDCANCEL;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

bool HeadlessPlatformServices::ExecuteSaveDialog(QString&, const QString&, QString*) {
    return false;
}

void HeadlessPlatformServices::SetClipboardText(const QString&) {}

}  // namespace velars
