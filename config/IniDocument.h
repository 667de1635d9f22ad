#pragma once
#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace config {

// The text of an INI file held as its original bytes, line by line, so that
// an edit rewrites only the line it touches and every other byte survives.
// UTF-16 with a byte-order mark stays UTF-16; anything else is read as UTF-8.
class IniDocument {
public:
    explicit IniDocument(const QByteArray& bytes = {});

    // The value as a reader sees it: blanks and one pair of quotes dropped,
    // cut at 2047 characters. Empty when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    QByteArray bytes() const;

private:
    enum class Encoding { Utf8, Utf16LE, Utf16BE };
    struct Line {
        QByteArray content; // as stored
        QByteArray end;     // the line's own line end, empty on an unended last line
        QString text;       // content decoded
    };

    qsizetype sectionLine(const QString& section) const;
    qsizetype sectionEnd(qsizetype header) const;
    qsizetype keyLine(qsizetype header, const QString& key) const;
    QByteArray encode(const QString& text) const;
    Line makeLine(const QString& text) const;
    void endLine(qsizetype index);

    Encoding m_encoding = Encoding::Utf8;
    QByteArray m_mark;
    QList<Line> m_lines;
    QString m_eol = QStringLiteral("\n");
};

} // namespace config
