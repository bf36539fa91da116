// The list grid: its shape, the fill, copying a line into the fields, the highlight, events.
#include "input/manage.h"
#include "platform/forms/keys.h"
#include "platform/odbc/resultset.h"
#include "platform/vbrt/vbrt.h"
#include "schedule/check_field.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/appearance.h"
#include "shell/workarea.h"

using vbrt::Trim;

namespace common {
namespace {

// The row counter is 16 bits and Rows is one more than it.
constexpr int16_t kMaxGridRows = 32766;

void writeHeader() {
    forms::FlexGrid& g = *frm().GRID;
    g.clear();
    g.setCols(3);
    g.setRow(0);
    g.setCol(1);
    g.setText(QStringLiteral(" 曜日 "));
    g.setCol(2);
    g.setText(QStringLiteral(" 起動時刻 "));
    g.setColWidth(0, 0);
    g.setColWidth(1, 1000);
    g.setColWidth(2, 2500);
}

// Copies grid row r into the day list and the time, and remembers it as the update key.
void copyRow(int r) {
    F_M352040& f = frm();
    const QString day = f.GRID->textMatrix(r, 1);
    // Only the seven days of the week are searched.
    for (int i = 0; i <= 6 && i < f.YOUBI->listCount(); ++i) {
        if (Trim(f.YOUBI->list(i)) == Trim(day)) {
            f.YOUBI->setListIndex(i);
            break;
        }
    }
    f.Jikoku->setText(f.GRID->textMatrix(r, 2));
    g_OldYoubi = Trim(day);
    g_OldJikoku = f.GRID->textMatrix(r, 2);
}

} // namespace

void Init_Grid() {
    frm().GRID->refresh();
    writeHeader();
}

void Set_Grid(database::RecordSet& rs) {
    forms::FlexGrid& g = *frm().GRID;
    g_GridFilled = 0;
    writeHeader();
    g_GridRowCount = 0;
    while (!rs->eof() && g_GridRowCount < kMaxGridRows) {
        const int n = ++g_GridRowCount;
        g.setRows(n + 1);
        g.setRow(n);
        g.setRowHeight(n, 360);
        g.setTextMatrix(n, 1, Trim(rs->value(QStringLiteral("曜日")).value_or(QString())));
        g.setCol(1);
        g.setCellAlignment(7);
        g.setTextMatrix(n, 2,
                        Trim(vbrt::Format(rs->value(QStringLiteral("起動時刻")).value_or(QString()),
                                          QStringLiteral("HH:MM"))));
        g.setCol(2);
        g.setCellAlignment(1);
        rs->moveNext();
    }
    rs->close();
    g_GridFilled = -1;
}

void Ref_Grid() {
    F_M352040& f = frm();
    const QString center = f.Center_CD->text();
    const QString kind = f.Soujyu->text();
    const QString centerName = f.lbl_Center_CD->caption();
    const QString kindName = f.lbl_Soujyu->caption();
    appearance::Clear_Form();
    f.Center_CD->setText(center);
    f.Soujyu->setText(kind);
    f.lbl_Center_CD->setCaption(centerName);
    f.lbl_Soujyu->setCaption(kindName);
    check_field::Set_Header();
    g_OldYoubi.clear();
    g_OldJikoku.clear();
    g_RowSelected = 0;
    database::RecordSet rs;
    check_field::Get_Schedule(rs);
    if (rs->eof()) {
        // The former lines stay as blank lines.
        writeHeader();
        rs->close();
        return;
    }
    Set_Grid(rs);
}

void Get_GridRow() {
    copyRow(frm().GRID->row());
}

void Get_FirstRow() {
    copyRow(1);
    frm().GRID->setRow(1);
}

void Sel_GridRow(int16_t n) {
    forms::FlexGrid& g = *frm().GRID;
    g.refresh();
    g.setCol(0);
    if (n == 1) {
        g.setColSel(2);
        g_RowSelected = -1;
    } else {
        g.setColSel(0);
        g_RowSelected = 0;
    }
}

void GRID_Click() {
    if (g_Mode != QLatin1String("BODY")) return;
    Get_GridRow();
    Sel_GridRow(1);
}

void GRID_DblClick() {
    if (g_Mode != QLatin1String("BODY")) return;
    Get_GridRow();
    g_Mode = QStringLiteral("BODY");
    manage::Enable_Fields(QStringLiteral("BODY"));
    Sel_GridRow(1);
    frm().YOUBI->setFocus();
}

void GRID_RowColChange() {
    if (g_GridFilled == -1) Get_GridRow();
}

void GRID_KeyDown(int& keyCode, int /*shift*/) {
    if (g_Mode != QLatin1String("BODY")) return;
    switch (keyCode) {
    case forms::kKeyUp:
    case forms::kKeyDown:
        // The grid is not a field, so the arrows only copy lines here.
        Get_GridRow();
        break;
    case forms::kKeyEnter:
        frm().YOUBI->setFocus();
        break;
    case forms::kKeyEscape: {
        int16_t result = 0;
        Chk_Body(result);
        if (result != 9) Conf_Update(result);
        break;
    }
    default:
        break;
    }
}

} // namespace common
