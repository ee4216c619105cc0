#pragma once
// Text between Qt and UNO: both are UTF-16, so the conversion is a copy.

#include <QString>
#include <rtl/ustring.hxx>

namespace velars {

using rtl::OUString;

inline OUString ToOUString(const QString& text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.utf16()), sal_Int32(text.size()));
}

inline QString FromOUString(const OUString& text) {
    return QString(reinterpret_cast<const QChar*>(text.getStr()), text.getLength());
}

}  // namespace velars
