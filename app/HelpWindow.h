#pragma once
#include <QDialog>
#include <QUrl>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;
class QToolButton;

// "Aide de Polyx'X": the guide's pages read from its folder, with their
// contents, a search over every page, back and forward, and the links
// between pages. A non-modal window over the main one.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(const QString& guideFolder, QWidget* parent);

    // "page.html" or "page.html#part", relative to the guide's folder; brings
    // the window to the front.
    void showSection(const QString& section);
    // The page shown, relative to the guide's folder, with its "#" part.
    QString section() const;
    QTextBrowser* browser() const { return m_browser; }
    QListWidget* contents() const { return m_contents; }
    QLineEdit* searchField() const { return m_search; }

private:
    void search(const QString& words);
    void followContents();
    void markContents();

    QString m_folder;
    QListWidget* m_contents;
    QLineEdit* m_search;
    QLabel* m_found;
    QToolButton* m_back;
    QToolButton* m_forward;
    QTextBrowser* m_browser;
    QStringList m_pageTexts; // per page of the contents, folded for the search
};
