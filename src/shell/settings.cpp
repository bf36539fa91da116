#include "shell/settings.h"
#include "platform/forms/runtime.h"
#include "platform/text/profile.h"
#include "platform/vbrt/vbrt.h"
#include "shell/workarea.h"
#include <QCoreApplication>

using namespace workarea;

namespace settings {
namespace {

QString g_AppPathOverride;

const QString kIniReadError = QStringLiteral("INIﾌｧｲﾙ読込エラー");
constexpr int kDbBufferLength = 64;
constexpr int kBufferLength = 256;

struct ReadFailure {};

// One key read the way the Windows call fills a space-padded buffer: the value ends at the NUL
// the call writes after it.
QString readKey(const text::ProfileFile& file, const char* section, const char* key,
                int bufferLength) {
    QString value =
        file.value(QString::fromUtf8(section), QString::fromUtf8(key), QString(), bufferLength);
    QString buffer = value + QChar(0) + QString(bufferLength, QLatin1Char(' '));
    buffer.truncate(bufferLength);
    return Cut_Nul(buffer);
}

QString fixedLength(const QString& value) {
    return value.left(kDbIniFieldLength).leftJustified(kDbIniFieldLength, QLatin1Char(' '));
}

QString iniDir() {
    auto dir = Get_IniDir(App_Path());
    if (!dir) throw ReadFailure{};
    return *dir;
}

QString iniFile(const QString& dir) {
    return dir + QStringLiteral("/EDI.ini");
}

double number(const QString& value) {
    auto v = vbrt::toDouble(value);
    if (!v) throw ReadFailure{};
    return *v;
}

int16_t integer(const QString& value) {
    auto v = vbrt::toInteger(value);
    if (!v) throw ReadFailure{};
    return *v;
}

bool failPass() {
    forms::MsgBox(kIniReadError, 0);
    forms::End(1);
    return false;
}

} // namespace

QString App_Path() {
    if (!g_AppPathOverride.isEmpty()) return g_AppPathOverride;
    return QCoreApplication::applicationDirPath();
}

void setAppPathOverride(const QString& path) {
    g_AppPathOverride = path;
}

std::optional<QString> Get_IniDir(const QString& programDir) {
    // Start position (1-based) of the last search that found a separator.
    qsizetype start = 1;
    qsizetype remembered = 0;
    for (;;) {
        qsizetype found = programDir.indexOf(QLatin1Char('/'), start - 1);
        if (found < 0) break;
        remembered = start;
        start = found + 2;
    }
    qsizetype length = remembered - 2;
    if (length < 0) return std::nullopt;
    return programDir.left(length);
}

QString Cut_Nul(const QString& buffer) {
    qsizetype nul = buffer.indexOf(QChar(0));
    if (nul <= 0) return QString();
    return buffer.left(nul);
}

bool Read_DbIni() {
    try {
        // Read once for the whole pass.
        const text::ProfileFile file(iniFile(iniDir()));
        const char* section = "動作環境";
        g_DbIni.MachineName = fixedLength(readKey(file, section, "MACHINENAME", kDbBufferLength));
        g_DbIni.UserId = fixedLength(readKey(file, section, "USERID", kDbBufferLength));
        g_DbIni.Passwd = fixedLength(readKey(file, section, "PASSWD", kDbBufferLength));
        g_DbIni.DbString = fixedLength(readKey(file, section, "DBSTRING", kDbBufferLength));
        return true;
    } catch (const ReadFailure&) {
        return failPass();
    }
}

bool Read_Ini() {
    try {
        g_IniDir = iniDir();
        const text::ProfileFile file(iniFile(g_IniDir));
        auto s0 = [&](const char* key) { return readKey(file, "Setting0", key, kBufferLength); };
        g_FormBackColor = s0("FormBackColor");
        g_LabelBackColor = number(s0("LabelBackColor"));
        g_LabelFontBold = s0("LabelFontBold");
        g_LabelFontItalic = s0("LabelFontItalic");
        g_LabelFontName = s0("LabelFontName");
        g_LabelFontSize = s0("LabelFontSize");
        g_LabelFontStrikethru = s0("LabelFontStrikethru");
        g_LabelFontUnderline = s0("LabelFontUnderline");
        g_LabelForeColor = number(s0("LabelForeColor"));
        g_TextBackColor = number(s0("TextBackColor"));
        g_TextFocusColor = number(s0("TextFocusColor"));
        g_TextFontBold = s0("TextFontBold");
        g_TextFontItalic = s0("TextFontItalic");
        g_TextFontName = s0("TextFontName");
        g_TextFontSize = s0("TextFontSize");
        g_TextFontStrikethru = s0("TextFontStrikethru");
        g_TextFontUnderline = s0("TextFontUnderline");
        g_TextForeColor = number(s0("TextForeColor"));
        g_TitleBackColor = number(s0("TitleBackColor"));
        g_TitleFontBold = s0("TitleFontBold");
        g_TitleFontItalic = s0("TitleFontItalic");
        g_TitleFontName = s0("TitleFontName");
        g_TitleFontSize = s0("TitleFontSize");
        g_TitleFontStrikethru = s0("TitleFontStrikethru");
        g_TitleFontUnderline = s0("TitleFontUnderline");
        g_TitleForeColor = number(s0("TitleForeColor"));
        g_Minimize = integer(readKey(file, "M353020", "MINIMAIZE", kBufferLength));
        g_DemoMode = integer(readKey(file, "M353020", "DEMOMODE", kBufferLength));
        auto path = [&](const char* key) { return readKey(file, "PATH", key, kBufferLength); };
        g_Rly100Path = path("RLY100_PATH");
        g_EdiInFile = path("EDIINFIL");
        g_EdiOutFile = path("EDIOUTFIL");
        g_MgstPath = path("MGSTPATH");
        g_OldFile = path("OLD_FILE");
        g_DebugMode = readKey(file, "デバッグ", "MODE", kBufferLength) == QStringLiteral("1");
        return true;
    } catch (const ReadFailure&) {
        return failPass();
    }
}

} // namespace settings
