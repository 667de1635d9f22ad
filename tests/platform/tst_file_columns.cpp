// The sizes and dates of the file dialog in French, whatever the system locale.
#include "platform/FileDialog.h"
#include "platform/FrenchFileColumns.h"

#include <QFile>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

class FileColumnsTest : public QObject {
    Q_OBJECT
private slots:
    void sizesAndDatesInFrench_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::addColumn<QString>("size");
        QTest::newRow("empty") << 0 << "0 octets";
        QTest::newRow("under a kibibyte") << 500 << "500 octets";
        QTest::newRow("kibibytes") << 2048 << "2,00 Kio";
        QTest::newRow("mebibytes") << 3 * 1024 * 1024 << "3,00 Mio";
    }
    void sizesAndDatesInFrench()
    {
        QFETCH(int, bytes);
        QFETCH(QString, size);
        QTemporaryDir dir;
        const QString path = dir.filePath("lettre.SKRIVO");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(bytes));
        file.close();
        QVERIFY(QDir(dir.path()).mkdir("dossier"));

        QFileSystemModel files;
        const QModelIndex root = files.setRootPath(dir.path());
        QTRY_COMPARE_WITH_TIMEOUT(files.rowCount(root), 2, 10000);
        FrenchFileColumns french;
        french.setSourceModel(&files);

        const QModelIndex letter = french.mapFromSource(files.index(path));
        QCOMPARE(french.data(letter.siblingAtColumn(1)).toString(), size);
        QCOMPARE(french.data(letter.siblingAtColumn(3)).toString(),
                 files.lastModified(files.index(path)).toString("dd/MM/yyyy HH:mm"));
        // Folders have no size and are "Dossier"; names, types of files and
        // other roles are the model's own.
        const QModelIndex folder = files.index(dir.filePath("dossier"));
        QCOMPARE(french.data(french.mapFromSource(folder).siblingAtColumn(1)), files.data(folder.siblingAtColumn(1)));
        QCOMPARE(french.data(french.mapFromSource(folder).siblingAtColumn(2)).toString(), QString("Dossier"));
        QCOMPARE(french.data(letter), files.data(files.index(path)));
        QCOMPARE(french.data(letter.siblingAtColumn(2)), files.data(files.index(path).siblingAtColumn(2)));
        QCOMPARE(french.data(letter.siblingAtColumn(1), Qt::TextAlignmentRole),
                 files.data(files.index(path).siblingAtColumn(1), Qt::TextAlignmentRole));
    }

    void fileDialogShowsThem()
    {
        FileDialog dialog(FileDialogRequest{}, QFileDialog::AcceptOpen, nullptr);
        QVERIFY(qobject_cast<FrenchFileColumns*>(dialog.proxyModel()));
    }
};

QTEST_MAIN(FileColumnsTest)
#include "tst_file_columns.moc"
