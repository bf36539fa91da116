#pragma once
// The schedule screen's logic: modes, key and button dispatch, the list grid and the writes.
#include "shell/database.h"
#include <QString>
#include <cstdint>

namespace common {

extern QString g_Mode;         // "HEAD" or "BODY"
extern int16_t g_RowSelected;  // -1: the fields hold a row taken from the grid (save updates)
extern int16_t g_GridFilled;   // -1 once the grid was filled; 0 while filling, after New_Entry
extern int16_t g_GridRowCount; // data rows written by the last fill
extern QString g_OldYoubi;     // key of the row taken from the grid
extern QString g_OldJikoku;

inline const QString kYoubiKind = QStringLiteral("曜日");

// Screen
void Init_Form();
void Set_FieldTable();
void Set_YoubiList();
void Set_Mode(int16_t n);
void Proc_Key(int& keyCode, int shift);
void Proc_Button(int16_t code);
void New_Entry();
void Open_Search();

// Checks
void Chk_Field(int16_t i, int16_t& result);
void Chk_Body(int16_t& result);

// List grid
void Init_Grid();
void Set_Grid(database::RecordSet& rs);
void Ref_Grid();
void Get_GridRow();
void Get_FirstRow();
void Sel_GridRow(int16_t n);
void GRID_Click();
void GRID_DblClick();
void GRID_RowColChange();
void GRID_KeyDown(int& keyCode, int shift);

// Writes
void Conf_Update(int16_t& result);
void Cancel_Update(int16_t answer);
void Upd_Schedule(int16_t& result);
// Writes the row as the transaction's last statement and commits it; returns the rows the
// statement changed (-1 when the driver cannot tell).
long Put_Schedule(int16_t flag, odbc::Transaction& transaction);
QString Sel_Schedule(const QString& center, const QString& kind, const QString& day,
                     const QString& time);
void Del_Schedule(int16_t& result);

// Resets the screen state between test runs.
void resetState();

} // namespace common
