#pragma once
#include <QDialog>
#include <QStringList>

#include <functional>

class QListWidget;

// The window "Récupération": what a run that did not end left unsaved, one
// line per pane, with "Récupérer" and "Ignorer". Closing it ignores.
class RecoveryWindow : public QDialog {
    Q_OBJECT
public:
    RecoveryWindow(const QStringList& items, QWidget* parent);
    QListWidget* list() const { return m_list; }

    // Shows it modal; true for "Récupérer".
    static bool ask(const QStringList& items, QWidget* parent);
    // Tests answer in its place, each time given the lines it would show;
    // an empty function puts the window back.
    static void answerWith(std::function<bool(const QStringList& items)> answer);

private:
    QListWidget* m_list;
};
