// Each heavy path of the program against the same work done the plainest
// way, timed in the same run. Start from the build folder:
//   QT_QPA_PLATFORM=offscreen bench/polyx_bench [part...]
// where a part (dictionaries, compression, fusion, engine, window, batch,
// rtf, recognition, start) limits the run to those rows.
#include "BenchHarness.h"

#include "app/FindingsWindow.h"
#include "app/Unit1.h"
#include "dictionaries/DictionaryCompression.h"
#include "dictionaries/DictionaryLines.h"
#include "dictionaries/DictionaryPane.h"
#include "dictionaries/FusionDictionary.h"
#include "dictionaries/KeyCollation.h"
#include "platform/ProgramPath.h"
#include "platform/testing/FakeServices.h"
#include "scripts/ScriptPane.h"
#include "scripts/rtf/RtfReader.h"
#include "scripts/rtf/RtfWriter.h"
#include "files/FileListBox.h"
#include "scripts/ScriptPlainText.h"
#include "scripts/ScriptText.h"
#include "scripts/translation/DocumentTarget.h"
#include "scripts/translation/DictionaryCheck.h"
#include "scripts/translation/PlainTextTarget.h"
#include "scripts/translation/RunReport.h"
#include "scripts/translation/TranslationRules.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QTableWidget>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <memory>

using bench::measure;
using bench::printRow;

namespace {

constexpr int kDictionaryLines = 20000;
constexpr int kTranslationEntries = 2000;
constexpr qsizetype kScriptSize = 1'000'000;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        qFatal("cannot write %s", qPrintable(path));
}

QStringList numberedLines(const char* pattern, int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(QString::asprintf(pattern, i, i));
    return lines;
}

void writeLines(const QString& path, const QStringList& lines)
{
    writeAll(path, (lines.join("\r\n") + "\r\n").toLatin1());
}

// ---- dictionaries ----

void dictionaryLoadAndSave(const QDir& dir)
{
    const QString path = dir.filePath("load.DICO");
    const QString copy = dir.filePath("save.DICO");
    writeLines(path, numberedLines("<CODE%05d>=Valeur n\xb0 %d, r\xe9sultat m\xe9" "dical", kDictionaryLines));

    const auto ours = measure([] {}, [&] {
        polyx::DictionaryLines lines;
        lines.LoadFromFile(path);
    });
    const auto base = measure([] {}, [&] { readAll(path); });
    printRow("dictionary load, 20,000 lines / raw read", ours, base);

    polyx::DictionaryLines loaded;
    loaded.LoadFromFile(path);
    const QByteArray bytes = readAll(path);
    const auto oursSave = measure([] {}, [&] { loaded.SaveToFile(copy); });
    const auto baseSave = measure([] {}, [&] { writeAll(copy, bytes); });
    printRow("dictionary save, 20,000 lines / raw atomic write", oursSave, baseSave);
}

// Blanks around keys and values, values cut at ':' for three panes, then
// sorted by key under the same collation as the program.
QStringList compressedPlainly(const QStringList& lines, bool cut, const QCollator& collator)
{
    struct Entry {
        QString key;
        QString line;
        QCollatorSortKey sortKey;
    };
    std::vector<Entry> entries;
    entries.reserve(lines.size() + 3);
    for (const QString& line : lines) {
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(std::max<qsizetype>(equals, 0)).trimmed();
        if (key.isEmpty())
            continue;
        QString value = equals < 0 ? line.trimmed() : line.sliced(equals + 1).trimmed();
        if (cut) {
            const qsizetype colon = value.indexOf(u':');
            if (colon >= 0)
                value.truncate(colon);
        }
        entries.push_back({key, key + u'=' + value, collator.sortKey(key)});
    }
    for (const char* header : {"<_AUTEUR>", "<_TITRE>", "<_CODE>"})
        entries.push_back({header, QString(header) + u'=', collator.sortKey(header)});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.sortKey.compare(b.sortKey) < 0; });
    QStringList result;
    result.reserve(qsizetype(entries.size()));
    for (const Entry& entry : entries)
        result.append(entry.line);
    return result;
}

