// The Qt services on the offscreen platform, under a Russian locale: message
// boxes are answered from a timer by pressing one of their buttons.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

#include "platform/HeadlessPlatformServices.h"
#include "platform/QtPlatformServices.h"

namespace velars {
namespace {

struct SeenBox {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QString text;
    QString title;
    QWidget* parent = nullptr;
};

// Presses `press` in the next message box (Escape when it is NoButton) and
// returns what the box looked like.
int AnswerNextBox(const std::function<int()>& show, QMessageBox::StandardButton press,
                  SeenBox& seen) {
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            return;
        }
        seen = {box->icon(), box->standardButtons(), box->text(), box->windowTitle(),
                box->parentWidget()};
        if (press == QMessageBox::NoButton)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(press)->click();
    });
    return show();
}

TEST(QtPlatformServices, MessageBoxStylesMapToIconsButtonsAndResults) {
    QtPlatformServices platform;
    const struct {
        unsigned style;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton press;
        int result;
    } cases[] = {
        {MB_OK, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok, IDOK},
        {MB_OK | MB_ICONERROR, QMessageBox::Critical, QMessageBox::Ok, QMessageBox::NoButton, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, QMessageBox::Question,
         QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, IDCANCEL},
        {MB_YESNOCANCEL | MB_ICONEXCLAMATION, QMessageBox::Warning,
         QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes, IDYES},
        {MB_YESNO | MB_ICONINFORMATION, QMessageBox::Information,
         QMessageBox::Yes | QMessageBox::No, QMessageBox::No, IDNO},
    };
    for (const auto& c : cases) {
        SeenBox seen;
        const int result = AnswerNextBox(
            [&] {
                return platform.MessageBox("Текст", "Заголовок", c.style, BoxOwner::Application);
            },
            c.press, seen);
        EXPECT_EQ(result, c.result) << c.style;
        EXPECT_EQ(seen.icon, c.icon) << c.style;
        EXPECT_EQ(seen.buttons, c.buttons) << c.style;
        EXPECT_EQ(seen.text, "Текст");
        EXPECT_EQ(seen.title, "Заголовок");
        EXPECT_EQ(seen.parent, nullptr);
    }
}

TEST(QtPlatformServices, MainWindowOwnsItsBoxes) {
    QtPlatformServices platform;
    QWidget window;
    platform.SetMainWindow(&window);
    SeenBox seen;
    AnswerNextBox([&] { return platform.MessageBox("a", "b", MB_OK, BoxOwner::MainWindow); },
                  QMessageBox::Ok, seen);
    EXPECT_EQ(seen.parent, &window);
    AnswerNextBox([&] { return platform.MessageBox("a", "b", MB_OK, BoxOwner::None); },
                  QMessageBox::Ok, seen);
    EXPECT_EQ(seen.parent, nullptr);
}

TEST(QtPlatformServices, SeparatorsComeFromTheSystemLocale) {
    const Separators s = QtPlatformServices().LocaleSeparators();
    EXPECT_EQ(s.decimal, QLatin1Char(','));
    EXPECT_EQ(s.group, QChar(0x00A0));
}

TEST(QtPlatformServices, NarrowCodePageIsUtf8OnLinux) {
    QtPlatformServices platform;
    const QString text = QStringLiteral("Внимание! Ω € №");
    EXPECT_EQ(platform.ToNarrow(text), text.toUtf8());
    EXPECT_EQ(platform.FromNarrow(platform.ToNarrow(text)), text);
}

TEST(QtPlatformServices, ScreenExecutableAndDate) {
    QtPlatformServices platform;
    EXPECT_FALSE(platform.Monitor0Size().isEmpty());
    EXPECT_TRUE(platform.ExecutablePath().endsWith("/platform_tests"));
    EXPECT_TRUE(platform.Today().isValid());
}

// The desktop's Documents folder as the user's folder settings name it, the
// home folder when it does not exist.
TEST(QtPlatformServices, DocumentsFolderFromTheUserFolderSettings) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
    QDir(home.path()).mkpath("config");
    QFile dirs(home.filePath("config/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write("XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n");
    dirs.close();

    QtPlatformServices platform;
    EXPECT_EQ(platform.DocumentsFolder(), QDir(home.path()).absolutePath()) << "no such folder yet";
    QDir(home.path()).mkpath(QStringLiteral("Документы"));
    EXPECT_EQ(platform.DocumentsFolder(), home.filePath(QStringLiteral("Документы")));

    qputenv("HOME", oldHome);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    if (oldConfig.isEmpty()) qunsetenv("XDG_CONFIG_HOME");
}

TEST(QtPlatformServices, UserDataFolderFollowsXdgDataHome) {
    QtPlatformServices platform;
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    const QString fallback = QDir::homePath() + "/.local/share";
    const struct {
        const char* value;
        QString folder;
    } cases[] = {
        {"/srv/data/", "/srv/data"},
        {"", fallback},
        {"relative/data", fallback},  // only an absolute path counts
    };
    for (const auto& c : cases) {
        qputenv("XDG_DATA_HOME", c.value);
        EXPECT_EQ(platform.UserDataFolder(), c.folder) << c.value;
    }
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(platform.UserDataFolder(), fallback);
    if (!saved.isNull()) qputenv("XDG_DATA_HOME", saved);
}

TEST(QtPlatformServices, FolderOwnerAndWriteAccess) {
    QtPlatformServices platform;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_TRUE(platform.UserOwnsFolder(dir.path()));
    EXPECT_TRUE(platform.UserMayWriteFolder(dir.path()));
    const QString missing = dir.filePath("missing");
    EXPECT_FALSE(platform.UserOwnsFolder(missing));
    EXPECT_FALSE(platform.UserMayWriteFolder(missing));
    EXPECT_TRUE(platform.InstalledBinaryFolder().endsWith("/bin"));
    EXPECT_FALSE(platform.InstalledBinaryFolder().endsWith("/"));
}

TEST(HeadlessPlatformServicesTest, NothingWaitsForAnAnswer) {
    HeadlessPlatformServices platform;
    // No box is ever shown: each call returns at once with the answer that
    // changes nothing.
    EXPECT_EQ(
        platform.MessageBox("Ошибка при открытии сервера Word", "Ошибка", MB_OK, BoxOwner::None),
        IDOK);
    EXPECT_EQ(platform.MessageBox("Сохранить изменения?", "Веларс-ТП",
                                  MB_YESNOCANCEL | MB_ICONQUESTION, BoxOwner::None),
              IDCANCEL);
    EXPECT_EQ(platform.MessageBox("?", "?", MB_YESNO, BoxOwner::MainWindow), IDNO);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    QString name = "last.odt";
    EXPECT_FALSE(platform.ExecuteSaveDialog(name, "ODF (*.odt)"));
    EXPECT_EQ(name, "last.odt");
    // What the system says comes as for the window.
    QtPlatformServices window;
    EXPECT_EQ(platform.LocaleSeparators().decimal, window.LocaleSeparators().decimal);
    EXPECT_EQ(platform.ExecutablePath(), window.ExecutablePath());
    EXPECT_EQ(platform.ToNarrow("Расчет № 1"), window.ToNarrow("Расчет № 1"));
}

}  // namespace
}  // namespace velars

int main(int argc, char** argv) {
    // Qt takes the system locale from these variables with its own locale
    // data, whatever locales the machine has installed.
    qputenv("LC_ALL", "ru_RU.UTF-8");
    qputenv("LANG", "ru_RU.UTF-8");
    // Test discovery runs the binary without the test environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
