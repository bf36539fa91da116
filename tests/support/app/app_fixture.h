#pragma once
// A program installation in a temporary folder (<root>/PG/BIN, <root>/EDI.ini) with the message
// box and the end of the program replaced, so a test scripts the answers and reads what was shown.
#include "support/testdb.h"
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>

class AppFixture : public ::testing::Test {
public:
    // Runs a statement on a connection of its own, as another workstation would.
    static void execOn(const TestDb& db, const QString& sql);

protected:
    void SetUp() override;
    void TearDown() override;

    QString root() const { return dir.path(); }
    // The demo settings file of the project.
    static QString demoIni();
    void writeIni(const QString& content);
    // The demo settings pointing at a data source, user and password.
    // An empty user is the test user of that data source (postgres, or MariaDB's own).
    QString iniFor(const QString& dsn, const QString& user = {},
                   const QString& password = "") const;

    // Runs body once per configured database, each time on fresh demo data with nothing shown
    // yet; `after` runs after each body (the program's own clean-up).
    // A database that cannot be prepared, or a body that fails fatally or throws, fails this
    // run alone; the next database still runs.
    template <class Body, class After> void eachDatabase(Body body, After after) {
        for (const TestDb& db : testDatabaseParams()) {
            SCOPED_TRACE(db.kind.toStdString());
            if (!prepareDatabase(db)) continue;
            forgetMessages();
            ranCleanly([&] { body(db); });
            after();
        }
    }
    void forgetMessages();

    QTemporaryDir dir;
    QStringList messages;    // prompts shown, in order
    std::vector<int> styles; // their style numbers
    QStringList titles;      // their titles as passed
    std::deque<int> answers; // scripted answers; 1 (OK) when none is left
    int endStatus = -1;      // status of the last program end, -1 when it did not end
};
