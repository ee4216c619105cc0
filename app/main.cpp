// velars-tp: the pressure-loss calculator.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "app/ErrorBox.h"
#include "app/ReportServer.h"
#include "app/TmainForm.h"
#include "automation/ObjectFactory.h"
#include "app/WindowIcon.h"
#include "platform/QtPlatformServices.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // The menu entry of the installed program: the task bar and Wayland
    // find the window's name and icon through it.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELARS_APP_ID));
    QApplication::setWindowIcon(velars::WindowIcon());
    // Qt's own texts (the buttons of a question, the file and print
    // dialogs) in the user's language, as the system's dialogs are.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale::system(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    velars::QtPlatformServices platform;
    const QString title = velars::ApplicationTitle(platform.ExecutablePath());
    try {
        // The report's "Word.Application", loaded on the first report.
        velars::ObjectFactory factory;
        velars::RegisterReportServer(factory, platform, qEnvironmentVariable("PATH"));
        velars::TmainForm mainForm(platform, factory);
        platform.SetMainWindow(&mainForm);
        mainForm.FormCreate();
        mainForm.show();
        application.exec();
        platform.SetMainWindow(nullptr);
    } catch (...) {
        try {
            velars::ShowErrorBox(platform, title, std::current_exception(),
                                 velars::BoxOwner::Application);
        } catch (...) {
        }
    }
    return 0;
}
