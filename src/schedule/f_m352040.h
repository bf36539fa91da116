#pragma once
// The schedule maintenance screen: its controls and the wiring of their events.
#include "platform/forms/controls.h"
#include "platform/forms/flexgrid.h"
#include "platform/forms/form.h"
#include <QString>
#include <functional>

class F_M352040 : public forms::Form {
    Q_OBJECT
public:
    F_M352040();
    ~F_M352040() override;

    // The screen id shown in the header.
    static inline const QString kScreenId = QStringLiteral("G3520401");
    // The exit question every close request goes through (true keeps the screen). The start-up
    // sets it; the screen sits below the module that ends the program.
    std::function<bool()> exitCheck;

    forms::FlexGrid* const GRID;
    forms::Label* const SEARCH_KBN;
    forms::CommandButton* const Cmd_tuika;
    forms::CommandButton* const Cmd_sakujyo;
    forms::CommandButton* const Cmd_end;
    forms::TextBox* const Jikoku;
    forms::TextBox* const Soujyu;
    forms::TextBox* const Center_CD;
    forms::ComboBox* const YOUBI;
    forms::Label* const lbl_PGID;
    forms::Label* const lbl_OPCD;
    forms::Label* const lbl_OP_CD;
    forms::Label* const lbl_OP_NM;
    forms::Label* const lbl_HIDUKE;
    forms::Label* const lbl_Center_CD;
    forms::Label* const lbl_Soujyu;

private:
    void wireEvents();
    void Form_Load();
    void Form_KeyDown(int& keyCode, int shift);
    void Form_QueryUnload(int& cancel, int unloadMode);
};

// The one schedule screen of the run (set while it exists).
F_M352040& frm();
