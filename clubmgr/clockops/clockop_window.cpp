#include "clockop_window.h"

#include "clock_printouts.h"
#include "load_pages.h"
#include "marking_page.h"
#include "matching_page.h"
#include "module_state.h"
#include "prompter.h"
#include "settings_file.h"
#include "sms_page.h"
#include "upload_page.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

using namespace clockops;

namespace {
int &settleMs()
{
    static int ms = 300;
    return ms;
}
} // namespace

void TfrmClockOP_UTC::setSettleMilliseconds(int ms)
{
    settleMs() = ms;
}

TfrmClockOP_UTC::TfrmClockOP_UTC(const ClubContext &context, QWidget *parent) : QWidget(parent)
{
    setObjectName("frmClockOP_UTC");
    shared_.context = context;
    shared_.showReport = [](const club::reports::TReportForm &report, QWidget *parent) { report.preview(parent); };
    if (!context.paths.clubDir.isEmpty())
        SetSettingsFolder(context.paths.clubDir);

    matching_ = new MatchingPage(shared_);
    marking_ = new MarkingPage(shared_);
    train_ = new TrainLoadPage(shared_);
    race_ = new RaceLoadPage(shared_);
    upload_ = new UploadPage(shared_);
    sms_ = new SmsPage(shared_);

    stack_ = new QStackedWidget(this);
    stack_->setObjectName("pgcClockOP");
    stack_->addWidget(new QWidget); // no page chosen yet
    const QList<QWidget *> pages{matching_, marking_, train_, race_, upload_, sms_};
    const QStringList titles{"Matching", "Marking", "CreateTimer Train", "Create Timer Race", "UpLoad Timer Result",
                             "SMS Download"};
    pageButtons_ = new QButtonGroup(this);
    auto *bar = new QHBoxLayout;
    for (int i = 0; i < pages.size(); ++i) {
        stack_->addWidget(pages[i]);
        auto *button = new QPushButton(titles[i]);
        button->setObjectName(QStringLiteral("btnPage%1").arg(i));
        button->setCheckable(true);
        pageButtons_->addButton(button, i);
        bar->addWidget(button);
    }
    bar->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(stack_);
    connect(pageButtons_, &QButtonGroup::idClicked, this, &TfrmClockOP_UTC::selectPage);
}

TfrmClockOP_UTC::~TfrmClockOP_UTC() = default; // the module stays for the next window

void TfrmClockOP_UTC::setReportPresenter(ReportPresenter presenter)
{
    shared_.showReport = std::move(presenter);
}

void TfrmClockOP_UTC::selectPage(int index)
{
    if (index < 0 || index > SmsDownload)
        return;
    try {
        if (FreeCurrentModule())
            shared_.values.LastSiteId.clear();
    } catch (...) {
        // Freeing a module only closes its port; nothing to report.
    }
    matching_->timer()->stop();
    marking_->timer()->stop();
    upload_->timer()->stop();
    QThread::msleep(static_cast<unsigned long>(settleMs()));

    current_ = index;
    if (QAbstractButton *button = pageButtons_->button(index))
        button->setChecked(true);
    stack_->setCurrentIndex(index + 1);
    const int32_t handle = CreateModuleForPage(index);
    if (handle == 0 && index != SmsDownload)
        shared_.context.prompter->message("Com Port not be actived , Pls Connect Rs232 Cable and restart !");
    try {
        switch (index) {
        case Matching: matching_->enterPage(); break;
        case Marking: marking_->enterPage(); break;
        case CreateTimerTrain: train_->enterPage(); break;
        case CreateTimerRace: race_->enterPage(); break;
        case UploadTimerResult: upload_->enterPage(); break;
        case SmsDownload: sms_->enterPage(); break;
        }
    } catch (const std::exception &e) {
        shared_.context.prompter->error(QString::fromStdString(e.what()));
    }
}
