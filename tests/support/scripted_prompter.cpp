#include "scripted_prompter.h"

#include <gtest/gtest.h>

QStringList ScriptedPrompter::texts(Kind kind) const
{
    QStringList out;
    for (const Shown& s : shown_)
        if (s.kind == kind)
            out << s.text;
    return out;
}

void ScriptedPrompter::message(const QString& text)
{
    shown_.append({Kind::Message, text});
}

bool ScriptedPrompter::question(const QString& text)
{
    shown_.append({Kind::Question, text});
    if (questions_.isEmpty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    return questions_.dequeue();
}

void ScriptedPrompter::error(const QString& text)
{
    shown_.append({Kind::Error, text});
}

void ScriptedPrompter::information(const QString& text, int autoCloseMs)
{
    lastAutoCloseMs_ = autoCloseMs;
    shown_.append({Kind::Information, text});
}

QString ScriptedPrompter::nextFile(Kind kind, const QString& filter)
{
    shown_.append({kind, filter});
    if (files_.isEmpty()) {
        ADD_FAILURE() << "unexpected file dialog: " << filter.toStdString();
        return {};
    }
    return files_.dequeue();
}

QString ScriptedPrompter::openFileName(const QString& filter, const QString&)
{
    return nextFile(Kind::OpenFile, filter);
}

QString ScriptedPrompter::saveFileName(const QString& filter, const QString&)
{
    return nextFile(Kind::SaveFile, filter);
}
