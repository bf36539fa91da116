#pragma once
// Reading of the settings file EDI.ini, once at start-up, in two passes.
#include <QString>
#include <optional>

namespace settings {

// The program's folder (as the platform reports it, without a trailing separator).
QString App_Path();
// Tests point the program folder elsewhere; an empty text restores the real one.
void setAppPathOverride(const QString& path);

// The folder two levels above `programDir`: the path cut before its second-to-last "/".
// nullopt when the path holds fewer than two "/".
std::optional<QString> Get_IniDir(const QString& programDir);
// The text in front of the first NUL of a buffer; empty when there is none or it comes first.
QString Cut_Nul(const QString& buffer);

// Pass 1: the database section into g_DbIni. Pass 2: appearance and options.
// On failure each shows "INIﾌｧｲﾙ読込エラー", ends the program and returns false.
bool Read_DbIni();
bool Read_Ini();

} // namespace settings
