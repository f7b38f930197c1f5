#include "club_queries.h"
#include "db_backup.h"
#include "setup_page.h"
#include "temp_club.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace {

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(club.ok()) << club.error().toStdString(); }

    TdmLCXS& dm() { return club.dm(); }
    ScriptedPrompter& prompter() { return club.prompter(); }

    void storeClub(const QVariant& days = 5)
    {
        dm().insertRow("LCX_ClubData", {{"ClubID", "VDC"}, {"ClubName", "Volaro Demo Club"}, {"Street", "Duivenlaan 1"},
                                        {"City", "Breda"}, {"PostCode", "4811 AA"}, {"AssociationCode", "NPO"},
                                        {"Language", 0}, {"Mode", 1}, {"DBBackupDays", days}});
    }
    void open()
    {
        page = std::make_unique<TfrmSetup>(club.context());
        page->show();
    }
    QLineEdit* edit(const char* name) { return page->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) { return page->findChild<QComboBox*>(name); }
    void set(const char* name, const QString& text) { edit(name)->setText(text); }
    void choose(const QString& club)
    {
        QComboBox* c = combo("cbbClubName");
        const int i = c->findText(club);
        ASSERT_GE(i, 0) << club.toStdString();
        c->setCurrentIndex(i);
        emit c->activated(i);
    }
    // Leaving the page saves it.
    void leave()
    {
        page->close();
        page.reset();
    }
    std::optional<ClubDataRow> stored() { return firstClubData(dm()); }
    int clubDataRows() { return dm().scalar("SELECT count(*) FROM LCX_ClubData").toInt(); }

    TempClub club;
    std::unique_ptr<TfrmSetup> page;
};

TEST_F(SetupTest, ShowsTheStoredSettingsAndTheClubList)
{
    storeClub(5);
    dm().exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"NBF", "Noord-Brabant Fond"});
    open();
    EXPECT_EQ(edit("edtAssociation")->text(), "NPO");
    EXPECT_EQ(edit("edtClubName")->text(), "Volaro Demo Club");
    EXPECT_EQ(edit("edtClubAbbt")->text(), "VDC");
    EXPECT_EQ(edit("edtClubStreet")->text(), "Duivenlaan 1");
    EXPECT_EQ(edit("edtClubToneCity")->text(), "Breda");
    EXPECT_EQ(edit("edtPostCode")->text(), "4811 AA");
    EXPECT_EQ(combo("cbbLangue")->currentText(), "English");
    EXPECT_EQ(combo("cbbMode")->currentText(), "yds/min");
    EXPECT_EQ(edit("edtDay")->text(), "5");
    QStringList list;
    for (int i = 0; i < combo("cbbClubName")->count(); ++i)
        list << combo("cbbClubName")->itemText(i);
    EXPECT_EQ(list, (QStringList{"Custom", "------------", "Noord-Brabant Fond"}));

    page->findChild<QToolButton*>("btnDayUp")->click();
    EXPECT_EQ(edit("edtDay")->text(), "6");
    set("edtDay", "100");
    page->findChild<QToolButton*>("btnDayUp")->click();
    EXPECT_EQ(edit("edtDay")->text(), "100");
}

// The club list starts with no choice, so leaving the page untouched does not act as
// "Custom" for a club that is already in the list.
TEST_F(SetupTest, LeavingUntouchedSavesWithoutADuplicateMessage)
{
    storeClub(5);
    dm().exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"VDC", "Volaro Demo Club"});
    open();
    EXPECT_EQ(combo("cbbClubName")->currentText(), "");
    leave();
    EXPECT_TRUE(prompter().shown().isEmpty());
    EXPECT_EQ(stored()->dbBackupDays.toInt(), 5);
    EXPECT_EQ(dm().scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 1);
}

