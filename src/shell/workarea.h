#pragma once
// Program-wide globals: the current form, operator, workstation, settings, database and the
// field table. They live for the whole run and are used from the GUI thread only.
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace forms {
class Form;
class Control;
} // namespace forms
namespace odbc {
class Environment;
class Connection;
} // namespace odbc

namespace workarea {

// The current form that the field framework acts on.
extern forms::Form* g_Form;

extern QString g_OperatorCode;
extern QString g_OperatorName; // nobody sets it: the header shows it empty

// Workstation profile.
extern QString g_OsName;
extern QString g_OsVer;
extern QString g_WinUser;
extern QString g_MachineName;

// Database section of the settings file: fixed-length fields of 50 characters.
struct DbIniRecord {
    QString MachineName;
    QString UserId;
    QString Passwd;
    QString DbString;
};
constexpr int kDbIniFieldLength = 50;
extern DbIniRecord g_DbIni;

// Appearance and option sections of the settings file.
extern QString g_FormBackColor;
extern double g_LabelBackColor;
extern QString g_LabelFontBold, g_LabelFontItalic, g_LabelFontName, g_LabelFontSize;
extern QString g_LabelFontStrikethru, g_LabelFontUnderline;
extern double g_LabelForeColor;
extern double g_TextBackColor;
extern double g_TextFocusColor;
extern QString g_TextFontBold, g_TextFontItalic, g_TextFontName, g_TextFontSize;
extern QString g_TextFontStrikethru, g_TextFontUnderline;
extern double g_TextForeColor;
extern double g_TitleBackColor;
extern QString g_TitleFontBold, g_TitleFontItalic, g_TitleFontName, g_TitleFontSize;
extern QString g_TitleFontStrikethru, g_TitleFontUnderline;
extern double g_TitleForeColor;
extern int16_t g_Minimize;
extern int16_t g_DemoMode;
extern QString g_Rly100Path, g_EdiInFile, g_EdiOutFile, g_MgstPath, g_OldFile;
extern bool g_DebugMode;
extern QString g_IniDir;

// Database connection and the shared statement buffer.
extern QString g_SQL;
extern QString g_ConnStr;
extern QString g_RsStatus; // "0" rows, "9" none, after an open
extern std::unique_ptr<odbc::Environment> g_DbEnv;
extern std::unique_ptr<odbc::Connection> g_DbConn;

// The field table: parallel arrays indexed by field number (= the control's TabIndex).
extern int16_t g_FieldCount;
extern std::vector<forms::Control*> g_FieldCtl;
extern std::vector<QString> g_FieldClass;
extern std::vector<QString> g_FieldFormat;
extern std::vector<QString> g_FieldMode;

} // namespace workarea
