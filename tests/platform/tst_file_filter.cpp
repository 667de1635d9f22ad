#include "platform/FileFilter.h"

#include <QTest>

class FileFilterTest : public QObject {
    Q_OBJECT
private slots:
    void converts_data();
    void converts();
};

void FileFilterTest::converts_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("two pairs") << "DICO|*.DICO|Tous|*.*" << QStringList{"DICO (*.DICO)", "Tous (*.*)"};
    QTest::newRow("several patterns")
        << "Scripts|*.skrivo;*.txt|Tous|*.*" << QStringList{"Scripts (*.skrivo *.txt)", "Tous (*.*)"};
    QTest::newRow("four pairs") << "SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*"
                                << QStringList{"SKRIVO (*.skrivo)", "TEXTE (*.txt)", "Courrier (*.rtf)",
                                               "Tous (*.*)"};
    QTest::newRow("accents kept") << "Exécutable|*.exe" << QStringList{"Exécutable (*.exe)"};
    QTest::newRow("blanks around patterns")
        << "Texte | *.txt ; *.TXT |Tous|*.*" << QStringList{"Texte (*.txt *.TXT)", "Tous (*.*)"};
    QTest::newRow("empty patterns skipped") << "Texte|*.txt;;" << QStringList{"Texte (*.txt)"};
    QTest::newRow("description without pattern dropped")
        << "DICO|*.DICO|Orphelin" << QStringList{"DICO (*.DICO)"};
    QTest::newRow("empty") << "" << QStringList{};
}

void FileFilterTest::converts()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(platform::qtNameFilters(filter), expected);
    QCOMPARE(platform::qtFilter(filter), expected.join(";;"));
}

QTEST_APPLESS_MAIN(FileFilterTest)
#include "tst_file_filter.moc"
