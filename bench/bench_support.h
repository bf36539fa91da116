#pragma once
// Shared pieces of the benchmark programs: a program installation in a temporary folder
// started on a test database, medians, and the resident memory of this process.
#include "support/testdb.h"
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <vector>

namespace bench {

// Starts the program (Main) on the data source with message boxes answered by `answer`, as the
// test user of the database's kind unless a login is given.
bool startProgram(QTemporaryDir& dir, const TestDb& db, std::function<int(const QString&)> answer,
                  const QString& user = QString(), const QString& password = QString());
void stopProgram();

// Milliseconds of each of `runs` calls of fn (after `prepare` each time, untimed).
std::vector<double> timeRuns(int runs, const std::function<void()>& prepare,
                             const std::function<void()>& fn);
double median(std::vector<double> v);
// Resident set size now, in MB (from /proc/self/status).
double residentMb();

// Runs a statement on a connection of its own (set-up of benchmark data).
void execute(const TestDb& db, const QString& sql);

// The main() of a benchmark program: an offscreen application, then run(db) on each test
// database.
int runOnTestDatabases(int argc, char** argv, const std::function<void(const TestDb&)>& run);

} // namespace bench
