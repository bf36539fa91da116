#include "platform/forms/arguments.h"
#include <QStringList>

namespace forms {

ProgramArguments::ProgramArguments(int argc, char** argv) {
    static char unnamed[] = "";
    qtArgv_[0] = argc > 0 && argv[0] ? argv[0] : unnamed;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    joined_ = args.join(QLatin1Char(' '));
}

} // namespace forms
