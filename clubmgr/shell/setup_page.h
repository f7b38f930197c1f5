#pragma once

#include "club_context.h"
#include "setup_logic.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// The Setup page: the club's settings, saved when the page is left, and the manual
// backup and restore of the database.
class TfrmSetup : public QWidget {
    Q_OBJECT
public:
    explicit TfrmSetup(const ClubContext& context, QWidget* parent = nullptr);

    SetupForm form() const;
    // Fills the lists and the fields from the stored settings.
    void loadFromDatabase();

    void btnBackNowClick();
    void btnLoadBackupClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void cbbClubNameChange(int index);
    void stepDays(int delta);

    ClubContext context_;
    QLineEdit* edtAssociation_ = nullptr;
    QLineEdit* edtClubName_ = nullptr;
    QLineEdit* edtClubAbbt_ = nullptr;
    QComboBox* cbbClubName_ = nullptr;
    QLineEdit* edtClubStreet_ = nullptr;
    QLineEdit* edtClubToneCity_ = nullptr;
    QLineEdit* edtPostCode_ = nullptr;
    QComboBox* cbbLangue_ = nullptr;
    QComboBox* cbbMode_ = nullptr;
    QLineEdit* edtDay_ = nullptr;
    bool loaded_ = false;
    bool saved_ = false;
    bool restored_ = false;
};
