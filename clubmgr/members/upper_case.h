#pragma once
// Entry fields whose text is kept in upper case as it is typed.

class QComboBox;
class QLineEdit;

namespace members {

void makeUpperCase(QLineEdit* edit);
void makeUpperCase(QComboBox* box);  // an editable box

}  // namespace members
