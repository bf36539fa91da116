// Set-up, modes, key and button dispatch of the schedule screen.
#include "input/field_lookup.h"
#include "input/manage.h"
#include "platform/forms/keys.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/resultset.h"
#include "platform/vbrt/vbrt.h"
#include "schedule/check_field.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "schedule/keep_entry.h"
#include "search/common_search_mstdb.h"
#include "shell/appearance.h"
#include "shell/guard.h"
#include "shell/workarea.h"

using namespace workarea;

namespace common {

QString g_Mode;
int16_t g_RowSelected = 0;
int16_t g_GridFilled = 0;
int16_t g_GridRowCount = 0;
QString g_OldYoubi;
QString g_OldJikoku;

void resetState() {
    g_Mode.clear();
    g_RowSelected = 0;
    g_GridFilled = 0;
    g_GridRowCount = 0;
    g_OldYoubi.clear();
    g_OldJikoku.clear();
}

namespace {

QString activeName() {
    forms::Control* a = g_Form ? g_Form->activeControl() : nullptr;
    return a ? a->name() : QString();
}

void backToHead() {
    F_M352040& f = frm();
    appearance::Clear_Form();
    check_field::Set_Header();
    f.GRID->clear();
    f.GRID->setRows(1);
    f.GRID->setRow(0);
    f.GRID->setCol(1);
    f.GRID->setText(QStringLiteral(" 曜日 "));
    f.GRID->setCol(2);
    f.GRID->setText(QStringLiteral(" 起動時刻 "));
    f.YOUBI->setListIndex(0);
    g_RowSelected = 0;
    g_Mode = QStringLiteral("HEAD");
    manage::Enable_Fields(g_Mode);
    // The field that had the focus is disabled now; the header starts at the center code.
    f.Center_CD->setFocus();
}

} // namespace

void Init_Form() {
    appearance::Clear_Form();
    Set_FieldTable();
    // A day list that cannot be read is reported; the screen still starts in the header, with
    // only the header fields open.
    shell::guarded(Set_YoubiList);
    Set_Mode(1);
}

// The table lists the screen's four fields. A text box or list beyond them (g_FieldCount
// counts every one of the form) has no entry: it is no field, and its tab place stays.
void Set_FieldTable() {
    F_M352040& f = frm();
    const int n = g_FieldCount;
    g_FieldCtl.assign(n, nullptr);
    g_FieldClass.assign(n, QString());
    g_FieldFormat.assign(n, QString());
    g_FieldMode.assign(n, QString());
    forms::Control* const ctl[] = {f.Center_CD, f.Soujyu, f.YOUBI, f.Jikoku};
    const char* cls[] = {"2U", "2U", "2U", "D"};
    for (int i = 0; i < n && i < 4; ++i) {
        g_FieldCtl[i] = ctl[i];
        g_FieldClass[i] = QString::fromLatin1(cls[i]);
        g_FieldCtl[i]->setTabIndex(i);
    }
    if (n > 3) g_FieldFormat[3] = QStringLiteral("hh:mm");
    for (int i = 0; i < n; ++i)
        g_FieldMode[i] = i <= 1 ? QStringLiteral("HEAD") : QStringLiteral("BODY");
}

void Set_YoubiList() {
    F_M352040& f = frm();
    f.YOUBI->clear();
    g_SQL = QStringLiteral("SELECT *") + QStringLiteral(" FROM 区分マスタ") +
            QStringLiteral(" WHERE 区分='") + vbrt::Trim(kYoubiKind) + QStringLiteral("'") +
            QStringLiteral(" ORDER BY 区分コード");
    database::RecordSet rs;
    database::Open_RsRead(rs);
    while (!rs->eof()) {
        f.YOUBI->addItem(rs->value(QStringLiteral("区分名称")).value_or(QString()));
        rs->moveNext();
    }
    f.YOUBI->setListIndex(0); // an empty list has nothing to select; the call is then ignored
    rs->close();
}

void Set_Mode(int16_t n) {
    F_M352040& f = frm();
    if (n == 1) {
        g_Mode = QStringLiteral("HEAD");
        f.Cmd_tuika->setEnabled(false);
        f.Cmd_sakujyo->setEnabled(false);
        f.Cmd_end->setEnabled(true);
    } else if (n == 2) {
        g_Mode = QStringLiteral("BODY");
        f.Cmd_tuika->setEnabled(true);
        f.Cmd_sakujyo->setEnabled(true);
        f.Cmd_end->setEnabled(true);
    }
    manage::Enable_Fields(g_Mode);
}

void Proc_Key(int& keyCode, int /*shift*/) {
    F_M352040& f = frm();
    int16_t result = 0;
    switch (keyCode) {
    case forms::kKeyEnter:
        if (activeName() != QLatin1String("YOUBI") && input::currentField() >= 0) {
            Chk_Field(int16_t(input::currentField()), result);
            if (result == 9) return;
        }
        if (activeName() == QLatin1String("Jikoku")) {
            Chk_Body(result);
            if (result == 9) return;
            if (Sel_Schedule(f.Center_CD->text(), f.Soujyu->text(), f.YOUBI->text(),
                             f.Jikoku->text()) == QLatin1String("0")) {
                reloadKeeping(keepEntry()); // the list shows the row that is there
                forms::MsgBox(QStringLiteral("EDIスケジュールマスタが登録されています"), 48);
                return;
            }
            Conf_Update(result);
            if (result == 9) return;
        }
        break;
    case forms::kKeyF5:
        if (activeName() == QLatin1String("Center_CD")) Open_Search();
        break;
    case forms::kKeyEscape:
        if (g_Mode == QLatin1String("HEAD")) {
            f.unload(1);
            return;
        }
        backToHead();
        return;
    default:
        break;
    }
    if (input::currentField() < 0) return;
    if (keyCode == forms::kKeyEnter) manage::Next_Field(forms::kKeyEnter);
    if (activeName() == QLatin1String("YOUBI")) return;
    if (input::currentField() < 0) return;
    if (keyCode == forms::kKeyUp)
        manage::Prev_Field(forms::kKeyUp);
    else if (keyCode == forms::kKeyDown)
        manage::Next_Field(forms::kKeyDown);
}

void Proc_Button(int16_t code) {
    if (code == 1) {
        frm().unload(1);
        return;
    }
    if (g_Mode != QLatin1String("BODY")) return;
    if (code == 2) {
        int16_t result = 0;
        Chk_Body(result);
        if (result != 9) Del_Schedule(result);
    } else if (code == 3) {
        New_Entry();
    }
}

void New_Entry() {
    F_M352040& f = frm();
    f.YOUBI->setListIndex(0);
    f.Jikoku->setText(QString());
    g_GridFilled = 0;
    Sel_GridRow(0);
    f.YOUBI->setFocus();
}

void Open_Search() {
    F_M352040& f = frm();
    COMMON_SEARCH_MSTDB::Search_MstDb(2, g_Form->activeControl(), f.SEARCH_KBN->caption(),
                                      f.Center_CD->text(), f.SEARCH_KBN, f.SEARCH_KBN,
                                      f.SEARCH_KBN);
}

} // namespace common
