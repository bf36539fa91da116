// The EDI schedule master maintenance program: the operator code is the command line.
#include "platform/forms/runtime.h"
#include "shell/M352040_M.h"
#include <QApplication>
#include <QIcon>
#include <QStringList>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("M352040"));
    QApplication::setDesktopFileName(QStringLiteral("m352040"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/m352040.svg")));
    forms::installFontSubstitutions();
    // Qt has taken its own arguments; the rest, joined by blanks, is the command line.
    const QStringList args = QApplication::arguments().mid(1);
    if (!M352040_M::Main(args.join(QLatin1Char(' ')))) return 1;
    return app.exec();
}
