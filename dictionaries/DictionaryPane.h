#pragma once
#include "dictionaries/DictionaryLines.h"
#include "dictionaries/DictionaryModel.h"

#include <QTableView>

// One dictionary page: the key/value grid under its title row, over the
// lines of the dictionary (which carry the page label).
class DictionaryPane : public QTableView {
    Q_OBJECT
public:
    DictionaryPane(const QString& objectName, const QString& keyTitle, const QString& valueTitle,
                   const QString& hint, QWidget* parent = nullptr);

    polyx::DictionaryLines& lines() { return m_lines; }
    const polyx::DictionaryLines& lines() const { return m_lines; }
    polyx::DictionaryModel& model() { return m_model; }

    QString PageLabel() const { return m_lines.PageLabel(); }
    void SetPageLabel(const QString& label) { m_lines.SetPageLabel(label); }
    // The fusion grid selects whole rows and is never edited in place.
    void setReadOnlyRows();

private:
    polyx::DictionaryLines m_lines;
    polyx::DictionaryModel m_model;
};
