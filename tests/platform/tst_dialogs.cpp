#include "platform/PlainToolTip.h"
#include "platform/ProgramPath.h"
#include "platform/QtDialogs.h"

#include <QAccessible>
#include <QApplication>
#include <QFileDialog>
#include <QHash>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using namespace platform;

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void messageBoxes_data();
    void messageBoxes();
    void centredBoxSitsInTheMiddleOfTheScreen();
    void confirm_data();
    void confirm();
    void errorBox();
    void input_data();
    void input();
    void toolTipsShowAsWritten_data();
    void toolTipsShowAsWritten();
    void tagLikeKeysShowAsWritten_data();
    void tagLikeKeysShowAsWritten();
    void openFileAcceptsANameThatDoesNotExist();
    void saveFile_data();
    void saveFile();
    void saveTakesTheChosenTypesExtension_data();
    void saveTakesTheChosenTypesExtension();
    void saveIntoAMissingFolderWarnsAndKeepsTheName_data();
    void saveIntoAMissingFolderWarnsAndKeepsTheName();

private:
    // Runs `act` on the next modal dialog of type W once it is up (the
    // dialogs under test block in exec()).
    template <class W> QPointer<QTimer> whenModal(std::function<void(W*)> act);
    QTemporaryDir m_dir;
};

template <class W> QPointer<QTimer> DialogsTest::whenModal(std::function<void(W*)> act)
{
    auto* timer = new QTimer(this);
    auto tries = std::make_shared<int>(0);
    connect(timer, &QTimer::timeout, timer, [timer, tries, act] {
        W* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!widget && ++*tries < 300)
            return;
        timer->stop();
        timer->deleteLater();
        if (widget)
            act(widget);
    });
    timer->start(10);
    return timer;
}

namespace {
QStringList buttonTexts(const QMessageBox* box)
{
    QStringList texts;
    for (const QAbstractButton* button : box->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}
} // namespace

void DialogsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    setProgramPath(m_dir.filePath("Polyx X.exe"));
}

void DialogsTest::cleanup() { qDeleteAll(findChildren<QTimer*>()); }

void DialogsTest::messageBoxes_data()
{
    QTest::addColumn<BoxKind>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QMessageBox::Icon>("icon");
    QTest::newRow("warning") << BoxKind::Warning << "Avertissement" << QMessageBox::Warning;
    QTest::newRow("error") << BoxKind::Error << "Erreur" << QMessageBox::Critical;
    QTest::newRow("information") << BoxKind::Information << "Informations" << QMessageBox::Information;
    QTest::newRow("plain") << BoxKind::Plain << "Polyx X" << QMessageBox::NoIcon;
}

void DialogsTest::messageBoxes()
{
    QFETCH(BoxKind, kind);
    QFETCH(QString, title);
    QFETCH(QMessageBox::Icon, icon);
    QString shownTitle, shownText;
    QStringList buttons;
    QMessageBox::Icon shownIcon = QMessageBox::Question;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        shownTitle = box->windowTitle();
        shownText = box->text();
        shownIcon = box->icon();
        buttons = buttonTexts(box);
        box->button(QMessageBox::Ok)->click();
    });

    QtDialogs().message(kind, "Déposez un fichier\r\n<NOM>");

    QCOMPARE(shownTitle, title);
    QCOMPARE(shownText, QString("Déposez un fichier\r\n<NOM>"));
    QCOMPARE(shownIcon, icon);
    QCOMPARE(buttons, QStringList{"OK"});
}

void DialogsTest::centredBoxSitsInTheMiddleOfTheScreen()
{
    QPoint centre;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        centre = box->frameGeometry().center();
        box->button(QMessageBox::Ok)->click();
    });
    QtDialogs().message(BoxKind::Information, "Au centre", true);
    const QPoint expected = screen().workArea().center();
    QVERIFY2((centre - expected).manhattanLength() <= 2,
             qPrintable(QString("%1,%2 instead of %3,%4").arg(centre.x()).arg(centre.y()).arg(expected.x()).arg(expected.y())));
}

