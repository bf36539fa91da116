#pragma once
// Field checks of the schedule screen and its header labels.
#include "shell/database.h"
#include <cstdint>

namespace check_field {

void Set_Header();
void Chk_Center(int16_t& result);
void Chk_Soujyu(int16_t& result);
void Chk_Jikoku(int16_t& result);
void Get_EdiCtl(database::RecordSet& rs);
void Get_Schedule(database::RecordSet& rs);

} // namespace check_field
