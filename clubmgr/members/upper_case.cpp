#include "upper_case.h"

#include <QComboBox>
#include <QLineEdit>

namespace members {

void makeUpperCase(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(upper);
            edit->setCursorPosition(cursor);
        }
    });
}

void makeUpperCase(QComboBox* box)
{
    if (box->lineEdit())
        makeUpperCase(box->lineEdit());
}

}  // namespace members
