// The two translations, the page-change reaction and the whole road of one
// translation, driven through the window.
#include "tests/support/DictionaryFilling.h"
#include "tests/support/FileBytes.h"
#include "tests/support/WindowFixture.h"

#include "config/ConfigStore.h"
#include "dictionaries/DictionaryPane.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QtTest>

namespace {
const QStringList kExternal{"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12", "<NOM>=NOMEXT", "<AGE>=AGEEXT"};
const QStringList kInternal{"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1", "<NOM>=£[SG : nom]#",
                            "<AGE>=£[SG : age]#"};
const QString kScript = "Nom : NOMEXT, âge AGEEXT";
const QString kInternalScript = "Nom : £[SG : nom]#, âge £[SG : age]#";
const QString kUniversalScript = "Nom : <NOM>, âge <AGE>";
const QString kNoReplacementAdvice =
    "Etes vous sûr d'avoir choisi les bons dictionnaires ?\r\n\r\nEt de les avoir placés dans le bon sens\r\n\r\n"
    "Verifiez que le DICO de Gauche correspond aux champs du SKRIVO de Gauche (SOURCE)\r\n"
    "Et que le DICO de Droite correspond aux champs du SKRIVO de Droite (CIBLE)";

} // namespace

class TranslationWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;

    platform::FakeServices& fakes() { return m_window->fakes; }
    void trigger(TForm1& form, const char* name) { form.action(name)->trigger(); }

