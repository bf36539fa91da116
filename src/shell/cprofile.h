#pragma once
// Facts about the workstation and its signed-in user, collected when the object is created.
#include <QString>

class cProfile {
public:
    cProfile();
    QString Build() const { return build_; }
    QString CSDVer() const { return csdVer_; }
    QString machine() const { return machine_; }
    QString Domain() const { return domain_; }
    QString OS() const { return os_; }
    QString User() const { return user_; }
    QString Ver() const { return ver_; }

private:
    QString build_;
    QString csdVer_;
    QString machine_;
    QString domain_;
    QString os_;
    QString user_;
    QString ver_;
};

namespace profile {
// Copies OS, Ver, User and machine of a fresh cProfile into the workstation globals.
void Get_Profile();
} // namespace profile