TEST_F(SetupTest, ClubListChoiceFillsAndLocksOrUnlocksTheFields)
{
    dm().exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"NBF", "Noord-Brabant Fond"});
    open();
    choose("Noord-Brabant Fond");
    EXPECT_EQ(edit("edtClubName")->text(), "Noord-Brabant Fond");
    EXPECT_EQ(edit("edtClubAbbt")->text(), "NBF");
    EXPECT_FALSE(edit("edtClubName")->isEnabled());
    EXPECT_FALSE(edit("edtClubAbbt")->isEnabled());
    choose("------------");
    EXPECT_EQ(edit("edtClubAbbt")->text(), "NBF");
    EXPECT_FALSE(edit("edtClubAbbt")->isEnabled());
    choose("Custom");
    EXPECT_TRUE(edit("edtClubName")->isEnabled());
    EXPECT_TRUE(edit("edtClubAbbt")->isEnabled());
}

TEST_F(SetupTest, FirstUseAppendsOneRowWithAnEmptyBackupAge)
{
    open();
    set("edtAssociation", "NPO");
    set("edtClubName", "New Club");
    set("edtClubAbbt", "NEW");
    set("edtDay", "9");
    choose("------------");
    leave();
    ASSERT_EQ(clubDataRows(), 1);
    EXPECT_EQ(stored()->clubName, "New Club");
    EXPECT_TRUE(stored()->dbBackupDays.isNull());
    EXPECT_TRUE(prompter().shown().isEmpty());
}

TEST_F(SetupTest, SameAssociationAndAbbreviationUpdatesTheRowButNotItsName)
{
    storeClub(5);
    open();
    set("edtPostCode", "4811 ZZ");
    set("edtClubName", "Renamed Club");
    set("edtDay", "14");
    combo("cbbMode")->setCurrentIndex(0);
    choose("------------");
    leave();
    ASSERT_EQ(clubDataRows(), 1);
    EXPECT_EQ(stored()->postCode, "4811 ZZ");
    EXPECT_EQ(stored()->dbBackupDays.toInt(), 14);
    EXPECT_EQ(stored()->mode, 0);
    EXPECT_EQ(stored()->clubName, "Volaro Demo Club");
}

TEST_F(SetupTest, EmptyBackupAgeIsStoredEmpty)
{
    storeClub(5);
    open();
    set("edtDay", "");
    choose("------------");
    leave();
    EXPECT_TRUE(stored()->dbBackupDays.isNull());
    EXPECT_EQ(clubBackupDays(dm()), 0);
}

TEST_F(SetupTest, NewAbbreviationReplacesTheTableWithoutTheBackupAge)
{
    storeClub(5);
    open();
    set("edtClubAbbt", "VDC2");
    set("edtDay", "3");
    choose("------------");
    leave();
    ASSERT_EQ(clubDataRows(), 1);
    EXPECT_EQ(stored()->clubId, "VDC2");
    EXPECT_EQ(stored()->street, "Duivenlaan 1");
    EXPECT_EQ(stored()->mode, 1);
    EXPECT_TRUE(stored()->dbBackupDays.isNull());
}

TEST_F(SetupTest, CustomAddsTheClubOrRefusesADuplicate)
{
    storeClub(5);
    dm().exec("INSERT INTO LCX_ClubMap VALUES (?, ?)", {"VDC", "Volaro Demo Club"});
    open();
    choose("Custom");
    set("edtClubStreet", "Changed 2");
    leave();
    EXPECT_EQ(prompter().messages(), QStringList{"Club Abbrivation duplicate ! Club data setup fail !"});
    EXPECT_EQ(stored()->street, "Duivenlaan 1");
    EXPECT_EQ(dm().scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 1);

    prompter().clear();
    open();
    choose("Custom");
    set("edtClubAbbt", "ABC");
    set("edtClubName", "Another Club");
    leave();
    EXPECT_TRUE(prompter().shown().isEmpty());
    EXPECT_TRUE(clubMapHasId(dm(), "ABC"));
    EXPECT_EQ(stored()->clubId, "ABC");
    EXPECT_EQ(stored()->clubName, "Another Club");
}