void DialogsTest::confirm_data()
{
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("expected");
    for (const bool warning : {false, true}) {
        const char* kind = warning ? "warning: " : "";
        QTest::addRow("%sOK", kind) << warning << "ok" << true;
        QTest::addRow("%sAnnuler", kind) << warning << "cancel" << false;
        QTest::addRow("%sEscape", kind) << warning << "escape" << false;
        QTest::addRow("%sclosed", kind) << warning << "close" << false;
    }
}

void DialogsTest::confirm()
{
    QFETCH(bool, warning);
    QFETCH(QString, action);
    QFETCH(bool, expected);
    QString title;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        buttons = buttonTexts(box);
        icon = box->icon();
        if (action == "ok")
            box->button(QMessageBox::Ok)->click();
        else if (action == "cancel")
            box->button(QMessageBox::Cancel)->click();
        else if (action == "escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });

    QtDialogs dialogs;
    const QString text = "Copier le fichier ?";
    QCOMPARE(warning ? dialogs.confirmWarning(text) : dialogs.confirm(text), expected);
    QCOMPARE(title, warning ? QString("Avertissement") : QString("Confirmer"));
    QCOMPARE(buttons, (QStringList{"Annuler", "OK"}));
    QCOMPARE(icon, warning ? QMessageBox::Warning : QMessageBox::Question);
}

void DialogsTest::errorBox()
{
    QString title, text;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        text = box->text();
        buttons = buttonTexts(box);
        icon = box->icon();
        box->close();
    });
    QtDialogs().errorBox("Une clé nommée \"<NOM>\" existe déjà");
    QCOMPARE(title, QString("Polyx X"));
    QCOMPARE(text, QString("Une clé nommée \"<NOM>\" existe déjà"));
    QCOMPARE(buttons, QStringList{"OK"});
    QCOMPARE(icon, QMessageBox::Critical);
}

void DialogsTest::input_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<std::optional<QString>>("expected");
    QTest::newRow("OK") << true << std::optional<QString>("nouvelle");
    QTest::newRow("Annuler") << false << std::optional<QString>();
}

void DialogsTest::input()
{
    QFETCH(bool, accept);
    QFETCH(std::optional<QString>, expected);
    QString title, prompt, value, ok, cancel;
    whenModal<QInputDialog>([&](QInputDialog* dialog) {
        title = dialog->windowTitle();
        prompt = dialog->labelText();
        value = dialog->textValue();
        ok = dialog->okButtonText();
        cancel = dialog->cancelButtonText();
        dialog->setTextValue("nouvelle");
        accept ? dialog->accept() : dialog->reject();
    });

    QCOMPARE(QtDialogs().input("Renommer le Fichier", "Nouveau Nom", "ANCIEN"), expected);
    QCOMPARE(title, QString("Renommer le Fichier"));
    QCOMPARE(prompt, QString("Nouveau Nom"));
    QCOMPARE(value, QString("ANCIEN"));
    QCOMPARE(ok, QString("OK"));
    QCOMPARE(cancel, QString("Annuler"));
}

namespace {
// What a label puts on the screen, as a screen reader gets it: markup read
// as markup leaves its tags out.
QString shownText(QLabel* label)
{
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
    return reader ? reader->text(QAccessible::Name) : QString();
}
} // namespace

// Qt reads a tool tip that looks like markup as markup.
void DialogsTest::toolTipsShowAsWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("unchanged");
    QTest::newRow("plain hint") << "Dictionnaire de FUSION Correspondant/Utilisateur" << true;
    QTest::newRow("ampersand and quotes") << "Sauver & \"quitter\"" << true;
    for (const char* key : {"<CODE>", "<B>", "<I>", "<U>", "<P>", "<SMALL>", "<CENTER>"})
        QTest::addRow("%s", key) << QString("%1 = code du correspondant").arg(key) << false;
    QTest::newRow("two lines") << "<B>\n<I> & <U>" << false;
}

void DialogsTest::toolTipsShowAsWritten()
{
    QFETCH(QString, text);
    QFETCH(bool, unchanged);
    const QString tip = plainToolTip(text);
    QCOMPARE(tip == text, unchanged);
    QString shown = tip;
    if (Qt::mightBeRichText(tip)) {
        QTextDocument document;
        document.setHtml(tip);
        shown = document.toPlainText();
    }
    QCOMPARE(shown, text);
}

