#pragma once
// The operator's entry kept over a reload of the list, after a save or delete that did not go
// through: the table may hold something else than the list shows.
#include <QString>
#include <cstdint>

namespace common {

struct Entry {
    int day = 0; // index in the day list
    QString time;
    QString oldDay; // the key of the line taken for change
    QString oldTime;
    int16_t rowSelected = 0;
};

Entry keepEntry();
// Reads the list again and puts the entry back; the line being changed stays taken while it is
// still listed. While the link is lost nothing would answer: the list is read by the next
// write instead, which always ends with it.
void reloadKeeping(const Entry& e);

} // namespace common
