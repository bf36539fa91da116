// The settings file: where it is looked for, the two passes, and how they fail.
#include "shell/settings.h"
#include "shell/workarea.h"
#include "support/app/app_fixture.h"
#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace workarea;

namespace {

TEST(IniDir, CutsBeforeTheSecondToLastSeparator) {
    EXPECT_EQ(settings::Get_IniDir("/EDI/PG/BIN"), QString("/EDI"));
    EXPECT_EQ(settings::Get_IniDir("/opt/edi/PG/BIN"), QString("/opt/edi"));
    EXPECT_EQ(settings::Get_IniDir("/A/B"), QString(""));
    EXPECT_EQ(settings::Get_IniDir("/APP"), std::nullopt);
    EXPECT_EQ(settings::Get_IniDir("APP"), std::nullopt);
}

TEST(CutNul, TextBeforeTheFirstNul) {
    EXPECT_EQ(settings::Cut_Nul(QString("abc") + QChar(0) + "   "), "abc");
    EXPECT_EQ(settings::Cut_Nul(QString(QChar(0)) + "abc"), "");
    EXPECT_EQ(settings::Cut_Nul("no nul here"), "");
}

class SettingsFile : public AppFixture {};

TEST_F(SettingsFile, DatabaseSectionKeepsFiftyPaddedCharacters) {
    writeIni(demoIni()
                 .replace("DBSTRING=EDI_DEMO", "DBSTRING=\"  EDIDB  \"")
                 .replace("USERID=demo", "USERID=" + QString(60, 'u')));
    ASSERT_TRUE(settings::Read_DbIni());
    EXPECT_EQ(g_DbIni.DbString, QString("  EDIDB  ").leftJustified(50, ' '));
    EXPECT_EQ(g_DbIni.UserId, QString(50, 'u'));
    EXPECT_EQ(g_DbIni.MachineName.size(), 50);
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFile, MissingFileGivesEmptyDatabaseValues) {
    ASSERT_TRUE(settings::Read_DbIni());
    EXPECT_EQ(g_DbIni.DbString, QString(50, ' '));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SettingsFile, ProgramFolderTooShallowFailsTheFirstPass) {
    settings::setAppPathOverride("/APP");
    EXPECT_FALSE(settings::Read_DbIni());
    EXPECT_EQ(messages, QStringList{"INIﾌｧｲﾙ読込エラー"});
    EXPECT_EQ(endStatus, 1);
}

TEST_F(SettingsFile, SecondPassReadsEveryKey) {
    writeIni(demoIni()
                 .replace("MODE=0", "MODE=1")
                 .replace("OLD_FILE=/srv/edi/old", "OLD_FILE=" + QString(300, 'x')));
    ASSERT_TRUE(settings::Read_Ini());
    EXPECT_EQ(g_IniDir, root());
    EXPECT_EQ(g_FormBackColor, "12632256");
    EXPECT_EQ(g_TextFocusColor, 12648447.0);
    EXPECT_EQ(g_TitleFontName, "ＭＳ ゴシック");
    EXPECT_EQ(g_TitleFontSize, "11.25");
    EXPECT_EQ(g_DemoMode, 1);
    EXPECT_EQ(g_Rly100Path, "/srv/edi/rly100");
    EXPECT_EQ(g_OldFile, QString(255, 'x'));
    EXPECT_TRUE(g_DebugMode);
}

TEST_F(SettingsFile, DebugFlagIsExactlyOne) {
    writeIni(demoIni().replace("MODE=0", "MODE=01"));
    ASSERT_TRUE(settings::Read_Ini());
    EXPECT_FALSE(g_DebugMode);
}

TEST_F(SettingsFile, BadNumbersStopTheSecondPassThere) {
    // An exponent too large for any number is not a number either, whatever its digit count.
    const QString huge = "1e99999999999999999999";
    std::vector<std::pair<QString, QString>> cases = {{"LabelBackColor=12632256\n", ""},
                                                      {"MINIMAIZE=0", "MINIMAIZE=abc"},
                                                      {"DEMOMODE=1", "DEMOMODE="},
                                                      {"MINIMAIZE=0", "MINIMAIZE=40000"},
                                                      {"MINIMAIZE=0", "MINIMAIZE=" + huge}};
    for (const char* key : {"LabelBackColor=12632256", "LabelForeColor=0", "TextBackColor=16777215",
                            "TextFocusColor=12648447", "TextForeColor=0", "TitleBackColor=8421504",
                            "TitleForeColor=16777152"})
        cases.emplace_back(key, QString(key).section('=', 0, 0) + "=" + huge);
    for (const auto& [from, to] : cases) {
        SCOPED_TRACE(to.toStdString());
        messages.clear();
        g_Rly100Path = "untouched";
        g_LabelFontBold = "untouched";
        writeIni(demoIni().replace(from, to));
        EXPECT_FALSE(settings::Read_Ini());
        EXPECT_EQ(messages, QStringList{"INIﾌｧｲﾙ読込エラー"});
        // The keys after the failing one are not read.
        EXPECT_EQ(g_Rly100Path, "untouched");
    }
    EXPECT_EQ(g_LabelFontBold, "False"); // read before the integer keys failed
}

} // namespace
