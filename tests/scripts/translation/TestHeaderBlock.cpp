#include "scripts/HeaderBlock.h"

#include <QDateTime>
#include <QLocale>
#include <QTest>

using namespace polyx;

namespace {
const QDateTime Morning(QDate(2024, 3, 5), QTime(9, 7, 42));

HeaderBlockFields Fields()
{
    return {"B12", "Bilan initial", "Dr Martin", "CARDIO", "MEDGEN"};
}

const QString Block = QStringLiteral(
    "/*°************************************************************\r"
    "Polyxane 19 : https://polyxx.example.org ^ 05/03/2024 - 09:07\r\n"
    "\r\n"
    "- TITRE : [B12] = \"Bilan initial\"\r\n"
    "- AUTEUR : Dr Martin\r\n"
    "- DICOS : CARDIO => (MEDGEN)\r\n"
    "\r\n"
    "SCRIPT à placer dans [Valeur/défaut] de la \"QUESTION\" : {CARDIO }\r\n"
    "CALCUL à partir des QUESTIONS :\r\n"
    "\r\n"
    "************************************************************°*/");
} // namespace

class HeaderBlockTest : public QObject {
    Q_OBJECT
private slots:
    void blockByteForByte();
    void blockWithoutHeaderKeys();
    void dateTime_data();
    void dateTime();
    void localeSeparators_data();
    void localeSeparators();
    void textWithBlock_data();
    void textWithBlock();
    void refreshedTwiceLeavesOneBlock();
};

void HeaderBlockTest::blockByteForByte()
{
    QCOMPARE(HeaderBlock(Fields(), Morning), Block);
    QCOMPARE(HeaderBlock(Fields(), Morning).toUtf8(), Block.toUtf8());
}

void HeaderBlockTest::blockWithoutHeaderKeys()
{
    const QStringList lines = HeaderBlock({}, Morning).split(QRegularExpression("\r\n|\r"));
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.at(3), QStringLiteral("- TITRE : [] = \"\""));
    QCOMPARE(lines.at(4), QStringLiteral("- AUTEUR : "));
    QCOMPARE(lines.at(5), QStringLiteral("- DICOS :  => ()"));
    QCOMPARE(lines.at(7),
             QStringLiteral("SCRIPT à placer dans [Valeur/défaut] de la \"QUESTION\" : { }"));
}

void HeaderBlockTest::dateTime_data()
{
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QChar>("dateSeparator");
    QTest::addColumn<QChar>("timeSeparator");
    QTest::addColumn<QString>("text");

    QTest::newRow("padded") << Morning << QChar('/') << QChar(':') << "05/03/2024 - 09:07";
    QTest::newRow("24-hour clock") << QDateTime(QDate(2023, 12, 31), QTime(23, 59, 59))
                                   << QChar('/') << QChar(':') << "31/12/2023 - 23:59";
    QTest::newRow("midnight") << QDateTime(QDate(2024, 1, 1), QTime(0, 0)) << QChar('/')
                              << QChar(':') << "01/01/2024 - 00:00";
    QTest::newRow("locale separators") << Morning << QChar('.') << QChar('.')
                                       << "05.03.2024 - 09.07";
}

void HeaderBlockTest::dateTime()
{
    QFETCH(QDateTime, when);
    QFETCH(QChar, dateSeparator);
    QFETCH(QChar, timeSeparator);
    QFETCH(QString, text);
    QCOMPARE(HeaderBlockDateTime(when, {dateSeparator, timeSeparator}), text);
}

void HeaderBlockTest::localeSeparators_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("date");
    QTest::addColumn<QChar>("time");

    QTest::newRow("French") << QLocale(QLocale::French, QLocale::France) << QChar('/') << QChar(':');
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QChar('.') << QChar(':');
    QTest::newRow("Finnish") << QLocale(QLocale::Finnish, QLocale::Finland) << QChar('.')
                             << QChar('.');
    QTest::newRow("C, no date separator") << QLocale::c() << QChar('/') << QChar(':');
}

void HeaderBlockTest::localeSeparators()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, date);
    QFETCH(QChar, time);
    const DateTimeSeparators separators = LocaleDateTimeSeparators(locale);
    QCOMPARE(separators.date, date);
    QCOMPARE(separators.time, time);
}

void HeaderBlockTest::textWithBlock_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refresh");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("result");

    const QString block = "/*°new°*/";
    for (const bool refresh : {false, true}) {
        const char* mode = refresh ? "refresh: " : "no refresh: ";
        QTest::addRow("%sempty script", mode) << "" << refresh << true << block;
        QTest::addRow("%sno line break before", mode)
            << "A = 1;" << refresh << true << "A = 1;" + block;
        QTest::addRow("%sline break kept", mode) << "A = 1;\r\n" << refresh << true
                                                 << "A = 1;\r\n" + block;
    }
    QTest::newRow("no refresh: block there") << "A/*°old°*/" << false << false << "";
    QTest::newRow("no refresh: start mark alone") << "x /*° y" << false << false << "";
    QTest::newRow("refresh: block replaced") << "A\r\n/*°old°*/\r\nB" << true << true
                                             << "A\r\n" + block + "\r\nB";
    QTest::newRow("refresh: both copies replaced")
        << "/*°old°*/ et /*°old°*/" << true << true << block + " et " + block;
    QTest::newRow("refresh: other blocks kept")
        << "/*°old°*/ /*°other°*/" << true << true << block + " /*°other°*/";
    QTest::newRow("refresh: first end mark after the start")
        << "°*/ /*°old°*/ b °*/" << true << true << "°*/ " + block + " b °*/";
    QTest::newRow("refresh: no end mark") << "A /*° B" << true << false << "";
    QTest::newRow("refresh: end mark before the start only")
        << "°*/ A /*° B" << true << false << "";
    QTest::newRow("refresh: nothing between the marks") << "A /*°°*/ B" << true << false << "";
    QTest::newRow("refresh: marks sharing the degree sign") << "A /*°*/ B" << true << false << "";
    QTest::newRow("refresh: same block") << "A " + block << true << false << "";
}

void HeaderBlockTest::textWithBlock()
{
    QFETCH(QString, text);
    QFETCH(bool, refresh);
    QFETCH(bool, changed);
    QFETCH(QString, result);

    const std::optional<QString> written = TextWithHeaderBlock(text, "/*°new°*/", refresh);
    QCOMPARE(written.has_value(), changed);
    if (changed)
        QCOMPARE(*written, result);
}

void HeaderBlockTest::refreshedTwiceLeavesOneBlock()
{
    const QString script = "A = 1;\r\n";
    const QString first = *TextWithHeaderBlock(script, HeaderBlock(Fields(), Morning), true);
    HeaderBlockFields renamed = Fields();
    renamed.externalScriptLabel = "PNEUMO";
    const QString second = HeaderBlock(renamed, Morning.addSecs(3600));

    QCOMPARE(*TextWithHeaderBlock(first, second, true), script + second);
    QVERIFY(!TextWithHeaderBlock(first, second, false));
}

QTEST_GUILESS_MAIN(HeaderBlockTest)
#include "TestHeaderBlock.moc"
