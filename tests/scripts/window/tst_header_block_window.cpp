// The header block written into the script panes with a fixed clock, and
// the relabelling of the script pages.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/WindowFixture.h"

#include "dictionaries/DictionaryPane.h"
#include "scripts/ScriptPane.h"
#include "scripts/HeaderBlock.h"

#include <QAction>
#include <QLocale>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QtTest>

namespace {
const QDateTime kMorning(QDate(2024, 3, 5), QTime(9, 7, 42));

// The block as the pane gives it back: its lone CR is a line end like the
// others.
QString expectedBlock(const QString& when, const QString& externalLabel = "CARDIO",
                      const QString& internalLabel = "MEDGEN")
{
    const QString stars(60, u'*');
    return "/*°" + stars + "\r\n"
        + "Polyxane 19 : " + QString::fromUtf16(polyx::ProductWebAddress) + " ^ " + when + "\r\n"
        + "\r\n"
        + "- TITRE : [B12] = \"Bilan initial\"\r\n"
        + "- AUTEUR : Dr Martin\r\n"
        + "- DICOS : " + externalLabel + " => (" + internalLabel + ")\r\n"
        + "\r\n"
        + "SCRIPT à placer dans [Valeur/défaut] de la \"QUESTION\" : {" + externalLabel + " }\r\n"
        + "CALCUL à partir des QUESTIONS :\r\n"
        + "\r\n"
        + stars + "°*/";
}
} // namespace

class HeaderBlockWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;

    ScriptPane* pane(int page) const
    {
        return page == 0 ? m_form->SKRIVO_EXT : page == 1 ? m_form->SKRIVO_INT : m_form->SKRIVO_POLYX;
    }
    void pressOnTab(int tab, Qt::MouseButton button)
    {
        QTabBar* tabs = m_form->PageControl_SCRIPTS->tabBar();
        QTest::mousePress(tabs, button, {}, tabs->tabRect(tab).center());
        QTest::mouseRelease(tabs, button, {}, tabs->tabRect(tab).center());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French, QLocale::France)); }
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_form = &m_window->open();
        // The internal dictionary's values never reach the block.
        setLines(m_form->ValueListEditor_EXT, {"<_AUTEUR>=Dr Martin", "<_TITRE>=Bilan initial", "<_CODE>=B12"});
        setLines(m_form->ValueListEditor_INT, {"<_AUTEUR>=Autre", "<_TITRE>=Autre titre", "<_CODE>=Z9"});
        m_form->ValueListEditor_EXT->SetPageLabel("EXTDIC");
        m_form->ValueListEditor_INT->SetPageLabel("MEDGEN");
        m_form->SKRIVO_EXT->SetPageLabel("CARDIO");
        m_form->SKRIVO_INT->SetPageLabel("MEDGEN");
        m_form->currentDateTime = [] { return kMorning; };
    }
    void cleanup()
    {
        m_form = nullptr;
        m_window.reset();
    }

    void writeBlock_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");

        const QString block = expectedBlock("05/03/2024 - 09:07");
        const QString old = expectedBlock("01/02/2023 - 08:00");
        QTest::newRow("internal, empty") << "SKR_INT_L1" << 1 << "" << block;
        QTest::newRow("internal, no final break") << "SKR_INT_L1" << 1 << "Bonjour" << "Bonjour" + block;
        QTest::newRow("internal, final break") << "SKR_INT_L1" << 1 << "Bonjour\r\n" << "Bonjour\r\n" + block;
        QTest::newRow("internal, marker anywhere") << "SKR_INT_L1" << 1 << "a /*° b" << "a /*° b";
        QTest::newRow("universal, empty") << "SKR_UNI_L1" << 2 << "" << block;
        QTest::newRow("universal, holds a block") << "SKR_UNI_L1" << 2 << "x" + old << "x" + old;
        QTest::newRow("external, without block") << "SKR_EXT_L1" << 0 << "Cher" << "Cher" + block;
        QTest::newRow("external, refreshed") << "SKR_EXT_L1" << 0 << "x" + old + "y" << "x" + block + "y";
        QTest::newRow("external, two copies") << "SKR_EXT_L1" << 0 << old + "x" + old << block + "x" + block;
        QTest::newRow("external, no end mark") << "SKR_EXT_L1" << 0 << "x /*° y" << "x /*° y";
        QTest::newRow("external, nothing between the marks") << "SKR_EXT_L1" << 0 << "/*°°*/" << "/*°°*/";
    }
    void writeBlock()
    {
        QFETCH(QString, command);
        QFETCH(int, page);
        QFETCH(QString, before);
        QFETCH(QString, after);
        for (int other = 0; other < 3; ++other)
            pane(other)->SetText(other == page ? before : "autre");
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, page == 2 ? 0 : 2);
        const int shown = m_form->PageControl_SCRIPTS->currentIndex();

        m_form->action(command)->trigger();

        QCOMPARE(pane(page)->Text(), after);
        // A changed external script empties the internal one, as any edit does.
        const bool emptied = page == 0 && after != before;
        QCOMPARE(m_form->SKRIVO_INT->Text(), QString(emptied ? "" : page == 1 ? after : "autre"));
        QCOMPARE(m_form->PageControl_SCRIPTS->currentIndex(), shown);
        QVERIFY(m_window->fakes.dialogs.errors.empty());
    }

    void secondRunOfTheExternalBlockWins()
    {
        m_form->SKRIVO_EXT->SetText("Cher");
        m_form->action("SKR_EXT_L1")->trigger();
        m_form->ValueListEditor_EXT->lines().SetValueOf("<_AUTEUR>", "Dr Leroy");
        m_form->currentDateTime = [] { return QDateTime(QDate(2024, 12, 31), QTime(23, 59)); };
        m_form->action("SKR_EXT_L1")->trigger();
        QString block = expectedBlock("31/12/2024 - 23:59");
        block.replace("Dr Martin", "Dr Leroy");
        QCOMPARE(m_form->SKRIVO_EXT->Text(), "Cher" + block);
    }

    void missingHeaderKeysLeaveTheirPlacesEmpty()
    {
        setLines(m_form->ValueListEditor_EXT, {"<NOM>=NOMEXT"});
        m_form->action("SKR_UNI_L1")->trigger();
        QVERIFY(m_form->SKRIVO_POLYX->Text().contains("\r\n- TITRE : [] = \"\"\r\n- AUTEUR : \r\n- DICOS : "));
    }

    void richScriptKeepsItsFormatting()
    {
        m_form->SKRIVO_EXT->SetPlainText(false);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        QTextCursor(m_form->SKRIVO_EXT->document()).insertText("Cher", bold);
        m_form->action("SKR_EXT_L1")->trigger();
        QCOMPARE(m_form->SKRIVO_EXT->Text(), "Cher" + expectedBlock("05/03/2024 - 09:07"));
        QTextCursor reader(m_form->SKRIVO_EXT->document());
        reader.setPosition(2);
        QCOMPARE(reader.charFormat().fontWeight(), int(QFont::Bold));
    }

    void relabel_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("externalLabel");
        QTest::addColumn<QString>("internalLabel");

        const QString first = "Renommer l'étiquette de la page 1";
        const QString second = "Renommer l'étiquette de la page 2";
        const int right = Qt::RightButton;
        QTest::newRow("external") << 0 << right << true << first << "SKR EXTERNE" << "EXTDIC" << "DUPONT" << "MEDGEN";
        QTest::newRow("external, cancelled") << 0 << right << false << first << "SKR EXTERNE" << "EXTDIC" << "CARDIO"
                                             << "MEDGEN";
        QTest::newRow("internal") << 1 << right << true << second << "SKR INTERNE" << "MEDGEN" << "CARDIO" << "DUPONT";
        QTest::newRow("universal") << 2 << right << true << "" << "" << "" << "CARDIO" << "MEDGEN";
        QTest::newRow("left button") << 0 << int(Qt::LeftButton) << true << "" << "" << "" << "CARDIO" << "MEDGEN";
    }
    void relabel()
    {
        QFETCH(int, page);
        QFETCH(int, button);
        QFETCH(bool, answered);
        QFETCH(QString, title);
        QFETCH(QString, prompt);
        QFETCH(QString, value);
        QFETCH(QString, externalLabel);
        QFETCH(QString, internalLabel);
        m_form->show();
        m_form->SKRIVO_EXT->SetText("Cher");
        m_form->SKRIVO_INT->SetText("Madame");
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, page);
        m_window->fakes.dialogs.inputAnswers.push_back(answered ? std::optional<QString>("DUPONT") : std::nullopt);

        // A right press on another tab leaves the page shown as it is.
        pressOnTab(button == Qt::RightButton ? (page + 1) % 3 : page, Qt::MouseButton(button));

        QCOMPARE(m_form->PageControl_SCRIPTS->currentIndex(), page);
        const auto& inputs = m_window->fakes.dialogs.inputs;
        QCOMPARE(inputs.size(), size_t(title.isEmpty() ? 0 : 1));
        if (!title.isEmpty()) {
            QCOMPARE(inputs[0].title, title);
            QCOMPARE(inputs[0].prompt, prompt);
            QCOMPARE(inputs[0].value, value);
        }
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), externalLabel);
        QCOMPARE(m_form->SKRIVO_INT->PageLabel(), internalLabel);
        const bool blockWritten = page == 0 && answered && !title.isEmpty();
        QCOMPARE(m_form->SKRIVO_EXT->Text(),
                 blockWritten ? "Cher" + expectedBlock("05/03/2024 - 09:07", "DUPONT") : QString("Cher"));
        QCOMPARE(m_form->SKRIVO_INT->Text(), QString(blockWritten ? "" : "Madame"));
    }

    void relabellingAgainKeepsTheFirstBlock()
    {
        m_form->show();
        m_form->SKRIVO_EXT->SetText("Cher");
        m_window->fakes.dialogs.inputAnswers = {QString("DUPONT"), QString("MARTIN")};
        pressOnTab(0, Qt::RightButton);
        pressOnTab(0, Qt::RightButton);
        QCOMPARE(m_form->SKRIVO_EXT->PageLabel(), QString("MARTIN"));
        QCOMPARE(m_form->SKRIVO_EXT->Text(), "Cher" + expectedBlock("05/03/2024 - 09:07", "DUPONT"));
    }
};

QTEST_MAIN(HeaderBlockWindowTest)
#include "tst_header_block_window.moc"
