// Saving and deleting schedule rows, each in a transaction of the connection.
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/odbc/resultset.h"
#include "platform/vbrt/vbrt.h"
#include "schedule/check_field.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "schedule/keep_entry.h"
#include "shell/guard.h"
#include "shell/workarea.h"
#include <functional>

using namespace workarea;
using database::Sql_Text;
using vbrt::Trim;

namespace common {
namespace {

const QString kUpdateError = QStringLiteral("更新時にｴﾗｰがあった為,ﾃﾞｰﾀの更新は中止しました");
const QString kRegistered = QStringLiteral("EDIスケジュールマスタが登録されています");
const QString kNotRegistered = QStringLiteral("EDIスケジュールマスが登録されていません");

// A time of the fields as the literal of a condition, #HH:MM#.
QString timeLiteral(const QString& time, const QString& pattern) {
    auto value = vbrt::CDate(time);
    return QStringLiteral("#") + (value ? vbrt::Format(*value, pattern) : time) +
           QStringLiteral("#");
}

// A row is filed under its header and its day: without them it would be a row no list shows.
bool keyComplete(const F_M352040& f) {
    return !Trim(f.Center_CD->text()).isEmpty() && !Trim(f.Soujyu->text()).isEmpty() &&
           !Trim(f.YOUBI->text()).isEmpty();
}

} // namespace

Entry keepEntry() {
    const F_M352040& f = frm();
    return {f.YOUBI->listIndex(), f.Jikoku->text(), g_OldYoubi, g_OldJikoku, g_RowSelected};
}

void reloadKeeping(const Entry& e) {
    if (!g_DbConn || g_DbConn->linkLost() || g_DbConn->inTransaction()) return;
    F_M352040& f = frm();
    try {
        Ref_Grid();
    } catch (const std::exception&) {
        // The list stays as it was; the write's own message follows.
    }
    forms::FlexGrid& g = *f.GRID;
    int line = -1;
    for (int r = 1; e.rowSelected == -1 && r < g.rows(); ++r)
        if (Trim(g.textMatrix(r, 1)) == Trim(e.oldDay) && g.textMatrix(r, 2) == e.oldTime) line = r;
    // Moving the current cell from here must not copy a line into the fields.
    const int16_t filled = g_GridFilled;
    g_GridFilled = 0;
    if (line > 0) g.setRow(line);
    Sel_GridRow(line > 0 ? 1 : 0);
    g_GridFilled = filled;
    if (line > 0) {
        g_OldYoubi = e.oldDay;
        g_OldJikoku = e.oldTime;
    }
    f.YOUBI->setListIndex(e.day);
    f.Jikoku->setText(e.time);
}

namespace {

// Called once the transaction is over (the guard has rolled it back): the operator is told
// nothing was changed, or that another workstation saved the same row first (unique key).
void failWrite(int16_t& result, const odbc::Error* error, const Entry& entry) {
    result = 9;
    reloadKeeping(entry);
    if (error && error->sqlState().startsWith(QLatin1String("23")))
        forms::MsgBox(kRegistered, 48);
    else
        forms::MsgBox(kUpdateError, 0);
}

// Whether the row with these four values is in the table, read on a working link (the read
// connects again first; it fails when the link is still lost).
bool rowStored(const QString& center, const QString& kind, const QString& day,
               const QString& time) {
    return Sel_Schedule(center, kind, day, time) == QLatin1String("0");
}

// A commit whose answer was lost: what the table holds decides. Stored as intended: true, the
// write counts as done. Not stored: the update message, the fields kept. Not readable either:
// the database error, which claims neither, and the next write reads the list again; a retry
// of the same save then finds its row and says so, never writing it twice.
bool settleUnknownCommit(int16_t& result, const odbc::CommitUnknown& lost, const Entry& entry,
                         const std::function<bool()>& stored) {
    bool done = false;
    try {
        done = stored();
    } catch (const std::exception&) {
        result = 9;
        shell::reportFailure(lost);
        return false;
    }
    if (done) return true;
    failWrite(result, nullptr, entry);
    return false;
}

} // namespace

QString Sel_Schedule(const QString& center, const QString& kind, const QString& day,
                     const QString& time) {
    g_SQL = QStringLiteral("SELECT *") + QStringLiteral(" FROM FL1912EDIスケジュールマスタ") +
            QStringLiteral(" WHERE センターコード='") + Sql_Text(Trim(center)) +
            QStringLiteral("'") + QStringLiteral(" AND 送受信種別='") + Sql_Text(Trim(kind)) +
            QStringLiteral("'") + QStringLiteral(" AND 曜日='") + Sql_Text(Trim(day)) +
            QStringLiteral("'") + QStringLiteral(" AND 起動時刻=") +
            timeLiteral(time, QStringLiteral("HH:MM"));
    database::RecordSet rs;
    database::Open_RsUpd(rs);
    rs->close();
    return g_RsStatus;
}

void Conf_Update(int16_t& result) {
    const int answer = forms::MsgBox(QStringLiteral("この内容で更新しますか"), 51);
    if (answer == 6) {
        Upd_Schedule(result);
        if (result != 9) {
            Set_Mode(2);
            Ref_Grid();
            frm().YOUBI->setListIndex(0);
        }
        forms::setMousePointer(0);
        return;
    }
    Cancel_Update(int16_t(answer));
    result = 9;
    forms::setMousePointer(0);
}

void Cancel_Update(int16_t answer) {
    F_M352040& f = frm();
    if (answer == 7) {
        Set_Mode(2);
        Sel_GridRow(0);
        Ref_Grid();
        f.YOUBI->setListIndex(0);
        f.YOUBI->setFocus();
    } else if (answer == 2) {
        f.YOUBI->setFocus();
    }
}

void Upd_Schedule(int16_t& result) {
    F_M352040& f = frm();
    forms::setMousePointer(11);
    const Entry entry = keepEntry();
    if (!keyComplete(f)) {
        failWrite(result, nullptr, entry);
        return;
    }
    try {
        odbc::Transaction transaction(*g_DbConn);
        bool lookUp = true;
        if (g_RowSelected == -1 && Trim(g_OldYoubi) == Trim(f.YOUBI->text()) &&
            Trim(g_OldJikoku) == Trim(f.Jikoku->text()))
            lookUp = false; // the key is unchanged
        if (lookUp && Sel_Schedule(f.Center_CD->text(), f.Soujyu->text(), f.YOUBI->text(),
                                   f.Jikoku->text()) == QLatin1String("0")) {
            // Nothing was written; the transaction ends before the message holds the screen.
            transaction.commit();
            result = 9;
            reloadKeeping(entry);
            forms::MsgBox(kRegistered, 48);
            return;
        }
        if (Put_Schedule(g_RowSelected, transaction) == 0) {
            // Another workstation changed or deleted the taken row first: nothing was written.
            result = 9;
            reloadKeeping(entry);
            forms::MsgBox(kNotRegistered, 48);
            return;
        }
    } catch (const odbc::CommitUnknown& e) {
        const QString center = f.Center_CD->text(), kind = f.Soujyu->text();
        const QString day = f.YOUBI->text(), time = f.Jikoku->text();
        settleUnknownCommit(result, e, entry, [&] {
            // An update is in when the new key is there and, where the key changed, the old
            // one is gone.
            const bool moved = entry.rowSelected == -1 && (Trim(entry.oldDay) != Trim(day) ||
                                                           Trim(entry.oldTime) != Trim(time));
            return rowStored(center, kind, day, time) &&
                   !(moved && rowStored(center, kind, entry.oldDay, entry.oldTime));
        });
    } catch (const odbc::Error& e) {
        failWrite(result, &e, entry);
    } catch (const std::exception&) {
        failWrite(result, nullptr, entry);
    }
}

long Put_Schedule(int16_t flag, odbc::Transaction& transaction) {
    F_M352040& f = frm();
    if (flag == 0) {
        g_SQL = QStringLiteral("INSERT INTO FL1912EDIスケジュールマスタ ") +
                QStringLiteral("(センターコード,") + QStringLiteral("送受信種別,") +
                QStringLiteral("曜日,") + QStringLiteral("起動時刻)") +
                QStringLiteral(" VALUES (") + QStringLiteral("'") +
                Sql_Text(Trim(f.Center_CD->text())) + QStringLiteral("',") + QStringLiteral("'") +
                Sql_Text(Trim(f.Soujyu->text())) + QStringLiteral("',") + QStringLiteral("'") +
                Sql_Text(Trim(f.YOUBI->text())) + QStringLiteral("',") + QStringLiteral("'") +
                Sql_Text(f.Jikoku->text()) + QStringLiteral("'") + QStringLiteral(")");
    } else {
        g_SQL = QStringLiteral("UPDATE FL1912EDIスケジュールマスタ ") + QStringLiteral("SET") +
                QStringLiteral(" FL1912EDIスケジュールマスタ.曜日='") +
                Sql_Text(Trim(f.YOUBI->text())) + QStringLiteral("',") +
                QStringLiteral(" FL1912EDIスケジュールマスタ.起動時刻='") +
                Sql_Text(f.Jikoku->text()) + QStringLiteral("'") +
                QStringLiteral(" WHERE FL1912EDIスケジュールマスタ.センターコード='") +
                Sql_Text(Trim(f.Center_CD->text())) + QStringLiteral("'") +
                QStringLiteral(" AND FL1912EDIスケジュールマスタ.送受信種別='") +
                Sql_Text(Trim(f.Soujyu->text())) + QStringLiteral("'") +
                QStringLiteral(" AND FL1912EDIスケジュールマスタ.曜日='") +
                Sql_Text(Trim(g_OldYoubi)) + QStringLiteral("'") +
                QStringLiteral(" AND FL1912EDIスケジュールマスタ.起動時刻=") +
                timeLiteral(g_OldJikoku, QStringLiteral("hh:mm"));
    }
    return database::Exec_SqlCommit(transaction);
}

void Del_Schedule(int16_t& result) {
    F_M352040& f = frm();
    auto reloadList = [&f] {
        Sel_GridRow(0);
        Ref_Grid();
        f.YOUBI->setListIndex(0);
        Set_Mode(2);
    };
    const Entry entry = keepEntry();
    bool deleted = false;
    try {
        if (Sel_Schedule(f.Center_CD->text(), f.Soujyu->text(), f.YOUBI->text(),
                         f.Jikoku->text()) == QLatin1String("9")) {
            result = 9;
            reloadKeeping(entry);
            forms::MsgBox(kNotRegistered, 48);
            return;
        }
        if (forms::MsgBox(QStringLiteral("削除してよろしいですか"), 49) != 1) {
            reloadList();
            return;
        }
        odbc::Transaction transaction(*g_DbConn);
        g_SQL = QStringLiteral("delete ") + QStringLiteral(" FROM FL1912EDIスケジュールマスタ") +
                QStringLiteral(" WHERE センターコード='") + Sql_Text(Trim(f.Center_CD->text())) +
                QStringLiteral("'") + QStringLiteral(" AND 送受信種別='") +
                Sql_Text(Trim(f.Soujyu->text())) + QStringLiteral("'") +
                QStringLiteral(" AND 曜日='") + Sql_Text(Trim(f.YOUBI->text())) +
                QStringLiteral("'") + QStringLiteral(" AND 起動時刻=") +
                timeLiteral(f.Jikoku->text(), QStringLiteral("HH:MM"));
        if (database::Exec_SqlCommit(transaction) == 0) {
            // The row went between the look-up and the statement: nothing was deleted.
            result = 9;
            forms::MsgBox(kNotRegistered, 48);
            reloadList();
            return;
        }
        deleted = true;
    } catch (const odbc::CommitUnknown& e) {
        deleted = settleUnknownCommit(result, e, entry, [&] {
            return !rowStored(f.Center_CD->text(), f.Soujyu->text(), f.YOUBI->text(),
                              f.Jikoku->text());
        });
    } catch (const odbc::Error& e) {
        failWrite(result, &e, entry);
    } catch (const std::exception&) {
        failWrite(result, nullptr, entry);
    }
    if (!deleted) return;
    // The list is read once the outcome is known; a read that fails then does not undo it.
    try {
        reloadList();
    } catch (const std::exception& e) {
        shell::reportFailure(e);
    }
}

} // namespace common
