#include "prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace {

QString programTitle()
{
    return QApplication::applicationDisplayName().isEmpty() ? QStringLiteral("clubmgr")
                                                             : QApplication::applicationDisplayName();
}

} // namespace

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString desc = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(';', ' ');
        if (!desc.contains('('))
            desc += QString(" (%1)").arg(patterns);
        out << desc;
    }
    if (out.isEmpty())
        return filter;
    return out.join(";;");
}

void QtPrompter::message(const QString& text)
{
    QMessageBox::information(parent_, programTitle(), text);
}

bool QtPrompter::question(const QString& text)
{
    return QMessageBox::question(parent_, programTitle(), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

void QtPrompter::error(const QString& text)
{
    QMessageBox::critical(parent_, programTitle(), text);
}

void QtPrompter::information(const QString& text, int autoCloseMs)
{
    QMessageBox box(QMessageBox::Information, programTitle(), text, QMessageBox::Ok, parent_);
    QTimer timer;
    timer.setInterval(autoCloseMs);
    QObject::connect(&timer, &QTimer::timeout, &box, [&box] { box.done(QMessageBox::Ok); });
    timer.start();
    box.exec();
}

QString QtPrompter::openFileName(const QString& filter, const QString& directory)
{
    return QFileDialog::getOpenFileName(parent_, QString(), directory, qtFileFilter(filter));
}

QString QtPrompter::saveFileName(const QString& filter, const QString& directory)
{
    return QFileDialog::getSaveFileName(parent_, QString(), directory, qtFileFilter(filter));
}