TEST_F(SetupTest, BackupAgeThatIsNotAWholeNumberSavesNothing)
{
    storeClub(5);
    for (const char* bad : {"abc", "1.5", "-1", "300"}) {
        prompter().clear();
        open();
        choose("Custom");
        set("edtClubAbbt", "XYZ");
        set("edtDay", bad);
        leave();
        ASSERT_EQ(prompter().errors().size(), 1) << bad;
        EXPECT_TRUE(prompter().errors()[0].contains(bad));
        EXPECT_EQ(stored()->clubId, "VDC");
        EXPECT_FALSE(clubMapHasId(dm(), "XYZ"));
    }
}

TEST_F(SetupTest, BackNowWritesTheDatedFileAndReplacesItTheSameDay)
{
    open();
    const QString chosen = club.root() + "/club";
    const QString expected = chosen + "_" + QDate::currentDate().toString("yyMMdd") + ".Bak";
    EXPECT_EQ(manualBackupFileName("/x/club", QDate(2026, 12, 9)), "/x/club_261209.Bak");

    prompter().answerFile(chosen);
    page->findChild<QPushButton*>("btnBackNow")->click();
    EXPECT_EQ(prompter().texts(ScriptedPrompter::Kind::SaveFile), QStringList{"Access BackUp files (*.Bak)|*.Bak"});
    EXPECT_EQ(prompter().messages(), QStringList{"backup was successful!"});
    EXPECT_EQ(checkBackupFile(expected), QString());

    dm().insertRow("LCX_ClubMap", {{"ClubID", "LATER"}});
    prompter().answerFile(chosen);
    page->findChild<QPushButton*>("btnBackNow")->click();
    TdmLCXS copy(sqliteSettings(expected));
    EXPECT_EQ(copy.scalar("SELECT count(*) FROM LCX_ClubMap").toInt(), 1);

    prompter().clear();
    prompter().answerFile("");
    page->findChild<QPushButton*>("btnBackNow")->click();
    EXPECT_TRUE(prompter().messages().isEmpty());

    prompter().answerFile(club.root() + "/no/such/folder/x");
    page->findChild<QPushButton*>("btnBackNow")->click();
    EXPECT_EQ(prompter().messages(), QStringList{"backup failed, please retry!"});
}

TEST_F(SetupTest, LoadBackupRestoresAndEndsTheProgram)
{
    storeClub(5);
    open();
    prompter().answerFile(club.root() + "/before");
    page->findChild<QPushButton*>("btnBackNow")->click();
    const QString bak = club.root() + "/before_" + QDate::currentDate().toString("yyMMdd") + ".Bak";
    dm().execute("UPDATE LCX_ClubData SET Street = ?", {"After Street"});

    prompter().clear();
    prompter().answerFile(bak);
    page->findChild<QPushButton*>("btnLoadBackup")->click();
    EXPECT_EQ(prompter().texts(ScriptedPrompter::Kind::OpenFile), QStringList{"Access BackUp files (*.Bak)|*.Bak"});
    EXPECT_EQ(prompter().messages(), QStringList{"successful recovery of data!"});
    EXPECT_EQ(club.endProgramCalls(), 1);
    // Leaving the page now must not write its fields into the restored file.
    set("edtClubStreet", "Typed Before Leaving");
    leave();
    club.reopen();
    EXPECT_EQ(stored()->street, "Duivenlaan 1");
}

TEST_F(SetupTest, LoadBackupOfAnotherFileChangesNothing)
{
    storeClub(5);
    open();
    const QString junk = club.root() + "/junk.Bak";
    QFile f(junk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    prompter().answerFile(junk);
    page->findChild<QPushButton*>("btnLoadBackup")->click();
    EXPECT_EQ(prompter().messages(), QStringList{"recovery failed, please try again!"});
    EXPECT_EQ(club.endProgramCalls(), 0);
    EXPECT_EQ(stored()->street, "Duivenlaan 1");
    EXPECT_EQ(checkBackupFile(club.paths().databaseFile()), QString());
}

} // namespace
