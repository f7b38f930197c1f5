#include "db_transaction.h"

#include "dm_lcxs.h"

#include <QHash>

namespace {

struct TxState {
    int depth = 0;
    bool failed = false;
};

// Per data module; the program runs on one thread.
QHash<const TdmLCXS*, TxState>& states()
{
    static QHash<const TdmLCXS*, TxState> s;
    return s;
}

} // namespace

DbTransaction::DbTransaction(TdmLCXS& dm)
    : dm_(dm)
{
    TxState& st = states()[&dm_];
    if (st.depth == 0) {
        // IMMEDIATE takes the write lock now, so the busy time-out applies here instead of
        // a later write failing with "database is locked" halfway through.
        dm_.exec(dm_.engine() == DbEngine::SQLite ? "BEGIN IMMEDIATE" : "BEGIN");
        outer_ = true;
        st.failed = false;
    }
    ++st.depth;
}

DbTransaction::~DbTransaction()
{
    TxState& st = states()[&dm_];
    --st.depth;
    if (!done_) {
        st.failed = true;
        if (outer_) {
            try {
                dm_.exec("ROLLBACK");
            } catch (const DbError&) {
                // The connection is gone; the engine has dropped the transaction with it.
            }
        }
    }
    if (st.depth == 0)
        states().remove(&dm_);
}

void DbTransaction::commit()
{
    if (done_)
        return;
    TxState& st = states()[&dm_];
    if (!outer_) {
        done_ = true;
        return;
    }
    if (st.failed)
        throw DbError("A part of the operation failed; nothing was saved.");
    dm_.exec("COMMIT");
    done_ = true;
}
