// The EDI schedule master maintenance program: the operator code is the command line.
#include "platform/forms/arguments.h"
#include "platform/forms/runtime.h"
#include "startup/M352040_M.h"
#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    forms::ProgramArguments args(argc, argv);
    QApplication app(args.qtArgc(), args.qtArgv());
    QApplication::setApplicationName(QStringLiteral("M352040"));
    QApplication::setDesktopFileName(QStringLiteral("m352040"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/m352040.svg")));
    forms::installFontSubstitutions();
    if (!M352040_M::Main(args.joined())) return 1;
    const int status = app.exec();
    // The screen goes while the application (and its display connection) still exists.
    M352040_M::resetMain();
    return status;
}