void compression(const QDir& dir)
{
    const QStringList paneLines[4] = {
        numberedLines("  <EXT%05d>  =  valeur %d : suite ", kDictionaryLines),
        numberedLines(" <INT%05d> = \xa3[SG : v%d]# ", kDictionaryLines),
        numberedLines("<FUS%05d> =  code %d:reste", kDictionaryLines),
        numberedLines("  <SAN%05d>=SG:%d:QUESTION  ", kDictionaryLines),
    };
    QString paths[4];
    for (int i = 0; i < 4; ++i) {
        paths[i] = dir.filePath(QString("pane%1.DICO").arg(i));
        writeLines(paths[i], paneLines[i]);
    }
    std::unique_ptr<polyx::DictionaryLines> panes[4];
    const auto ours = measure(
        [&] {
            for (int i = 0; i < 4; ++i) {
                panes[i] = std::make_unique<polyx::DictionaryLines>();
                panes[i]->LoadFromFile(paths[i]);
            }
        },
        [&] { polyx::CompressAllDictionaries(*panes[0], *panes[1], *panes[2], *panes[3]); });
    const QCollator collator = polyx::KeyCollator();
    const auto base = measure([] {}, [&] {
        for (int i = 0; i < 4; ++i)
            compressedPlainly(paneLines[i], i < 3, collator);
    });
    if (panes[3]->Lines() != compressedPlainly(paneLines[3], false, collator))
        qFatal("compression and its baseline differ");
    printRow("DICO_COMPRESS, four 20,000-line panes / plain lists", ours, base);
}

void fusion(const QDir& dir)
{
    QStringList external = numberedLines("<K%05d>=EXT%05d", kDictionaryLines);
    QStringList internal = numberedLines("<K%05d>=\xa3[SG : v%05d]#", kDictionaryLines);
    std::reverse(internal.begin(), internal.end());
    const QString externalPath = dir.filePath("ext.DICO");
    const QString internalPath = dir.filePath("int.DICO");
    writeLines(externalPath, external);
    writeLines(internalPath, internal);
    polyx::DictionaryLines ext, in;
    ext.LoadFromFile(externalPath);
    in.LoadFromFile(internalPath);

    std::unique_ptr<polyx::DictionaryLines> result;
    const auto ours = measure([&] { result = std::make_unique<polyx::DictionaryLines>(); },
                              [&] { polyx::GenerateFusion(ext, in, *result); });
    const auto base = measure([] {}, [&] {
        QHash<QString, QString> values;
        for (const QString& line : in.Lines())
            values.insert(line.section(u'=', 0, 0).toCaseFolded(), line.section(u'=', 1));
        QStringList lines;
        QSet<QString> codes;
        for (const QString& line : ext.Lines()) {
            const auto found = values.constFind(line.section(u'=', 0, 0).toCaseFolded());
            if (found == values.cend())
                continue;
            const QString code = line.section(u'=', 1);
            if (codes.contains(code.toCaseFolded()))
                qFatal("repeated code");
            codes.insert(code.toCaseFolded());
            lines.append(code + u'=' + *found);
        }
    });
    if (result->Count() != kDictionaryLines)
        qFatal("fusion gave %d lines", result->Count());
    printRow("fusion of two 20,000-line dictionaries / hash join", ours, base);

    // Every finding kind has work to do: a tenth of the codes hold an
    // earlier one, some keys only in one dictionary, some in another case.
    for (int i = 10; i < kDictionaryLines; i += 10)
        external[i] = QString::asprintf("<K%05d>=EXT%05dX", i, i - 1);
    for (int i = 0; i < kDictionaryLines; i += 97)
        internal[i] = internal[i].toLower();
    polyx::DictionaryLines checkedExt, checkedIn, checkedFusion;
    for (const QString& line : external)
        checkedExt.AddLine(line);
    for (const QString& line : internal)
        checkedIn.AddLine(line);
    polyx::GenerateFusion(checkedExt, checkedIn, checkedFusion);
    qsizetype findings = 0;
    const auto check = measure([] {}, [&] {
        findings = polyx::CheckDictionaries(checkedExt, checkedIn, checkedFusion).size();
    });
    const auto join = measure([&] { result = std::make_unique<polyx::DictionaryLines>(); },
                              [&] { polyx::GenerateFusion(checkedExt, checkedIn, *result); });
    if (findings < kDictionaryLines / 10)
        qFatal("the check found only %lld problems", qlonglong(findings));
    printRow("DICO_CHECK, two 20,000-line dictionaries / their fusion", check, join);
}

// ---- translation ----

struct TranslationCase {
    QString externalScript;          // holds the external codes
    polyx::DictionaryEntries fusion; // two header rows, then external code -> internal code
    polyx::DictionaryEntries external; // universal key -> external code
};

QString externalCode(int i) { return QString::asprintf("[E%04d]", i); }
QString internalCode(int i) { return QString::asprintf("\u00a3[SG : champ %04d]#", i); }
QString universalKey(int i) { return QString::asprintf("<CLE%04d>", i); }

