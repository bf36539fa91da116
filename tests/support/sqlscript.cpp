#include "support/sqlscript.h"
#include <QFile>
#include <stdexcept>

namespace testsupport {

namespace {

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// +1 for a word that opens a block, -1 for one that closes it, 0 otherwise.
int blockStep(const QString& word) {
    if (word.compare(QLatin1String("BEGIN"), Qt::CaseInsensitive) == 0 ||
        word.compare(QLatin1String("CASE"), Qt::CaseInsensitive) == 0)
        return 1;
    if (word.compare(QLatin1String("END"), Qt::CaseInsensitive) == 0) return -1;
    return 0;
}

} // namespace

QStringList splitSqlScript(const QString& script) {
    QStringList statements;
    QString current;
    int depth = 0;
    const auto flush = [&] {
        const QString text = current.trimmed();
        if (!text.isEmpty()) statements << text;
        current.clear();
    };
    qsizetype i = 0;
    const qsizetype n = script.size();
    while (i < n) {
        const QChar c = script[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype j = i + 1;
            while (j < n && !(script[j] == c && (j + 1 >= n || script[j + 1] != c)))
                j += script[j] == c ? 2 : 1;
            current += QStringView(script).mid(i, j + 1 - i);
            i = j + 1;
        } else if (script.mid(i, 2) == QLatin1String("--")) {
            while (i < n && script[i] != QLatin1Char('\n'))
                ++i;
        } else if (script.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += QLatin1Char(' ');
        } else if (isWordChar(c)) {
            qsizetype j = i;
            while (j < n && isWordChar(script[j]))
                ++j;
            const QString word = script.mid(i, j - i);
            depth = qMax(0, depth + blockStep(word));
            current += word;
            i = j;
        } else if (c == QLatin1Char(';') && depth == 0) {
            flush();
            ++i;
        } else {
            current += c;
            ++i;
        }
    }
    flush();
    return statements;
}

void runSqlFile(odbc::Connection& connection, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    for (const QString& statement : splitSqlScript(QString::fromUtf8(file.readAll())))
        connection.execute(statement);
}

} // namespace testsupport
