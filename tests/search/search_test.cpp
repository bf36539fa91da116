// The code search: each kind's statement and result, and the dialog under keys and clicks.
#include "platform/forms/datagrid.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/odbc/resultset.h"
#include "search/common_search_mstdb.h"
#include "search/search_mstdb.h"
#include "shell/workarea.h"
#include "support/app/schedule_fixture.h"
#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>

using namespace COMMON_SEARCH_MSTDB;
using workarea::g_SQL;

namespace {

class Search : public ScheduleScreen {
protected:
    // Rows of the open search result, "col0|col1|...".
    QStringList resultRows() {
        QStringList rows;
        odbc::ResultSet& rs = *g_SearchRs;
        for (; !rs.eof(); rs.moveNext()) {
            QStringList cols;
            for (int c = 0; c < rs.columnCount(); ++c)
                cols << rs.value(c).value_or("<null>");
            rows << cols.join('|');
        }
        return rows;
    }
    // Runs `inDialog` once the dialog's modal loop is running, then presses F5 in Center_CD.
    void whileShown(const std::function<void(SEARCH_MSTDB&)>& inDialog) {
        shown = false;
        focus(f().Center_CD);
        // Queued after the focus change, so it runs inside the dialog's own loop.
        QTimer::singleShot(0, &timers, [this, inDialog] {
            shown = searchDialog().isShown();
            inDialog(searchDialog());
        });
        key(Qt::Key_F5);
    }
    QPoint cell(SEARCH_MSTDB& d, int row, int col) {
        QTableView* v = d.GRID->view();
        return v->visualRect(v->model()->index(row, col)).center();
    }
    bool shown = false;
    // Owns the timers of a test: a timer whose dialog never opened dies with the test.
    QObject timers;
};

TEST_F(Search, MessageGroupsWithAndWithoutKey) {
    onEachDatabase([&](const TestDb&) {
        Srch_MsgGroup("   ");
        EXPECT_EQ(g_SQL, "SELECT 相手先コード as 受注者コード,自社コード as 発注者コード,情報区分"
                         " FROM FL1916メッセージグループ情報マスタ");
        EXPECT_EQ(resultRows().size(), 4);
        Srch_MsgGroup("A01");
        EXPECT_EQ(g_SQL, "SELECT 相手先コード as 受注者コード,自社コード as 発注者コード,情報区分"
                         " FROM FL1916メッセージグループ情報マスタ where 相手先コード = 'A01'");
        QStringList rows = resultRows();
        rows.sort();
        EXPECT_EQ(rows, (QStringList{"A01|S01|01", "A01|S02|02"}));
        EXPECT_EQ(g_SearchWidth, (std::array<int16_t, 7>{2000, 2000, 2000, 0, 0, 0, 0}));
        EXPECT_EQ(searchDialog().caption(), "□□ 検索 □□");
    });
}

TEST_F(Search, ControlMasterAlwaysCarriesBothConditions) {
    onEachDatabase([&](const TestDb&) {
        Srch_EdiCtl("", "");
        EXPECT_TRUE(g_SQL.endsWith(" WHERE FL1903EDI制御マスタ.実行端末名 = ''  AND "
                                   "相手先種別マスタ.区分コード = '' "));
        EXPECT_TRUE(resultRows().isEmpty());
        Srch_EdiCtl("3", "EDI-PC01");
        EXPECT_EQ(
            g_SQL,
            "SELECT センターコード, センター名, 相手先種別マスタ.区分名称 as 相手先種別, "
            "送受信方式マスタ.区分名称 as 送受信方式, RLY受信ファイルパス, 実行端末名 FROM "
            "((FL1903EDI制御マスタ LEFT JOIN 区分マスタ AS 相手先種別マスタ  ON "
            "(相手先種別マスタ.区分コード = FL1903EDI制御マスタ.相手先種別  AND "
            "相手先種別マスタ.区分 = '相手先種別' )) LEFT JOIN 区分マスタ AS 送受信方式マスタ  "
            "ON (送受信方式マスタ.区分コード = FL1903EDI制御マスタ.送受信方式  AND "
            "送受信方式マスタ.区分 = '送受信方式' )) WHERE FL1903EDI制御マスタ.実行端末名 = "
            "'EDI-PC01'  AND 相手先種別マスタ.区分コード = '3' ");
        const QStringList rows = resultRows();
        EXPECT_EQ(rows.size(), 7);
        EXPECT_TRUE(
            rows.contains("C01|東京物流センター|物流センター|RLY|/edi/rly/c01/recv|EDI-PC01"));
        EXPECT_EQ(g_SearchWidth, (std::array<int16_t, 7>{1800, 2000, 1400, 1400, 3000, 2000, 0}));
        EXPECT_NEAR(searchDialog().formWidth(), 12500, 14); // whole pixels
        EXPECT_EQ(searchDialog().GRID->width(), 12000);
    });
}

TEST_F(Search, CentersFormatsAndItems) {
    onEachDatabase([&](const TestDb&) {
        Srch_Center();
        EXPECT_EQ(g_SQL, "SELECT センターコード,センター名 FROM FL1903EDI制御マスタ");
        EXPECT_EQ(resultRows().size(), 20);
        EXPECT_NEAR(searchDialog().formWidth(), 7800, 14);
        EXPECT_EQ(searchDialog().GRID->width(), 7400);
        Srch_Format("");
        EXPECT_EQ(g_SQL, "SELECT DISTINCT 情報区分コード,BPID FROM FL1902フォーマット情報マスタ"
                         " order by 情報区分コード,BPID");
        EXPECT_EQ(resultRows(), (QStringList{"01|BP0001", "01|BP0002", "02|BP0001", "03|BP0003"}));
        EXPECT_NEAR(searchDialog().formWidth(), 6200, 14);
        EXPECT_EQ(searchDialog().GRID->width(), 5500);
        Srch_Format(" "); // a blank key is still a key for this kind
        EXPECT_TRUE(g_SQL.contains(" WHERE 情報区分コード=' '"));
        EXPECT_TRUE(resultRows().isEmpty());
        Srch_Item();
        EXPECT_EQ(g_SQL, "SELECT 項目No,データ項目名 FROM FL1901項目情報マスタ");
        EXPECT_EQ(resultRows().size(), 5);
        EXPECT_EQ(g_SearchWidth, (std::array<int16_t, 7>{2000, 3000, 0, 0, 0, 0, 0}));
        EXPECT_EQ(searchDialog().GRID->width(), 5050);
    });
}

TEST_F(Search, NoRowsSaysSoWithoutTheDialog) {
    onEachDatabase([&](const TestDb& db) {
        execOn(db, "DELETE FROM FL1903EDI制御マスタ");
        f().Center_CD->setText("C01");
        whileShown([&](SEARCH_MSTDB& d) { d.unload(1); });
        EXPECT_FALSE(shown);
        EXPECT_EQ(messages, QStringList{"検索データが有りません"});
        EXPECT_EQ(styles.back(), 0);
        EXPECT_EQ(f().Center_CD->text(), "C01");
    });
}

TEST_F(Search, DoubleClickOnTheSecondRowPicksIt) {
    onEachDatabase([&](const TestDb&) {
        QString code, name;
        whileShown([&](SEARCH_MSTDB& d) {
            QAbstractItemModel* m = d.GRID->view()->model();
            EXPECT_EQ(m->columnCount(), 2);
            EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), "センターコード");
            EXPECT_EQ(d.GRID->columnCaption(1), "センター名");
            EXPECT_EQ(d.GRID->columnWidth(0), 2000);
            EXPECT_EQ(d.GRID->columnWidth(1), 5000);
            code = m->index(1, 0).data().toString().trimmed();
            name = m->index(1, 1).data().toString().trimmed();
            QTest::mouseClick(d.GRID->view()->viewport(), Qt::LeftButton, {}, cell(d, 1, 0));
            QTest::mouseDClick(d.GRID->view()->viewport(), Qt::LeftButton, {}, cell(d, 1, 0));
        });
        EXPECT_TRUE(shown);
        EXPECT_FALSE(code.isEmpty());
        EXPECT_EQ(f().Center_CD->text(), code);
        EXPECT_EQ(f().SEARCH_KBN->caption(), name);
        EXPECT_FALSE(searchDialog().isShown());
        EXPECT_EQ(g_SearchRs, nullptr);
        EXPECT_EQ(f().lbl_Center_CD->caption(), ""); // the check runs on the next Enter
        key(Qt::Key_Return);
        EXPECT_EQ(f().lbl_Center_CD->caption(), name);
    });
}

