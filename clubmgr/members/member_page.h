#pragma once
// The Member page (TfrmMember): the loft register with its entry form, the ring list and
// the clock list of one loft, of which one panel is shown at a time under the heading.

#include "club_context.h"
#include "member_page_context.h"

#include <QWidget>

class QLabel;

namespace members {
class ClockPanel;
class LoftFormPanel;
class LoftListPanel;
class RingPanel;
}

class TfrmMember : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMember(const ClubContext& context, QWidget* parent = nullptr);

    // What showing the page does: list sources, loft list and count, search box, and
    // back to the loft list under the heading "Member".
    void refresh();

    QString heading() const;
    members::LoftListPanel* loftList() const { return pnlMem_; }
    members::LoftFormPanel* loftForm() const { return pnlNewMember_; }
    members::RingPanel* ringPanel() const { return pnlMemRing_; }
    members::ClockPanel* clockPanel() const { return pnlClockList_; }

    // The sort text of the page's three grids, kept for the whole run.
    static QString& sortText();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showOnly(QWidget* panel);
    void startNewLoft();
    void startEditLoft(const QString& loftNo);
    void backToList();

    ClubContext context_;
    QLabel* lblHeading_ = nullptr;
    members::LoftListPanel* pnlMem_ = nullptr;
    members::LoftFormPanel* pnlNewMember_ = nullptr;
    members::RingPanel* pnlMemRing_ = nullptr;
    members::ClockPanel* pnlClockList_ = nullptr;
};
