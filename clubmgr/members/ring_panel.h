#pragma once
// The ring list of one loft (pnlMemRing): the pigeons with their rings, the ring entry
// area pnlMRingData, the feather colours, and the spreadsheet buttons.

#include "member_grid.h"
#include "member_page_context.h"
#include "pigeon_codes.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;

namespace members {

class RingPanel : public QWidget {
    Q_OBJECT
public:
    RingPanel(const MemberPageContext& context, QWidget* parent);

    // The list sources, loaded each time the page is shown.
    void setListSources(const QStringList& countryCodes, const QStringList& years, const ColourTable& colours);
    // Opens the ring list of a loft.
    void open(const QString& loftNo, const QString& loftName);
    void reload(bool orderByRing = false);

    MemberGrid& grid() { return grid_; }
    QMenu* actionList() const { return rgMemRing_; }
    QMenu* colourMenu() const { return pmColor_; }
    bool selectedRingMode() const { return selectedMode_; }

    void selectRing();
    void addNew(bool range);
    void cancel();
    void save();
    void deleteRing();
    void deleteAll();
    void importWorkbook();
    void exportWorkbook();
    void print();

private:
    void showColourMaintain();
    void saveColour();
    void deleteColour();
    void reloadColourNames();
    void setRingFieldsEnabled(bool enabled);

    MemberPageContext context_;
    QString loftNo_;
    QString loftName_;
    ColourTable colours_;
    bool selectedMode_ = false;
    QString selectedRing_;  // the pigeon the entry area shows in selected-ring mode

    MemberGrid grid_;
    QLabel* lblRingSum_ = nullptr;
    QMenu* rgMemRing_ = nullptr;
    QComboBox* cbbCountryRingCode_ = nullptr;
    QComboBox* combBYear_ = nullptr;
    QLineEdit* edtRegLetter_ = nullptr;
    QLineEdit* edtRegNum_ = nullptr;
    QLabel* lblUpRegNum_ = nullptr;
    QLineEdit* edtUpRegNum_ = nullptr;
    QComboBox* cbbSex_ = nullptr;
    QComboBox* cbbBColour_ = nullptr;
    QComboBox* cbbTeam_ = nullptr;
    QPlainTextEdit* mmoComment_ = nullptr;
    QMenu* pmColor_ = nullptr;
    QGroupBox* gbColorMaintain_ = nullptr;
    QLineEdit* edtColorCode_ = nullptr;
    QLineEdit* edtColorName_ = nullptr;
};

}  // namespace members