TEST_F(Search, EnterReleasedInTheGridPicksTheCurrentRow) {
    onEachDatabase([&](const TestDb&) {
        QString code;
        whileShown([&](SEARCH_MSTDB& d) {
            d.GRID->view()->setFocus();
            QTest::keyClick(d.GRID->view(), Qt::Key_Down);
            QTest::keyClick(d.GRID->view(), Qt::Key_Down);
            code = d.GRID->view()->model()->index(d.GRID->row(), 0).data().toString().trimmed();
            QTest::keyClick(d.GRID->view(), Qt::Key_Return);
        });
        EXPECT_EQ(f().Center_CD->text(), code);
        EXPECT_FALSE(searchDialog().isShown());
    });
}

TEST_F(Search, EscEmptiesTheCodeAndStopLeavesIt) {
    onEachDatabase([&](const TestDb&) {
        f().Center_CD->setText("C05");
        whileShown([&](SEARCH_MSTDB& d) {
            d.GRID->view()->setFocus();
            QTest::keyClick(d.GRID->view(), Qt::Key_Escape);
        });
        EXPECT_EQ(f().Center_CD->text(), "");
        EXPECT_FALSE(searchDialog().isShown());
        EXPECT_EQ(searchDialog().RS->connectionString(), "");
        f().Center_CD->setText("C05");
        whileShown([&](SEARCH_MSTDB& d) { QTest::mouseClick(d.STOP->widget(), Qt::LeftButton); });
        EXPECT_TRUE(shown);
        EXPECT_EQ(f().Center_CD->text(), "C05");
        EXPECT_FALSE(searchDialog().isShown());
    });
}

