#pragma once
// The process's arguments split between Qt and the program. Qt is given the program name alone,
// so none of its own options (-platform, -reverse, -style, -session ...) is acted on or taken
// away from the program's own arguments.
#include <QString>

namespace forms {

class ProgramArguments {
public:
    ProgramArguments(int argc, char** argv);
    ProgramArguments(const ProgramArguments&) = delete;
    ProgramArguments& operator=(const ProgramArguments&) = delete;

    // For the QApplication constructor, which keeps references to them: they must outlive it.
    int& qtArgc() { return qtArgc_; }
    char** qtArgv() { return qtArgv_; }
    // Every argument after the program name, joined by single blanks.
    const QString& joined() const { return joined_; }

private:
    int qtArgc_ = 1;
    char* qtArgv_[2] = {nullptr, nullptr};
    QString joined_;
};

} // namespace forms
