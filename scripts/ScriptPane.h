#pragma once
#include "scripts/ScriptPlainText.h"

#include <QTextEdit>

#include <memory>

class QTabWidget;
namespace polyx {
class ScriptLoad;
}

// One script page's editor. Text handed in and out has its lines joined
// with CR LF; files follow the format rules of ScriptFile.h. The label is
// the text of the page's tab.
class ScriptPane : public QTextEdit {
    Q_OBJECT
public:
    ScriptPane(const QString& objectName, const QString& hint, bool hintAsToolTip, QWidget* parent = nullptr);

    QString Text() const;
    // Replaces the whole content; formatting is lost.
    void SetText(const QString& text);
    void Clear();
    bool IsEmpty() const;
    // 0 for a pane that holds no text at all.
    int LineCount() const;
    QString FirstLine() const;
    QString SelText() const;
    // Replaces the selection, or inserts at the caret; the caret ends after it.
    void SetSelText(const QString& text);
    void SelectAll();
    void SetFocus();
    void LoadFromFile(const QString& path);
    // The same for a file the program saved from a pane: one written in
    // rich mode turns a plain-text pane to rich mode before it is read, so
    // that its RTF never shows as text.
    void RestoreFromFile(const QString& path);
    // RestoreFromFile in steps, for a file too big to read at once: from
    // WaitForRestore on, the pane keeps what it shows and takes no typing
    // until FinishRestore hands it the whole file (as one change of its
    // text, with no undo step); AbandonRestore gives the typing back.
    void WaitForRestore();
    std::unique_ptr<polyx::ScriptLoad> StartRestore(const QString& path);
    void FinishRestore(polyx::ScriptLoad& load);
    void AbandonRestore();
    // The parts of an RTF letter the pane does not show are written back.
    void SaveToFile(const QString& path);
    // What the file last loaded holds that the pane does not show (kept and
    // written back), said for the status bar; empty when nothing.
    QString HiddenPartsNotice() const { return m_hiddenPartsNotice; }
    // What SaveToFile would write into that file.
    QByteArray FileBytes(const QString& path) const;

    bool PlainText() const { return m_plainText; }
    // Keeps the text and the selection; turning plain-text mode on drops
    // all formatting.
    void SetPlainText(bool on);

    QString PageLabel() const;
    void SetPageLabel(const QString& label);

signals:
    // The mode changed, by the switch or by the program.
    void plainTextChanged(bool on);
    // The text changed: unlike textChanged(), not sent when only the
    // formatting went.
    void scriptTextChanged();
    void clicked();
    // Sent once the word under the pointer is selected.
    void doubleClicked();
    // Sent before the editor handles the key.
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void replaceContent(const QString& text);
    void caretToStart();
    // The tab widget and index of the page that holds the pane, if any.
    std::pair<QTabWidget*, int> page() const;

    bool m_plainText = true;
    // How the plain file last loaded was stored, so a save keeps a Linux
    // editor's UTF-8 without mark.
    polyx::PlainScriptLayout::Mark m_plainMark = polyx::PlainScriptLayout::Mark::None;
    QString m_hiddenPartsNotice;
    bool m_keepingText = false;
    QString m_label; // while the pane is on no page
};