// The dialog's keys act on Esc only, so Enter reaches the focused button.
TEST_F(Search, EnterOnAFocusedButtonPressesIt) {
    onEachDatabase([&](const TestDb&) {
        QString code;
        whileShown([&](SEARCH_MSTDB& d) {
            d.GRID->setRow(2);
            code = d.GRID->view()->model()->index(2, 0).data().toString().trimmed();
            d.SELECT->setFocus();
            QTest::keyClick(d.SELECT->widget(), Qt::Key_Return);
        });
        EXPECT_FALSE(code.isEmpty());
        EXPECT_EQ(f().Center_CD->text(), code);
        f().Center_CD->setText("C05");
        whileShown([&](SEARCH_MSTDB& d) {
            d.STOP->setFocus();
            QTest::keyClick(d.STOP->widget(), Qt::Key_Return);
        });
        EXPECT_TRUE(shown);
        EXPECT_EQ(f().Center_CD->text(), "C05");
        EXPECT_FALSE(searchDialog().isShown());
    });
}

// A kind's widths do not outlive the dialog: it comes back at its design widths.
TEST_F(Search, AnUnloadedDialogHasItsDesignWidths) {
    onEachDatabase([&](const TestDb&) {
        int widened = 0;
        whileShown([&](SEARCH_MSTDB& d) {
            widened = d.GRID->width();
            QTest::mouseClick(d.STOP->widget(), Qt::LeftButton);
        });
        EXPECT_EQ(widened, 7400);
        EXPECT_EQ(searchDialog().geometry().width(), forms::twipsToPixels(6465));
        EXPECT_EQ(searchDialog().GRID->width(), 6240);
    });
}

TEST_F(Search, MessageGroupPickNeverWritesTheFirstTarget) {
    onEachDatabase([&](const TestDb&) {
        forms::TextBox* first = f().Center_CD;
        first->setText("KEEP");
        QTimer::singleShot(0, &timers, [&] {
            QTest::mouseClick(searchDialog().SELECT->widget(), Qt::LeftButton);
        });
        Search_MstDb(0, first, "A01", "", f().SEARCH_KBN, f().lbl_Soujyu, f().lbl_Center_CD);
        EXPECT_EQ(first->text(), "KEEP");
        EXPECT_EQ(f().SEARCH_KBN->caption(), "A01");
        EXPECT_FALSE(f().lbl_Soujyu->caption().isEmpty());
        QTimer::singleShot(0, &timers,
                           [&] { QTest::keyClick(searchDialog().GRID->view(), Qt::Key_Escape); });
        Search_MstDb(0, first, "A01", "", f().SEARCH_KBN, nullptr, nullptr);
        EXPECT_EQ(first->text(), "");
    });
}

TEST_F(Search, DatabaseErrorKeepsTheScreenUsable) {
    onEachDatabase([&](const TestDb& db) {
        execOn(db, "DROP TABLE FL1903EDI制御マスタ");
        whileShown([&](SEARCH_MSTDB& d) { d.unload(1); });
        EXPECT_FALSE(shown);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages[0].startsWith("データベースの処理でエラーが発生しました"));
        EXPECT_EQ(endStatus, -1);
        EXPECT_EQ(active(), f().Center_CD);
    });
}

} // namespace

namespace {

// PostgreSQL returns folded names (bpid, 項目no); the headings keep the statement's spelling.
TEST_F(Search, HeadingsAreSpelledAsInTheStatement) {
    onEachDatabase([&](const TestDb&) {
        QStringList headings;
        QTimer::singleShot(0, &timers, [&] {
            SEARCH_MSTDB& d = searchDialog();
            for (int i = 0; i < d.GRID->columnCount(); ++i)
                headings << d.GRID->columnCaption(i);
            QTest::mouseClick(d.STOP->widget(), Qt::LeftButton);
        });
        Search_MstDb(3, f().Center_CD, "", "", f().SEARCH_KBN, f().SEARCH_KBN, nullptr);
        EXPECT_EQ(headings, (QStringList{"情報区分コード", "BPID"}));
        QTimer::singleShot(0, &timers, [&] {
            SEARCH_MSTDB& d = searchDialog();
            headings = {d.GRID->columnCaption(0), d.GRID->columnCaption(1)};
            QTest::mouseClick(d.STOP->widget(), Qt::LeftButton);
        });
        Search_MstDb(4, f().Center_CD, "", "", f().SEARCH_KBN, f().SEARCH_KBN, nullptr);
        EXPECT_EQ(headings, (QStringList{"項目No", "データ項目名"}));
    });
}

} // namespace
