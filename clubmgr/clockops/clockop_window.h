// The clock-operation window: six pages that work with the ring reader and the race
// clocks. Changing the page frees the device module and creates the one the new page needs.
#pragma once

#include "clockop_shared.h"

#include <QWidget>

class QButtonGroup;
class QStackedWidget;

namespace clockops {
class MatchingPage;
class MarkingPage;
class TrainLoadPage;
class RaceLoadPage;
class UploadPage;
class SmsPage;
} // namespace clockops

class TfrmClockOP_UTC : public QWidget {
    Q_OBJECT
public:
    enum Page { Matching = 0, Marking, CreateTimerTrain, CreateTimerRace, UploadTimerResult, SmsDownload };

    TfrmClockOP_UTC(const ClubContext &context, QWidget *parent = nullptr);
    ~TfrmClockOP_UTC() override;

    // The page change rule; -1 until the user picks a page.
    void selectPage(int index);
    int currentPage() const { return current_; }

    // How printouts are shown (a modal preview by default).
    void setReportPresenter(clockops::ReportPresenter presenter);
    // The wait after a module was freed, before the next one opens (300 ms).
    static void setSettleMilliseconds(int ms);

    clockops::ClockOpValues &values() { return shared_.values; }
    clockops::MatchingPage *matchingPage() const { return matching_; }
    clockops::MarkingPage *markingPage() const { return marking_; }
    clockops::TrainLoadPage *trainPage() const { return train_; }
    clockops::RaceLoadPage *racePage() const { return race_; }
    clockops::UploadPage *uploadPage() const { return upload_; }
    clockops::SmsPage *smsPage() const { return sms_; }

private:
    clockops::ClockOpShared shared_;
    QButtonGroup *pageButtons_;
    QStackedWidget *stack_;
    clockops::MatchingPage *matching_;
    clockops::MarkingPage *marking_;
    clockops::TrainLoadPage *train_;
    clockops::RaceLoadPage *race_;
    clockops::UploadPage *upload_;
    clockops::SmsPage *sms_;
    int current_ = -1;
};
