#include "app/Theme.h"
#include "app/Unit1.h"
#include "app/WorkFolders.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.setApplicationName("PolyxX");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard dialogs speak French whatever the desktop's language.
    QTranslator qtFrench;
    if (qtFrench.load("qtbase_fr", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtFrench);

    if (!applyTheme(app))
        platform::dialogs().message(platform::BoxKind::Error,
                                    "Impossible d'appliquer le thème \"Metropolis UI Blue\" : "
                                    "l'apparence standard est utilisée.");

    int result = 0;
    {
        TForm1 Form1;
        Form1.show();
        result = app.exec();
    }
    ListExt.clear();
    DIR = TDIR{};
    return result;
}
