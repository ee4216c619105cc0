// velars-tp: the pressure-loss calculator.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <exception>

#include "app/ErrorBox.h"
#include "app/TmainForm.h"
#include "automation/ObjectFactory.h"
#include "app/WindowIcon.h"
#include "docserver/DocumentServer.h"
#include "platform/QtPlatformServices.h"
#include "writer/WriterDetection.h"
#include "writer/WriterServer.h"

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
        // The automation runtime of the report: "Word.Application" is
        // LibreOffice Writer when the soffice on the PATH has Writer, else
        // the document server of this program.
        velars::ObjectFactory factory;
        const QString office = velars::FindWriterOffice(qEnvironmentVariable("PATH"));
        if (office.isEmpty()) {
            velars::RegisterDocumentServer(factory, platform);
        } else {
            velars::OfficeOptions options;
            options.program = office;
            velars::RegisterWriterServer(factory, std::move(options));
        }
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