// Universal keys look like tags: every kind of box shows them as written.
void DialogsTest::tagLikeKeysShowAsWritten_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    const QStringList boxes{"warning", "error", "information", "plain", "confirm", "confirmWarning", "errorBox", "input"};
    for (const char* key : {"<CODE>", "<B>", "<I>", "<U>", "<P>", "<SMALL>", "<CENTER>"}) {
        const QString text = QString("Une clé nommée \"%1\" existe déjà").arg(key);
        for (const QString& box : boxes)
            QTest::addRow("%s %s", qPrintable(box), key) << box << text;
    }
}

void DialogsTest::tagLikeKeysShowAsWritten()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QString shown = "<nothing shown>";
    if (box == "input") {
        whenModal<QInputDialog>([&](QInputDialog* dialog) {
            for (QLabel* label : dialog->findChildren<QLabel*>())
                if (label->text() == text)
                    shown = shownText(label);
            dialog->reject();
        });
        QtDialogs().input("Renommer", text, "");
    } else {
        whenModal<QMessageBox>([&](QMessageBox* message) {
            shown = shownText(message->findChild<QLabel*>("qt_msgbox_label"));
            message->close();
        });
        QtDialogs dialogs;
        if (box == "confirm")
            dialogs.confirm(text);
        else if (box == "confirmWarning")
            dialogs.confirmWarning(text);
        else if (box == "errorBox")
            dialogs.errorBox(text);
        else {
            const QHash<QString, BoxKind> kinds{{"warning", BoxKind::Warning}, {"error", BoxKind::Error},
                                                {"information", BoxKind::Information}, {"plain", BoxKind::Plain}};
            dialogs.message(kinds.value(box), text);
        }
    }
    QCOMPARE(shown, text);
}

void DialogsTest::openFileAcceptsANameThatDoesNotExist()
{
    const FileDialogRequest request{"Trouver Skrivo", "Exécutable|*.exe|Tous|*.*", 1, "EXE",
                                    m_dir.path(), m_dir.filePath("SKRIVO.EXE"), false};
    QString title, selectedFilter, folder, suffix;
    QStringList filters;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        selectedFilter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        suffix = dialog->defaultSuffix();
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
    });

    QCOMPARE(QtDialogs().openFile(request), std::optional<QString>(m_dir.filePath("SKRIVO.EXE")));
    QCOMPARE(title, QString("Trouver Skrivo"));
    QCOMPARE(filters, (QStringList{"Exécutable (*.exe)", "Tous (*.*)"}));
    QCOMPARE(selectedFilter, QString("Exécutable (*.exe)"));
    QCOMPARE(folder, QDir(m_dir.path()).absolutePath());
    QCOMPARE(suffix, QString("EXE"));
}

void DialogsTest::saveFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("confirmReplace");
    QTest::addColumn<bool>("answerYes");
    QTest::addColumn<bool>("prompted");
    QTest::addColumn<QString>("expected"); // empty: cancelled

    QTest::newRow("new name gets the suffix") << "NOUVEAU" << true << false << false << "NOUVEAU.DICO";
    QTest::newRow("replace confirmed") << "EXISTE" << true << true << true << "EXISTE.DICO";
    QTest::newRow("replace refused") << "EXISTE" << true << false << true << "";
    QTest::newRow("replace without asking") << "EXISTE" << false << false << false << "EXISTE.DICO";
}

