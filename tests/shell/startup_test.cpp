// Start-up through the real Main, its failure paths, the operator code and the exit question.
#include "platform/forms/controls.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/workarea.h"
#include "startup/M352040_M.h"
#include "support/app/app_fixture.h"
#include "support/testdb.h"
#include <QElapsedTimer>

using namespace workarea;

namespace {

class Startup : public AppFixture {
protected:
    void TearDown() override {
        M352040_M::resetMain();
        common::resetState();
        AppFixture::TearDown();
    }
    // Runs Main on each configured database with the given settings text.
    template <class Check> void onEachDatabase(Check check) {
        eachDatabase(check, [] { M352040_M::resetMain(); });
    }
};

TEST_F(Startup, ShowsTheHeaderModeScreenWithTheTrimmedOperatorCode) {
    onEachDatabase([&](const TestDb& db) {
        writeIni(iniFor(db.dsn));
        ASSERT_TRUE(M352040_M::Main("  A001  "));
        EXPECT_TRUE(messages.empty()) << messages.join("|").toStdString();
        F_M352040& f = *M352040_M::mainScreen();
        EXPECT_EQ(g_OperatorCode, "A001");
        EXPECT_EQ(f.lbl_OP_CD->caption(), "A001");
        EXPECT_EQ(f.lbl_OP_NM->caption(), "");
        EXPECT_EQ(f.lbl_PGID->caption(), "G3520401");
        EXPECT_EQ(f.lbl_OPCD->caption(), "ｵﾍﾟﾚｰﾀｺｰﾄﾞ");
        EXPECT_EQ(f.lbl_HIDUKE->caption(), QDate::currentDate().toString("yyyy/MM/dd"));
        EXPECT_TRUE(f.isShown());
        EXPECT_EQ(common::g_Mode, "HEAD");
        EXPECT_EQ(g_FieldCount, 4);
        EXPECT_EQ(f.YOUBI->listCount(), 7);
        EXPECT_EQ(f.YOUBI->text(), "月曜日");
        EXPECT_TRUE(f.Center_CD->enabled());
        EXPECT_FALSE(f.Jikoku->enabled());
        EXPECT_FALSE(f.Cmd_tuika->enabled());
        EXPECT_TRUE(f.Cmd_end->enabled());
        EXPECT_EQ(endStatus, -1);
    });
}

TEST_F(Startup, CommandLineIsTakenWhole) {
    onEachDatabase([&](const TestDb& db) {
        writeIni(iniFor(db.dsn));
        ASSERT_TRUE(M352040_M::Main("A001 X"));
        EXPECT_EQ(g_OperatorCode, "A001 X");
        M352040_M::resetMain();
        ASSERT_TRUE(M352040_M::Main(""));
        EXPECT_EQ(g_OperatorCode, "");
        EXPECT_TRUE(messages.empty());
    });
}

TEST_F(Startup, EachFailureShowsItsOneMessageAndEnds) {
    struct Case {
        QString name;
        QString ini; // empty: no settings file at all
        QString message;
    };
    onEachDatabase([&](const TestDb& db) {
        const QString good = iniFor(db.dsn);
        const Case cases[] = {
            {"no settings file", "", "接続エラー"},
            {"unknown data source", iniFor("NO_SUCH_DSN"), "接続エラー"},
            {"label colour missing", QString(good).replace("LabelBackColor=12632256\n", ""),
             "INIﾌｧｲﾙ読込エラー"},
            {"bold yes", QString(good).replace("TextFontBold=False", "TextFontBold=yes"),
             "項目設定エラー"},
            {"empty form colour", QString(good).replace("FormBackColor=12632256", "FormBackColor="),
             "項目設定エラー"},
            {"size not a number", QString(good).replace("TitleFontSize=11.25", "TitleFontSize=big"),
             "項目設定エラー"},
            {"empty font name",
             QString(good).replace("LabelFontName=ＭＳ Ｐゴシック", "LabelFontName="),
             "項目設定エラー"},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name.toStdString());
            QFile::remove(root() + "/EDI.ini");
            if (!c.ini.isEmpty()) writeIni(c.ini);
            messages.clear();
            styles.clear();
            titles.clear();
            endStatus = -1;
            QElapsedTimer t;
            t.start();
            EXPECT_FALSE(M352040_M::Main("A001"));
            EXPECT_LT(t.elapsed(), 5000);
            EXPECT_EQ(messages, QStringList{c.message});
            EXPECT_EQ(styles, std::vector<int>{0});
            EXPECT_EQ(titles, QStringList{"M352040"}); // the application's own title
            EXPECT_EQ(endStatus, 1);
            EXPECT_FALSE(M352040_M::mainScreen()->isShown());
            M352040_M::resetMain();
        }
    });
}

