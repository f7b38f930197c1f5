#pragma once
// The Member page on a temporary club, driven through its real widgets offscreen with a
// scripted Prompter.

#include "club_ini.h"
#include "member_grid.h"
#include "member_page.h"
#include "temp_club.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

class MemberPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(club.ok()) << club.error().toStdString();
        TfrmMember::sortText().clear();
        ASSERT_TRUE(writeIniValue(club.paths().iniFile(), "Parameter", "CountryRingCode", "AU, ,NL,BELG,PL"));
        TdmLCXS& dm = club.dm();
        dm.insertRow("LCX_ClubData", {{"ClubID", "C01"}, {"ClubName", "Demo Club"}, {"AssociationCode", "BE"}});
        dm.insertRow("LCX_FeatherColor", {{"ColorType", "BL"}, {"FeathColor", "Blue"}});
        dm.insertRow("LCX_FeatherColor", {{"ColorType", "RC"}, {"FeathColor", "Red Check"}});
        dm.insertRow("LCX_LiberateSite", {{"LiberCode", "S1"}, {"LiberSite", "Orleans"}});
        dm.insertRow("LCX_LiberateSite", {{"LiberCode", "S2"}, {"LiberSite", "Tours"}});
    }

    void TearDown() override
    {
        page.reset();
        EXPECT_EQ(club.prompter().unusedAnswers(), 0);
    }

    void open()
    {
        page = std::make_unique<TfrmMember>(club.context());
        page->resize(1000, 700);
        page->show();
    }

    template <typename T>
    T* find(const char* name)
    {
        T* w = page->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString text(const char* labelName) { return find<QLabel>(labelName)->text(); }
    void click(const char* buttonName) { find<QAbstractButton>(buttonName)->click(); }
    void type(const char* editName, const QString& value)
    {
        QLineEdit* e = find<QLineEdit>(editName);
        e->clear();
        QTest::keyClicks(e, value);
    }
    void setBox(const char* boxName, const QString& value) { find<QComboBox>(boxName)->setEditText(value); }
    void choose(const char* menuName, const QString& entry)
    {
        for (QAction* a : find<QMenu>(menuName)->actions())
            if (a->text() == entry) {
                a->trigger();
                return;
            }
        ADD_FAILURE() << "no entry " << entry.toStdString() << " in " << menuName;
    }
    bool visible(const char* name) { return find<QWidget>(name)->isVisible(); }

    QTableView* grid(const char* name) { return find<QTableView>(name); }
    QString cell(const char* gridName, int row, int column)
    {
        return grid(gridName)->model()->index(row, column).data().toString();
    }
    int rows(const char* gridName) { return grid(gridName)->model()->rowCount(); }
    // Makes a row current, as a click does.
    void selectRow(const char* gridName, int row)
    {
        QTableView* g = grid(gridName);
        g->setCurrentIndex(g->model()->index(row, 0));
    }
    void clickCell(const char* gridName, int row, int column)
    {
        QTableView* g = grid(gridName);
        const QModelIndex index = g->model()->index(row, column);
        g->scrollTo(index);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(index).center());
    }
    void clickTitle(const char* gridName, const QString& title)
    {
        QTableView* g = grid(gridName);
        QHeaderView* header = g->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            if (g->model()->headerData(c, Qt::Horizontal).toString() == title) {
                QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                                  QPoint(header->sectionViewportPosition(c) + 5, 5));
                return;
            }
        ADD_FAILURE() << "no title " << title.toStdString();
    }
    void addLoft(const QString& no, const QString& name)
    {
        club.dm().insertRow("LCX_LoftData", {{"LoftNo", no}, {"LoftName", name}});
    }
    void addPigeon(const QString& loftNo, const QString& ring, const QVariantMap& more = {})
    {
        QVariantMap row{{"LoftNo", loftNo}, {"PRingNo", ring}, {"RCountry", "BELG"}, {"RYear", "2014"},
                        {"RRegNumber", ring.right(3)}, {"Sex", "C"}};
        row.insert(more);
        club.dm().insertRow("LCX_PigData", row);
    }
    int count(const QString& sql, const QVariantList& params = {}) { return club.dm().scalar(sql, params).toInt(); }
    QString value(const QString& sql, const QVariantList& params = {}) { return club.dm().scalar(sql, params).toString(); }

    TempClub club;
    std::unique_ptr<TfrmMember> page;
};
