// Checks of the header fields and the start time, and the header labels.
#include "schedule/check_field.h"
#include "input/manage.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/resultset.h"
#include "platform/vbrt/vbrt.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "shell/default_property.h"
#include "shell/workarea.h"
#include <QDate>
#include <optional>

using namespace workarea;
using database::Sql_Text;
using vbrt::Trim;

namespace check_field {
namespace {

void warn(const char* message) {
    forms::MsgBox(QString::fromUtf8(message), 48);
}

bool pathMissing(const std::optional<QString>& path) {
    return !path || Trim(*path).isEmpty();
}

} // namespace

void Set_Header() {
    F_M352040& f = frm();
    f.lbl_OP_CD->setCaption(g_OperatorCode);
    f.lbl_OP_NM->setCaption(g_OperatorName);
    f.lbl_HIDUKE->setCaption(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd")));
    f.lbl_PGID->setCaption(F_M352040::kScreenId);
    f.lbl_OPCD->setCaption(QStringLiteral("ｵﾍﾟﾚｰﾀｺｰﾄﾞ"));
}

void Chk_Center(int16_t& result) {
    F_M352040& f = frm();
    f.lbl_Center_CD->setCaption(QString());
    if (Trim(f.Center_CD->text()).isEmpty()) {
        warn("センターコードが入力されていません");
        result = 9;
        return;
    }
    g_SQL = QStringLiteral("SELECT ") + QStringLiteral(" センター名") +
            QStringLiteral(" FROM FL1903EDI制御マスタ ") +
            QStringLiteral(" WHERE センターコード = '") + Sql_Text(Trim(f.Center_CD->text())) +
            QStringLiteral("'");
    database::RecordSet rs;
    database::Open_RsRead(rs);
    if (rs->eof()) {
        warn("EDI制御マスタが登録されていません");
        result = 9;
    } else {
        f.lbl_Center_CD->setCaption(
            manage::Nz_Trim(rs->value(QStringLiteral("センター名")), QStringLiteral(" ")));
        result = 0;
    }
    rs->close();
}

namespace {

QString ediCtlSql() {
    return QStringLiteral("SELECT ") + QStringLiteral(" FL1903EDI制御マスタ.送受信方式,") +
           QStringLiteral(" FL1903EDI制御マスタ.RLY受信ファイルパス,") +
           QStringLiteral(" FL1903EDI制御マスタ.RLY送信ファイルパス") +
           QStringLiteral(" FROM FL1903EDI制御マスタ") +
           QStringLiteral(" WHERE センターコード = '") + Sql_Text(Trim(frm().Center_CD->text())) +
           QStringLiteral("'");
}

QString scheduleSql() {
    F_M352040& f = frm();
    return QStringLiteral("SELECT ") + QStringLiteral(" FL1912EDIスケジュールマスタ.曜日,") +
           QStringLiteral(" FL1912EDIスケジュールマスタ.起動時刻") +
           QStringLiteral(" FROM FL1912EDIスケジュールマスタ") +
           QStringLiteral(" LEFT JOIN 区分マスタ ") +
           QStringLiteral(" ON (FL1912EDIスケジュールマスタ.曜日 = 区分マスタ.区分名称") +
           QStringLiteral(" AND 区分マスタ.区分 = '") + Trim(common::kYoubiKind) +
           QStringLiteral("')") +
           QStringLiteral(" WHERE FL1912EDIスケジュールマスタ.センターコード = '") +
           Sql_Text(Trim(f.Center_CD->text())) + QStringLiteral("'") +
           QStringLiteral(" AND FL1912EDIスケジュールマスタ.送受信種別 = '") +
           Sql_Text(Trim(f.Soujyu->text())) + QStringLiteral("'") +
           QStringLiteral(" ORDER BY 区分マスタ.区分コード,") +
           QStringLiteral(" FL1912EDIスケジュールマスタ.起動時刻");
}

} // namespace

void Get_EdiCtl(database::RecordSet& rs) {
    g_SQL = ediCtlSql();
    database::Open_RsRead(rs);
}

void Chk_Soujyu(int16_t& result) {
    F_M352040& f = frm();
    if (Trim(f.Soujyu->text()).isEmpty()) {
        warn("送受信種別が入力されていません");
        result = 9;
        return;
    }
    // The kind's name, the center's transfer paths and the list: each read decides whether the
    // next is needed, and all three go to the server at once.
    std::optional<database::ReadAhead> ahead;
    if (!Trim(f.Center_CD->text()).isEmpty())
        ahead.emplace(QStringList{
            database::KbnNameSql(QStringLiteral("送受信種別"), shell::defaultText(f.Soujyu)),
            ediCtlSql(), scheduleSql()});
    database::Set_KbnName(QStringLiteral("送受信種別"), f.Soujyu, f.lbl_Soujyu, result);
    if (result == 9) return;
    if (Trim(f.Center_CD->text()).isEmpty()) {
        warn("センターコードが入力されていません");
        result = 9;
        return;
    }
    database::RecordSet rs;
    Get_EdiCtl(rs);
    if (g_RsStatus == QLatin1String("9")) {
        warn("該当データがありません");
        result = 9;
        return;
    }
    // The path rule binds only centers that transfer through RLY. The result is closed before
    // a message holds the screen: an open cursor keeps a transaction open on the server.
    const bool rly = rs->value(QStringLiteral("送受信方式")) == QStringLiteral("Z");
    const bool receivePathMissing = pathMissing(rs->value(QStringLiteral("RLY受信ファイルパス")));
    const bool sendPathMissing = pathMissing(rs->value(QStringLiteral("RLY送信ファイルパス")));
    rs->close();
    if (rly) {
        const QString kind = Trim(f.Soujyu->text());
        if (receivePathMissing) {
            if (kind == QLatin1String("R")) {
                warn("EDI制御マスタにRLY受信情報が登録されていません");
                result = 9;
                return;
            }
        } else if (sendPathMissing) {
            if (kind == QLatin1String("S")) {
                warn("EDI制御マスタにRLY送信情報が登録されていません");
                result = 9;
                return;
            }
        }
    }
    Get_Schedule(rs);
    if (g_RsStatus != QLatin1String("9")) {
        common::g_RowSelected = -1;
        common::Set_Grid(rs);
        common::Get_FirstRow();
        common::Sel_GridRow(1);
        common::Set_Mode(2);
        f.YOUBI->setFocus();
        result = 9;
        return;
    }
    rs->close();
    common::g_RowSelected = 0;
    common::Set_Mode(2);
}

void Chk_Jikoku(int16_t& result) {
    F_M352040& f = frm();
    result = 0;
    if (Trim(f.Jikoku->text()).isEmpty()) {
        warn("起動時刻が入力されていません");
        result = 9;
        return;
    }
    if (vbrt::IsDate(f.Jikoku->text())) {
        // A time typed in date form becomes digits, which the last test then refuses.
        f.Jikoku->setText(QString(f.Jikoku->text()).remove(QLatin1Char('/')));
        const QString h = vbrt::Format(f.Jikoku->text(), QStringLiteral("HH:MM"));
        if (h < QLatin1String("00:00") || h > QLatin1String("23:59")) {
            warn("入力範囲0:00～23:59を超えています");
            result = 9;
            return;
        }
    }
    if (!vbrt::IsDate(f.Jikoku->text())) {
        warn("時刻が不正です");
        result = 9;
    }
}

void Get_Schedule(database::RecordSet& rs) {
    g_SQL = scheduleSql();
    database::Open_RsRead(rs);
}

} // namespace check_field
