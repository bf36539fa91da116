#include "platform/text/cp932.h"
#include "platform/text/profile.h"

#include "qstring_printer.h"
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Profile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("p%1.ini").arg(++count));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString writeUtf8(const QString& text) { return write(text.toUtf8()); }

    static QString get(const QString& path, const QString& section, const QString& key,
                       int size = 256, const QString& def = QString()) {
        return text::getPrivateProfileString(section, key, def, size, path);
    }

    QTemporaryDir dir;
    int count = 0;
};

TEST_F(Profile, NamesIgnoreCaseAndValuesKeepIt) {
    const QString p = writeUtf8(QStringLiteral("[Setting0]\nLabelFontName=ＭＳ ゴシック\n"
                                               "TextFontBold=True\n"));
    EXPECT_EQ(get(p, QStringLiteral("setting0"), QStringLiteral("LABELFONTNAME")),
              QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(get(p, QStringLiteral("SETTING0"), QStringLiteral("textfontbold")),
              QStringLiteral("True"));
    // Only ASCII letters fold: a full-width "Ｔ" is another name.
    EXPECT_EQ(get(p, QStringLiteral("Setting0"), QStringLiteral("ＴextFontBold")), QString());
}

TEST_F(Profile, BlanksAroundNamesAndValuesAreStripped) {
    const QString p = writeUtf8(QStringLiteral("  [ PATH ]  trailing text\n"
                                               "  EDIINFIL \t= \v C:\\EDI IN\\in.txt \t \n"
                                               "OLD_FILE=\tx\n"));
    EXPECT_EQ(get(p, QStringLiteral("PATH"), QStringLiteral("EDIINFIL")),
              QStringLiteral("C:\\EDI IN\\in.txt"));
    EXPECT_EQ(get(p, QStringLiteral(" PATH "), QStringLiteral(" OLD_FILE ")), QStringLiteral("x"));
}

TEST_F(Profile, OneOuterPairOfMatchingQuotesIsRemoved) {
    const QString p = writeUtf8(QStringLiteral("[S]\nA=\"  two  blanks  \"\nB='single'\n"
                                               "C=\"mixed'\nD=\"\nE=\"\"\nF=\"\"x\"\"\n"
                                               "G=x\"y\"\n"));
    const QString s = QStringLiteral("S");
    EXPECT_EQ(get(p, s, QStringLiteral("A")), QStringLiteral("  two  blanks  "));
    EXPECT_EQ(get(p, s, QStringLiteral("B")), QStringLiteral("single"));
    EXPECT_EQ(get(p, s, QStringLiteral("C")), QStringLiteral("\"mixed'"));
    EXPECT_EQ(get(p, s, QStringLiteral("D")), QStringLiteral("\""));
    EXPECT_EQ(get(p, s, QStringLiteral("E")), QString());
    EXPECT_EQ(get(p, s, QStringLiteral("F")), QStringLiteral("\"x\""));
    EXPECT_EQ(get(p, s, QStringLiteral("G")), QStringLiteral("x\"y\""));
}

TEST_F(Profile, LineSyntax) {
    const QString p = writeUtf8(QStringLiteral("TOP=before any section\n[S]\n"
                                               "EQ=a=b\n;COMMENT=1\n  ;C2=2\nSEMI=1;2 ; 3\n"
                                               "#HASH=4\nNOEQUALS\nKEY=first\nKEY=second\n"
                                               "EMPTY=\n"));
    const QString s = QStringLiteral("S");
    EXPECT_EQ(get(p, s, QStringLiteral("EQ")), QStringLiteral("a=b"));
    EXPECT_EQ(get(p, s, QStringLiteral(";COMMENT"), 256, QStringLiteral("def")),
              QStringLiteral("def"));
    EXPECT_EQ(get(p, s, QStringLiteral(";C2"), 256, QStringLiteral("def")), QStringLiteral("def"));
    EXPECT_EQ(get(p, s, QStringLiteral("SEMI")), QStringLiteral("1;2 ; 3"));
    EXPECT_EQ(get(p, s, QStringLiteral("#HASH")), QStringLiteral("4"));
    EXPECT_EQ(get(p, s, QStringLiteral("NOEQUALS"), 256, QStringLiteral("def")),
              QStringLiteral("def"));
    EXPECT_EQ(get(p, s, QStringLiteral("KEY")), QStringLiteral("first"));
    EXPECT_EQ(get(p, s, QStringLiteral("TOP"), 256, QStringLiteral("def")), QStringLiteral("def"));
    // An empty value is a value: the default is not used.
    EXPECT_EQ(get(p, s, QStringLiteral("EMPTY"), 256, QStringLiteral("def")), QString());
}

TEST_F(Profile, OnlyTheFirstOccurrenceOfASectionIsSearched) {
    const QString p = writeUtf8(QStringLiteral("[A]\nX=1\n[B]\nY=2\n[a]\nX=3\nZ=4\n[C\nQ=5\n"));
    EXPECT_EQ(get(p, QStringLiteral("A"), QStringLiteral("X")), QStringLiteral("1"));
    EXPECT_EQ(get(p, QStringLiteral("A"), QStringLiteral("Z"), 256, QStringLiteral("none")),
              QStringLiteral("none"));
    EXPECT_EQ(get(p, QStringLiteral("B"), QStringLiteral("Y")), QStringLiteral("2"));
    // "[C" without "]" is no section header.
    EXPECT_EQ(get(p, QStringLiteral("C"), QStringLiteral("Q")), QString());
}

TEST_F(Profile, AllLineEndsWork) {
    for (const char* eol : {"\n", "\r", "\r\n"}) {
        const QByteArray nl(eol);
        const QString p = write("[S]" + nl + "A=1" + nl + "B=2" + nl + "[T]" + nl + "A=3");
        EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("A")), QStringLiteral("1")) << eol;
        EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("B")), QStringLiteral("2")) << eol;
        EXPECT_EQ(get(p, QStringLiteral("T"), QStringLiteral("A")), QStringLiteral("3")) << eol;
    }
}