TranslationCase translationCase()
{
    TranslationCase c;
    c.fusion.append(polyx::DictionaryEntry{"Dr Ext", "Moi"});
    c.fusion.append(polyx::DictionaryEntry{"Lettre", "Courrier"});
    for (int i = 0; i < kTranslationEntries; ++i) {
        c.fusion.append({externalCode(i), internalCode(i)});
        c.external.append({universalKey(i), externalCode(i)});
    }
    // A tenth of the codes the script holds are in no dictionary; some are
    // written in another letter case.
    QRandomGenerator random(20240601);
    QString& text = c.externalScript;
    text.reserve(kScriptSize + 200);
    for (int line = 0; text.size() < kScriptSize; ++line) {
        QString first = externalCode(random.bounded(kTranslationEntries * 11 / 10));
        if (line % 7 == 0)
            first = first.toLower();
        text += QString::asprintf("Ligne %d : le patient ", line) + first + " pr\u00e9sente "
            + externalCode(random.bounded(kTranslationEntries * 11 / 10))
            + ", suivi habituel et examen clinique sans particularit\u00e9.\n";
    }
    return c;
}

// The same ordered replacements with nothing but QString.
QString translatedPlainly(const polyx::DictionaryEntries& entries, qsizetype first,
                          const QString& tested, QString text, bool intoUniversal)
{
    for (qsizetype i = first; i < entries.size(); ++i) {
        const auto& [key, value] = entries[i];
        if (!polyx::IsUsableEntry(key, value))
            continue;
        const QString& code = intoUniversal ? value : key;
        const QString& replacement = intoUniversal ? key : value;
        if ((intoUniversal ? tested : text).contains(code, Qt::CaseSensitive))
            text.replace(code, replacement, Qt::CaseInsensitive);
    }
    return text;
}

// Paragraphs with bold codes and italic words, as a formatted letter has.
void fillRich(QTextDocument& document, const QString& text)
{
    document.clear();
    QTextCursor cursor(&document);
    QTextCharFormat plain, bold, italic;
    bold.setFontWeight(QFont::Bold);
    italic.setFontItalic(true);
    cursor.beginEditBlock();
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            cursor.insertBlock();
        const QString& line = lines[i];
        const qsizetype cut = line.indexOf(u'[');
        if (cut < 0) {
            cursor.insertText(line, plain);
            continue;
        }
        cursor.insertText(line.left(cut), i % 3 ? plain : italic);
        cursor.insertText(line.sliced(cut, 7), bold);
        cursor.insertText(line.sliced(cut + 7), plain);
    }
    cursor.endEditBlock();
}

QString documentText(const QTextDocument& document)
{
    return document.toPlainText().replace(QChar::ParagraphSeparator, u'\n');
}

void translationLibrary(const TranslationCase& c)
{
    const QString& script = c.externalScript;
    const QString baseInternal = translatedPlainly(c.fusion, 2, script, script, false);
    const QString baseUniversal = translatedPlainly(c.external, 0, script, script, true);
    const auto baseIn = measure([] {}, [&] { translatedPlainly(c.fusion, 2, script, script, false); });
    const auto baseUni = measure([] {}, [&] { translatedPlainly(c.external, 0, script, script, true); });

    std::unique_ptr<polyx::PlainTextTarget> plain;
    const auto intoInternal = measure([&] { plain = std::make_unique<polyx::PlainTextTarget>(script); },
                                      [&] { polyx::TranslateIntoInternal(c.fusion, *plain); });
    if (plain->text() != baseInternal)
        qFatal("plain internal translation and its baseline differ");
    printRow("FUSION_EXT_INT engine, 1 MB plain / QString", intoInternal, baseIn);
    const auto intoUniversal = measure([&] { plain = std::make_unique<polyx::PlainTextTarget>(script); },
                                       [&] { polyx::TranslateIntoUniversal(c.external, script, *plain); });
    if (plain->text() != baseUniversal)
        qFatal("plain universal translation and its baseline differ");
    printRow("FUSION_POLYX engine, 1 MB plain / QString", intoUniversal, baseUni);

    // The same runs observed, and their report built from the texts.
    QList<polyx::ReportRow> rows;
    const auto reportedInternal = measure([&] { plain = std::make_unique<polyx::PlainTextTarget>(script); }, [&] {
        polyx::ReportRecorder recorder;
        polyx::TranslateIntoInternal(c.fusion, *plain, &recorder);
        rows = polyx::BuildRunReport(script, plain->text(), recorder.walks());
    });
    if (plain->text() != baseInternal || rows.isEmpty())
        qFatal("the report changed the internal translation");
    printRow("FUSION_EXT_INT engine with its report, 1 MB plain / engine", reportedInternal, intoInternal);
    const auto reportedUniversal = measure([&] { plain = std::make_unique<polyx::PlainTextTarget>(script); }, [&] {
        polyx::ReportRecorder recorder;
        polyx::TranslateIntoUniversal(c.external, script, *plain, &recorder);
        rows = polyx::BuildRunReport(script, plain->text(), recorder.walks());
    });
    if (plain->text() != baseUniversal || rows.isEmpty())
        qFatal("the report changed the universal translation");
    printRow("FUSION_POLYX engine with its report, 1 MB plain / engine", reportedUniversal, intoUniversal);

    // The report's own share, timed alone over recorded runs: the two rows
    // above carry the engine's noise, these do not.
    for (const bool universal : {false, true}) {
        polyx::PlainTextTarget target(script);
        polyx::ReportRecorder recorder;
        if (universal)
            polyx::TranslateIntoUniversal(c.external, script, target, &recorder);
        else
            polyx::TranslateIntoInternal(c.fusion, target, &recorder);
        const auto report = measure([] {}, [&] { rows = polyx::BuildRunReport(script, target.text(), recorder.walks()); });
        printRow(universal ? "FUSION_POLYX report alone, 1 MB plain / engine"
                           : "FUSION_EXT_INT report alone, 1 MB plain / engine",
                 report, universal ? intoUniversal : intoInternal);
    }

    QTextDocument prototype;
    fillRich(prototype, script);
    std::unique_ptr<QTextDocument> document;
    const auto richInternal = measure([&] { document.reset(prototype.clone()); }, [&] {
        polyx::DocumentTarget target(*document);
        polyx::TranslateIntoInternal(c.fusion, target);
    });
    if (documentText(*document) != baseInternal)
        qFatal("rich internal translation and its baseline differ");
    printRow("FUSION_EXT_INT engine, 1 MB rich document / QString", richInternal, baseIn);
    const auto reportedRich = measure([&] { document.reset(prototype.clone()); }, [&] {
        polyx::DocumentTarget target(*document);
        const QString before = target.Text();
        polyx::ReportRecorder recorder;
        polyx::TranslateIntoInternal(c.fusion, target, &recorder);
        rows = polyx::BuildRunReport(before, target.Text(), recorder.walks());
    });
    printRow("FUSION_EXT_INT engine with its report, 1 MB rich / engine", reportedRich, richInternal);
    const auto richUniversal = measure([&] { document.reset(prototype.clone()); }, [&] {
        polyx::DocumentTarget target(*document);
        polyx::TranslateIntoUniversal(c.external, script, target);
    });
    if (documentText(*document) != baseUniversal)
        qFatal("rich universal translation and its baseline differ");
    printRow("FUSION_POLYX engine, 1 MB rich document / QString", richUniversal, baseUni);
}

