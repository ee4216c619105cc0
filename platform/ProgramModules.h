#pragma once
// Where the program's modules are and how they are loaded. A module is a
// shared library of the program's own that it loads when first used. It is
// looked for beside the executable (the build tree, a portable copy), then in
// the program's private library folder of the installation the executable
// belongs to, found from the executable's own folder (for the Debian
// package: /usr/bin/../lib/<multiarch>/velars-tp). A module once loaded stays
// loaded until the program ends; all its symbols are bound when it loads, so
// that anything missing is known then.

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace velars {

// The folders a module of the executable `executablePath` is looked for in,
// in order.
QStringList ModuleFolders(const QString& executablePath);

// The address of the function `entry` (an extern "C" name) of the module
// file `name`, or null with what is missing in `missing`, said for the user:
// the module and where it was looked for, a library it needs (the loader's
// own words), or the function.
QFunctionPointer LoadProgramModule(const QString& executablePath, const QString& name,
                                   const char* entry, QString& missing);

}  // namespace velars
