#include "app/ErrorBox.h"

#include "numbers/Exception.h"

namespace velars {

QString ApplicationTitle(const QString& programPath) {
    QString name = programPath.mid(programPath.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0) name.truncate(dot);
    if (name.isEmpty()) return name;
    return name.left(1) + name.mid(1).toLower();
}

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.') return message + QLatin1Char('.');
    return message;
}

QString ExceptionMessage(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.Message();
    } catch (...) {
        return {};
    }
}

void ShowErrorBox(PlatformServices& platform, const QString& title, std::exception_ptr error,
                  BoxOwner owner) {
    platform.MessageBox(ErrorBoxText(ExceptionMessage(error)), title, MB_ICONERROR, owner);
}

}  // namespace velars
