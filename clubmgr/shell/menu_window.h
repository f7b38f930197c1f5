#pragma once

#include "club_context.h"
#include "page_kind.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>

class QAction;
class QLabel;
class QStackedLayout;

// The main window "Volaro Club Management V6": a tool bar with the five page buttons, the
// content panel pnlMain with exactly one page at a time (a picture while none is open),
// and an empty status bar. Opening a page closes and destroys the previous one; closing
// the window closes the open page first.
class TfrmMenu_UTC : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMenu_UTC(const ClubContext& context, QWidget* parent = nullptr);
    ~TfrmMenu_UTC() override;

    void setPageFactory(PageKind kind, PageFactory factory);

    // Closes the open page (its closeEvent runs, e.g. Setup saves) and opens this one.
    QWidget* openPage(PageKind kind);
    // Closes and destroys the open page, showing the picture again.
    void closePage();

    QWidget* currentPage() const { return page_; }
    PageKind currentKind() const { return kind_; }
    QAction* pageAction(PageKind kind) const { return actions_.value(kind); }

    // The open Clock Operation, Member or Races page, for other windows; null when that
    // page is not open.
    static QWidget* openPageOf(PageKind kind);

    // Tests turn the start-up backup off; it runs once, when the window is first shown.
    void setStartupBackupEnabled(bool enabled) { startupBackupEnabled_ = enabled; }

signals:
    void pageOpened(PageKind kind, QWidget* page);
    void startupBackupDone();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runStartupBackupOnce();

    ClubContext context_;
    QMap<PageKind, PageFactory> factories_;
    QMap<PageKind, QAction*> actions_;
    QWidget* pnlMain_ = nullptr;
    QStackedLayout* stack_ = nullptr;
    QLabel* picture_ = nullptr;
    QPointer<QWidget> page_;
    PageKind kind_ = PageKind::Home;
    bool startupBackupEnabled_ = true;
    bool startupBackupDone_ = false;
};
