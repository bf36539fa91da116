#include "schedule/f_m352040.h"
#include "input/kb_chk.h"
#include "input/manage.h"
#include "platform/forms/runtime.h"
#include "schedule/common.h"
#include "screens/schedule_layout.h"
#include "shell/appearance.h"
#include "shell/guard.h"

namespace {
F_M352040* g_Instance = nullptr;

// Looks a control up by name, laying the screen out at the first look-up (the members are
// initialised before the constructor body runs).
template <class T> T* need(forms::Form& f, const char* name) {
    if (f.controls().empty()) screens::layoutScheduleScreen(f);
    T* c = f.get<T>(QString::fromUtf8(name));
    Q_ASSERT(c);
    return c;
}
} // namespace

F_M352040& frm() {
    return *g_Instance;
}

F_M352040::F_M352040()
    : forms::Form(QStringLiteral("F_M352040")), GRID(need<forms::FlexGrid>(*this, "GRID")),
      SEARCH_KBN(need<forms::Label>(*this, "SEARCH_KBN")),
      Cmd_tuika(need<forms::CommandButton>(*this, "Cmd_tuika")),
      Cmd_sakujyo(need<forms::CommandButton>(*this, "Cmd_sakujyo")),
      Cmd_end(need<forms::CommandButton>(*this, "Cmd_end")),
      Jikoku(need<forms::TextBox>(*this, "Jikoku")), Soujyu(need<forms::TextBox>(*this, "Soujyu")),
      Center_CD(need<forms::TextBox>(*this, "Center_CD")),
      YOUBI(need<forms::ComboBox>(*this, "YOUBI")), lbl_PGID(need<forms::Label>(*this, "lbl_PGID")),
      lbl_OPCD(need<forms::Label>(*this, "lbl_OPCD")),
      lbl_OP_CD(need<forms::Label>(*this, "lbl_OP_CD")),
      lbl_OP_NM(need<forms::Label>(*this, "lbl_OP_NM")),
      lbl_HIDUKE(need<forms::Label>(*this, "lbl_HIDUKE")),
      lbl_Center_CD(need<forms::Label>(*this, "lbl_Center_CD")),
      lbl_Soujyu(need<forms::Label>(*this, "lbl_Soujyu")) {
    g_Instance = this;
    wireEvents();
}

F_M352040::~F_M352040() {
    if (g_Instance == this) g_Instance = nullptr;
}

void F_M352040::wireEvents() {
    using shell::guarded;
    // Automatic advance runs this screen's field check.
    manage::g_FieldCheck = common::Chk_Field;
    onLoad = [this] { Form_Load(); };
    onKeyDown = [this](int& k, int s) { guarded([&] { Form_KeyDown(k, s); }); };
    onQueryUnload = [this](int& cancel, int mode) { Form_QueryUnload(cancel, mode); };
    Cmd_end->onClick = [] { guarded([] { common::Proc_Button(1); }); };
    Cmd_sakujyo->onClick = [] { guarded([] { common::Proc_Button(2); }); };
    Cmd_tuika->onClick = [] { guarded([] { common::Proc_Button(3); }); };
    for (forms::TextBox* t : {Center_CD, Soujyu, Jikoku}) {
        t->onGotFocus = [t] { manage::Fld_GotFocus(t); };
        t->onLostFocus = [t] { manage::Fld_LostFocus(t); };
    }
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{Center_CD, Soujyu, YOUBI, Jikoku})
        c->onKeyPress = [](int& keyAscii) { KB_CHK::Chk_KeyPress(keyAscii); };
    for (forms::TextBox* t : {Center_CD, Soujyu})
        t->onKeyUp = [t](int& keyCode, int shift) {
            if (t->enabled()) guarded([&] { manage::Auto_Advance(keyCode, shift); });
        };
    GRID->onClick = [] { guarded(common::GRID_Click); };
    GRID->onDblClick = [] { guarded(common::GRID_DblClick); };
    GRID->onRowColChange = [] { guarded(common::GRID_RowColChange); };
    GRID->onKeyDown = [](int& k, int s) { guarded([&] { common::GRID_KeyDown(k, s); }); };
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
