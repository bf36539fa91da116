// Text that is SQL in disguise, pasted into the center code or stored as a center code, is only
// ever a value: looked up as exactly that text, written and deleted as that text, on every
// database.
#include "input/manage.h"
#include "platform/forms/datagrid.h"
#include "platform/odbc/connection.h"
#include "platform/odbc/resultset.h"
#include "search/search_mstdb.h"
#include "shell/database.h"
#include "support/app/schedule_fixture.h"
#include <QAbstractItemModel>
#include <QTableView>
#include <QTimer>

namespace {

const QString kUnknown = "EDI制御マスタが登録されていません";

// Each value, and the same characters repeated to the code's 12 characters.
QStringList hostileValues() {
    const QString nul = QStringLiteral("Z") + QChar(0);
    QStringList values;
    for (const QString& v :
         {QString("'"), QString("''"), QString("\\"), QString("\\'"), QString("\\' OR 1=1#"),
          QString("' OR '1'='1"), QString("--"), QString(";"), QString("%"), QString("_"), nul,
          QString("ｶﾅｾﾝﾀｰ"), QString("𠮷")}) {
        values << v;
        const qsizetype chars = v.toUcs4().size();
        values << v.repeated((12 + chars - 1) / chars).left(12 * v.size() / chars);
    }
    values.removeDuplicates();
    return values;
}

class HostileValues : public ScheduleScreen {
protected:
    // Every row of the schedule table, sorted.
    QStringList allRows() const {
        odbc::Environment env;
        auto c = connectTo(env, db);
        auto rs = c->openResultSet("SELECT センターコード, 送受信種別, 曜日, 起動時刻"
                                   " FROM FL1912EDIスケジュールマスタ",
                                   odbc::CursorType::ForwardOnly, odbc::Concurrency::ReadOnly);
        QStringList rows;
        for (; !rs->eof(); rs->moveNext())
            rows << QStringList{*rs->value(0), *rs->value(1), *rs->value(2), *rs->value(3)}.join(
                "|");
        rows.sort();
        return rows;
    }
    // F5 in the center code, then Enter on the search's line of `code`; false when the search
    // did not list it.
    bool pickInSearch(const QString& code) {
        bool listed = false;
        focus(f().Center_CD);
        QTimer::singleShot(0, &timers, [&] {
            SEARCH_MSTDB& d = searchDialog();
            QAbstractItemModel* m = d.GRID->view()->model();
            while (m->canFetchMore({})) // the grid reads its lines as they are shown
                m->fetchMore({});
            for (int r = 0; r < m->rowCount() && !listed; ++r)
                if (m->index(r, 0).data().toString() == code) {
                    listed = true;
                    d.GRID->setRow(r);
                }
            d.GRID->view()->setFocus();
            QTest::keyClick(d.GRID->view(), listed ? Qt::Key_Return : Qt::Key_Escape);
        });
        key(Qt::Key_F5);
        return listed;
    }
    QObject timers;
};

TEST_F(HostileValues, AreLookedUpWrittenAndDeletedAsExactlyThatText) {
    const QStringList values = hostileValues();
    onEachDatabase([&](const TestDb& testDb) {
        const QStringList before = allRows();
        // Unknown: each is refused, and nothing is listed or changed.
        for (const QString& v : values) {
            SCOPED_TRACE(v.toStdString());
            messages.clear();
            focus(f().Center_CD);
            f().Center_CD->setText(v);
            key(Qt::Key_Return);
            EXPECT_EQ(messages, QStringList{kUnknown});
            EXPECT_EQ(f().lbl_Center_CD->caption(), "");
            EXPECT_EQ(common::g_Mode, "HEAD");
            if (v.contains(QChar(0))) { // a text box holds no NUL
                EXPECT_EQ(f().Center_CD->text(), QString(v).remove(QChar(0)));
            }
        }
        EXPECT_EQ(allRows(), before);

        // Stored as center codes (as the text box holds them, within the code's 12 bytes):
        // the search lists each, and each is found, written and deleted as itself.
        QStringList stored;
        for (const QString& v : values) {
            const QString code = QString(v).remove(QChar(0));
            if (manage::Get_ByteLen(code) > 12 || stored.contains(code)) continue;
            execOn(testDb,
                   "INSERT INTO FL1903EDI制御マスタ (センターコード, センター名) VALUES ('" +
                       database::Sql_Text(code) + "', '名" + QString::number(stored.size()) + "')");
            stored << code;
        }
        ASSERT_GE(stored.size(), 20);
        for (int i = 0; i < stored.size(); ++i) {
            const QString& code = stored[i];
            SCOPED_TRACE(code.toStdString());
            messages.clear();
            ASSERT_TRUE(pickInSearch(code));
            ASSERT_EQ(f().Center_CD->text(), code);
            key(Qt::Key_Return);
            ASSERT_EQ(f().lbl_Center_CD->caption(), "名" + QString::number(i));
            f().Soujyu->setText("");
            type("R");
            ASSERT_EQ(common::g_Mode, "BODY");
            EXPECT_TRUE(f().GRID->textMatrix(1, 1).isEmpty()); // no other center's rows
            focus(f().Jikoku);
            f().Jikoku->setText("09:30");
            answers = {6};
            key(Qt::Key_Return);
            QStringList saved = before;
            saved << code + "|R|月曜日|09:30:00";
            saved.sort();
            EXPECT_EQ(allRows(), saved);
            f().Jikoku->setText("09:30");
            answers = {1};
            QTest::mouseClick(f().Cmd_sakujyo->widget(), Qt::LeftButton);
            EXPECT_EQ(allRows(), before);
            EXPECT_EQ(messages, (QStringList{"この内容で更新しますか", "削除してよろしいですか"}));
            common::Set_Mode(1); // back to the header for the next code
        }
    });
}

} // namespace
