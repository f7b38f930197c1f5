// The clock panel on the real page: the list, AddNew, Save with its two refusals, Delete,
// and Discover against the emulated race clock on a pseudo-terminal.
#include "member_page_fixture.h"

#include "device_modules.h"
#include "devsim/emulator.h"
#include "port_finding.h"

#include <stdexcept>

class ClockPanelTest : public MemberPageTest {
protected:
    void SetUp() override
    {
        MemberPageTest::SetUp();
        addLoft("012", "North");
        addLoft("013", "South");
    }
    void TearDown() override
    {
        MemberPageTest::TearDown();
        clockops::SetPortOverride(clockops::ModuleKind::Clock, QString());
    }
    void openClocks()
    {
        open();
        selectRow("dbgrdMem", 0);
        choose("rgMem", "Member Clocks");
    }
    // The button rests a moment after each Discover, while the port settles.
    void discover()
    {
        QAbstractButton* button = find<QAbstractButton>("btnDiscover");
        ASSERT_TRUE(QTest::qWaitFor([button] { return button->isEnabled(); }, 2000));
        button->click();
    }
    static std::string control(devsim::Emulator& emu, const std::string& verb, const std::vector<std::string>& args)
    {
        return emu.with_device([&](devsim::Device& d, devsim::LinkState&) {
            std::string reply;
            if (!d.control(verb, args, reply))
                throw std::runtime_error("unknown verb " + verb);
            return reply;
        });
    }
};

TEST_F(ClockPanelTest, ListSaveAndDelete)
{
    club.dm().insertRow("LCX_LoftClocks", {{"LoftNo", "012"}, {"ClockID", "1234ABCD"},
                                           {"LastSynchDate", QDateTime(QDate(2026, 5, 2), QTime(9, 0, 5))},
                                           {"SynchStat", 1}});
    openClocks();
    EXPECT_TRUE(visible("pnlClockList"));
    EXPECT_FALSE(visible("pnlMem"));
    EXPECT_FALSE(visible("pnlClockNew"));
    EXPECT_EQ(text("lblClockListTitle"), "North's Clock List");
    EXPECT_EQ(text("lblClockListSum"), "Number of clocks 1");
    EXPECT_EQ(cell("dbgrdClockList", 0, 1), "2026/05/02 09:00:05");
    EXPECT_EQ(cell("dbgrdClockList", 0, 2), "1");
    EXPECT_EQ(grid("dbgrdClockList")->model()->headerData(1, Qt::Horizontal).toString(), "Date last synchronized ");

    click("btnClockAddNew");
    EXPECT_TRUE(visible("pnlClockNew"));
    type("edtClockNo", "1234ABCD");
    type("edtMemName", "North");
    click("btnClockSave");
    EXPECT_EQ(club.prompter().messages(), QStringList{"012's Clock serial number 1234ABCD duplicate !"});
    EXPECT_FALSE(visible("pnlClockNew"));

    click("btnClockAddNew");
    EXPECT_EQ(find<QLineEdit>("edtClockNo")->text(), "1234ABCD");  // the box keeps its contents
    type("edtClockNo", "77");
    type("edtMemName", "Nobody");
    click("btnClockSave");
    EXPECT_EQ(club.prompter().messages().last(), "Nobody not find in Member data !");
    EXPECT_TRUE(visible("pnlClockNew"));

    type("edtMemName", "South");  // another member's name passes; the clock goes to 012
    click("btnClockSave");
    EXPECT_FALSE(visible("pnlClockNew"));
    EXPECT_EQ(text("lblClockListSum"), "Number of clocks 2");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo='012' AND ClockID='77'"), 1);

    selectRow("dbgrdClockList", 0);
    club.prompter().answerNo();
    choose("rgClockList", "Delete");
    EXPECT_EQ(text("lblClockListSum"), "Number of clocks 2");
    club.prompter().answerYes().answerYes();
    choose("rgClockList", "Delete");
    choose("rgClockList", "Delete");
    EXPECT_EQ(text("lblClockListSum"), "Number of clocks 0");
    EXPECT_EQ(club.prompter().questions().last(), "This will delete the data ?");
}

TEST_F(ClockPanelTest, DiscoverReadsTheClockOnThePort)
{
    ASSERT_TRUE(writeIniValue(club.paths().iniFile(), "Parameter", "SysID", "123"));
    auto clock = devsim::Emulator::start("raceclock");
    control(*clock, "identity", {"123"});
    control(*clock, "devno", {"4C380001"});
    clockops::SetPortOverride(clockops::ModuleKind::Clock, QString::fromStdString(clock->path()));
    openClocks();
    click("btnClockAddNew");
    discover();
    EXPECT_TRUE(club.prompter().shown().isEmpty()) << club.prompter().last().toStdString();
    EXPECT_EQ(find<QLineEdit>("edtClockNo")->text(), "4C380001");
    EXPECT_EQ(find<QLineEdit>("edtMemName")->text(), "North");
    click("btnClockSave");
    EXPECT_EQ(count("SELECT COUNT(*) FROM LCX_LoftClocks WHERE LoftNo='012' AND ClockID='4C380001'"), 1);

    // The port is free again afterwards: another module opens it.
    TPigModuV6 after;
    EXPECT_NE(after.PortHandle, 0);
}

TEST_F(ClockPanelTest, DiscoverRefusedBusyOrMissing)
{
    ASSERT_TRUE(writeIniValue(club.paths().iniFile(), "Parameter", "SysID", "999"));
    auto clock = devsim::Emulator::start("raceclock");
    control(*clock, "identity", {"123"});  // set up for another club: the identity is refused
    clockops::SetPortOverride(clockops::ModuleKind::Clock, QString::fromStdString(clock->path()));
    openClocks();
    click("btnClockAddNew");
    type("edtClockNo", "typed");
    discover();
    EXPECT_TRUE(club.prompter().shown().isEmpty()) << club.prompter().last().toStdString();
    EXPECT_EQ(find<QLineEdit>("edtClockNo")->text(), "typed");

    // A module of the clock-operation window still holds the port.
    {
        TPigModuV6 holder;
        ASSERT_NE(holder.PortHandle, 0);
        discover();
        EXPECT_EQ(club.prompter().messages(),
                  QStringList{"Com Port not be actived , Pls Connect Rs232 Cable and restart !"});
    }
    club.prompter().clear();
    clockops::SetPortOverride(clockops::ModuleKind::Clock, club.root() + "/no-such-port");
    discover();
    EXPECT_EQ(club.prompter().messages(),
              QStringList{"Com Port not be actived , Pls Connect Rs232 Cable and restart !"});
    EXPECT_EQ(find<QLineEdit>("edtClockNo")->text(), "typed");
    EXPECT_TRUE(visible("pnlClockNew"));
}