TEST_F(Profile, MissingFileSectionOrKeyGivesTheDefault) {
    const QString p = writeUtf8(QStringLiteral("[S]\nA=1\n"));
    const QString missing = dir.filePath(QStringLiteral("absent.ini"));
    EXPECT_EQ(get(missing, QStringLiteral("S"), QStringLiteral("A")), QString());
    EXPECT_EQ(get(missing, QStringLiteral("S"), QStringLiteral("A"), 256, QStringLiteral("d")),
              QStringLiteral("d"));
    EXPECT_EQ(get(p, QStringLiteral("X"), QStringLiteral("A")), QString());
    EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("B")), QString());
    // Trailing blanks of the default are dropped, and the default is cut like a value.
    EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("B"), 256, QStringLiteral(" d  ")),
              QStringLiteral(" d"));
    EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("B"), 3, QStringLiteral("abcdef")),
              QStringLiteral("ab"));
    EXPECT_EQ(get(p, QStringLiteral("S"), QStringLiteral("A"), 1), QString());
}

TEST_F(Profile, ValuesAreCutToTheBufferInCp932Bytes) {
    const QString ascii300(300, u'X');
    const QString kana300(300, u'ｱ');
    const QString kanji200(200, u'漢');
    const QString p = writeUtf8(QStringLiteral("[動作環境]\nDBSTRING=%1\n[PATH]\nA=%1\nK=%2\n"
                                               "J=%3\nM=A%3\n")
                                    .arg(ascii300, kana300, kanji200));
    EXPECT_EQ(get(p, QStringLiteral("動作環境"), QStringLiteral("DBSTRING"), 64),
              ascii300.left(63));
    EXPECT_EQ(get(p, QStringLiteral("PATH"), QStringLiteral("A"), 256), ascii300.left(255));
    EXPECT_EQ(get(p, QStringLiteral("PATH"), QStringLiteral("K"), 256), kana300.left(255));
    // 255 bytes hold 127 double-byte characters; the half character is dropped.
    const QString j = get(p, QStringLiteral("PATH"), QStringLiteral("J"), 256);
    EXPECT_EQ(j, kanji200.left(127));
    EXPECT_EQ(text::cp932ByteLength(j), 254);
    const QString m = get(p, QStringLiteral("PATH"), QStringLiteral("M"), 256);
    EXPECT_EQ(m, QStringLiteral("A") + kanji200.left(127));
    EXPECT_EQ(text::cp932ByteLength(m), 255);
    EXPECT_EQ(get(p, QStringLiteral("PATH"), QStringLiteral("M"), 64),
              QStringLiteral("A") + kanji200.left(31));
}

TEST_F(Profile, EachLineIsUtf8OrCp932AndUtf16IsKnownByItsMark) {
    const QString body = QStringLiteral("[動作環境]\r\nDBSTRING=EDIデータ\r\nUSERID=ｴﾃﾞｨ\r\n"
                                        "[デバッグ]\r\nMODE=1\r\n");
    QByteArray utf16le("\xFF\xFE");
    QByteArray utf16be("\xFE\xFF");
    for (QChar c : body) {
        utf16le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        utf16be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
    }
    // One stray byte, or one line saved as CP932, spoils only its own line.
    const QByteArray strayByte = "; caf\xE9\r\n" + body.toUtf8();
    const QByteArray cp932Comment = body.toUtf8() + text::toCp932(QStringLiteral("; 設定\r\n"));
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {{"CP932", text::toCp932(body)},
                 {"UTF-8 with mark", "\xEF\xBB\xBF" + body.toUtf8()},
                 {"UTF-8 with a stray byte in a comment", strayByte},
                 {"UTF-8 with a CP932 comment", cp932Comment},
                 {"UTF-16LE", utf16le},
                 {"UTF-16BE", utf16be}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const QString p = write(file.bytes);
        EXPECT_EQ(get(p, QStringLiteral("動作環境"), QStringLiteral("DBSTRING"), 64),
                  QStringLiteral("EDIデータ"));
        EXPECT_EQ(get(p, QStringLiteral("動作環境"), QStringLiteral("USERID"), 64),
                  QStringLiteral("ｴﾃﾞｨ"));
        EXPECT_EQ(get(p, QStringLiteral("デバッグ"), QStringLiteral("MODE")), QStringLiteral("1"));
    }
    // A byte-order mark in front of the first section must not hide it.
    const QString first = write("\xEF\xBB\xBF[A]\nK=v\n");
    EXPECT_EQ(get(first, QStringLiteral("A"), QStringLiteral("K")), QStringLiteral("v"));
}

TEST_F(Profile, ValuesComeBackRaw) {
    const QString p = writeUtf8(QStringLiteral("[デバッグ]\nMODE=01\n[M353020]\nMINIMAIZE=1\n"
                                               "DEMOMODE=\" 1\"\n"));
    EXPECT_EQ(get(p, QStringLiteral("デバッグ"), QStringLiteral("MODE")), QStringLiteral("01"));
    EXPECT_EQ(get(p, QStringLiteral("M353020"), QStringLiteral("MINIMAIZE")), QStringLiteral("1"));
    EXPECT_EQ(get(p, QStringLiteral("M353020"), QStringLiteral("DEMOMODE")), QStringLiteral(" 1"));
}

} // namespace
