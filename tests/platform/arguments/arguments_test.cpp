// The QApplication of the program is built from these arguments; this test program creates
// no other, so Qt's treatment of the options is the real one.
#include "platform/forms/arguments.h"
#include "support/qtprint.h"
#include <QApplication>
#include <QStyle>
#include <gtest/gtest.h>
#include <vector>

// Each option would be acted on (and removed from the arguments) if Qt saw it: -platform xyz
// aborts the process, -reverse mirrors the screens, -style and -session take their value.
TEST(ProgramArguments, QtTakesNoneOfTheOperatorCode) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    std::vector<QByteArray> words = {"M352040", "-platform", "xyz",      "-reverse",
                                     "-style",  "windows",   "-session", "x",
                                     "",        "A001",      "X"};
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    forms::ProgramArguments args(int(words.size()), argv.data());
    QApplication app(args.qtArgc(), args.qtArgv());

    EXPECT_EQ(args.joined(), "-platform xyz -reverse -style windows -session x  A001 X");
    EXPECT_EQ(QGuiApplication::platformName(), "offscreen");
    EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    EXPECT_NE(QApplication::style()->name().toLower(), "windows");
    EXPECT_EQ(QApplication::arguments(), QStringList{"M352040"});
}
