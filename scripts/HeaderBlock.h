#pragma once
#include <QChar>
#include <QString>

#include <optional>

class QDateTime;
class QLocale;

namespace polyx {

// What the block records besides the date: the header keys "<_CODE>",
// "<_TITRE>" and "<_AUTEUR>" of the external dictionary (whichever pane
// receives the block) and the labels of the two script pages.
struct HeaderBlockFields {
    QString code;
    QString title;
    QString author;
    QString externalScriptLabel;
    QString internalScriptLabel;
};

struct DateTimeSeparators {
    QChar date = u'/';
    QChar time = u':';
};

inline constexpr char16_t HeaderBlockStart[] = u"/*°";
inline constexpr char16_t HeaderBlockEnd[] = u"°*/";
inline constexpr char16_t ProductWebAddress[] = u"https://polyxx.example.org";

// The separators of the locale's short date and time formats ("/" and ":"
// when a format has none).
DateTimeSeparators LocaleDateTimeSeparators(const QLocale& locale);

// "dd/mm/yyyy - hh:nn" on the 24-hour clock, with the given separators.
QString HeaderBlockDateTime(const QDateTime& when, DateTimeSeparators separators = {});

// The eleven lines: a lone CR after the first, CR LF after the others but
// the last, which ends right after "°*/".
QString HeaderBlock(const HeaderBlockFields& fields, const QDateTime& when,
                    DateTimeSeparators separators = {});

// The script's text once `block` is written into it, or nothing when the
// text would stay as it is. A text without "/*°" gets the block appended
// directly; with "/*°", only `refresh` acts: every copy of the old block
// (first "/*°" through the first "°*/" after it) becomes `block`.
std::optional<QString> TextWithHeaderBlock(const QString& text, const QString& block,
                                           bool refresh);

} // namespace polyx
