#pragma once
#include "scripts/ScriptFile.h"

#include <QString>

#include <memory>

class QTextCursor;
class QTextDocument;

namespace polyx {

// One script file read into a document of its own, some lines at a time,
// for a pane to take once it is whole. Qt lays out a document an editor is
// handed a screenful at a time, as the event loop runs; one filled inside
// the editor is laid out whole first (a 10 MB script took half a minute).
class ScriptLoad {
public:
    // Reads and decodes the file now; throws as ScriptFile::Load does. The
    // document gets the settings of `like` (font, margins, text options).
    ScriptLoad(const QString& path, bool plainTextMode, const QTextDocument& like);
    ~ScriptLoad();
    ScriptLoad(const ScriptLoad&) = delete;
    ScriptLoad& operator=(const ScriptLoad&) = delete;

    // Puts up to `lines` more lines in; an RTF file goes in whole at its
    // first step. True once the whole file is in. Throws "Erreur au
    // chargement du flux" (or the refused code page) for RTF that cannot be
    // read.
    bool step(int lines);
    bool done() const { return m_done; }
    // How much of the file is in, from 0 to 100.
    int percent() const;
    const QString& path() const { return m_path; }
    // What an RTF file holds that the pane does not show (kept and written
    // back), said for the status bar; empty otherwise.
    const QString& hiddenPartsNotice() const { return m_hiddenPartsNotice; }
    // How a plain file was stored, to be written back so.
    PlainScriptLayout::Mark plainMark() const { return m_content.plainMark; }
    // The whole document, once done; the load keeps nothing.
    std::unique_ptr<QTextDocument> take();

private:
    QString m_path;
    ScriptFile::Content m_content;
    std::unique_ptr<QTextDocument> m_document;
    std::unique_ptr<QTextCursor> m_end;
    qsizetype m_position = 0; // of the plain text still to put in
    bool m_done = false;
    QString m_hiddenPartsNotice;
};

} // namespace polyx
