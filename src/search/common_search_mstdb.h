#pragma once
// The shared code search: five search kinds over the master tables, a modal result dialog,
// and the pick written into the caller's target controls.
#include "shell/database.h"
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

namespace forms {
class Control;
}

namespace COMMON_SEARCH_MSTDB {

extern int16_t g_SearchKind;
extern database::RecordSet g_SearchRs;
extern std::array<int16_t, 7> g_SearchWidth; // twips; 0 leaves the column as laid out
extern forms::Control* g_SearchTarget1;
extern forms::Control* g_SearchTarget2;
extern forms::Control* g_SearchTarget3;
extern forms::Control* g_SearchTarget4;

// Query builders: write g_SQL, set the dialog caption, open g_SearchRs, set the widths.
void Srch_MsgGroup(const QString& key1);
void Srch_EdiCtl(const QString& key1, const QString& key2);
void Srch_Center();
void Srch_Format(const QString& key1);
void Srch_Item();

// Runs the search of `kind`; says so when nothing is found, else shows the dialog modally and
// returns when it is closed. Targets may be nullptr.
void Search_MstDb(int16_t kind, forms::Control* target1, const QString& key1, const QString& key2,
                  forms::Control* target2, forms::Control* target3, forms::Control* target4);
// Writes the current row to the targets, unloads the dialog and closes the result.
void Set_SearchResult();

} // namespace COMMON_SEARCH_MSTDB
