#pragma once
// The loft list of the Member page (pnlMem): every loft with its number of clocks, the
// loft-name search box, "AddNew", "Print" and the action list rgMem.

#include "member_grid.h"
#include "member_page_context.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QMenu;

namespace members {

class LoftListPanel : public QWidget {
    Q_OBJECT
public:
    LoftListPanel(const MemberPageContext& context, QWidget* parent);

    // Runs the loft list query again and updates the count; with names, also refills the
    // search box (which happens only when the page is shown).
    void reload(bool withNames);

    MemberGrid& grid() { return grid_; }
    QString currentLoftNo() const { return grid_.currentKey(); }
    QString currentLoftName() const { return grid_.currentText(1); }
    QMenu* actionList() const { return rgMem_; }

signals:
    void addNewClicked();
    void editRequested(const QString& loftNo);
    void ringsRequested(const QString& loftNo, const QString& loftName);
    void clocksRequested(const QString& loftNo, const QString& loftName);

private:
    void deleteCurrentLoft();
    void findLoftName(const QString& name);
    void print();

    MemberPageContext context_;
    MemberGrid grid_;
    QLabel* lblMemSum_ = nullptr;
    QComboBox* combLoftName_ = nullptr;
    QMenu* rgMem_ = nullptr;
};

}  // namespace members
