#pragma once
// The real program started on a test database, driven through its widgets by keys and clicks.
#include "platform/forms/controls.h"
#include "platform/forms/flexgrid.h"
#include "schedule/common.h"
#include "schedule/f_m352040.h"
#include "support/app/app_fixture.h"
#include "support/testdb.h"
#include <QTest>

class ScheduleScreen : public AppFixture {
protected:
    void TearDown() override;

    // Runs body once per configured database, each time on fresh demo data and a fresh start.
    // A start that fails fails the test; the body never runs on a half-started program.
    template <class Body> void onEachDatabase(Body body) {
        eachDatabase(
            [&](const TestDb& testDb) {
                if (ranCleanly([&] { start(testDb); })) body(testDb);
            },
            [this] { stop(); });
    }
    void start(const TestDb& db);
    void stop();

    F_M352040& f() const;
    // Keys go to the widget that has the focus, as from the keyboard.
    void type(const QString& text);
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier);
    void focus(forms::Control* c);
    forms::Control* active() const;
    // Types a header and leaves the kind field (which advances by itself when it passes).
    void enterHeader(const QString& center, const QString& kind);
    void clickRow(int row);
    void doubleClickRow(int row);
    // The grid's data lines as "day|time".
    QStringList gridLines() const;
    // Rows of the schedule table for a header, "day|HH:MM", sorted.
    QStringList storedRows(const QString& center, const QString& kind) const;
    // Statements sent since the last clear, as the program built them.
    QStringList statements;
    TestDb db;
};
