#pragma once
#include "scripts/translation/FindingsTable.h"

#include <QDialog>

class QCheckBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;

// A non-modal window over the main one listing findings under a summary
// line: a translation's report, the dictionary check. Optional rows show
// only while the box of `optionalCaption` is ticked (no box without one).
// A double-click on a row names it by its index in the table given.
class FindingsWindow : public QDialog {
    Q_OBJECT
public:
    FindingsWindow(const QString& objectName, const QString& title, const QString& optionalCaption,
                   QWidget* parent);

    void setContents(const QString& summary, const polyx::FindingsTable& table);
    QString summary() const;
    QTableWidget* grid() const { return m_grid; }
    QCheckBox* optionalBox() const { return m_optional; }
    QPushButton* copyButton() const { return m_copy; }
    // A button of the window's own, before "Copier le rapport".
    QPushButton* addButton(const QString& objectName, const QString& caption);
    // Shows the window, or brings it to the front when it already shows.
    // Shown for the first time, it stands beside `keepInSight` (the pane
    // where a double-click selects) rather than over it.
    void showInFront(const QWidget* keepInSight);

signals:
    void rowActivated(int row);

protected:
    // One cell shown and copied anew, the other cells as they are.
    void setCellText(int row, int column, const QString& text);

private:
    void showOptionalRows();
    void copy();

    QLabel* m_summary;
    QTableWidget* m_grid;
    QCheckBox* m_optional = nullptr;
    QPushButton* m_copy;
    QHBoxLayout* m_buttons;
    polyx::FindingsTable m_table;
    bool m_placed = false;
};