TEST_F(Startup, ServerRefusalsEndInConnectionErrorWithinFiveSeconds) {
    onEachDatabase([&](const TestDb& db) {
        if (db.kind != "postgresql") return; // needs a database server
        const QString authUser = qEnvironmentVariable("EDI_TEST_PG_AUTH_USER");
        const QString cases[] = {iniFor(db.dsn, authUser, "wrong-password"),
                                 iniFor("EDI_TEST_PG_DOWN")};
        for (const QString& ini : cases) {
            writeIni(ini);
            messages.clear();
            QElapsedTimer t;
            t.start();
            EXPECT_FALSE(M352040_M::Main("A001"));
            EXPECT_LT(t.elapsed(), 5000);
            EXPECT_EQ(messages, QStringList{"接続エラー"});
            EXPECT_EQ(endStatus, 1);
            M352040_M::resetMain();
        }
    });
}

TEST_F(Startup, BoldTrueOrOneMakesTextBoxesBold) {
    onEachDatabase([&](const TestDb& db) {
        for (const char* value : {"True", "1", "true"}) {
            writeIni(
                iniFor(db.dsn).replace("TextFontBold=False", QString("TextFontBold=") + value));
            ASSERT_TRUE(M352040_M::Main("A001"));
            EXPECT_TRUE(M352040_M::mainScreen()->Center_CD->fontBold()) << value;
            EXPECT_TRUE(M352040_M::mainScreen()->Jikoku->fontBold()) << value;
            M352040_M::resetMain();
        }
    });
}

TEST_F(Startup, ExitQuestionNoRestoresFieldsAfterTheFirst) {
    onEachDatabase([&](const TestDb& db) {
        writeIni(iniFor(db.dsn));
        ASSERT_TRUE(M352040_M::Main("A001"));
        F_M352040& f = *M352040_M::mainScreen();
        f.Center_CD->setBackColor(0x123456);
        f.Soujyu->setBackColor(0x123456);
        f.Jikoku->setBackColor(0x123456);
        answers = {7};
        EXPECT_TRUE(M352040_M::Chk_Exit());
        EXPECT_EQ(messages.last(), "終了してもよろしいですか");
        EXPECT_EQ(styles.back(), 308);
        EXPECT_EQ(f.Center_CD->backColor(), 0x123456u); // field 0 keeps its colour
        EXPECT_EQ(f.Soujyu->backColor(), 16777215u);
        EXPECT_EQ(f.Jikoku->backColor(), 16777215u);
        EXPECT_EQ(endStatus, -1);
        EXPECT_TRUE(g_DbConn->isOpen());
    });
}

TEST_F(Startup, ExitQuestionYesClosesAndEndsWithZero) {
    onEachDatabase([&](const TestDb& db) {
        writeIni(iniFor(db.dsn));
        ASSERT_TRUE(M352040_M::Main("A001"));
        answers = {6};
        M352040_M::mainScreen()->close(); // the window's close box
        EXPECT_EQ(messages.last(), "終了してもよろしいですか");
        EXPECT_EQ(endStatus, 0);
        EXPECT_FALSE(g_DbConn->isOpen());
    });
}

} // namespace
