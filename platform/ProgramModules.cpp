#include "platform/ProgramModules.h"

#include <dlfcn.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velars {

QStringList ModuleFolders(const QString& executablePath) {
    const QDir beside = QFileInfo(executablePath).absoluteDir();
    return {beside.path(), QDir::cleanPath(beside.filePath(QStringLiteral(VELARS_MODULE_FOLDER)))};
}

QFunctionPointer LoadProgramModule(const QString& executablePath, const QString& name,
                                   const char* entry, QString& missing) {
    const QStringList folders = ModuleFolders(executablePath);
    QString file;
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo::exists(candidate)) {
            file = candidate;
            break;
        }
    }
    if (file.isEmpty()) {
        missing = QStringLiteral("Нет модуля программы %1 (искали в %2)")
                      .arg(name, folders.join(QStringLiteral(", ")));
        return nullptr;
    }
    // Loaded once: a second dlopen of the same file only counts a reference.
    void* module = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        missing = QStringLiteral("Модуль программы %1 не загружается: %2")
                      .arg(file, QString::fromLocal8Bit(dlerror()));
        return nullptr;
    }
    void* address = dlsym(module, entry);
    if (address == nullptr) {
        missing = QStringLiteral("В модуле программы %1 нет функции %2")
                      .arg(file, QString::fromLatin1(entry));
        return nullptr;
    }
    return reinterpret_cast<QFunctionPointer>(address);
}

}  // namespace velars
