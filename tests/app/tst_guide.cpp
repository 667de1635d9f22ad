// The user guide as CI checks it: its pages and links, its pictures, the
// messages it quotes (read against the program's sources) and the commands
// of the menus it names.
#include "app/ActionTable.h"
#include "app/GuideSections.h"
#include "app/MenuTable.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocument>
#include <QUrl>
#include <QtTest>

namespace {

const QString kGuide = QStringLiteral(POLYX_SOURCE_DIR "/app/aide/");

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QString plainOf(const QString& html)
{
    QTextDocument document;
    document.setHtml(html);
    return document.toPlainText();
}

QStringList captured(const QString& text, const QString& pattern)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern, QRegularExpression::DotMatchesEverythingOption).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

// A text cut into words and single signs; blanks only separate.
QStringList tokens(const QString& text)
{
    QStringList result;
    QString word;
    for (const QChar c : text) {
        if (c.isLetterOrNumber() || c == u'_') {
            word += c;
            continue;
        }
        if (!word.isEmpty())
            result << word, word.clear();
        if (!c.isSpace())
            result << QString(c);
    }
    if (!word.isEmpty())
        result << word;
    return result;
}

// The string and character literals of a C++ source, in order, unescaped.
QString literalsOf(const QString& source)
{
    QString out;
    static const QRegularExpression literal(QStringLiteral("(?:u8|u|L)?(\"(?:[^\"\\\\\\n]|\\\\.)*\"|'(?:[^'\\\\\\n]|\\\\.)+')"));
    QRegularExpressionMatchIterator it = literal.globalMatch(source);
    while (it.hasNext()) {
        QString text = it.next().captured(1);
        text = text.mid(1, text.size() - 2);
        text.replace(QStringLiteral("\\r\\n"), QStringLiteral("\n"));
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
        text.replace(QStringLiteral("\\\""), QStringLiteral("\""));
        text.replace(QStringLiteral("\\'"), QStringLiteral("'"));
        text.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
        out += text + u' ';
    }
    return out;
}

bool containsRun(const QStringList& haystack, const QStringList& needle)
{
    if (needle.isEmpty())
        return true;
    for (qsizetype at = 0; at + needle.size() <= haystack.size(); ++at)
        if (haystack.mid(at, needle.size()) == needle)
            return true;
    return false;
}

QString caption(const char* text) { return QString::fromUtf8(text).remove(u'&'); }

const ActionRow* actionNamed(const char* name)
{
    for (const ActionRow& row : actionTable())
        if (qstrcmp(row.name, name) == 0)
            return &row;
    return nullptr;
}

QString entryCaption(const MenuEntry& entry)
{
    if (entry.caption)
        return caption(entry.caption);
    const ActionRow* row = entry.action ? actionNamed(entry.action) : nullptr;
    return row ? caption(row->caption) : QString();
}

} // namespace

class GuideTest : public QObject {
    Q_OBJECT
    QHash<QString, QString> m_pages; // file name → HTML

private slots:
    void initTestCase()
    {
        for (const char* file : polyx::GuidePages()) {
            const QString html = readText(kGuide + QLatin1String(file));
            QVERIFY2(!html.isEmpty(), file);
            m_pages.insert(QLatin1String(file), html);
        }
    }

    void everyPageIsInTheContents()
    {
        const QStringList files = QDir(kGuide).entryList({"*.html"}, QDir::Files);
        QCOMPARE(QSet<QString>(files.begin(), files.end()),
                 QSet<QString>(m_pages.keyBegin(), m_pages.keyEnd()));
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
            QVERIFY2(!captured(*page, "<title>(.+?)</title>").value(0).trimmed().isEmpty(), qPrintable(page.key()));
    }

