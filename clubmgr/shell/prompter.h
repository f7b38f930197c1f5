#pragma once

#include <QString>

class QWidget;

// Every message box, question and file dialog of the club program goes through this, so
// pages can be driven by tests with scripted answers. QtPrompter shows real dialogs.
//
// File filters are written as in the original dialogs: "Description|pattern|...", e.g.
// "Access BackUp files (*.Bak)|*.Bak".
class Prompter {
public:
    virtual ~Prompter() = default;

    // A plain message box with an OK button (validation problems, results).
    virtual void message(const QString& text) = 0;
    // A Yes/No question; true for Yes.
    virtual bool question(const QString& text) = 0;
    // The window's error box: an operation failed with this message.
    virtual void error(const QString& text) = 0;
    // An information box that closes by itself after autoCloseMs (or on OK).
    virtual void information(const QString& text, int autoCloseMs) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString openFileName(const QString& filter, const QString& directory = {}) = 0;
    virtual QString saveFileName(const QString& filter, const QString& directory = {}) = 0;
};

// Real dialogs, parented to the given window (may be null).
class QtPrompter : public Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text, int autoCloseMs) override;
    QString openFileName(const QString& filter, const QString& directory = {}) override;
    QString saveFileName(const QString& filter, const QString& directory = {}) override;

private:
    QWidget* parent_;
};

// "Access BackUp files (*.Bak)|*.Bak" -> "Access BackUp files (*.Bak)" (Qt's form).
QString qtFileFilter(const QString& filter);
