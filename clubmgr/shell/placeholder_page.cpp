#include "page_kind.h"

#include <QLabel>
#include <QVBoxLayout>

QWidget* makePlaceholderPage(const QString& title, QWidget* parent)
{
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(title, page);
    QFont f = heading->font();
    f.setPointSize(f.pointSize() + 8);
    f.setBold(true);
    heading->setFont(f);
    layout->addWidget(heading);
    layout->addStretch();
    return page;
}
