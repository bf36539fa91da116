#pragma once
// The modal code search dialog: a grid bound to the search result, 選択 and 中止.
#include "platform/forms/controls.h"
#include "platform/forms/datagrid.h"
#include "platform/forms/form.h"

class SEARCH_MSTDB : public forms::Form {
    Q_OBJECT
public:
    SEARCH_MSTDB();

    forms::DataGrid* const GRID;
    forms::CommandButton* const SELECT;
    forms::CommandButton* const STOP;
    forms::DataControl* const RS;

private:
    void cancel(bool clearTarget);
};

// The one dialog of the run, created on first use.
SEARCH_MSTDB& searchDialog();
