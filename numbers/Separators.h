#pragma once
#include <QChar>

namespace velars {

// The user's regional number separators. A null group separator means the
// locale has none.
struct Separators {
    QChar decimal = QLatin1Char(',');
    QChar group = QChar(0x00A0);
};

}  // namespace velars
