// The wrapping aids on the focused script editor and the token pick.

#include "tests/support/WindowFixture.h"

#include "dictionaries/DictionaryPane.h"
#include "scripts/ScriptPane.h"

#include <QAction>
#include <QLabel>
#include <QTextCursor>
#include <QtTest>

class EditingAidsWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> m_window;
    TForm1* m_form = nullptr;

    ScriptPane* pane(int page) const
    {
        return page == 0 ? m_form->SKRIVO_EXT : page == 1 ? m_form->SKRIVO_INT : m_form->SKRIVO_POLYX;
    }
    static void select(ScriptPane* pane, int start, int length)
    {
        QTextCursor cursor(pane->document());
        cursor.setPosition(start);
        cursor.setPosition(start + length, QTextCursor::KeepAnchor);
        pane->setTextCursor(cursor);
    }

private slots:
    void init()
    {
        m_window = std::make_unique<WindowFixture>();
        m_form = &m_window->open();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form));
    }
    void cleanup()
    {
        m_form = nullptr;
        m_window.reset();
    }

    // Items of the pop-up menus, as the user picks them.
    void aidOnFocusedEditor_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caret");

        QTest::newRow("comment, internal selection") << "Commenter2" << 1 << "x NOM y" << 2 << 3 << "x /* NOM */ y" << 11;
        QTest::newRow("comment, nothing selected") << "Commenter1" << 0 << "ab" << 1 << 0 << "a/*  */b" << 7;
        QTest::newRow("comment, universal") << "Commenter3" << 2 << "AGE" << 0 << 3 << "/* AGE */" << 9;
        QTest::newRow("tag") << "Baliser1" << 0 << "NOM" << 0 << 3 << "{NOM}" << 5;
        QTest::newRow("tag, nothing selected") << "Baliser1" << 0 << "" << 0 << 0 << "{}" << 2;
        QTest::newRow("insert over a word") << "Insrer1" << 0 << "a mot b" << 2 << 3 << "a @@_ :=  b" << 9;
        QTest::newRow("insert, two lines selected") << "Insrer1" << 2 << "a\r\nb" << 0 << 3 << "@@_ := " << 7;
    }
    void aidOnFocusedEditor()
    {
        QFETCH(QString, item);
        QFETCH(int, page);
        QFETCH(QString, before);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(QString, after);
        QFETCH(int, caret);
        ScriptPane* editor = pane(page);
        editor->SetText(before);
        if (page != 1)
            m_form->SKRIVO_INT->SetText("interne");
        select(editor, start, length);
        editor->SetFocus();

        m_form->findChild<QAction*>(item)->trigger();

        QCOMPARE(editor->Text(), after);
        QCOMPARE(editor->textCursor().position(), caret);
        QVERIFY(!editor->textCursor().hasSelection());
        // The external editor's change reaction runs as for any edit.
        if (page == 0)
            QVERIFY(m_form->SKRIVO_INT->IsEmpty());
    }

    void aidsIgnoreOtherControls_data()
    {
        QTest::addColumn<QString>("item");
        QTest::newRow("comment") << "Commenter1";
        QTest::newRow("tag") << "Baliser1";
        QTest::newRow("insert") << "Insrer1";
    }
    void aidsIgnoreOtherControls()
    {
        QFETCH(QString, item);
        m_form->SKRIVO_EXT->SetText("NOM");
        select(m_form->SKRIVO_EXT, 0, 3);
        m_form->ValueListEditor_EXT->setFocus();
        m_form->findChild<QAction*>(item)->trigger();
        QCOMPARE(m_form->SKRIVO_EXT->Text(), QString("NOM"));
    }

    // The shortcuts of the external pop-up's items act while the external
    // editor has the focus, and only there.
    void popupShortcuts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("after");

        const int alt = Qt::AltModifier;
        QTest::newRow("Alt+C comments") << int(Qt::Key_C) << alt << 0 << "/* NOM */";
        QTest::newRow("Alt+B tags") << int(Qt::Key_B) << alt << 0 << "{NOM}";
        QTest::newRow("Alt+A inserts") << int(Qt::Key_A) << alt << 0 << "@@_ := ";
        // No tag: the key is the internal editor's own.
        QTest::newRow("Alt+B in the internal editor") << int(Qt::Key_B) << alt << 1 << "";
        QTest::newRow("Ctrl+T writes the block") << int(Qt::Key_T) << int(Qt::ControlModifier) << 0
                                                  << "NOM/*°";
    }
    void popupShortcuts()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, page);
        QFETCH(QString, after);
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, page);
        ScriptPane* editor = pane(page);
        editor->SetText("NOM");
        select(editor, 0, 3);
        editor->SetFocus();
        QTRY_COMPARE(m_form->focusWidget(), editor);

        QTest::keyClick(editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        if (after.isEmpty()) {
            QVERIFY(!editor->Text().contains("{NOM}"));
            return;
        }
        QCOMPARE(editor->Text().left(after.size()), after);
        if (key != Qt::Key_T)
            QCOMPARE(editor->Text().size(), after.size());
    }

    void pickToken_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("token");
        QTest::newRow("tag") << "{NOM}" << "NOM";
        QTest::newRow("brackets and colon") << "(AGE : 45)" << "AGE";
        QTest::newRow("colon without blank after") << "{DDN :date}" << "DDN";
        QTest::newRow("one blank of two kept") << "CODE  : x" << "CODE ";
        QTest::newRow("field code") << "£[SG" << "£[SG";
        QTest::newRow("shown as text, not markup") << "{<NOM>}" << "<NOM>";
        QTest::newRow("only a brace") << "{" << "";
        QTest::newRow("only brackets") << "()" << "";
    }
    void pickToken()
    {
        QFETCH(QString, selected);
        QFETCH(QString, token);
        m_form->StatusPanelPick->setText("avant");
        m_form->PickToken(selected);
        QCOMPARE(m_form->StatusPanelPick->text(), token);
        QCOMPARE(m_window->fakes.clipboard.written.size(), size_t(1));
        QCOMPARE(m_window->fakes.clipboard.written[0], token);
    }

    void emptySelectionPicksNothing()
    {
        m_form->StatusPanelPick->setText("avant");
        m_form->PickToken(QString());
        QCOMPARE(m_form->StatusPanelPick->text(), QString("avant"));
        QVERIFY(m_window->fakes.clipboard.written.empty());
    }

    void doubleClickPicks_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("token");
        QTest::newRow("external") << 0 << "NOMJF";
        QTest::newRow("internal") << 1 << "NOMJF";
        QTest::newRow("universal picks nothing") << 2 << "";
    }
    void doubleClickPicks()
    {
        QFETCH(int, page);
        QFETCH(QString, token);
        TForm1::selectPageQuietly(m_form->PageControl_SCRIPTS, page);
        ScriptPane* editor = pane(page);
        editor->SetText("NOMJF");
        QTextCursor start(editor->document());
        const QPoint onWord = editor->cursorRect(start).center() + QPoint(3, 0);
        QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, onWord);
        QCOMPARE(m_form->StatusPanelPick->text(), token);
        QCOMPARE(m_window->fakes.clipboard.written.size(), size_t(token.isEmpty() ? 0 : 1));
    }
};

QTEST_MAIN(EditingAidsWindowTest)
#include "tst_editing_aids_window.moc"
