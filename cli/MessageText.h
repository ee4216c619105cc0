#pragma once
// Text from the input shown inside a message: control characters escaped
// ("\n", "\t", "\0", "\x1b", "\u0085") so that nothing cuts the message or
// reaches the terminal raw, and at most 40 characters, then "…".

#include <QString>
#include <string>
#include <string_view>

namespace velars::cli {

constexpr qsizetype kShownCharacters = 40;

QString ShownText(const QString& text);
// The same for UTF-8 text (bytes that are not UTF-8 show as U+FFFD).
std::string ShownText(std::string_view utf8);

}  // namespace velars::cli
