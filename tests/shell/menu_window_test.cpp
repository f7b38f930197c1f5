#include "home_page.h"
#include "menu_window.h"
#include "temp_club.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>

#include <gtest/gtest.h>

namespace {

// A page that records being closed, as pages that save on leaving need.
class ProbePage : public QWidget {
public:
    ProbePage(QWidget* parent, int* closes) : QWidget(parent), closes_(closes) {}

protected:
    void closeEvent(QCloseEvent* e) override
    {
        ++*closes_;
        QWidget::closeEvent(e);
    }

private:
    int* closes_;
};

class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(club.ok()) << club.error().toStdString(); }
    TempClub club;
};

TEST_F(MenuWindowTest, ToolBarPanelAndStatusBar)
{
    TfrmMenu_UTC w(club.context());
    EXPECT_EQ(w.windowTitle(), "Volaro Club Management V6");
    const struct {
        PageKind kind;
        const char* caption;
        const char* key;
    } buttons[] = {{PageKind::Home, "&H Home", "Alt+H"},
                   {PageKind::ClockOperation, "&C Clock Operation", "Alt+C"},
                   {PageKind::Member, "&M Member", "Alt+M"},
                   {PageKind::Races, "&R Races", "Alt+R"},
                   {PageKind::Setup, "&S Setup", "Alt+S"}};
    for (const auto& b : buttons) {
        ASSERT_NE(w.pageAction(b.kind), nullptr);
        EXPECT_EQ(w.pageAction(b.kind)->text(), QString(b.caption));
        EXPECT_EQ(w.pageAction(b.kind)->shortcut(), QKeySequence(QString(b.key)));
    }
    ASSERT_NE(w.findChild<QWidget*>("pnlMain"), nullptr);
    auto* picture = w.findChild<QLabel*>("imgMain");
    ASSERT_NE(picture, nullptr);
    EXPECT_TRUE(w.statusBar()->currentMessage().isEmpty());
    EXPECT_EQ(w.currentPage(), nullptr);
}

TEST_F(MenuWindowTest, OnePageAtATimeAndTheOldOneIsDestroyed)
{
    int closes = 0;
    TfrmMenu_UTC w(club.context());
    w.setStartupBackupEnabled(false);
    w.setPageFactory(PageKind::Member, [&closes](const ClubContext&, QWidget* p) { return new ProbePage(p, &closes); });
    w.setPageFactory(PageKind::Home, [](const ClubContext& c, QWidget* p) { return new TfrmHome(c, p); });
    w.show();

    w.pageAction(PageKind::Member)->trigger();
    QPointer<QWidget> member = w.currentPage();
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(TfrmMenu_UTC::openPageOf(PageKind::Member), member.data());
    EXPECT_EQ(member->parentWidget(), w.findChild<QWidget*>("pnlMain"));
    EXPECT_TRUE(member->isVisible());

    w.pageAction(PageKind::Home)->trigger();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(member.isNull());
    EXPECT_EQ(TfrmMenu_UTC::openPageOf(PageKind::Member), nullptr);
    EXPECT_NE(qobject_cast<TfrmHome*>(w.currentPage()), nullptr);
    EXPECT_EQ(w.findChildren<TfrmHome*>().size(), 1);

    // Pages without a factory yet still open (as placeholders).
    w.openPage(PageKind::Races);
    EXPECT_NE(w.currentPage(), nullptr);
    EXPECT_EQ(w.findChildren<TfrmHome*>().size(), 0);

    w.openPage(PageKind::Member);
    QPointer<QWidget> last = w.currentPage();
    w.close();
    EXPECT_EQ(closes, 2);
    EXPECT_TRUE(last.isNull());
}

TEST_F(MenuWindowTest, FirstShowRunsTheStartupBackupOnceAfterTheSelfClosingBox)
{
    TfrmMenu_UTC w(club.context());
    QSignalSpy done(&w, &TfrmMenu_UTC::startupBackupDone);
    w.show();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(club.prompter().texts(ScriptedPrompter::Kind::Information), QStringList{"Access DB Backup Now, Pls. Wait !"});
    EXPECT_EQ(club.prompter().lastAutoCloseMs(), 2000);
    EXPECT_TRUE(QFileInfo::exists(club.paths().currentBackup()));
    w.hide();
    w.show();
    EXPECT_FALSE(done.wait(200));
    EXPECT_EQ(done.size(), 1);
}

} // namespace
