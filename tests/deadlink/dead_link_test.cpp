// The schedule screen on a server whose link dies silently, as a WAN or VPN link does: the link
// is cut with iptables DROP inside the server's network namespace (scripts/testdb-up), so
// nothing is refused and nothing answers. Every action ends with its message within seconds,
// a commit whose answer was lost is settled by what the table holds, a write cut off holds its
// key only seconds, and an open code search holds no transaction on the server.
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "search/common_search_mstdb.h"
#include "search/search_mstdb.h"
#include "shell/workarea.h"
#include "support/app/schedule_fixture.h"
#include "support/server.h"
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

using testsupport::Cut;

namespace {

const QString kQuestion = "この内容で更新しますか";
const QString kDeleteQuestion = "削除してよろしいですか";
const QString kUpdateError = "更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました";
const QString kFailed = "データベースの処理でエラーが発生しました";
// The old program waited ~15 minutes on a dead link; the link comes back by itself after this
// long, so that such a wait fails the test in bounded time instead of hanging it.
constexpr double kWatchdogSeconds = 45;
// What an action may take from the key to its message on a dead link.
constexpr qint64 kMessageWithinMs = 30000;

// A fault of the link, made from a thread of its own while the program waits: cut at once or
// once the server sleeps inside the program's statement (a trigger's pg_sleep: the statement
// has arrived), restored `restoreAfter` seconds after the cut (never when negative, until
// restore()), and always after the watchdog's time.
class LinkFault {
public:
    LinkFault(Cut how, bool whenServerSleeps, double restoreAfter)
        : thread_([=, this] { run(how, whenServerSleeps, restoreAfter); }) {}
    ~LinkFault() { restore(); }
    void restore() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        testsupport::restoreLink();
    }
    bool cut() const { return cut_; }

private:
    void run(Cut how, bool whenServerSleeps, double restoreAfter) {
        using clock = std::chrono::steady_clock;
        const auto start = clock::now();
        auto since = [](clock::time_point t) {
            return std::chrono::duration<double>(clock::now() - t).count();
        };
        while (whenServerSleeps && !stop_ && since(start) < 20 &&
               testsupport::serverQuery("SELECT count(*) FROM pg_stat_activity WHERE "
                                        "wait_event = 'PgSleep'") == "0")
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (stop_) return;
        cut_ = testsupport::cutLink(how).isEmpty();
        const auto cutAt = clock::now();
        while (!stop_ && since(cutAt) < kWatchdogSeconds &&
               (restoreAfter < 0 || since(cutAt) < restoreAfter))
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        // Answers lost for good: the connection they would have come on is gone before the
        // link returns (a program that gave up on it has closed it already).
        if (how == Cut::Answers && !stop_) testsupport::dropConnectionsToServer();
        testsupport::restoreLink();
    }
    std::atomic<bool> stop_{false};
    std::atomic<bool> cut_{false};
    std::thread thread_;
};

