#pragma once

#include "prompter.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// A Prompter for tests: answers questions and file dialogs from a script and records
// everything shown. A question or file dialog with no scripted answer fails the running
// test (and answers No / cancels), so a page cannot ask something the test did not expect.
class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, Question, Error, Information, OpenFile, SaveFile };
    struct Shown {
        Kind kind;
        QString text;   // the message, or the filter of a file dialog
    };

    // Script the next answers, consumed in order.
    ScriptedPrompter& answerYes() { questions_.enqueue(true); return *this; }
    ScriptedPrompter& answerNo() { questions_.enqueue(false); return *this; }
    // Empty means "cancel".
    ScriptedPrompter& answerFile(const QString& path) { files_.enqueue(path); return *this; }

    const QList<Shown>& shown() const { return shown_; }
    QStringList texts(Kind kind) const;
    QStringList messages() const { return texts(Kind::Message); }
    QStringList errors() const { return texts(Kind::Error); }
    QStringList questions() const { return texts(Kind::Question); }
    // The text of the last box of any kind, empty when nothing was shown.
    QString last() const { return shown_.isEmpty() ? QString() : shown_.last().text; }
    void clear() { shown_.clear(); }
    // Answers scripted but never asked for.
    int unusedAnswers() const { return int(questions_.size() + files_.size()); }

    void message(const QString& text) override;
    bool question(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text, int autoCloseMs) override;
    QString openFileName(const QString& filter, const QString& directory = {}) override;
    QString saveFileName(const QString& filter, const QString& directory = {}) override;

    int lastAutoCloseMs() const { return lastAutoCloseMs_; }

private:
    QString nextFile(Kind kind, const QString& filter);

    QList<Shown> shown_;
    QQueue<bool> questions_;
    QQueue<QString> files_;
    int lastAutoCloseMs_ = 0;
};
