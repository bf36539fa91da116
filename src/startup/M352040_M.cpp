#include "startup/M352040_M.h"
#include "input/field_lookup.h"
#include "platform/forms/controls.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/vbrt/vbrt.h"
#include "schedule/check_field.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/appearance.h"
#include "shell/cprofile.h"
#include "shell/database.h"
#include "shell/guard.h"
#include "shell/settings.h"
#include "shell/workarea.h"
#include <utility>

using namespace workarea;

namespace M352040_M {
namespace {
// Not a static owner: the immediate ends and exit() (Qt's own, when the display goes away) must
// not destroy a widget after the application or its display connection has gone.
F_M352040* g_MainScreen = nullptr;
} // namespace

F_M352040* mainScreen() {
    return g_MainScreen;
}

void resetMain() {
    g_Form = nullptr;
    delete std::exchange(g_MainScreen, nullptr);
    g_DbConn.reset();
}

bool Main(const QString& commandLine) {
    forms::setFailureHandler(shell::reportFailure);
    forms::setMousePointer(11);
    delete std::exchange(g_MainScreen, new F_M352040);
    g_MainScreen->exitCheck = Chk_Exit;
    g_Form = g_MainScreen;
    if (!Init_System()) return false;
    // A database error while the screen sets itself up is shown; the screen still opens, but
    // only in the header. A screen that could not even reach the header ends here.
    shell::guarded(common::Init_Form);
    if (common::g_Mode != QLatin1String("HEAD")) {
        forms::End(1);
        return false;
    }
    g_MainScreen->lbl_PGID->setCaption(F_M352040::kScreenId);
    g_MainScreen->showForm();
    forms::setMousePointer(1);
    check_field::Set_Header();
    Get_Operator(commandLine);
    check_field::Set_Header();
    return true;
}

bool Init_System() {
    if (!settings::Read_DbIni()) return false;
    profile::Get_Profile();
    if (!database::Open_Db()) return false;
    if (!settings::Read_Ini()) return false;
    return appearance::Set_Style();
}

void Get_Operator(const QString& commandLine) {
    g_OperatorCode = vbrt::Trim(commandLine);
}

bool Chk_Exit() {
    if (forms::MsgBox(QStringLiteral("終了してもよろしいですか"), 308) == 6) {
        database::Close_Db();
        forms::End(0);
        return false;
    }
    // Field 0 keeps its colour, as it always did.
    if (auto color = appearance::oleColor(g_TextBackColor))
        for (int i = 1; i < g_FieldCount; ++i)
            if (forms::Control* c = input::fieldControl(i)) c->setBackColor(*color);
    return true;
}

} // namespace M352040_M
