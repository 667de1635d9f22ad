#include "app/Unit1.h"

#include "app/WorkFolders.h"
#include "config/ConfigStore.h"
#include "platform/Services.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>

void TForm1::FormCreate()
{
    const bool configurationExisted = QFile::exists(ConfigFileName());
    INI_GET();
    // A recovered script must land on its pane after the pane's own file.
    whenScriptsRead([this] { offerRecovery(); });
    ListExt = "dico";
    DIR.root = WorkDir();
    DIR.actif = DIR.root;
    DIR.sauve = DIR.root + "SAUVE/";
    startFirstUseHint(configurationExisted);
}

void TForm1::FormShow()
{
    applyStayOnTop();
    selectPageQuietly(PageControl_DICOS, 0);
    selectPageQuietly(PageControl_SCRIPTS, 0);
}

void TForm1::chk_StayOnTopClick()
{
    applyStayOnTop();
}

void TForm1::applyStayOnTop()
{
    const bool onTop = chk_StayOnTop->isChecked();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop)
        return;
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags of a shown window hides it.
    if (wasVisible)
        show();
}

void TForm1::PANEL_HAUTButtonClick()
{
    platform::dialogs().message(platform::BoxKind::Information,
                                "Déposez un fichier (ou choisissez le dans la liste)\r\n\r\n"
                                "DICTIONNAIRES\r\nCTRL+SUPPR pour supprimer",
                                true);
}

void TForm1::KeyPressESC(int key)
{
    if (key != Qt::Key_Escape)
        return;
    Edit_MASK->clear();
    Edit_MASK->setFocus();
}

void TForm1::FichierFileExit1()
{
    close();
}

void TForm1::EditionEditCopy1()
{
    QWidget* focused = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        line->copy();
    else if (auto* text = qobject_cast<QTextEdit*>(focused))
        text->copy();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        plain->copy();
}

void TForm1::EditionEditPaste1()
{
    QWidget* focused = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(focused))
        line->paste();
    else if (auto* text = qobject_cast<QTextEdit*>(focused))
        text->paste();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused))
        plain->paste();
}
