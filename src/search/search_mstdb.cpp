#include "search/search_mstdb.h"
#include "platform/forms/keys.h"
#include "screens/search_layout.h"
#include "search/common_search_mstdb.h"
#include "shell/default_property.h"
#include "shell/guard.h"

SEARCH_MSTDB& searchDialog() {
    // Never destroyed: a static owner would destroy the widget at exit(), after the application.
    static SEARCH_MSTDB* const dialog = new SEARCH_MSTDB;
    return *dialog;
}

SEARCH_MSTDB::SEARCH_MSTDB()
    : forms::Form(QStringLiteral("SEARCH_MSTDB"), screens::layoutSearchDialog),
      GRID(need<forms::DataGrid>("GRID")), SELECT(need<forms::CommandButton>("SELECT")),
      STOP(need<forms::CommandButton>("STOP")), RS(need<forms::DataControl>("RS")) {
    SELECT->onClick = [] { COMMON_SEARCH_MSTDB::Set_SearchResult(); };
    STOP->onClick = [this] { cancel(false); };
    GRID->onDblClick = [] { COMMON_SEARCH_MSTDB::Set_SearchResult(); };
    GRID->onKeyUp = [this](int& keyCode, int) {
        if (keyCode == forms::kKeyEnter)
            COMMON_SEARCH_MSTDB::Set_SearchResult();
        else if (keyCode == forms::kKeyEscape)
            cancel(false);
    };
    // Esc anywhere in the dialog is seen here first and also empties the first target.
    onKeyDown = [this](int& keyCode, int) {
        if (keyCode == forms::kKeyEscape) cancel(true);
    };
    // An unloaded dialog comes back as designed: a kind that sets no width gets the design's.
    onUnload = [this] {
        RS->setConnectionString(QString());
        screens::designWidths(*this);
    };
    // Rows fetched while the operator scrolls fail as every database access of the program.
    GRID->setGuard(shell::guarded);
}

void SEARCH_MSTDB::cancel(bool clearTarget) {
    if (clearTarget && COMMON_SEARCH_MSTDB::g_SearchTarget1)
        shell::setDefaultText(COMMON_SEARCH_MSTDB::g_SearchTarget1, QString());
    GRID->setDataSource(nullptr);
    unload(1);
}
