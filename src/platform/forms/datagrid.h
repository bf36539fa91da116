#pragma once
// A read-only grid bound to an open result set: one column per result column, headed by the
// column names, rows fetched from the result set as the view needs them.
#include "platform/forms/control.h"
#include <functional>
#include <memory>

class QTableView;

namespace odbc {
class ResultSet;
}

namespace forms {

class DataGrid : public Control {
public:
    DataGrid(Form* form, QString name, int index = -1);
    ~DataGrid() override;
    // Binds the grid to rs (not owned; must outlive the binding); nullptr unbinds.
    // The grid's current row follows the result set's current record and back.
    void setDataSource(odbc::ResultSet* rs);
    odbc::ResultSet* dataSource() const;
    int columnCount() const;
    int columnWidth(int col) const; // twips
    void setColumnWidth(int col, int twips);
    int row() const; // current row, 0-based; -1 none
    void setRow(int row);
    void setHeadFont(const QString& name, double points);
    // Heading of a column in place of the result's column name; a new binding forgets it.
    void setColumnCaption(int col, const QString& caption);
    QString columnCaption(int col) const;
    QTableView* view() const;
    // Fetches every row left (Ctrl+End and a drag of the scroll bar to its end do), with the
    // hourglass while it runs.
    void fetchAll();
    // Runs the grid's fetches and moves: a screen passes the handler that reports database
    // failures its own way. The work is a function that throws on failure.
    void setGuard(std::function<void(const std::function<void()>& work)> guard);

private:
    long firstBatch() const;
    struct Impl;
    const std::unique_ptr<Impl> d;
};

// A hidden data control holding a connection string (it shows nothing).
class DataControl : public Control {
public:
    DataControl(Form* form, QString name, int index = -1);
    QString connectionString() const;
    void setConnectionString(const QString& s);
    QString caption() const;
    void setCaption(const QString& s);

private:
    QString connectionString_;
    QString caption_;
};

} // namespace forms