void setPane(DictionaryPane* pane, const QStringList& lines)
{
    pane->lines().ClearLines();
    for (const QString& line : lines)
        pane->lines().AddLine(line);
}

// The whole command as the user starts it: copy of the external script,
// fusion, replacements in the pane, caret and balloon.
void translationWindow(const TranslationCase& c, const QDir& dir)
{
    platform::setProgramPath(dir.filePath("PolyxX"));
    platform::FakeServices fakes;
    TForm1 form;
    QStringList external{"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12"};
    QStringList internal{"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1"};
    for (int i = 0; i < kTranslationEntries; ++i) {
        external.append(universalKey(i) + u'=' + externalCode(i));
        internal.append(universalKey(i) + u'=' + internalCode(i));
    }
    setPane(form.ValueListEditor_EXT, external);
    setPane(form.ValueListEditor_INT, internal);
    const QString& script = c.externalScript;
    const auto baseIn = measure([] {}, [&] { translatedPlainly(c.fusion, 2, script, script, false); });
    const auto baseUni = measure([] {}, [&] { translatedPlainly(c.external, 0, script, script, true); });

    QTextDocument prototype;
    fillRich(prototype, script);
    for (bool rich : {false, true}) {
        const auto prepare = [&](ScriptPane* target) {
            form.SKRIVO_EXT->SetPlainText(!rich);
            target->SetPlainText(!rich);
            target->Clear();
            if (rich) {
                form.SKRIVO_EXT->setDocument(prototype.clone(form.SKRIVO_EXT));
            } else {
                form.SKRIVO_EXT->SetText(script);
            }
        };
        const char* mode = rich ? "rich" : "plain";
        const auto intoInternal = measure([&] { prepare(form.SKRIVO_INT); },
                                          [&] { form.run("FUSION_EXT_INT"); }, 3);
        printRow(QString("FUSION_EXT_INT through the window, %1 / QString").arg(mode), intoInternal, baseIn);
        const auto intoUniversal = measure([&] { prepare(form.SKRIVO_POLYX); },
                                           [&] { form.run("FUSION_POLYX"); }, 3);
        printRow(QString("FUSION_POLYX through the window, %1 / QString").arg(mode), intoUniversal, baseUni);

        // The codes highlighted after the run, against the same runs
        // without: the window shown and painted after each run, since only
        // the part in view is marked and painting needs the same layout.
        form.show();
        const auto runAndPaint = [&](const char* command) {
            form.run(command);
            QCoreApplication::processEvents();
        };
        // Highlights first: what runs later in the same window runs slower.
        form.mnu_SURLIGNER->setChecked(true);
        const auto marksIn = measure([&] { prepare(form.SKRIVO_INT); }, [&] { runAndPaint("FUSION_EXT_INT"); }, 3);
        if (form.SKRIVO_INT->extraSelections().isEmpty())
            qFatal("no highlight");
        const auto marksUni = measure([&] { prepare(form.SKRIVO_POLYX); }, [&] { runAndPaint("FUSION_POLYX"); }, 3);
        form.mnu_SURLIGNER->setChecked(false);
        const auto plainIn = measure([&] { prepare(form.SKRIVO_INT); }, [&] { runAndPaint("FUSION_EXT_INT"); }, 3);
        const auto plainUni = measure([&] { prepare(form.SKRIVO_POLYX); }, [&] { runAndPaint("FUSION_POLYX"); }, 3);
        form.mnu_SURLIGNER->setChecked(true);
        form.hide();
        printRow(QString("FUSION_EXT_INT window, %1, highlights / none").arg(mode), marksIn, plainIn);
        printRow(QString("FUSION_POLYX window, %1, highlights / none").arg(mode), marksUni, plainUni);
    }
}

