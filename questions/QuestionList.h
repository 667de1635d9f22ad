#pragma once
#include "questions/QuestionFile.h"

#include <QListWidget>

// The universal questions: entries with their ticks and at most one
// selected entry, starting with the three header keys. Ticks and the
// selection are never stored; a load or a replacement clears them.
class QuestionList : public QListWidget {
    Q_OBJECT
public:
    explicit QuestionList(QWidget* parent = nullptr);

    int Count() const { return count(); }
    QString Text(int index) const;
    QStringList Texts() const;
    QStringList CheckedTexts() const;
    bool Checked(int index) const;
    void SetChecked(int index, bool checked);

    // -1 when no entry is selected.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // Throws "Index de liste hors limites (-1)" when no entry is selected.
    int RequireItemIndex() const;

    // Unticked, at the end; the selection does not move.
    void Add(const QString& text);
    // Keeps the tick and the selection.
    void SetText(int index, const QString& text);
    void Delete(int index);
    void Clear();
    // Every entry unticked, none selected.
    void SetTexts(const QStringList& texts);
    // Ticks follow their entries; the selection stays at its position.
    void Sort();
    void CheckAll();

    // The .DICU reading and writing rules; a failed load changes nothing.
    void LoadFromFile(const QString& path);
    void SaveToFile(const QString& path);
    polyx::TextEncoding Encoding() const { return m_file.Encoding(); }
    polyx::PartlyReadFile& PartlyRead() { return m_file.PartlyRead(); }

signals:
    // The user clicked an entry or moved the selection with the keyboard.
    void picked();
    void doubleClickedList();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    polyx::QuestionFile m_file;
};
