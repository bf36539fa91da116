#include "platform/odbc/jet.h"
#include "platform/odbc/error.h"
#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <optional>

namespace odbc {

namespace {

// Index just past the quoted text that starts at `start`; a doubled quote stays inside.
qsizetype quotedEnd(const QString& sql, qsizetype start) {
    const QChar quote = sql[start];
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

// Copies the quoted text at `i` unchanged and moves past it; false when no quote starts there.
bool copyQuoted(const QString& sql, qsizetype& i, QString& out) {
    if (sql[i] != QLatin1Char('\'') && sql[i] != QLatin1Char('"')) return false;
    const qsizetype end = quotedEnd(sql, i);
    out += QStringView(sql).mid(i, end - i);
    i = end;
    return true;
}

bool isIdentifierChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

bool wordAt(const QString& sql, qsizetype i, QLatin1String word) {
    const qsizetype end = i + word.size();
    return (i == 0 || !isIdentifierChar(sql[i - 1])) &&
           QStringView(sql).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0 &&
           (end >= sql.size() || !isIdentifierChar(sql[end]));
}

// Jet accepts "UPDATE t SET t.c = ..."; SQLite and PostgreSQL take only the bare column there,
// so the target table's qualifier goes from the SET list.
QString unqualifySetList(const QString& sql) {
    static const QRegularExpression head(QStringLiteral("^\\s*UPDATE\\s+([^\\s'\"(]+)\\s+SET\\s"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(sql);
    if (!m.hasMatch()) return sql;
    const QString qualifier = m.captured(1) + QLatin1Char('.');
    QString out = sql.left(m.capturedEnd());
    qsizetype i = m.capturedEnd();
    while (i < sql.size()) {
        if (copyQuoted(sql, i, out)) continue;
        const QChar c = sql[i];
        if (wordAt(sql, i, QLatin1String("WHERE"))) {
            out += QStringView(sql).mid(i);
            break;
        } else if ((i == 0 || (!isIdentifierChar(sql[i - 1]) && sql[i - 1] != QLatin1Char('.'))) &&
                   QStringView(sql)
                           .mid(i, qualifier.size())
                           .compare(qualifier, Qt::CaseInsensitive) == 0) {
            i += qualifier.size();
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

// Jet sorts Null as the lowest value: first on an ascending key, last on a descending one.
// PostgreSQL sorts it as the highest, so its ORDER BY keys say where Null goes.
QString nullsAsLowest(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 24);
    int depth = 0;
    int orderDepth = -1; // the parenthesis depth of the ORDER BY being rewritten, -1 none
    qsizetype keyStart = 0;
    const auto endKey = [&] {
        qsizetype end = out.size();
        while (end > keyStart && out[end - 1].isSpace())
            --end;
        if (end == keyStart) return;
        const QString key = out.mid(keyStart, end - keyStart);
        static const QRegularExpression order(QStringLiteral("(?:^|\\s)(ASC|DESC)$|\\bNULLS\\s"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto m = order.match(key);
        if (m.hasMatch() && m.captured(1).isEmpty()) return; // says NULLS itself
        const bool desc = m.captured(1).compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        out.insert(end, desc ? QLatin1String(" NULLS LAST") : QLatin1String(" NULLS FIRST"));
    };
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (copyQuoted(sql, i, out)) continue;
        if (orderDepth < 0 && wordAt(sql, i, QLatin1String("ORDER"))) {
            qsizetype j = i + 5;
            while (j < sql.size() && sql[j].isSpace())
                ++j;
            if (wordAt(sql, j, QLatin1String("BY"))) {
                out += QStringView(sql).mid(i, j + 2 - i);
                i = j + 2;
                orderDepth = depth;
                keyStart = out.size();
                continue;
            }
        }
        if (c == QLatin1Char('(')) ++depth;
        if (orderDepth >= 0 && depth == orderDepth &&
            (c == QLatin1Char(',') || c == QLatin1Char(')') || c == QLatin1Char(';'))) {
            endKey();
            if (c == QLatin1Char(',')) {
                keyStart = out.size() + 1;
            } else {
                orderDepth = -1;
            }
        }
        if (c == QLatin1Char(')')) --depth;
        out += c;
        ++i;
    }
    if (orderDepth >= 0) endKey();
    return out;
}

bool isHalfWidthKana(QChar c) {
    return c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F;
}

std::optional<QTime> parseTime(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?(?:\\s*([AaPp])[Mm])?$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const int second = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (!m.captured(4).isEmpty()) {
        if (hour < 1 || hour > 12) return std::nullopt;
        const bool pm = m.captured(4).compare(QLatin1String("p"), Qt::CaseInsensitive) == 0;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

// Y/M/D and YYYY-MM-DD as the program writes them, and Jet's own M/D/YYYY.
std::optional<QDate> parseDate(const QString& text) {
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})([/-])(\\d{1,2})\\2(\\d{1,2})$"));
    static const QRegularExpression mdy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    QDate date;
    if (const auto m = ymd.match(text); m.hasMatch())
        date = QDate(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
    else if (const auto m2 = mdy.match(text); m2.hasMatch())
        date = QDate(m2.captured(3).toInt(), m2.captured(1).toInt(), m2.captured(2).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// The date/time value of the text between two '#', or nothing when it is no such literal.
std::optional<Parameter> jetValue(const QString& inner) {
    const QString text = inner.trimmed();
    if (const auto time = parseTime(text))
        return Parameter{Parameter::Type::Time, time->toString(QStringLiteral("HH:mm:ss"))};
    if (const auto date = parseDate(text))
        return Parameter{Parameter::Type::Date, date->toString(QStringLiteral("yyyy-MM-dd"))};
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank > 0) {
        const auto date = parseDate(text.left(blank));
        const auto time = parseTime(text.mid(blank + 1).trimmed());
        if (date && time)
            return Parameter{Parameter::Type::Timestamp,
                             date->toString(QStringLiteral("yyyy-MM-dd ")) +
                                 time->toString(QStringLiteral("HH:mm:ss"))};
    }
    return std::nullopt;
}

// The ODBC escape of a date/time value: {t '...'}, {d '...'} or {ts '...'}.
QString escapeOf(const Parameter& value) {
    const char* kind = value.type == Parameter::Type::Time   ? "t"
                       : value.type == Parameter::Type::Date ? "d"
                                                             : "ts";
    return QStringLiteral("{%1 '%2'}").arg(QLatin1String(kind), value.value);
}

// The text between the quotes of the literal at `i`, its doubled quotes made single; moves
// `i` past it.
QString quotedValue(const QString& sql, qsizetype& i) {
    QString value;
    for (qsizetype j = i + 1; j < sql.size(); ++j) {
        if (sql[j] != QLatin1Char('\'')) {
            value += sql[j];
        } else if (j + 1 < sql.size() && sql[j + 1] == QLatin1Char('\'')) {
            value += sql[j++];
        } else {
            i = j + 1;
            return value;
        }
    }
    throw MisuseError("a quoted value of the statement is never closed");
}

// Queries and data changes take parameters; schema statements do not.
bool takesParameters(const QString& sql) {
    static const QRegularExpression dml(
        QStringLiteral("^\\s*\\(*\\s*(SELECT|INSERT|UPDATE|DELETE)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return dml.match(sql).hasMatch();
}

// The walk over the statement's text; with `parameters`, values leave the text for them.
QString translate(const QString& sql, const QString& dbms, std::vector<Parameter>* parameters) {
    const bool access = dbms == QLatin1String("ACCESS");
    QString out;
    out.reserve(sql.size() + 16);
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (parameters && c == QLatin1Char('\'')) {
            parameters->push_back(Parameter{Parameter::Type::Text, quotedValue(sql, i)});
            out += QLatin1Char('?');
            continue;
        }
        if (copyQuoted(sql, i, out)) continue;
        if (c == QLatin1Char('#')) {
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            const auto value = close > i ? jetValue(sql.mid(i + 1, close - i - 1)) : std::nullopt;
            if (value) {
                if (parameters) {
                    parameters->push_back(*value);
                    out += QLatin1Char('?');
                } else {
                    out += escapeOf(*value);
                }
                i = close + 1;
            } else {
                out += c;
                ++i;
            }
        } else if (isHalfWidthKana(c) && !access) {
            // The whole run at once, so that a voiced mark composes with the kana before it.
            qsizetype end = i;
            while (end < sql.size() && isHalfWidthKana(sql[end]))
                ++end;
            out += sql.mid(i, end - i).normalized(QString::NormalizationForm_KC);
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    if (access) return out;
    out = unqualifySetList(out);
    return dbms == QLatin1String("PostgreSQL") ? nullsAsLowest(out) : out;
}

} // namespace

QString translateJet(const QString& sql, const QString& dbms) {
    return translate(sql, dbms, nullptr);
}

BoundStatement bindJet(const QString& sql, const QString& dbms) {
    BoundStatement bound;
    if (!takesParameters(sql)) {
        bound.text = dbms == QLatin1String("ACCESS") ? sql : translate(sql, dbms, nullptr);
        return bound;
    }
    bound.text = translate(sql, dbms, &bound.parameters);
    return bound;
}

} // namespace odbc
