#pragma once
// Writes a list of rows in one transaction (fast, and all together), while keeping the
// outcome a secretary expects from a long run of single statements: when row i fails,
// rows 0..i-1 stay stored and the failure is reported. Engines that abort a whole
// transaction on a failed statement (PostgreSQL) are handled by writing the good prefix
// again in a fresh transaction.

#include "db_error.h"
#include "db_transaction.h"
#include "dm_lcxs.h"

#include <QString>

namespace members {

struct BatchOutcome {
    int written = 0;  // rows stored, always a prefix of the list
    bool failed = false;
    int failedAt = -1;  // index of the row that failed, -1 when the commit did
    QString error;
};

// writeRow(i) runs the statements of row i and throws DbError on failure.
template <typename WriteRow>
BatchOutcome writeBatch(TdmLCXS& dm, int count, WriteRow&& writeRow)
{
    BatchOutcome out;
    int i = 0;
    try {
        DbTransaction tx(dm);
        for (; i < count; ++i)
            writeRow(i);
        tx.commit();
        out.written = count;
        return out;
    } catch (const DbError& e) {
        out.failed = true;
        out.failedAt = i < count ? i : -1;
        out.error = e.message();
    }
    if (out.failedAt <= 0)
        return out;
    try {
        DbTransaction tx(dm);
        for (int j = 0; j < out.failedAt; ++j)
            writeRow(j);
        tx.commit();
        out.written = out.failedAt;
    } catch (const DbError&) {
        out.written = 0;  // the first error is the one worth showing
    }
    return out;
}

}  // namespace members