// ---- batch translation ----

// 200 letters of about 5 KB, one in two written as RTF, translated with a
// 500-entry pair by FUSION_BATCH, against the same files read, translated by
// the engine and written atomically by a plain loop.
void batchTranslation(const QDir& dir)
{
    constexpr int kFiles = 200;
    constexpr int kEntries = 500;
    const QString source = dir.filePath("lot");
    const QString ours = dir.filePath("lot/TRADUITS/");
    const QString plainOut = dir.filePath("lot-boucle/");
    QDir().mkpath(source);
    QDir().mkpath(plainOut);
    QRandomGenerator random(20261210);
    QStringList names;
    for (int f = 0; f < kFiles; ++f) {
        QString text;
        for (int line = 0; text.size() < 5000; ++line)
            text += QString::asprintf("Ligne %d : le patient ", line) + externalCode(random.bounded(kEntries * 11 / 10))
                + " pr\u00e9sente " + externalCode(random.bounded(kEntries * 11 / 10)) + ", examen sans particularit\u00e9.\n";
        const bool rich = f % 2 == 1;
        const QString name = QString::asprintf(rich ? "lettre%03d.rtf" : "lettre%03d.skrivo", f);
        if (rich) {
            QTextDocument document;
            fillRich(document, text);
            writeAll(source + "/" + name, polyx::RtfWriter::write(document));
        } else {
            writeAll(source + "/" + name, polyx::EncodePlainScript(text));
        }
        names.append(name);
    }

    platform::setProgramPath(dir.filePath("PolyxX"));
    platform::FakeServices fakes;
    TForm1 form;
    QStringList external{"<_AUTEUR>=Dr Ext", "<_TITRE>=Lettre", "<_CODE>=B12"};
    QStringList internal{"<_AUTEUR>=Moi", "<_TITRE>=Courrier", "<_CODE>=C1"};
    polyx::DictionaryEntries fusion{{"Dr Ext", "Moi"}, {"Lettre", "Courrier"}};
    for (int i = 0; i < kEntries; ++i) {
        external.append(universalKey(i) + u'=' + externalCode(i));
        internal.append(universalKey(i) + u'=' + internalCode(i));
        fusion.append({externalCode(i), internalCode(i)});
    }
    setPane(form.ValueListEditor_EXT, external);
    setPane(form.ValueListEditor_INT, internal);
    static_cast<FileListBox*>(form.JvFileListBox1)->setFolder(source);

    const auto batch = measure(
        [&] {
            platform::BatchChoice choice;
            choice.outputFolder = ours;
            fakes.dialogs.batchAnswers = {choice};
            fakes.dialogs.confirmAnswers = {true};
        },
        [&] { form.run("FUSION_BATCH"); }, 3);
    if (!fakes.dialogs.errors.empty() || !QFile::exists(ours + "RAPPORT.TXT"))
        qFatal("the batch failed");

    const auto loop = measure([] {}, [&] {
        for (const QString& name : names) {
            const QByteArray bytes = readAll(source + "/" + name);
            if (polyx::RtfReader::isRtf(bytes)) {
                QTextDocument document;
                polyx::RtfReader().read(bytes, &document);
                {
                    polyx::DocumentTarget target(document);
                    polyx::TranslateIntoInternal(fusion, target);
                }
                writeAll(plainOut + name, polyx::RtfWriter::write(document));
            } else {
                polyx::PlainTextTarget target(polyx::DecodePlainScript(bytes));
                polyx::TranslateIntoInternal(fusion, target);
                writeAll(plainOut + name, polyx::EncodePlainScript(target.text()));
            }
        }
    });
    for (const QString& name : names) {
        if (readAll(ours + name) != readAll(plainOut + name))
            qFatal("the batch and the plain loop wrote %s differently", qPrintable(name));
    }
    printRow("FUSION_BATCH, 200 scripts of 5 KB / plain loop", batch, loop);
}

