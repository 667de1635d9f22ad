#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <bitset>
#include <memory>
#include <optional>

namespace polyx {

// How a dictionary's codes are written: "£[" … "]#", "[" … "]", "<" … ">".
struct CodeShape {
    QString opening;
    QString closing;
    bool operator==(const CodeShape&) const = default;
};

// A code's leading run of characters that are neither letters, digits nor
// blanks, and its trailing run; none when either run is empty or the runs
// meet (a code made of signs only says nothing of a shape).
std::optional<CodeShape> ShapeOf(const QString& code);

// The code-like tokens of a text: from an opening to the nearest closing of
// the same shape, on one line, at most TokenLimit characters. Where
// openings overlap the longest wins ("£[" before "[").
class CodeShapes {
public:
    static constexpr qsizetype TokenLimit = 80;

    explicit CodeShapes(const QStringList& codes);
    bool isEmpty() const { return m_shapes.isEmpty(); }
    const QList<CodeShape>& shapes() const { return m_shapes; }

    struct Token {
        qsizetype start;
        qsizetype length;
    };
    // Tokens of text[from, to), left to right, none overlapping another.
    QList<Token> tokens(QStringView text, qsizetype from, qsizetype to) const;
    // The token starting at `at` that ends at or before `to`, if any.
    std::optional<Token> tokenAt(QStringView text, qsizetype at, qsizetype to) const;

private:
    QList<CodeShape> m_shapes; // longest opening first
    std::unique_ptr<std::bitset<0x10000>> m_openingStarts;
};

} // namespace polyx
