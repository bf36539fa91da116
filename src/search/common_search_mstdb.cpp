#include "search/common_search_mstdb.h"
#include "platform/forms/runtime.h"
#include "platform/odbc/connection.h"
#include "platform/odbc/resultset.h"
#include "platform/vbrt/vbrt.h"
#include "search/search_mstdb.h"
#include "shell/appearance.h"
#include "shell/default_property.h"
#include "shell/workarea.h"

using namespace workarea;
using database::Sql_Text;

namespace COMMON_SEARCH_MSTDB {

int16_t g_SearchKind = 0;
database::RecordSet g_SearchRs;
std::array<int16_t, 7> g_SearchWidth{};
forms::Control* g_SearchTarget1 = nullptr;
forms::Control* g_SearchTarget2 = nullptr;
forms::Control* g_SearchTarget3 = nullptr;
forms::Control* g_SearchTarget4 = nullptr;

namespace {

const QString kCaption = QStringLiteral("□□ 検索 □□");

int g_dialogWidth = 0; // the outer width the kind asked for; 0 keeps the design's client width

// Caption, the open, and the widths: the steps every builder ends with.
void finish(std::array<int16_t, 7> widths, int dialogWidth = 0, int gridWidth = 0) {
    SEARCH_MSTDB& dlg = searchDialog();
    dlg.setCaption(kCaption);
    database::Open_AdoRs(g_SearchRs);
    g_SearchWidth = widths;
    g_dialogWidth = dialogWidth;
    if (dialogWidth > 0) dlg.moveTwips(dlg.left(), dlg.top(), dialogWidth, dlg.formHeight());
    if (gridWidth > 0)
        dlg.GRID->move(dlg.GRID->left(), dlg.GRID->top(), gridWidth, dlg.GRID->height());
}

// The column's name as the statement spells it: a server may fold the names it returns
// (PostgreSQL gives "bpid" for BPID), and the grid is headed by the names.
QString spelledAsInStatement(const QString& name) {
    const qsizetype at = g_SQL.indexOf(name, 0, Qt::CaseInsensitive);
    return at < 0 ? name : g_SQL.mid(at, name.size());
}

void write(forms::Control* target, int column) {
    if (!target) return;
    shell::setDefaultText(target, vbrt::Trim(g_SearchRs->value(column).value_or(QString())));
}

// The outer frame is centred on the screen, at the kind's width. The frame is known only once
// the window is on the screen, so the dialog is placed again just before it is first painted.
void placeDialog(SEARCH_MSTDB& dlg) {
    const int width = g_dialogWidth > 0 ? g_dialogWidth : dlg.formWidth();
    const auto pos = appearance::centredPosition(
        forms::screenWidthTwips(), forms::screenHeightTwips(), width, dlg.formHeight());
    dlg.moveTwips(pos.left, pos.top, width, dlg.formHeight());
}

} // namespace

void Srch_MsgGroup(const QString& key1) {
    g_SQL =
        QStringLiteral("SELECT 相手先コード as 受注者コード,自社コード as 発注者コード,情報区分") +
        QStringLiteral(" FROM FL1916メッセージグループ情報マスタ");
    if (!vbrt::Trim(key1).isEmpty())
        g_SQL += QStringLiteral(" where 相手先コード = '") + Sql_Text(key1) + QStringLiteral("'");
    finish({2000, 2000, 2000, 0, 0, 0, 0});
}

void Srch_EdiCtl(const QString& key1, const QString& key2) {
    g_SQL = QStringLiteral("SELECT センターコード,") + QStringLiteral(" センター名,") +
            QStringLiteral(" 相手先種別マスタ.区分名称 as 相手先種別,") +
            QStringLiteral(" 送受信方式マスタ.区分名称 as 送受信方式,") +
            QStringLiteral(" RLY受信ファイルパス,") + QStringLiteral(" 実行端末名") +
            QStringLiteral(" FROM ((FL1903EDI制御マスタ") +
            QStringLiteral(" LEFT JOIN 区分マスタ AS 相手先種別マスタ ") +
            QStringLiteral(" ON (相手先種別マスタ.区分コード = FL1903EDI制御マスタ.相手先種別 ") +
            QStringLiteral(" AND 相手先種別マスタ.区分 = '") + QStringLiteral("相手先種別") +
            QStringLiteral("' ))") + QStringLiteral(" LEFT JOIN 区分マスタ AS 送受信方式マスタ ") +
            QStringLiteral(" ON (送受信方式マスタ.区分コード = FL1903EDI制御マスタ.送受信方式 ") +
            QStringLiteral(" AND 送受信方式マスタ.区分 = '") + QStringLiteral("送受信方式") +
            QStringLiteral("' ))") + QStringLiteral(" WHERE FL1903EDI制御マスタ.実行端末名 = '") +
            Sql_Text(key2) + QStringLiteral("' ") +
            QStringLiteral(" AND 相手先種別マスタ.区分コード = '") + Sql_Text(key1) +
            QStringLiteral("' ");
    finish({1800, 2000, 1400, 1400, 3000, 2000, 0}, 12500, 12000);
}

void Srch_Center() {
    g_SQL = QStringLiteral("SELECT センターコード,センター名") +
            QStringLiteral(" FROM FL1903EDI制御マスタ");
    finish({2000, 5000, 0, 0, 0, 0, 0}, 7800, 7400);
}

void Srch_Format(const QString& key1) {
    g_SQL = QStringLiteral("SELECT DISTINCT 情報区分コード,BPID") +
            QStringLiteral(" FROM FL1902フォーマット情報マスタ");
    if (!key1.isEmpty())
        g_SQL += QStringLiteral(" WHERE 情報区分コード='") + Sql_Text(key1) + QStringLiteral("'");
    g_SQL += QStringLiteral(" order by 情報区分コード,BPID");
    finish({2500, 3000, 0, 0, 0, 0, 0}, 6200, 5500);
}

void Srch_Item() {
    g_SQL =
        QStringLiteral("SELECT 項目No,データ項目名") + QStringLiteral(" FROM FL1901項目情報マスタ");
    finish({2000, 3000, 0, 0, 0, 0, 0}, 6200, 5050);
}

void Search_MstDb(int16_t kind, forms::Control* target1, const QString& key1, const QString& key2,
                  forms::Control* target2, forms::Control* target3, forms::Control* target4) {
    g_SearchKind = kind;
    g_SearchTarget1 = target1;
    g_SearchTarget2 = target2;
    g_SearchTarget3 = target3;
    g_SearchTarget4 = target4;
    SEARCH_MSTDB& dlg = searchDialog();
    dlg.load();
    dlg.RS->setConnectionString(g_ConnStr);
    switch (kind) {
    case 0:
        Srch_MsgGroup(key1);
        break;
    case 1:
        Srch_EdiCtl(key1, key2);
        break;
    case 2:
        Srch_Center();
        break;
    case 3:
        Srch_Format(key1);
        break;
    case 4:
        Srch_Item();
        break;
    default:
        return;
    }
    if (g_SearchRs->eof()) {
        g_SearchRs.reset();
        forms::MsgBox(QStringLiteral("検索データが有りません"), 0);
        return;
    }
    dlg.GRID->setDataSource(g_SearchRs.get());
    for (int i = 0; i < dlg.GRID->columnCount(); ++i)
        dlg.GRID->setColumnCaption(i, spelledAsInStatement(g_SearchRs->columnName(i)));
    for (int i = 0; i < 7; ++i)
        if (g_SearchWidth[i] != 0 && i < dlg.GRID->columnCount())
            dlg.GRID->setColumnWidth(i, g_SearchWidth[i]);
    placeDialog(dlg);
    dlg.beforeFirstPaint([&dlg] { placeDialog(dlg); });
    dlg.showModal();
    // Picked or cancelled, the result keeps no cursor, lock or transaction of the server.
    if (g_SearchRs) {
        dlg.GRID->setDataSource(nullptr);
        g_SearchRs.reset();
    }
}

void Set_SearchResult() {
    if (!g_SearchRs) return;
    switch (g_SearchKind) {
    case 0:
        write(g_SearchTarget2, 0);
        write(g_SearchTarget3, 1);
        write(g_SearchTarget4, 2);
        break;
    case 1:
    case 2:
        write(g_SearchTarget1, 0);
        write(g_SearchTarget2, 1);
        break;
    case 3:
        write(g_SearchTarget3, 1);
        write(g_SearchTarget2, 0);
        break;
    case 4:
        write(g_SearchTarget2, 0);
        write(g_SearchTarget3, 1);
        break;
    default:
        break;
    }
    SEARCH_MSTDB& dlg = searchDialog();
    dlg.GRID->setDataSource(nullptr);
    dlg.unload(1);
    g_SearchRs.reset();
}

} // namespace COMMON_SEARCH_MSTDB