    void everyLinkResolves()
    {
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page) {
            for (const QString& href : captured(*page, "<a\\s[^>]*href=\"([^\"]*)\"")) {
                const QUrl url(href);
                QVERIFY2(url.scheme().isEmpty(), qPrintable(page.key() + ": " + href + " leaves the guide"));
                const QString target = url.path().isEmpty() ? page.key() : url.path();
                QVERIFY2(m_pages.contains(target), qPrintable(page.key() + ": " + href));
                if (url.hasFragment()) {
                    const QString& html = m_pages[target];
                    const QString anchor = url.fragment();
                    QVERIFY2(html.contains("name=\"" + anchor + '"') || html.contains("id=\"" + anchor + '"'),
                             qPrintable(page.key() + ": " + href));
                }
            }
        }
        // F1's sections are pages and anchors of the guide too.
        for (const QString& section : {QString("fenetre.html#fichiers"), QString("fenetre.html#questions"),
                                       QString("fenetre.html#dictionnaires"), QString("fenetre.html#scripts"),
                                       QString("lot.html#rapport")}) {
            const QString file = section.section(u'#', 0, 0);
            QVERIFY(m_pages[file].contains("name=\"" + section.section(u'#', 1) + '"'));
        }
        const QList<QStringList> parts{{"ValueListEditor_SANVOR"}, {"SKRIVO_POLYX"}, {"JvFileListBox1"},
                                       {"TraductionParLot"}, {"RapportTraduction"}, {"nothing"}};
        for (const QStringList& names : parts) {
            for (const bool batch : {false, true}) {
                const QString section = polyx::GuideSectionFor(names, batch);
                QVERIFY2(m_pages.contains(section.section(u'#', 0, 0)), qPrintable(section));
            }
        }
    }

    void everyPictureExists()
    {
        int pictures = 0;
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page) {
            for (const QString& src : captured(*page, "<img\\s[^>]*src=\"([^\"]*)\"")) {
                const QImage image(kGuide + src);
                QVERIFY2(!image.isNull() && image.width() > 100, qPrintable(page.key() + ": " + src));
                ++pictures;
            }
        }
        QVERIFY(pictures >= 5);
        // No picture is left that no page shows.
        for (const QString& file : QDir(kGuide + "images").entryList(QDir::Files)) {
            bool shown = false;
            for (const QString& html : std::as_const(m_pages))
                shown = shown || html.contains("images/" + file);
            QVERIFY2(shown, qPrintable(file));
        }
    }

    // Each message is cut at its variable parts (<var>) and at its line
    // breaks; every piece must be a run of words of the literals of one and
    // the same source file of the program.
    void everyMessageIsTheProgramsOwnText()
    {
        QList<QStringList> sources;
        for (const char* folder : {"app", "config", "dictionaries", "questions", "scripts", "files", "platform"}) {
            QDirIterator it(QStringLiteral(POLYX_SOURCE_DIR "/") + folder, {"*.cpp"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (!path.contains("/testing/"))
                    sources << tokens(literalsOf(readText(path)));
            }
        }
        const QStringList messages = captured(m_pages["messages.html"], "<p class=\"message\">(.*?)</p>");
        QVERIFY(messages.size() > 40);
        // The messages quoted on other pages are checked alike.
        QStringList quoted = messages;
        for (auto page = m_pages.cbegin(); page != m_pages.cend(); ++page)
            if (page.key() != "messages.html")
                quoted << captured(*page, "<p class=\"message\">(.*?)</p>");
        for (const QString& message : quoted) {
            QString marked = message;
            marked.replace(QRegularExpression("<var>.*?</var>"), QStringLiteral("\x01"));
            marked.replace(QRegularExpression("<br\\s*/?>"), QStringLiteral("\x01"));
            QStringList pieces;
            for (const QString& piece : marked.split(u'\x01'))
                if (const QStringList words = tokens(plainOf(piece)); !words.isEmpty())
                    pieces << words.join(u' ');
            QVERIFY2(!pieces.isEmpty(), qPrintable(message));
            bool found = false;
            for (const QStringList& source : std::as_const(sources)) {
                bool all = true;
                for (const QString& piece : std::as_const(pieces))
                    all = all && containsRun(source, piece.split(u' '));
                found = found || all;
            }
            QVERIFY2(found, qPrintable("not a text of the program: " + plainOf(message)));
        }
    }

    // Every command of the menus is named in the guide, and every command the
    // guide names is one the program has.
    void theGuideNamesEveryCommandAndNoOther()
    {
        QString text;
        QSet<QString> named;
        for (const QString& html : std::as_const(m_pages)) {
            text += plainOf(html).simplified() + u'\n';
            for (const QString& span : captured(html, "<span class=\"cmd\">(.*?)</span>"))
                named << plainOf(span).simplified();
        }
        QSet<QString> commands;
        int menuCommands = 0;
        const auto menuEntries = [&](const MenuRow& row) {
            for (const MenuEntry& entry : row.entries) {
                const QString shown = entryCaption(entry);
                if (shown.isEmpty())
                    continue;
                commands << shown.simplified();
                ++menuCommands;
                QVERIFY2(text.contains(shown.simplified()), qPrintable("the guide never names \"" + shown + '"'));
            }
        };
        for (const MenuRow& row : mainMenus())
            menuEntries(row);
        for (const MenuRow& row : subMenus())
            menuEntries(row);
        QVERIFY(menuCommands > 50);
        for (const PopupRow& popup : popupMenus())
            for (const MenuEntry& entry : popup.menu.entries)
                commands << entryCaption(entry).simplified();
        for (const ActionRow& row : actionTable())
            commands << caption(row.caption).simplified();
        commands << QStringLiteral("Afficher les codes absents") << QStringLiteral("Copier le rapport");
        for (const QString& name : std::as_const(named))
            QVERIFY2(commands.contains(name), qPrintable("the guide names a command the program lacks: " + name));
    }

    // The AppStream file says what the program does in the guide's words.
    void appStreamDescriptionIsTheGuidesFirstPage()
    {
        const QString metainfo = readText(QStringLiteral(POLYX_SOURCE_DIR "/app/install/PolyxX.metainfo.xml.in"));
        const QStringList french = captured(metainfo, "<p xml:lang=\"fr\">\\s*(.*?)\\s*</p>");
        const QStringList guide = captured(m_pages["index.html"], "<p>(.*?)</p>");
        QVERIFY(french.size() >= 2);
        for (int i = 0; i < 2; ++i)
            QCOMPARE(plainOf(french[i]).simplified(), plainOf(guide[i]).simplified());
    }
};

QTEST_MAIN(GuideTest)
#include "tst_guide.moc"