private slots:
    void init() { m_window = std::make_unique<WindowFixture>(); }
    void cleanup() { m_window.reset(); }

    void pageChange_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("byUser");
        QTest::addColumn<bool>("autoTrad");
        QTest::addColumn<QString>("internalBefore");
        QTest::addColumn<QString>("universalBefore");
        QTest::addColumn<bool>("fusionBuilt");
        QTest::addColumn<QString>("internalAfter");
        QTest::addColumn<QString>("universalAfter");
        QTest::addColumn<int>("kindTab");

        const QString byHand = "à la main";
        QTest::newRow("external page") << 0 << true << false << "" << "" << true << "" << "" << 1;
        QTest::newRow("internal, auto") << 1 << true << true << "" << "" << true << kInternalScript << "" << 0;
        QTest::newRow("internal, no auto") << 1 << true << false << "" << "" << true << "" << "" << 1;
        QTest::newRow("internal holds text") << 1 << true << true << byHand << "" << false << byHand << "" << 1;
        QTest::newRow("internal chosen by code") << 1 << false << true << "" << "" << false << "" << "" << 4;
        QTest::newRow("universal, auto") << 2 << true << true << "" << "" << false << "" << kUniversalScript << 1;
        QTest::newRow("universal, no auto") << 2 << true << false << "" << "" << false << "" << "" << 1;
        QTest::newRow("universal holds text") << 2 << true << true << "" << byHand << false << "" << byHand << 1;
        QTest::newRow("universal chosen by code") << 2 << false << true << "" << "" << false << "" << "" << 4;
    }
    void pageChange()
    {
        QFETCH(int, page);
        QFETCH(bool, byUser);
        QFETCH(bool, autoTrad);
        QFETCH(QString, internalBefore);
        QFETCH(QString, universalBefore);
        QFETCH(bool, fusionBuilt);
        QFETCH(QString, internalAfter);
        QFETCH(QString, universalAfter);
        QFETCH(int, kindTab);

        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        form.SKRIVO_EXT->SetText(kScript);
        form.SKRIVO_INT->SetText(internalBefore);
        form.SKRIVO_POLYX->SetText(universalBefore);
        form.AUTO_TRAD->setChecked(autoTrad);
        form.TabSet1->setCurrentIndex(4);
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, page == 0 ? 1 : 0);

        if (byUser)
            form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(page);
        else
            TForm1::selectPageQuietly(form.PageControl_SCRIPTS, page);

        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), page);
        QCOMPARE(form.ValueListEditor_FUSION->lines().Count() > 0, fusionBuilt);
        QCOMPARE(form.SKRIVO_INT->Text(), internalAfter);
        QCOMPARE(form.SKRIVO_POLYX->Text(), universalAfter);
        QCOMPARE(form.TabSet1->currentIndex(), kindTab);
        const bool translated = internalAfter != internalBefore || universalAfter != universalBefore;
        QCOMPARE(fakes().balloon.shown.size(), size_t(translated ? 1 : 0));
        QCOMPARE(fakes().cursor.depth(), 0);
        QVERIFY(fakes().dialogs.errors.empty());
    }

    void balloonReports_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("external");
        QTest::addColumn<QStringList>("internal");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("hourglasses");

        QTest::newRow("internal, one code three times")
            << "FUSION_EXT_INT" << kExternal << kInternal << "NOMEXT nomext Nomext" << "1 REMPLACEMENT(S)"
            << "NOMEXT => £[SG : nom]#\r\n" << "£[SG : nom]# £[SG : nom]# £[SG : nom]#" << 1;
        QTest::newRow("internal, only in another case")
            << "FUSION_EXT_INT" << kExternal << kInternal << "nomext" << "Aucun remplacement n'a pu être effectué"
            << kNoReplacementAdvice << "nomext" << 1;
        QTest::newRow("internal, header pairs leading are unused")
            << "FUSION_EXT_INT" << QStringList{"<_AUTEUR>=AAA", "<_TITRE>=BBB", "<C>=CCC"}
            << QStringList{"<_AUTEUR>=a", "<_TITRE>=b", "<C>=c"} << "AAA BBB CCC" << "1 REMPLACEMENT(S)"
            << "CCC => c\r\n" << "AAA BBB c" << 1;
        QTest::newRow("internal, without header pairs the first codes apply")
            << "FUSION_EXT_INT" << QStringList{"<A>=AAA", "<B>=BBB", "<C>=CCC"} << QStringList{"<A>=a", "<B>=b", "<C>=c"}
            << "AAA BBB CCC" << "3 REMPLACEMENT(S)" << "AAA => a\r\nBBB => b\r\nCCC => c\r\n" << "a b c" << 1;
        QTest::newRow("internal, an empty title moves the first code up")
            << "FUSION_EXT_INT" << QStringList{"<_AUTEUR>=Dr Ext", "<_TITRE>=", "<_CODE>=B12", "<NOM>=NOMEXT", "<AGE>=AGEEXT"}
            << kInternal << "Dr Ext : NOMEXT AGEEXT" << "2 REMPLACEMENT(S)"
            << "NOMEXT => £[SG : nom]#\r\nAGEEXT => £[SG : age]#\r\n" << "Dr Ext : £[SG : nom]# £[SG : age]#" << 1;
        QTest::newRow("internal, the author below the codes stays")
            << "FUSION_EXT_INT" << QStringList{"<NOM>=NOMEXT", "<AGE>=AGEEXT", "<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre"}
            << kInternal << "Dr Ext : NOMEXT AGEEXT" << "2 REMPLACEMENT(S)"
            << "NOMEXT => £[SG : nom]#\r\nAGEEXT => £[SG : age]#\r\n" << "Dr Ext : £[SG : nom]# £[SG : age]#" << 1;

        QStringList external{"<_AUTEUR>=E", "<_TITRE>=T"};
        QStringList internal{"<_AUTEUR>=I", "<_TITRE>=U"};
        QStringList codes, results;
        QString listed;
        for (int i = 1; i <= 25; ++i) {
            const QString code = QString("C%1").arg(i, 2, 10, QChar('0'));
            const QString user = QString("u%1").arg(i, 2, 10, QChar('0'));
            external << QString("<K%1>=%2").arg(i).arg(code);
            internal << QString("<K%1>=%2").arg(i).arg(user);
            codes << code;
            results << user;
            if (i <= 19)
                listed += code + " => " + user + "\r\n";
        }
        QTest::newRow("internal, 25 applied, 19 listed")
            << "FUSION_EXT_INT" << external << internal << codes.join(' ') << "25 REMPLACEMENT(S)" << listed
            << results.join(' ') << 1;

        QTest::newRow("universal, none") << "FUSION_POLYX" << kExternal << QStringList() << "rien"
                                         << "Aucun remplacement n'a été effectué" << "" << "rien" << 0;
        QTest::newRow("universal, counted in the source")
            << "FUSION_POLYX" << QStringList{"<NOM>=NOM", "<NOMJF>=NOMJF"} << QStringList() << "NOMJF"
            << "2 REMPLACEMENT(S)" << "<NOM> => NOM\r\n<NOMJF> => NOMJF\r\n" << "<NOM>JF" << 2;
    }
    void balloonReports()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, external);
        QFETCH(QStringList, internal);
        QFETCH(QString, script);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(QString, result);
        QFETCH(int, hourglasses);

        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, external);
        setLines(form.ValueListEditor_INT, internal);
        form.SKRIVO_EXT->SetText(script);
        form.TabSet1->setCurrentIndex(4);
        form.action(command)->trigger();

        const bool universal = command == "FUSION_POLYX";
        ScriptPane* target = universal ? form.SKRIVO_POLYX : form.SKRIVO_INT;
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), universal ? 2 : 1);
        QCOMPARE(fakes().balloon.shown.size(), size_t(1));
        QCOMPARE(fakes().balloon.shown[0].title, title);
        QCOMPARE(fakes().balloon.shown[0].text, text);
        QCOMPARE(target->Text(), result);
        QCOMPARE(form.SKRIVO_EXT->Text(), script);
        QCOMPARE(fakes().cursor.pushes, hourglasses);
        QCOMPARE(fakes().cursor.depth(), 0);
        QCOMPARE(form.TabSet1->currentIndex(), universal ? 4 : 0);
        if (result != script)
            QCOMPARE(form.focusWidget(), target);
        QVERIFY(fakes().dialogs.errors.empty());
    }

    // Whatever page came to the front while it ran, the universal
    // translation ends on its own page.
    void universalTranslationEndsOnItsPage()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        form.SKRIVO_EXT->SetText(kScript);
        class TurningBalloon : public platform::Balloon {
        public:
            QTabWidget* pages = nullptr;
            int shown = 0;
            void show(const QString&, const QString&) override
            {
                ++shown;
                TForm1::selectPageQuietly(pages, 0);
            }
            void setClickAction(std::function<void()>) override {}
        } balloon;
        balloon.pages = form.PageControl_SCRIPTS;
        platform::services().balloon = &balloon;
        trigger(form, "FUSION_POLYX");
        platform::services().balloon = &fakes().balloon;

        QCOMPARE(balloon.shown, 1);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 2);
        QCOMPARE(form.SKRIVO_POLYX->Text(), kUniversalScript);
    }

    void emptySource_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("message");
        QTest::newRow("internal") << "FUSION_EXT_INT"
                                  << "Rien à traiter : Le texte source est vide !\r\n\r\n"
                                     "Vous devez d'abord COLLER ou DEPOSER un texte dans la page 1= \"EXTERNE\"";
        QTest::newRow("universal") << "FUSION_POLYX"
                                   << "Le texte source est vide !\r\n\r\n"
                                      "Vous devez d'abord COLLER, OUVRIR ou DEPOSER un texte dans la page 1= \"EXTERNE\"";
    }
    void emptySource()
    {
        QFETCH(QString, command);
        QFETCH(QString, message);
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 1);
        form.SKRIVO_POLYX->SetText("gardé");
        form.action(command)->trigger();

        QCOMPARE(fakes().dialogs.messages.size(), size_t(1));
        QCOMPARE(fakes().dialogs.messages[0].kind, platform::BoxKind::Plain);
        QCOMPARE(fakes().dialogs.messages[0].text, message);
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 0);
        QCOMPARE(form.ValueListEditor_FUSION->lines().Count(), 0);
        QCOMPARE(form.SKRIVO_POLYX->Text(), QString("gardé"));
        QVERIFY(fakes().balloon.shown.empty());
        QCOMPARE(fakes().cursor.pushes, 0);
    }

    void fusionFailureStopsTheTranslation()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, {"<_AUTEUR>=A", "<X>=CODE", "<Y>=CODE"});
        setLines(form.ValueListEditor_INT, {"<_AUTEUR>=B", "<X>=x", "<Y>=y"});
        form.SKRIVO_EXT->SetText("CODE");
        form.SKRIVO_INT->SetText("gardé");
        form.TabSet1->setCurrentIndex(4);
        trigger(form, "FUSION_EXT_INT");

        QCOMPARE(fakes().dialogs.errors.size(), size_t(1));
        QCOMPARE(fakes().dialogs.errors[0], QString("Dictionnaire Fusion :\r\nUne clé nommée \"CODE\" existe déjà\r\n"
                                                     "Le code \"CODE\" sert à \"<X>\" et à \"<Y>\"."));
        QCOMPARE(form.ValueListEditor_FUSION->lines().Lines(), QStringList({"A=B", "CODE=x"}));
        QCOMPARE(form.SKRIVO_INT->Text(), QString("gardé"));
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 0);
        QCOMPARE(form.TabSet1->currentIndex(), 4);
        QVERIFY(fakes().balloon.shown.empty());
        QCOMPARE(fakes().cursor.depth(), 0);
    }

    // The user's turn to the internal page stops where the fusion fails.
    void fusionFailureStopsThePageChange()
    {
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, {"<_AUTEUR>=A", "<X>=CODE", "<Y>=CODE"});
        setLines(form.ValueListEditor_INT, {"<_AUTEUR>=B", "<X>=x", "<Y>=y"});
        form.SKRIVO_EXT->SetText("CODE");
        form.AUTO_TRAD->setChecked(true);
        form.TabSet1->setCurrentIndex(4);
        form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(1);

        QCOMPARE(fakes().dialogs.errors.size(), size_t(1));
        QCOMPARE(fakes().dialogs.errors[0], QString("Dictionnaire Fusion :\r\nUne clé nommée \"CODE\" existe déjà\r\n"
                                                     "Le code \"CODE\" sert à \"<X>\" et à \"<Y>\"."));
        QCOMPARE(form.PageControl_SCRIPTS->currentIndex(), 1);
        QVERIFY(form.SKRIVO_INT->IsEmpty());
        QCOMPARE(form.TabSet1->currentIndex(), 1);
        QVERIFY(fakes().balloon.shown.empty());
        QCOMPARE(fakes().cursor.depth(), 0);
    }

    void formattingAroundCodesStays_data()
    {
        QTest::addColumn<bool>("richTarget");
        QTest::newRow("rich internal pane") << true;
        QTest::newRow("plain internal pane") << false;
    }
    void formattingAroundCodesStays()
    {
        QFETCH(bool, richTarget);
        TForm1& form = m_window->open();
        setLines(form.ValueListEditor_EXT, kExternal);
        setLines(form.ValueListEditor_INT, kInternal);
        form.SKRIVO_EXT->SetPlainText(false);
        form.SKRIVO_INT->SetPlainText(!richTarget);
        QTextCursor writer(form.SKRIVO_EXT->document());
        QTextCharFormat bold, italic;
        bold.setFontWeight(QFont::Bold);
        italic.setFontItalic(true);
        writer.insertText("Cher ", bold);
        writer.insertText("NOMEXT", italic);
        writer.insertText(",", QTextCharFormat());
        trigger(form, "FUSION_EXT_INT");

        // The plain pane shows the text, never RTF markup.
        const QString translated = "Cher £[SG : nom]#,";
        QCOMPARE(form.SKRIVO_INT->Text(), translated);
        QCOMPARE(form.focusWidget(), form.SKRIVO_INT);
        QCOMPARE(form.SKRIVO_INT->textCursor().position(), int(translated.size()) - 1);
        QTextCursor reader(form.SKRIVO_INT->document());
        const auto formatBefore = [&reader](int position) {
            reader.setPosition(position);
            return reader.charFormat();
        };
        QCOMPARE(formatBefore(3).fontWeight() == QFont::Bold, richTarget);
        QCOMPARE(formatBefore(7).fontItalic(), richTarget);
        QCOMPARE(formatBefore(7).fontWeight() == QFont::Bold, false);
        QCOMPARE(formatBefore(int(translated.size())).fontItalic(), false);
    }

    // Dropped script aside, the road of Part one: dictionaries from their
    // files, a pasted script, the user's turn to the internal page, the
    // header block, the copy for Sanvor.
    void wholeRoadOfOneTranslation()
    {
        const QString external = m_window->path("DUPONT.DICO");
        const QString internal = m_window->path("MOI.DICO");
        writeBytes(external, "<_AUTEUR>=Dr Dupont\r\n<_TITRE>=Lettre\r\n<_CODE>=B12\r\n<NOM>=NOMEXT\r\n<AGE>=AGEEXT\r\n");
        // Files without a mark are in the ANSI code page: "£" is one byte.
        writeBytes(internal, "<_AUTEUR>=Moi\r\n<_TITRE>=Courrier\r\n<_CODE>=C1\r\n<NOM>=\xa3[SG : nom]#\r\n"
                            "<AGE>=\xa3[SG : age]#\r\n");
        WriteString("DICO", "EXTERNE", external);
        WriteString("DICO", "INTERNE", internal);
        WriteBool("OPTIONS", "AUTOTRAD", true);

        TForm1& form = m_window->open();
        form.show();
        QVERIFY(form.AUTO_TRAD->isChecked());
        QCOMPARE(form.ValueListEditor_EXT->lines().ValueOf("<NOM>"), QString("NOMEXT"));
        QCOMPARE(form.PageControl_SCRIPTS->tabText(0), QString("DUPONT"));

        fakes().clipboard.contents = kScript;
        fakes().dialogs.confirmAnswers.push_back(true);
        trigger(form, "SKR_EXT_PASTE");
        QCOMPARE(form.SKRIVO_EXT->Text(), kScript);
        QCOMPARE(form.PageControl_SCRIPTS->tabText(1), QString("MOI"));

        // A page chosen by code does not translate.
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 1);
        TForm1::selectPageQuietly(form.PageControl_SCRIPTS, 0);
        QVERIFY(form.SKRIVO_INT->IsEmpty());
        QVERIFY(fakes().balloon.shown.empty());

        form.PageControl_SCRIPTS->tabBar()->setCurrentIndex(1);
        QCOMPARE(form.ValueListEditor_FUSION->lines().Lines(),
                 QStringList({"Dr Dupont=Moi", "Lettre=Courrier", "NOMEXT=£[SG : nom]#", "AGEEXT=£[SG : age]#"}));
        QCOMPARE(form.SKRIVO_INT->Text(), kInternalScript);
        QCOMPARE(fakes().balloon.shown.size(), size_t(1));
        QCOMPARE(fakes().balloon.shown[0].title, QString("2 REMPLACEMENT(S)"));
        QCOMPARE(fakes().balloon.shown[0].text, QString("NOMEXT => £[SG : nom]#\r\nAGEEXT => £[SG : age]#\r\n"));

        form.currentDateTime = [] { return QDateTime(QDate(2024, 3, 5), QTime(9, 7)); };
        trigger(form, "SKR_INT_L1");
        const QString withBlock = form.SKRIVO_INT->Text();
        QVERIFY(withBlock.startsWith(kInternalScript + "/*°"));
        QVERIFY(withBlock.contains(" ^ 05/03/2024 - 09:07\r\n"));
        QVERIFY(withBlock.contains("\r\n- TITRE : [B12] = \"Lettre\"\r\n- AUTEUR : Dr Dupont\r\n"
                                   "- DICOS : DUPONT => (MOI)\r\n"));
        QVERIFY(withBlock.endsWith("°*/"));

        trigger(form, "SKR_INT_COPY");
        QCOMPARE(fakes().clipboard.written.back(), withBlock);
        QCOMPARE(fakes().dialogs.messages.back().kind, platform::BoxKind::Information);
        QVERIFY(fakes().dialogs.errors.empty());
    }
};

QTEST_MAIN(TranslationWindowTest)
#include "tst_translation_window.moc"
