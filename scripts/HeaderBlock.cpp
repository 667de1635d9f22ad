#include "scripts/HeaderBlock.h"

#include <QDateTime>
#include <QLocale>

namespace polyx {
namespace {

QChar FirstSeparator(const QString& format, QChar fallback)
{
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetterOrNumber() && !c.isSpace())
            return c;
    }
    return fallback;
}

QString TwoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace

DateTimeSeparators LocaleDateTimeSeparators(const QLocale& locale)
{
    const DateTimeSeparators fallback;
    return {FirstSeparator(locale.dateFormat(QLocale::ShortFormat), fallback.date),
            FirstSeparator(locale.timeFormat(QLocale::ShortFormat), fallback.time)};
}

QString HeaderBlockDateTime(const QDateTime& when, DateTimeSeparators separators)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return TwoDigits(date.day()) + separators.date + TwoDigits(date.month()) + separators.date
        + QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + QStringLiteral(" - ")
        + TwoDigits(time.hour()) + separators.time + TwoDigits(time.minute());
}

QString HeaderBlock(const HeaderBlockFields& fields, const QDateTime& when,
                    DateTimeSeparators separators)
{
    const QString stars(60, u'*');
    const QString crlf = QStringLiteral("\r\n");
    return QString::fromUtf16(HeaderBlockStart) + stars + u'\r'
        + QStringLiteral("Polyxane 19 : ") + QString::fromUtf16(ProductWebAddress)
        + QStringLiteral(" ^ ") + HeaderBlockDateTime(when, separators) + crlf
        + crlf
        + QStringLiteral("- TITRE : [") + fields.code + QStringLiteral("] = \"") + fields.title
        + u'"' + crlf
        + QStringLiteral("- AUTEUR : ") + fields.author + crlf
        + QStringLiteral("- DICOS : ") + fields.externalScriptLabel + QStringLiteral(" => (")
        + fields.internalScriptLabel + u')' + crlf
        + crlf
        + QStringLiteral("SCRIPT à placer dans [Valeur/défaut] de la \"QUESTION\" : {")
        + fields.externalScriptLabel + QStringLiteral(" }") + crlf
        + QStringLiteral("CALCUL à partir des QUESTIONS :") + crlf
        + crlf
        + stars + QString::fromUtf16(HeaderBlockEnd);
}

std::optional<QString> TextWithHeaderBlock(const QString& text, const QString& block,
                                           bool refresh)
{
    const QString start = QString::fromUtf16(HeaderBlockStart);
    const QString end = QString::fromUtf16(HeaderBlockEnd);
    const qsizetype startAt = text.indexOf(start);
    QString result;
    if (startAt < 0) {
        result = text + block;
    } else {
        if (!refresh)
            return std::nullopt;
        const qsizetype innerAt = startAt + start.size();
        const qsizetype endAt = text.indexOf(end, innerAt);
        // No end mark, or one right after the start mark: no block to refresh.
        if (endAt <= innerAt)
            return std::nullopt;
        const QString oldBlock = text.mid(startAt, endAt + end.size() - startAt);
        result = text;
        result.replace(oldBlock, block, Qt::CaseSensitive);
    }
    if (result == text)
        return std::nullopt;
    return result;
}

} // namespace polyx
