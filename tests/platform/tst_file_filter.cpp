#include "platform/FileFilter.h"

#include <QTest>

class FileFilterTest : public QObject {
    Q_OBJECT
private slots:
    void converts_data();
    void converts();
    void extensionOfTheChosenType_data();
    void extensionOfTheChosenType();
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

void FileFilterTest::extensionOfTheChosenType_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("defaultExt");
    QTest::addColumn<QString>("expected");

    const QString scripts = "SKRIVO|*.skrivo|TEXTE|*.txt|Courrier|*.rtf|Tous|*.*";
    QTest::newRow("same but for case: the default's spelling") << scripts << 1 << "SKRIVO" << "SKRIVO";
    QTest::newRow("TEXTE") << scripts << 2 << "SKRIVO" << "txt";
    QTest::newRow("Courrier") << scripts << 3 << "SKRIVO" << "rtf";
    QTest::newRow("*.* takes the default") << scripts << 4 << "SKRIVO" << "SKRIVO";
    QTest::newRow("no such type") << scripts << 5 << "SKRIVO" << "SKRIVO";
    QTest::newRow("no type chosen") << scripts << 0 << "SKRIVO" << "SKRIVO";
    QTest::newRow("pattern's own spelling") << "SKRIVO UNIVERSEL|*.SKRU|Tous|*.*" << 1 << "skru" << "skru";
    QTest::newRow("first of several patterns") << "Texte|*.TXT;*.txt" << 1 << "DICO" << "TXT";
    QTest::newRow("wildcard extension") << "DICO|*.dic?" << 1 << "DICO" << "DICO";
    QTest::newRow("blanks around the pattern") << "Courrier| *.rtf |Tous|*.*" << 1 << "SKRIVO" << "rtf";
    QTest::newRow("no default, *.*") << "Tous|*.*" << 1 << "" << "";
}

void FileFilterTest::extensionOfTheChosenType()
{
    QFETCH(QString, filter);
    QFETCH(int, index);
    QFETCH(QString, defaultExt);
    QFETCH(QString, expected);
    QCOMPARE(platform::extensionForType(filter, index, defaultExt), expected);
}

QTEST_APPLESS_MAIN(FileFilterTest)
#include "tst_file_filter.moc"
