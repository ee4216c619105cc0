#include "cli/MessageText.h"

namespace velars::cli {

namespace {

void AppendEscaped(QString& out, char32_t c) {
    switch (c) {
    case U'\n': out += QLatin1String("\\n"); return;
    case U'\r': out += QLatin1String("\\r"); return;
    case U'\t': out += QLatin1String("\\t"); return;
    case U'\0': out += QLatin1String("\\0"); return;
    default: break;
    }
    if (c < 0x80)
        out += QStringLiteral("\\x%1").arg(static_cast<uint>(c), 2, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\u%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0'));
}

}  // namespace

QString ShownText(const QString& text) {
    QString out;
    qsizetype shown = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (shown == kShownCharacters) {
            out += QChar(0x2026);
            break;
        }
        ++shown;
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];  // one character in two code units
        } else if (c.category() == QChar::Other_Control || c == QChar(0x2028) ||
                   c == QChar(0x2029)) {
            AppendEscaped(out, c.unicode());
        } else {
            out += c;
        }
    }
    return out;
}

std::string ShownText(std::string_view utf8) {
    // Only the start is ever shown: decode no more than that.
    const std::size_t enough = static_cast<std::size_t>(kShownCharacters + 1) * 4;
    const std::string_view start = utf8.substr(0, enough);
    QString text = QString::fromUtf8(start.data(), static_cast<qsizetype>(start.size()));
    if (utf8.size() > enough) text += QChar(0x2026);  // guarantees the cut
    return ShownText(text).toStdString();
}

}  // namespace velars::cli