// ---- RTF ----

void rtfRows(const QTextDocument& letter, const char* kind);

// A letterhead logo, then a table of results after every 40 lines of the letter.
void addLogoAndTables(QTextDocument& letter)
{
    QImage logo(240, 80, QImage::Format_RGB32);
    logo.fill(QColor(0x20, 0x40, 0xA0));
    letter.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("logo")), logo);
    QTextImageFormat image;
    image.setName(QStringLiteral("logo"));
    QTextCursor cursor(&letter);
    cursor.beginEditBlock();
    cursor.insertImage(image);
    cursor.insertBlock();
    QTextTableFormat grid;
    grid.setBorder(1);
    grid.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 150),
                                    QTextLength(QTextLength::FixedLength, 300)});
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (QTextBlock block = letter.begin().next(); block.isValid(); block = block.next()) {
        if (block.blockNumber() % 40 != 0)
            continue;
        cursor.setPosition(block.position() + block.length() - 1);
        QTextTable* table = cursor.insertTable(4, 2, grid);
        for (int r = 0; r < 4; ++r) {
            table->cellAt(r, 0).firstCursorPosition().insertText(QStringLiteral("Examen %1").arg(r), bold);
            table->cellAt(r, 1).firstCursorPosition().insertText(QStringLiteral("<RESULTAT_%1> g/l").arg(r));
        }
        block = letter.findBlock(table->lastPosition() + 1);
    }
    cursor.endEditBlock();
}

// A letterhead and a footer with the page number, as Word writes them, and
// a note every 40 paragraphs: parts the reader keeps as their source.
void addHeaderFooterAndNotes(QTextDocument& letter)
{
    QByteArray rtf = polyx::RtfWriter::write(letter);
    rtf.insert(rtf.indexOf("\\viewkind4"),
               "{\\header \\pard\\qc {\\b\\fs28 Docteur Jean MARTIN\\par}{\\fs20 12 rue du Parc - <NOM_PATIENT>\\par}}"
               "{\\footer \\pard\\qc Page {\\field{\\*\\fldinst { PAGE }}{\\fldrslt 1}}\\par}\r\n");
    QByteArray out;
    qsizetype from = 0;
    int paragraphs = 0;
    for (qsizetype at = rtf.indexOf("}\\par\r\n"); at >= 0; at = rtf.indexOf("}\\par\r\n", at + 1)) {
        if (++paragraphs % 40 != 0)
            continue;
        out += rtf.mid(from, at + 1 - from);
        out += "{\\super\\chftn}{\\footnote \\pard\\plain\\fs20 {\\super\\chftn} Voir le compte rendu <REF>.}";
        from = at + 1;
    }
    out += rtf.mid(from);
    if (!polyx::RtfReader().read(out, &letter))
        qFatal("RTF letter unreadable");
}

void rtf(const TranslationCase& c)
{
    QTextDocument letter;
    fillRich(letter, c.externalScript.left(kScriptSize * 6 / 10));
    rtfRows(letter, "formatted letter");
    {
        QTextDocument kept;
        fillRich(kept, c.externalScript.left(kScriptSize * 6 / 10));
        addHeaderFooterAndNotes(kept);
        rtfRows(kept, "letter with header, footer and notes");
    }
    addLogoAndTables(letter);
    rtfRows(letter, "letter with tables and a logo");
}

void rtfRows(const QTextDocument& letter, const char* kind)
{
    QByteArray rtfBytes = polyx::RtfWriter::write(letter);
    const QByteArray plainBytes = documentText(letter).toUtf8();
    std::printf("  (RTF %s: %lld bytes, its text: %lld bytes)\n", kind, qlonglong(rtfBytes.size()),
                qlonglong(plainBytes.size()));

    std::unique_ptr<QTextDocument> document;
    const auto readRtf = measure([&] { document = std::make_unique<QTextDocument>(); }, [&] {
        polyx::RtfReader reader;
        if (!reader.read(rtfBytes, document.get()))
            qFatal("RTF letter unreadable");
    });
    const auto readPlain = measure([&] { document = std::make_unique<QTextDocument>(); },
                                   [&] { document->setPlainText(QString::fromUtf8(plainBytes)); });
    printRow(QString("RTF read, %1 / plain text").arg(kind), readRtf, readPlain);
    const auto writeRtf = measure([] {}, [&] { polyx::RtfWriter::write(letter); });
    const auto writePlain = measure([] {}, [&] { (void)documentText(letter).toUtf8(); });
    printRow(QString("RTF write, %1 / plain text").arg(kind), writeRtf, writePlain);
}

