#include "numbers/LocaleSeparators.h"

#include <QLocale>

namespace velars {

namespace {

QChar FirstChar(const QString& text) { return text.isEmpty() ? QChar() : text.front(); }

}  // namespace

Separators SystemSeparators() {
    const QLocale locale = QLocale::system();
    Separators separators;
    separators.decimal = FirstChar(locale.decimalPoint());
    if (separators.decimal.isNull()) separators.decimal = QLatin1Char('.');
    separators.group = FirstChar(locale.groupSeparator());
    return separators;
}

}  // namespace velars
