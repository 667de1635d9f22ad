#pragma once
#include "app/FindingsWindow.h"
#include "scripts/translation/CodeRecognition.h"

#include <QHash>

// "Reconnaissance des codes": one row per code of the external script the
// external dictionary does not know, the row's tick the checkable first
// cell, the proposed key edited in place (the code's best keys with their
// reasons, then every question, or a key typed in).
class CodeRecognitionWindow : public FindingsWindow {
    Q_OBJECT
public:
    explicit CodeRecognitionWindow(QWidget* parent);

    // `questions` are offered after each code's own keys.
    void setRows(QList<polyx::RecognitionRow> rows, const QStringList& questions);
    // With the user's ticks and keys.
    const QList<polyx::RecognitionRow>& rows() const { return m_rows; }
    const QStringList& questions() const { return m_questions; }

    QPushButton* addToDictionaryButton() const { return m_add; }
    QPushButton* letterButton() const { return m_letter; }

    // The key the user picked or typed for a row; a text that cannot be a
    // key leaves the row as it was.
    void chooseKey(int row, const QString& text);
    // After "Ajouter au dictionnaire externe": the rows added leave the
    // window; those whose key the dictionary holds with another code say so
    // and lose their tick.
    void rowsAdded(const QList<int>& added, const QHash<int, QString>& already);

    static constexpr int KeyColumn = 2;

signals:
    void addRequested();
    void letterRequested();

private:
    void showRow(int row);
    void tickChanged(int row, int column);

    QList<polyx::RecognitionRow> m_rows;
    QStringList m_questions;
    QPushButton* m_add;
    QPushButton* m_letter;
    bool m_filling = false;
};
