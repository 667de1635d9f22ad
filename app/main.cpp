#include "app/Theme.h"
#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "platform/Error.h"
#include "platform/FileLocations.h"
#include "platform/Services.h"
#include "platform/ShutdownRequests.h"
#include "platform/WorkFolderLock.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // First: a logout during the start must not kill the run unsaved.
    platform::ShutdownRequests shutdown;
    // The window's class (WM_CLASS) is the application name, which the desktop
    // entry's StartupWMClass repeats; Wayland matches the entry's own name.
    app.setApplicationName("PolyxX");
    app.setDesktopFileName(POLYX_APP_ID);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard dialogs speak French whatever the desktop's language.
    QTranslator qtFrench;
    if (qtFrench.load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);

    if (!applyTheme(app))
        platform::dialogs().message(platform::BoxKind::Error,
                                    "Impossible d'appliquer le thème \"Metropolis UI Blue\" : "
                                    "l'apparence standard est utilisée.");

    try {
        platform::createUserFolders();
    } catch (const polyx::Error& error) {
        platform::dialogs().errorBox(error.message());
    }

    const platform::WorkFolderLock folderLock(platform::workFolder());
    if (folderLock.outcome() == platform::WorkFolderLock::Outcome::OpenHere)
        return 0;
    if (folderLock.outcome() == platform::WorkFolderLock::Outcome::OpenElsewhere) {
        platform::dialogs().message(platform::BoxKind::Warning, folderLock.openElsewhereMessage());
        return 0;
    }

    int result = 0;
    {
        TForm1 Form1;
        QObject::connect(&shutdown, &platform::ShutdownRequests::requested, &Form1, &TForm1::SaveSessionAndQuit);
        Form1.show();
        result = app.exec();
    }
    ListExt.clear();
    DIR = TDIR{};
    return result;
}