// ---- start-up ----

// Wall times from starting the program to each of the lines it is to
// print, medians of `runs`; the program works in `workFolder`, or beside
// itself when that is empty.
std::vector<bench::Timing> startToLines(const QString& program, const QString& folder, const QList<QByteArray>& lines,
                                        int runs, const QString& workFolder = QString())
{
    std::vector<std::vector<double>> times(lines.size());
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.setWorkingDirectory(folder);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        if (!workFolder.isEmpty()) {
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert("POLYXX_WORK_FOLDER", workFolder);
            process.setProcessEnvironment(environment);
        }
        QElapsedTimer clock;
        clock.start();
        process.start(program, {});
        for (qsizetype line = 0; line < lines.size(); ++line) {
            while (!process.canReadLine() && process.state() != QProcess::NotRunning)
                process.waitForReadyRead(60000);
            times[line].push_back(clock.nsecsElapsed() / 1e9);
            if (process.readLine() != lines[line])
                qFatal("%s did not say %s", qPrintable(program), lines[line].constData());
        }
        process.waitForFinished(60000);
    }
    std::vector<bench::Timing> medians;
    for (std::vector<double>& line : times) {
        std::sort(line.begin(), line.end());
        medians.push_back({line[line.size() / 2], int(line.size())});
    }
    return medians;
}

// Fifteen runs: a start takes tens of milliseconds and the machine is shared.
bench::Timing startToShown(const QString& program, const QString& folder)
{
    return startToLines(program, folder, {"shown\n"}, 15).front();
}

// A 10 MB plain script left in the external pane at close, as lines of a
// letter and as many short lines: the window shows at once, the script
// some time after.
void bigScriptStart(const QString& folder)
{
    const QString program = folder + "/polyx_bench_script_start";
    const QList<QByteArray> lines{"shown\n", "script\n"};
    QTemporaryDir empty;
    const auto plain = startToLines(program, folder, lines, 5, empty.path());
    struct Script {
        const char* name;
        const char* pattern;
    };
    for (const Script& script : {Script{"letter lines", "Cher [nom] [prenom], ligne %d du courrier : le patient {NOM} est vu le [date] pour <MOTIF> %d."},
                                 Script{"short lines", "[nom] %07d"}}) {
        QTemporaryDir work;
        const QString state = work.filePath("~EXTERNE.SKRIVO");
        QByteArray bytes;
        for (int line = 0; bytes.size() < 10'000'000; ++line)
            bytes += QByteArray::asprintf(script.pattern, line, line) + "\r\n";
        writeAll(state, bytes);
        const auto big = startToLines(program, folder, lines, 3, work.path());
        const auto read = measure([] {}, [&] { readAll(state); });
        std::printf("  (%s: %lld bytes, %lld lines)\n", script.name, qlonglong(bytes.size()), qlonglong(bytes.count('\n')));
        printRow(QString("10 MB script, %1: start to shown window / no script").arg(script.name), big[0], plain[0]);
        printRow(QString("10 MB script, %1: start to script shown / raw read").arg(script.name), big[1], read);
    }
}

void startUp()
{
    const QString folder = QCoreApplication::applicationDirPath();
    const QString polyx = folder + "/polyx_bench_start";
    const QString minimal = folder + "/polyx_bench_minimal_window";
    const QString label = folder + "/polyx_bench_label_window";
    // The first start writes the program's work files; later ones read them.
    startToShown(polyx, folder);
    const auto ours = startToShown(polyx, folder);
    const auto base = startToShown(minimal, folder);
    const auto text = startToShown(label, folder);
    printRow("start to shown window / minimal Qt window", ours, base);
    printRow("one-line Qt window / minimal Qt window", text, base);
    printRow("start to shown window / one-line Qt window", ours, text);
    bigScriptStart(folder);
}

// ---- recognition of a new correspondent's codes ----

