#include "schedule/f_m352040.h"
#include "input/kb_chk.h"
#include "input/manage.h"
#include "platform/forms/runtime.h"
#include "schedule/common.h"
#include "screens/schedule_layout.h"
#include "shell/appearance.h"

namespace {
F_M352040* g_Instance = nullptr;
} // namespace

F_M352040& frm() {
    return *g_Instance;
}

F_M352040::F_M352040()
    : forms::Form(QStringLiteral("F_M352040"), screens::layoutScheduleScreen),
      GRID(need<forms::FlexGrid>("GRID")), SEARCH_KBN(need<forms::Label>("SEARCH_KBN")),
      Cmd_tuika(need<forms::CommandButton>("Cmd_tuika")),
      Cmd_sakujyo(need<forms::CommandButton>("Cmd_sakujyo")),
      Cmd_end(need<forms::CommandButton>("Cmd_end")), Jikoku(need<forms::TextBox>("Jikoku")),
      Soujyu(need<forms::TextBox>("Soujyu")), Center_CD(need<forms::TextBox>("Center_CD")),
      YOUBI(need<forms::ComboBox>("YOUBI")), lbl_PGID(need<forms::Label>("lbl_PGID")),
      lbl_OPCD(need<forms::Label>("lbl_OPCD")), lbl_OP_CD(need<forms::Label>("lbl_OP_CD")),
      lbl_OP_NM(need<forms::Label>("lbl_OP_NM")), lbl_HIDUKE(need<forms::Label>("lbl_HIDUKE")),
      lbl_Center_CD(need<forms::Label>("lbl_Center_CD")),
      lbl_Soujyu(need<forms::Label>("lbl_Soujyu")) {
    g_Instance = this;
    wireEvents();
}

F_M352040::~F_M352040() {
    if (g_Instance == this) g_Instance = nullptr;
}

void F_M352040::wireEvents() {
    // The forms layer reports a failing handler through shell::reportFailure (M352040_M::Main
    // sets it), so the handlers need no catch of their own.
    // Automatic advance runs this screen's field check.
    manage::g_FieldCheck = common::Chk_Field;
    onLoad = [this] { Form_Load(); };
    onKeyDown = [this](int& k, int s) { Form_KeyDown(k, s); };
    onQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Cmd_end->onClick = [] { common::Proc_Button(1); };
    Cmd_sakujyo->onClick = [] { common::Proc_Button(2); };
    Cmd_tuika->onClick = [] { common::Proc_Button(3); };
    for (forms::TextBox* t : {Center_CD, Soujyu, Jikoku}) {
        t->onGotFocus = [t] { manage::Fld_GotFocus(t); };
        t->onLostFocus = [t] { manage::Fld_LostFocus(t); };
    }
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{Center_CD, Soujyu, YOUBI, Jikoku})
        c->onKeyPress = [](int& keyAscii) { KB_CHK::Chk_KeyPress(keyAscii); };
    for (forms::TextBox* t : {Center_CD, Soujyu})
        t->onKeyUp = [t](int& keyCode, int shift) {
            if (t->enabled()) manage::Auto_Advance(keyCode, shift);
        };
    GRID->onClick = common::GRID_Click;
    GRID->onDblClick = common::GRID_DblClick;
    GRID->onRowColChange = common::GRID_RowColChange;
    GRID->onKeyDown = common::GRID_KeyDown;
}

void F_M352040::Form_Load() {
    forms::setMousePointer(11);
    GRID->clear();
    common::Init_Grid();
    forms::setMousePointer(1);
    appearance::Center_Form(*this);
}

void F_M352040::Form_KeyDown(int& keyCode, int shift) {
    forms::Control* active = activeControl();
    if (active && active->name() == QLatin1String("GRID")) return;
    common::Proc_Key(keyCode, shift);
}

void F_M352040::Form_QueryUnload(int& cancel, int) {
    cancel = exitCheck && exitCheck() ? -1 : 0;
}
