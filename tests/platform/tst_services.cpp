#include "platform/CommandGuard.h"
#include "platform/Error.h"
#include "platform/testing/FakeServices.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace platform;

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void runGuardedShowsFailure_data();
    void runGuardedShowsFailure();
    void runGuardedPassesSuccess();
    void busyCursorPopsWhenCommandFails();
    void nullReplacementKeepsRealService();
    void fakeServicesInstallAndRestore();
    void fakeDialogsAnswerFromQueues();
    void fakeTrashRemovesOrFails();
};

void ServicesTest::runGuardedShowsFailure_data()
{
    QTest::addColumn<bool>("polyxError");
    QTest::addColumn<QString>("message");
    QTest::newRow("polyx error") << true << "Impossible d'ouvrir le fichier \"a.DICO\". Accès refusé";
    QTest::newRow("standard exception") << false << "plain failure";
}

void ServicesTest::runGuardedShowsFailure()
{
    QFETCH(bool, polyxError);
    QFETCH(QString, message);
    FakeServices fakes;
    int stepsDone = 0;

    const bool ok = runGuarded([&] {
        ++stepsDone;
        if (polyxError)
            throw polyx::Error(message);
        throw std::runtime_error(message.toStdString());
        ++stepsDone;
    });

    QVERIFY(!ok);
    QCOMPARE(stepsDone, 1);
    QCOMPARE(fakes.dialogs.errors, std::vector<QString>{message});
    QVERIFY(fakes.dialogs.messages.empty());
}

void ServicesTest::runGuardedPassesSuccess()
{
    FakeServices fakes;
    bool ran = false;
    QVERIFY(runGuarded([&] { ran = true; }));
    QVERIFY(ran);
    QVERIFY(fakes.dialogs.errors.empty());
}

void ServicesTest::busyCursorPopsWhenCommandFails()
{
    FakeServices fakes;
    QVERIFY(!runGuarded([&] {
        BusyCursor busy;
        QCOMPARE(fakes.cursor.depth(), 1);
        throw polyx::Error("échec");
    }));
    QCOMPARE(fakes.cursor.pushes, 1);
    QCOMPARE(fakes.cursor.pops, 1);
}

void ServicesTest::nullReplacementKeepsRealService()
{
    Services real = services();
    FakeDialogs fakeDialogs;
    Services replacement;
    replacement.dialogs = &fakeDialogs;
    setServices(replacement);
    QCOMPARE(&dialogs(), &fakeDialogs);
    QCOMPARE(&clipboard(), real.clipboard);
    QCOMPARE(services().cursor, real.cursor);
    resetServices();
    QCOMPARE(&dialogs(), real.dialogs);
}

void ServicesTest::fakeServicesInstallAndRestore()
{
    Dialogs* realDialogs = &dialogs();
    {
        FakeServices fakes;
        QCOMPARE(&dialogs(), &fakes.dialogs);
        QCOMPARE(&desktop(), &fakes.desktop);
        QCOMPARE(&balloon(), &fakes.balloon);
        QCOMPARE(screen().workArea(), fakes.screen.area);
        clipboard().setText("copié");
        QCOMPARE(fakes.clipboard.contents, QString("copié"));
        QCOMPARE(clipboard().text(), QString("copié"));
    }
    QCOMPARE(&dialogs(), realDialogs);
}

void ServicesTest::fakeDialogsAnswerFromQueues()
{
    FakeDialogs fake;
    fake.confirmAnswers = {true};
    QVERIFY(fake.confirm("premier"));
    QVERIFY(!fake.confirm("second"));
    QCOMPARE(fake.confirms, (std::vector<QString>{"premier", "second"}));

    fake.inputAnswers = {QString("réponse")};
    QCOMPARE(fake.input("Titre", "Invite", "valeur"), std::optional<QString>("réponse"));
    QCOMPARE(fake.input("Titre 2", "Invite 2", ""), std::optional<QString>());
    QCOMPARE(fake.inputs.size(), size_t(2));
    QCOMPARE(fake.inputs[0].prompt, QString("Invite"));
    QCOMPARE(fake.inputs[0].value, QString("valeur"));

    FileDialogRequest request;
    request.title = "Sauvegarder";
    request.fileName = "EXT";
    QCOMPARE(fake.saveFile(request), std::optional<QString>());
    QCOMPARE(fake.saveRequests.size(), size_t(1));
    QCOMPARE(fake.saveRequests[0].fileName, QString("EXT"));
    QVERIFY(fake.openRequests.empty());
}

void ServicesTest::fakeTrashRemovesOrFails()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.DICO");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    FakeDesktop desktop;
    desktop.trashSucceeds = false;
    QVERIFY_THROWS_EXCEPTION(polyx::Error, desktop.moveToTrash(path));
    QVERIFY(QFile::exists(path));
    desktop.trashSucceeds = true;
    desktop.moveToTrash(path);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(desktop.trashed, (std::vector<QString>{path, path}));
}

QTEST_MAIN(ServicesTest)
#include "tst_services.moc"