class DeadLink : public ScheduleScreen {
protected:
    void SetUp() override {
        ScheduleScreen::SetUp();
        const QString missing = testsupport::cuttableServerMissing();
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString();
        ASSERT_EQ(testsupport::restoreLink(), "");
        // Sessions cut off by an earlier case may still hold locks.
        testsupport::serverQuery("SELECT count(pg_terminate_backend(pid)) FROM pg_stat_activity "
                                 "WHERE backend_type = 'client backend' AND pid <> "
                                 "pg_backend_pid()");
        ASSERT_TRUE(prepareDatabase(local));
        start(wan);
        // Each message with the time since the clock was last started.
        forms::setMsgBoxHandler([this](const QString& prompt, int, const QString&) {
            messages << prompt;
            shownAt.push_back(clock.elapsed());
            if (onMessage) onMessage(prompt);
            if (answers.empty()) return 1;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    void TearDown() override {
        testsupport::restoreLink();
        ScheduleScreen::TearDown();
    }
    void restart() {
        messages.clear();
        shownAt.clear();
        clock.start();
    }
    QStringList stored(const QString& center, const QString& kind) const {
        QStringList rows = testsupport::serverQuery(
                               "SELECT 曜日 || '|' || to_char(起動時刻::interval, 'HH24:MI') FROM "
                               "FL1912EDIスケジュールマスタ WHERE センターコード='" +
                               center + "' AND 送受信種別='" + kind + "'")
                               .split('\n', Qt::SkipEmptyParts);
        rows.sort();
        return rows;
    }
    // The messages of a dead link are the program's own, short, and name no server.
    void expectOwnWords() const {
        for (const QString& m : messages) {
            EXPECT_FALSE(m.contains("10.217.")) << m.toStdString();
            EXPECT_FALSE(m.contains("server", Qt::CaseInsensitive)) << m.toStdString();
        }
    }
    // From the body back to the header (Esc in the header would end the program).
    void toHeader() {
        if (common::g_Mode != "BODY") return;
        focus(f().YOUBI);
        key(Qt::Key_Escape);
    }
    // The grid's lines that hold a row, sorted as the table's rows are.
    QStringList listed() const {
        QStringList lines = gridLines();
        lines.removeAll("|");
        lines.sort();
        return lines;
    }
    void saveWithYes(const QString& time) {
        focus(f().Jikoku);
        f().Jikoku->setText(time);
        answers = {6};
        key(Qt::Key_Return);
    }

    TestDb wan{"EDI_TEST_PG_WAN", "postgresql", "DSN=EDI_TEST_PG_WAN;UID=postgres;PWD=;"};
    TestDb local{"EDI_TEST_PG_WAN_LOCAL", "postgresql",
                 "DSN=EDI_TEST_PG_WAN_LOCAL;UID=postgres;PWD=;"};
    QElapsedTimer clock;
    std::vector<qint64> shownAt;
    std::function<void(const QString&)> onMessage;
    QObject timers;
};

TEST_F(DeadLink, EachActionEndsWithItsMessageWithinSecondsAndWorksOnceTheLinkIsBack) {
    // Save: the link dies while the question is up. Enter on a center and F5 meet it idle.
    enterHeader("C17", "R");
    std::unique_ptr<LinkFault> fault;
    onMessage = [&](const QString& prompt) {
        if (prompt == kQuestion && !fault) {
            fault = std::make_unique<LinkFault>(Cut::BothWays, false, -1);
            while (!fault->cut())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            clock.start(); // the key is the answer Yes
        }
    };
    restart();
    saveWithYes("09:30");
    onMessage = nullptr;
    EXPECT_EQ(messages, (QStringList{kQuestion, kUpdateError}));
    ASSERT_EQ(shownAt.size(), 2u);
    EXPECT_LT(shownAt[1], kMessageWithinMs) << "save: the message came after " << shownAt[1];
    EXPECT_EQ(f().Jikoku->text(), "09:30");
    fault.reset();
    restart();
    saveWithYes("09:30");
    EXPECT_EQ(messages, QStringList{kQuestion});
    EXPECT_EQ(stored("C17", "R"), QStringList{"月曜日|09:30"});

    struct Case {
        const char* name;
        std::function<void()> act;   // on the dead link: ends with a message
        std::function<bool()> works; // once the link is back
    };
    const Case cases[] = {
        {"Enter on a center",
         [&] {
             toHeader();
             focus(f().Center_CD);
             f().Center_CD->setText("C02");
             key(Qt::Key_Return);
         },
         [&] {
             focus(f().Center_CD);
             f().Center_CD->setText("C02");
             key(Qt::Key_Return);
             type("R");
             return gridLines().size() == 3;
         }},
        {"F5 on a center",
         [&] {
             toHeader();
             focus(f().Center_CD);
             key(Qt::Key_F5);
         },
         [&] {
             bool shown = false;
             focus(f().Center_CD);
             QTimer::singleShot(0, &timers, [&] {
                 shown = searchDialog().isShown();
                 QTest::mouseClick(searchDialog().STOP->widget(), Qt::LeftButton);
             });
             key(Qt::Key_F5);
             return shown;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LinkFault dead(Cut::BothWays, false, -1);
        while (!dead.cut())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        restart();
        c.act();
        ASSERT_EQ(messages.size(), 1) << messages.join("|").toStdString();
        EXPECT_TRUE(messages[0].startsWith(kFailed + "\n[08")) << messages[0].toStdString();
        EXPECT_LT(shownAt[0], kMessageWithinMs) << "the message came after " << shownAt[0];
        expectOwnWords();
        dead.restore();
        restart();
        EXPECT_TRUE(c.works());
        EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    }
}

TEST_F(DeadLink, ACommitWhoseAnswerWasLostIsSettledByWhatTheTableHolds) {
    // The COMMIT reaches the server, which sleeps in a deferred trigger; the answers are cut
    // then, and come back once the program has given up on them.
    execOn(local, "CREATE OR REPLACE FUNCTION edi_slow_commit() RETURNS trigger AS $$ BEGIN "
                  "PERFORM pg_sleep(1.5); IF TG_ARGV[0] = 'refuse' THEN RAISE EXCEPTION "
                  "'refused at commit'; END IF; RETURN NULL; END $$ LANGUAGE plpgsql");
    struct Case {
        const char* name;
        const char* trigger; // store or refuse
        QString center;
        std::function<void()> write;
        QStringList expectedMessages;
        QStringList expectedList; // the list and the table, afterwards
        QString expectedTime;     // the time field afterwards
    };
    const Case cases[] = {
        {"a new row, stored",
         "store",
         "C17",
         [&] { saveWithYes("09:30"); },
         {kQuestion},
         {"月曜日|09:30"},
         ""},
        {"a time changed, stored",
         "store",
         "C02",
         [&] { saveWithYes("07:45"); }, // 月曜日 07:15 is taken
         {kQuestion},
         {"土曜日|06:00", "日曜日|23:30", "月曜日|07:45"},
         ""},
        {"a time changed, refused by the server at the commit",
         "refuse",
         "C17",
         [&] { saveWithYes("10:30"); },
         {kQuestion, kUpdateError},
         {"月曜日|09:30"},
         "10:30"},
        {"a delete, stored",
         "store",
         "C05",
         [&] {
             answers = {1};
             QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
         },
         {kDeleteQuestion},
         {},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        execOn(local, QString("CREATE CONSTRAINT TRIGGER edi_slow_commit AFTER INSERT OR UPDATE "
                              "OR DELETE ON FL1912EDIスケジュールマスタ DEFERRABLE INITIALLY "
                              "DEFERRED FOR EACH ROW EXECUTE FUNCTION edi_slow_commit('%1')")
                          .arg(c.trigger));
        toHeader();
        enterHeader(c.center, "R");
        restart();
        {
            LinkFault lost(Cut::Answers, true, 15);
            c.write();
            EXPECT_TRUE(lost.cut());
        }
        execOn(local, "DROP TRIGGER edi_slow_commit ON FL1912EDIスケジュールマスタ");
        EXPECT_EQ(messages, c.expectedMessages);
        EXPECT_LT(shownAt.empty() ? clock.elapsed() : shownAt.back(), kMessageWithinMs);
        EXPECT_EQ(stored(c.center, "R"), c.expectedList);
        EXPECT_EQ(listed(), c.expectedList);
        EXPECT_EQ(f().Jikoku->text(), c.expectedTime);
        EXPECT_FALSE(workarea::g_DbConn->inTransaction());
    }
}

TEST_F(DeadLink, AWriteCutOffHoldsNoKeyAndIsNeverWrittenTwice) {
    // The INSERT and its COMMIT reach the server in one message (the first INSERT sleeps in a
    // trigger), then the link dies both ways: the server finishes the transaction by itself,
    // and the program cannot know whether it did.
    execOn(local, "CREATE SEQUENCE edi_once");
    execOn(local, "CREATE OR REPLACE FUNCTION edi_slow_insert() RETURNS trigger AS $$ BEGIN IF "
                  "nextval('edi_once') = 1 THEN PERFORM pg_sleep(1.5); END IF; RETURN NEW; END "
                  "$$ LANGUAGE plpgsql");
    execOn(local, "CREATE TRIGGER edi_slow_insert BEFORE INSERT ON FL1912EDIスケジュールマスタ "
                  "FOR EACH ROW EXECUTE FUNCTION edi_slow_insert()");
    enterHeader("C17", "R");
    LinkFault cutOff(Cut::BothWays, true, -1);
    restart();
    saveWithYes("09:30");
    EXPECT_TRUE(cutOff.cut());
    // Neither saved nor refused: the database error, which claims neither.
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], kQuestion);
    EXPECT_TRUE(messages[1].startsWith(kFailed + "\n[08S01]")) << messages[1].toStdString();
    EXPECT_LT(shownAt.back(), kMessageWithinMs);
    cutOff.restore();

    // Another workstation writing the same key is not kept waiting by a transaction left open.
    QElapsedTimer back;
    back.start();
    odbc::Environment env;
    auto other = connectTo(env, local);
    other->beginTrans();
    other->execute("SET LOCAL lock_timeout = '10s'");
    EXPECT_THROW(other->execute("INSERT INTO FL1912EDIスケジュールマスタ (センターコード,"
                                "送受信種別,曜日,起動時刻) VALUES ('C17','R','月曜日','09:30')"),
                 odbc::Error);
    other->rollbackTrans();
    EXPECT_LT(back.elapsed(), 5000) << "the other workstation waited " << back.elapsed() << " ms";
    // The same save finds its row instead of writing it twice.
    back.restart();
    restart();
    saveWithYes("09:30");
    EXPECT_EQ(messages, QStringList{"EDIスケジュールマスタが登録されています"});
    EXPECT_LT(back.elapsed(), 15000) << "the save took " << back.elapsed() << " ms";
    EXPECT_EQ(stored("C17", "R"), QStringList{"月曜日|09:30"});
}

TEST_F(DeadLink, AnOpenCodeSearchHoldsNoTransaction) {
    // More centers than the driver reads at once, so the result stays open on the server.
    execOn(local, "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名, 送受信方式, "
                  "RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名) SELECT 'M' || "
                  "lpad(i::text, 5, '0'), 'センター' || i, 'Z', '/r', '/s', '3', 'PC' FROM "
                  "generate_series(1, 500) AS g(i)");
    QString inTransaction;
    long rows = 0;
    focus(f().Center_CD);
    QTimer::singleShot(0, &timers, [&] {
        inTransaction = testsupport::serverQuery(
            "SELECT count(*) FROM pg_stat_activity WHERE state LIKE 'idle in transaction%'");
        odbc::ResultSet& rs = *COMMON_SEARCH_MSTDB::g_SearchRs;
        rs.moveTo(100000); // the rest of the rows still arrive
        rows = rs.fetchedRows();
        QTest::mouseClick(searchDialog().STOP->widget(), Qt::LeftButton);
    });
    key(Qt::Key_F5);
    EXPECT_EQ(inTransaction, "0");
    EXPECT_GT(rows, 500);
}

} // namespace
