#pragma once

class TdmLCXS;

// Groups the statements of one bulk operation (an import, a range of rings, a demo club)
// so they are written all together or not at all, and fast. Rolls back when destroyed
// without commit(), e.g. when a DbError passes through.
//
//     DbTransaction tx(dm);
//     for (...) dm.exec(...);
//     tx.commit();
//
// A transaction opened while another is active joins it: only the outermost one commits,
// and an inner one left without commit() makes the outer commit() fail.
class DbTransaction {
public:
    explicit DbTransaction(TdmLCXS& dm);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    // Throws DbError when the engine refuses the commit (or an inner part failed).
    void commit();

private:
    TdmLCXS& dm_;
    bool outer_ = false;
    bool done_ = false;
};
