#include "shell/workarea.h"
#include "platform/odbc/connection.h"

namespace workarea {

forms::Form* g_Form = nullptr;
QString g_OperatorCode;
QString g_OperatorName;
QString g_OsName;
QString g_OsVer;
QString g_WinUser;
QString g_MachineName;
DbIniRecord g_DbIni;

QString g_FormBackColor;
double g_LabelBackColor = 0;
QString g_LabelFontBold, g_LabelFontItalic, g_LabelFontName, g_LabelFontSize;
QString g_LabelFontStrikethru, g_LabelFontUnderline;
double g_LabelForeColor = 0;
double g_TextBackColor = 0;
double g_TextFocusColor = 0;
QString g_TextFontBold, g_TextFontItalic, g_TextFontName, g_TextFontSize;
QString g_TextFontStrikethru, g_TextFontUnderline;
double g_TextForeColor = 0;
double g_TitleBackColor = 0;
QString g_TitleFontBold, g_TitleFontItalic, g_TitleFontName, g_TitleFontSize;
QString g_TitleFontStrikethru, g_TitleFontUnderline;
double g_TitleForeColor = 0;
int16_t g_Minimize = 0;
int16_t g_DemoMode = 0;
QString g_Rly100Path, g_EdiInFile, g_EdiOutFile, g_MgstPath, g_OldFile;
bool g_DebugMode = false;
QString g_IniDir;

QString g_SQL;
QString g_ConnStr;
QString g_RsStatus;
std::unique_ptr<odbc::Environment> g_DbEnv;
std::unique_ptr<odbc::Connection> g_DbConn;

int16_t g_FieldCount = 0;
std::vector<forms::Control*> g_FieldCtl;
std::vector<QString> g_FieldClass;
std::vector<QString> g_FieldFormat;
std::vector<QString> g_FieldMode;

} // namespace workarea