void DialogsTest::saveFile()
{
    QFETCH(QString, name);
    QFETCH(bool, confirmReplace);
    QFETCH(bool, answerYes);
    QFETCH(bool, prompted);
    QFETCH(QString, expected);
    QFile existing(m_dir.filePath("EXISTE.DICO"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();

    const FileDialogRequest request{"Sauvegarder le dictionnaire EXTERNE", "DICO|*.DICO|Tous|*.*", 2,
                                    "DICO", m_dir.path(), name, confirmReplace};
    QString selectedFilter, promptTitle;
    QStringList promptButtons;
    bool asked = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        selectedFilter = dialog->selectedNameFilter();
        QPointer<QTimer> watcher = whenModal<QMessageBox>([&](QMessageBox* prompt) {
            asked = true;
            promptTitle = prompt->windowTitle();
            promptButtons = buttonTexts(prompt);
            prompt->button(answerYes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
        delete watcher.data();
        if (dialog->isVisible())
            dialog->reject();
    });

    const std::optional<QString> chosen = QtDialogs().saveFile(request);
    QCOMPARE(chosen, expected.isEmpty() ? std::optional<QString>() : m_dir.filePath(expected));
    QCOMPARE(selectedFilter, QString("Tous (*.*)"));
    QCOMPARE(asked, prompted);
    if (prompted) {
        QCOMPARE(promptTitle, QString("Confirmer l'enregistrement"));
        QCOMPARE(promptButtons, (QStringList{"&Non", "&Oui"}));
    }
}

namespace {
const char kScriptFilter[] = "SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*";

// Types `name` into the dialog's name box and presses "Enregistrer".
void typeAndSave(QFileDialog* dialog, const QString& name)
{
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(name);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides it
}
} // namespace

void DialogsTest::saveTakesTheChosenTypesExtension_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("SKRIVO") << "SKRIVO (*.skrivo)" << "lettre" << "lettre.SKRIVO";
    QTest::newRow("TEXTE") << "TEXTE (*.txt)" << "lettre" << "lettre.txt";
    QTest::newRow("Courrier") << "Courrier (*.rtf)" << "lettre" << "lettre.rtf";
    QTest::newRow("Tous") << "Tous (*.*)" << "lettre" << "lettre.SKRIVO";
    QTest::newRow("typed extension kept") << "Courrier (*.rtf)" << "lettre.doc" << "lettre.doc";
}

void DialogsTest::saveTakesTheChosenTypesExtension()
{
    QFETCH(QString, type);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    const FileDialogRequest request{"Sauvegarder le SCRIPT EXTERNE", kScriptFilter, 1, "SKRIVO",
                                    m_dir.path(), "EXTERNE", true, true};
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        dialog->selectNameFilter(type);
        typeAndSave(dialog, typed);
        if (dialog->isVisible())
            dialog->reject();
    });
    QCOMPARE(QtDialogs().saveFile(request), std::optional<QString>(m_dir.filePath(expected)));
}

// The dialog stays up with the name as typed: the user mends the folder
// instead of meeting a failed write afterwards. The join's dialog, which
// writes into its own folder anyway, does not ask.
void DialogsTest::saveIntoAMissingFolderWarnsAndKeepsTheName_data()
{
    QTest::addColumn<bool>("existingFolderOnly");
    QTest::newRow("save dialog") << true;
    QTest::newRow("join's dialog") << false;
}

void DialogsTest::saveIntoAMissingFolderWarnsAndKeepsTheName()
{
    QFETCH(bool, existingFolderOnly);
    const FileDialogRequest request{"Sauvegarder le dictionnaire EXTERNE", "DICO|*.DICO|Tous|*.*", 1, "DICO",
                                    m_dir.path(), "EXTERNE", true, existingFolderOnly};
    QString title, text, keptName;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool stillOpen = false;
    whenModal<QFileDialog>([&](QFileDialog* dialog) {
        QPointer<QTimer> watcher = whenModal<QMessageBox>([&](QMessageBox* warning) {
            title = warning->windowTitle();
            text = warning->text();
            icon = warning->icon();
            buttons = buttonTexts(warning);
            warning->button(QMessageBox::Ok)->click();
        });
        typeAndSave(dialog, "absent/<B>lettre");
        delete watcher.data();
        stillOpen = dialog->isVisible();
        keptName = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
        if (stillOpen)
            typeAndSave(dialog, "lettre");
    });

    const std::optional<QString> chosen = QtDialogs().saveFile(request);
    if (existingFolderOnly) {
        QCOMPARE(title, QString("Avertissement"));
        QCOMPARE(text, "Le dossier \"" + QDir::toNativeSeparators(m_dir.filePath("absent")) + "\" n'existe pas.");
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, QStringList{"OK"});
        QVERIFY(stillOpen);
        QCOMPARE(keptName, QString("absent/<B>lettre"));
        QCOMPARE(chosen, std::optional<QString>(m_dir.filePath("lettre.DICO")));
    } else {
        QVERIFY(title.isEmpty());
        QVERIFY(!stillOpen);
        QCOMPARE(chosen, std::optional<QString>(m_dir.filePath("absent/<B>lettre.DICO")));
    }
}

QTEST_MAIN(DialogsTest)
#include "tst_dialogs.moc"
