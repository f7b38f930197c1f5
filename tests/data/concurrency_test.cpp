#include "dm_lcxs.h"
#include "temp_club.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

// Two programs on one club file: each edits with single statements, as the pages do, and
// neither sees "database is locked". Each thread has its own connection, as each
// process would.
TEST(TwoPrograms, OrdinaryEditsDoNotFailEachOther)
{
    TempClub club;
    ASSERT_TRUE(club.ok());
    const QString udl = club.paths().udlFile();
    std::atomic<int> failures{0};
    QString firstError;
    auto work = [&](const QString& prefix) {
        TdmLCXS dm(udl);
        if (!dm.isOpen()) {
            ++failures;
            return;
        }
        for (int i = 0; i < 150; ++i) {
            try {
                const QString no = QString("%1%2").arg(prefix).arg(i);
                dm.insertRow("LCX_LoftData", {{"LoftNo", no}, {"LoftName", "x"}});
                dm.exec("UPDATE LCX_LoftData SET LoftName = ? WHERE LoftNo = ?", {"y", no});
                dm.scalar("SELECT count(*) FROM LCX_LoftData");
            } catch (const DbError& e) {
                if (failures++ == 0)
                    firstError = e.message();
            }
        }
    };
    std::thread a(work, "A");
    std::thread b(work, "B");
    a.join();
    b.join();
    EXPECT_EQ(failures.load(), 0) << firstError.toStdString();
    EXPECT_EQ(club.dm().scalar("SELECT count(*) FROM LCX_LoftData WHERE LoftName = ?", {"y"}).toInt(), 300);
}

} // namespace
