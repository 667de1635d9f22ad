#pragma once
#include <QList>
#include <QString>
#include <QStringList>

namespace polyx {

// What a findings window shows: a translation's report, the dictionary
// check. Rows keep the order and index of the findings they come from; an
// optional row is shown only on request. A report over several files puts a
// column "Fichier" first.
struct FindingsTable {
    struct Row {
        QStringList cells;
        bool optional = false;
    };
    QStringList columns;
    QList<Row> rows;
    QList<int> numberColumns; // shown right-aligned

    // The summary line, the column titles and each row shown, tab separated,
    // every line ending in CR LF.
    QString asText(const QString& summary, bool withOptional) const;
};

} // namespace polyx
