#include "menu_window.h"

#include "club_picture.h"
#include "prompter.h"
#include "startup_backup.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QStackedLayout>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace {

QMap<PageKind, QPointer<QWidget>>& openPages()
{
    static QMap<PageKind, QPointer<QWidget>> pages;
    return pages;
}

// The picture follows the panel's size.
class PictureLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void resizeEvent(QResizeEvent* e) override
    {
        QLabel::resizeEvent(e);
        setPixmap(clubPicture(e->size()));
    }
};

} // namespace

TfrmMenu_UTC::TfrmMenu_UTC(const ClubContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context)
{
    setObjectName("frmMenu_UTC");
    setWindowTitle("Volaro Club Management V6");
    resize(1100, 720);

    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    addToolBar(Qt::TopToolBarArea, bar);
    const struct {
        PageKind kind;
        const char* caption;
        const char* name;
    } buttons[] = {
        {PageKind::Home, "&H Home", "tbtnHome"},
        {PageKind::ClockOperation, "&C Clock Operation", "tbtnClockOP"},
        {PageKind::Member, "&M Member", "tbtnMember"},
        {PageKind::Races, "&R Races", "tbtnRaces"},
        {PageKind::Setup, "&S Setup", "tbtnSetup"},
    };
    for (const auto& b : buttons) {
        auto* action = new QAction(QString::fromLatin1(b.caption), this);
        action->setObjectName(QString::fromLatin1(b.name));
        // The letter after "&" is the accelerator: Alt+H, Alt+C, ...
        action->setShortcut(QKeySequence::mnemonic(action->text()));
        const PageKind kind = b.kind;
        connect(action, &QAction::triggered, this, [this, kind] { openPage(kind); });
        bar->addAction(action);
        actions_.insert(kind, action);
    }

    pnlMain_ = new QWidget(this);
    pnlMain_->setObjectName("pnlMain");
    stack_ = new QStackedLayout(pnlMain_);
    stack_->setContentsMargins(0, 0, 0, 0);
    picture_ = new PictureLabel(pnlMain_);
    picture_->setObjectName("imgMain");
    picture_->setMinimumSize(1, 1);
    picture_->setScaledContents(false);
    stack_->addWidget(picture_);
    setCentralWidget(pnlMain_);

    statusBar()->setObjectName("StatusBar1");
}

TfrmMenu_UTC::~TfrmMenu_UTC()
{
    closePage();
}

void TfrmMenu_UTC::setPageFactory(PageKind kind, PageFactory factory)
{
    factories_.insert(kind, std::move(factory));
}

void TfrmMenu_UTC::closePage()
{
    if (!page_)
        return;
    QWidget* old = page_;
    page_ = nullptr;
    openPages().remove(kind_);
    old->close();
    stack_->removeWidget(old);
    delete old;
    stack_->setCurrentWidget(picture_);
}

QWidget* TfrmMenu_UTC::openPage(PageKind kind)
{
    closePage();
    const PageFactory factory = factories_.value(kind);
    static const char* titles[] = {"Home", "Clock Operation", "Member", "Races", "Setup"};
    QWidget* page = factory ? factory(context_, pnlMain_)
                            : makePlaceholderPage(QString::fromLatin1(titles[int(kind)]), pnlMain_);
    if (!page)
        return nullptr;
    page_ = page;
    kind_ = kind;
    if (kind == PageKind::ClockOperation || kind == PageKind::Member || kind == PageKind::Races)
        openPages().insert(kind, page);
    stack_->addWidget(page);
    stack_->setCurrentWidget(page);
    page->show();
    emit pageOpened(kind, page);
    return page;
}

QWidget* TfrmMenu_UTC::openPageOf(PageKind kind)
{
    return openPages().value(kind).data();
}

void TfrmMenu_UTC::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!startupBackupDone_ && startupBackupEnabled_) {
        startupBackupDone_ = true;
        // After the window has appeared, so the message box has a parent on screen.
        QTimer::singleShot(0, this, &TfrmMenu_UTC::runStartupBackupOnce);
    }
}

void TfrmMenu_UTC::runStartupBackupOnce()
{
    if (context_.prompter)
        context_.prompter->information("Access DB Backup Now, Pls. Wait !", 2000);
    if (context_.dm)
        runStartupBackup(*context_.dm, context_.paths);
    emit startupBackupDone();
}

void TfrmMenu_UTC::closeEvent(QCloseEvent* event)
{
    closePage();
    event->accept();
}
