#include "support/app/schedule_fixture.h"
#include "platform/odbc/connection.h"
#include "platform/vbrt/vbrt.h"
#include "shell/workarea.h"
#include "startup/M352040_M.h"
#include <QApplication>
#include <QTableView>

void ScheduleScreen::TearDown() {
    stop();
    AppFixture::TearDown();
}

void ScheduleScreen::start(const TestDb& testDb) {
    db = testDb;
    writeIni(iniFor(db.dsn));
    ASSERT_TRUE(M352040_M::Main("A001"))
        << "the start-up showed: " << messages.join("|").toStdString();
    QApplication::setActiveWindow(&f());
    f().activateWindow();
    f().Center_CD->setFocus();
    QApplication::processEvents();
    statements.clear();
    odbc::Connection::setStatementLog([this](const QString& s) { statements << s; });
}

void ScheduleScreen::stop() {
    odbc::Connection::setStatementLog(nullptr);
    M352040_M::resetMain();
    common::resetState();
}

F_M352040& ScheduleScreen::f() const {
    return *M352040_M::mainScreen();
}

void ScheduleScreen::type(const QString& text) {
    for (QChar c : text)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
}

void ScheduleScreen::key(Qt::Key k, Qt::KeyboardModifiers mods) {
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}

void ScheduleScreen::focus(forms::Control* c) {
    c->setFocus();
    QApplication::processEvents();
}

forms::Control* ScheduleScreen::active() const {
    return f().activeControl();
}

void ScheduleScreen::enterHeader(const QString& center, const QString& kind) {
    focus(f().Center_CD);
    type(center);
    if (center.size() < 12) key(Qt::Key_Return);
    type(kind);
}

static QPoint cellCentre(QTableView* t, int row, int col) {
    return t->visualRect(t->model()->index(row, col)).center();
}

void ScheduleScreen::clickRow(int row) {
    QTableView* t = f().GRID->table();
    // Grid row 0 is the header; data row n is the table's row n - 1 or n, as the grid maps it.
    f().GRID->table()->scrollToTop();
    const int tableRow = row - (t->model()->rowCount() < f().GRID->rows() ? 1 : 0);
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cellCentre(t, tableRow, 1));
}

void ScheduleScreen::doubleClickRow(int row) {
    QTableView* t = f().GRID->table();
    const int tableRow = row - (t->model()->rowCount() < f().GRID->rows() ? 1 : 0);
    // A double click starts as a click, as from the mouse.
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, cellCentre(t, tableRow, 1));
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, cellCentre(t, tableRow, 1));
}

QStringList ScheduleScreen::gridLines() const {
    QStringList lines;
    for (int r = 1; r < f().GRID->rows(); ++r)
        lines << f().GRID->textMatrix(r, 1) + "|" + f().GRID->textMatrix(r, 2);
    return lines;
}

QStringList ScheduleScreen::storedRows(const QString& center, const QString& kind) const {
    odbc::Environment env;
    odbc::Connection c(env);
    c.open(db.connStr);
    auto rs = c.openResultSet("SELECT 曜日, 起動時刻 FROM FL1912EDIスケジュールマスタ WHERE "
                              "センターコード='" +
                                  center + "' AND 送受信種別='" + kind + "'",
                              odbc::CursorType::ForwardOnly, odbc::Concurrency::ReadOnly);
    QStringList rows;
    for (; !rs->eof(); rs->moveNext())
        rows << rs->value(0).value_or("") + "|" +
                    vbrt::Format(rs->value(1).value_or(""), QStringLiteral("HH:MM"));
    rows.sort();
    return rows;
}