// A 20 KB letter holding 60 codes of a shape no dictionary uses, with 50
// dictionaries of 500 lines in the work folder and the same letter in the
// user's codes in the internal pane: DICO_EXT_SUGGEST until its window is
// filled, against reading the 50 files' bytes.
void recognition(const QDir& dir)
{
    const QString folder = dir.filePath("recognition");
    QDir().mkpath(folder);
    platform::setProgramPath(QDir(folder).filePath("PolyxX"));
    static const char* const words[] = {
        "DATE", "NOM", "PRENOM", "NAISSANCE", "ADRESSE", "VILLE", "POIDS", "TAILLE", "TENSION", "POULS",
        "MEDECIN", "TRAITANT", "ALLERGIE", "TRAITEMENT", "ANTECEDENTS", "EXAMEN", "BILAN", "CONSULTATION",
        "TELEPHONE", "CODE", "POSTAL", "SEXE", "AGE", "GROUPE", "SANGUIN", "DIAGNOSTIC", "MOTIF", "HOSPITALISATION",
        "ENTREE", "SORTIE", "SERVICE", "CHIRURGIEN", "ANESTHESIE", "BIOLOGIE", "IMAGERIE", "CONCLUSION",
        "CONDUITE", "SUIVI", "RENDEZ", "VOUS"};
    constexpr int wordCount = int(std::size(words));
    const auto keyOf = [&](int i) {
        return QString("<%1_%2>").arg(words[i % wordCount], words[(i / wordCount) % wordCount]);
    };
    const auto nameOf = [&](int i) {
        return QString("%1_%2").arg(QString(words[i % wordCount]).left(6), QString(words[(i / wordCount) % wordCount]).left(6));
    };
    static const char* const shapes[][2] = {{"[", "]"}, {"#", "#"}, {"%", "%"}, {"{{", "}}"}, {"\u00a3[SG : ", "]#"}};
    constexpr int keyCount = 900;
    QStringList files;
    for (int d = 0; d < 50; ++d) {
        QStringList lines{"<_AUTEUR>=Dr " + QString::number(d), "<_TITRE>=", "<_CODE>="};
        const auto& shape = shapes[d % 5];
        for (int line = 0; lines.size() < 500; ++line) {
            const int key = (d * 37 + line * 7) % keyCount;
            lines.append(keyOf(key) + u'=' + QString::fromUtf8(shape[0]) + nameOf(key) + QString::number(d % 3)
                         + QString::fromUtf8(shape[1]));
        }
        files.append(QDir(folder).filePath(QString("Dr_%1.DICO").arg(d, 2, 10, QChar('0'))));
        writeLines(files.back(), lines);
    }
    // The correspondent writes $Name$; the user, the internal dictionary's codes.
    QStringList internal{"<_AUTEUR>=Moi", "<_TITRE>=", "<_CODE>="};
    QString letter, ownLetter;
    QRandomGenerator random(27);
    for (int i = 0; i < 60; ++i)
        internal.append(keyOf(i * 11) + QString("=\u00a3[SG : champ %1]#").arg(i));
    while (letter.size() < 20000) {
        const int code = int(random.bounded(60));
        const QString sentence = QString("Phrase %1 du courrier, avec son texte ordinaire et ").arg(letter.size());
        letter += sentence + '$' + nameOf(code * 11) + "$ puis la suite de la ligne.\n";
        ownLetter += sentence + QString("\u00a3[SG : champ %1]#").arg(code) + " puis la suite de la ligne.\n";
    }
    // Each of the 60 codes at least once.
    for (int i = 0; i < 60; ++i) {
        letter += "Valeur " + QString::number(i) + " : $" + nameOf(i * 11) + "$.\n";
        ownLetter += "Valeur " + QString::number(i) + QString(" : \u00a3[SG : champ %1]#.\n").arg(i);
    }

    platform::FakeServices fakes;
    TForm1 form;
    setPane(form.ValueListEditor_INT, internal);
    form.SKRIVO_EXT->SetText(letter);
    form.SKRIVO_INT->SetText(ownLetter);
    const auto base = measure([] {}, [&] {
        for (const QString& file : files)
            readAll(file);
    });
    const auto ours = measure([] {}, [&] {
        form.run("DICO_EXT_SUGGEST");
        QCoreApplication::processEvents();
    });
    auto* window = form.findChild<FindingsWindow*>("ReconnaissanceCodes");
    if (!window || window->grid()->rowCount() != 60)
        qFatal("recognition: %d rows", window ? window->grid()->rowCount() : -1);
    printRow("DICO_EXT_SUGGEST, 20 KB letter, 60 codes, 50 dictionaries of 500 lines / their bytes read", ours, base);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QDir dir(temporary.path());

    const QStringList parts = app.arguments().mid(1);
    const auto wanted = [&](const char* part) { return parts.isEmpty() || parts.contains(part); };
    bench::printHeader();
    if (wanted("dictionaries"))
        dictionaryLoadAndSave(dir);
    if (wanted("compression"))
        compression(dir);
    if (wanted("fusion"))
        fusion(dir);
    const TranslationCase c = translationCase();
    if (wanted("engine"))
        translationLibrary(c);
    if (wanted("window"))
        translationWindow(c, dir);
    if (wanted("batch"))
        batchTranslation(dir);
    if (wanted("rtf"))
        rtf(c);
    if (wanted("recognition"))
        recognition(dir);
    if (wanted("start"))
        startUp();
    return 0;
}
