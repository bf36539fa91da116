// A search that is closed, however it is closed, keeps nothing of the server: no cursor, no
// lock and no open transaction; while it is shown, other workstations still save.
#include "search/search_mstdb.h"
#include "support/app/schedule_fixture.h"
#include <QTableView>
#include <QTimer>

namespace {

const QString kUpdateError = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";

// Sessions of the server that sit in an open transaction (PostgreSQL).
int idleInTransaction(const TestDb& db) {
    odbc::Environment env;
    auto c = connectTo(env, db);
    auto rs = c->openResultSet("SELECT count(*) FROM pg_stat_activity WHERE state LIKE "
                               "'idle in transaction%' AND pid <> pg_backend_pid()",
                               odbc::CursorType::Keyset, odbc::Concurrency::ReadOnly);
    return rs->value(0).value_or("-1").toInt();
}

TEST_F(ScheduleScreen, AClosedSearchHoldsNoLockAndAnOpenOneBlocksNoSave) {
    using Close = std::function<void(SEARCH_MSTDB&)>;
    const std::vector<std::pair<const char*, Close>> closes = {
        {"Esc", [](SEARCH_MSTDB& d) { QTest::keyClick(d.GRID->view(), Qt::Key_Escape); }},
        {"中止", [](SEARCH_MSTDB& d) { QTest::mouseClick(d.STOP->widget(), Qt::LeftButton); }},
        {"close box", [](SEARCH_MSTDB& d) { d.close(); }},
        {"pick", [](SEARCH_MSTDB& d) { QTest::mouseClick(d.SELECT->widget(), Qt::LeftButton); }},
    };
    onEachDatabase([&](const TestDb& db) {
        const char* times[] = {"06:00", "06:10", "06:20", "06:30"};
        for (size_t i = 0; i < closes.size(); ++i) {
            SCOPED_TRACE(closes[i].first);
            bool shown = false;
            QObject timers;
            focus(f().Center_CD);
            QTimer::singleShot(0, &timers, [&] {
                shown = searchDialog().isShown();
                // Another workstation saves while the list is on the screen.
                EXPECT_NO_THROW(execOn(db, QString("INSERT INTO FL1912EDIスケジュールマスタ "
                                                   "(センターコード,送受信種別,曜日,起動時刻) "
                                                   "VALUES ('C17','S','月曜日','%1')")
                                               .arg(times[i])));
                closes[i].second(searchDialog());
            });
            key(Qt::Key_F5);
            ASSERT_TRUE(shown);
            if (db.kind == "postgresql") {
                EXPECT_EQ(idleInTransaction(db), 0);
            }
        }
        EXPECT_EQ(storedRows("C17", "S").size(), 4);
        // The program's own save goes through at once, without a busy wait.
        focus(f().Center_CD);
        f().Center_CD->setText(QString());
        enterHeader("C17", "R");
        focus(f().Jikoku);
        type("0930");
        answers = {6};
        key(Qt::Key_Return);
        EXPECT_FALSE(messages.contains(kUpdateError)) << messages.join(" / ").toStdString();
        EXPECT_EQ(storedRows("C17", "R"), QStringList{"月曜日|09:30"});
    });
}

} // namespace
