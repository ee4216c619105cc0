// Where the program finds its modules and what it says when one cannot be
// loaded, on real shared libraries copied into a temporary program folder.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "platform/ProgramModules.h"

namespace velars {
namespace {

using Entry = int (*)();

class ProgramModulesTest : public ::testing::Test {
protected:
    // The program's folder is <root>/bin, as /usr/bin is.
    QString Executable() const { return root.filePath(QStringLiteral("bin/velars-tp")); }

    // Copies a built test module into `folder` as `name`.
    void Place(const char* built, const QString& folder, const QString& name) {
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(QFile::copy(QString::fromUtf8(built), QDir(folder).filePath(name)));
    }

    QTemporaryDir root;
};

TEST_F(ProgramModulesTest, TheFoldersAreBesideTheProgramThenThePrivateLibraryFolder) {
    const QStringList folders = ModuleFolders(Executable());
    ASSERT_EQ(folders.size(), 2);
    EXPECT_EQ(folders[0], root.filePath(QStringLiteral("bin")));
    // The installation's library folder, reached from bin/.
    EXPECT_TRUE(folders[1].startsWith(root.filePath(QStringLiteral("lib/"))))
        << folders[1].toStdString();
    EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/velars-tp"))) << folders[1].toStdString();
}

TEST_F(ProgramModulesTest, AModuleIsFoundInEitherFolderAndItsEntryCalled) {
    for (const int where : {0, 1}) {
        SCOPED_TRACE(where);
        const QString name = QStringLiteral("test-module-%1.so").arg(where);
        ASSERT_NO_FATAL_FAILURE(
            Place(VELARS_TEST_MODULE, ModuleFolders(Executable())[where], name));
        QString missing;
        const auto entry = reinterpret_cast<Entry>(
            LoadProgramModule(Executable(), name, "velars_test_entry", missing));
        ASSERT_NE(entry, nullptr) << missing.toStdString();
        EXPECT_EQ(entry(), 42);
        EXPECT_TRUE(missing.isEmpty());
    }
}

TEST_F(ProgramModulesTest, WhatIsMissingIsNamed) {
    const QString bin = root.filePath(QStringLiteral("bin"));
    ASSERT_NO_FATAL_FAILURE(Place(VELARS_TEST_MODULE, bin, QStringLiteral("module.so")));
    ASSERT_NO_FATAL_FAILURE(Place(VELARS_NEEDS_LIBRARY_MODULE, bin, QStringLiteral("needs.so")));
    struct Case {
        const char* name;
        QString module;
        const char* entry;
        QStringList said;  // parts of the text
    };
    const Case cases[] = {
        {"no such module",
         QStringLiteral("absent.so"),
         "velars_test_entry",
         {QStringLiteral("Нет модуля программы absent.so"), bin, ModuleFolders(Executable())[1]}},
        {"a library it needs is not there",
         QStringLiteral("needs.so"),
         "velars_test_entry",
         {QStringLiteral("Модуль программы ") + bin + QStringLiteral("/needs.so не загружается"),
          QStringLiteral("libvelars_test_dependency.so")}},
        {"no such entry",
         QStringLiteral("module.so"),
         "velars_absent_entry",
         {QStringLiteral("нет функции velars_absent_entry")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QString missing;
        EXPECT_EQ(LoadProgramModule(Executable(), c.module, c.entry, missing), nullptr);
        for (const QString& part : c.said)
            EXPECT_TRUE(missing.contains(part)) << missing.toStdString();
    }
}

}  // namespace
}  // namespace velars
