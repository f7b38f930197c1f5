#pragma once
// The loft entry form of the Member page (pnlNewMember): a new loft or an existing one.

#include "member_page_context.h"
#include "member_queries.h"

#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace members {

class LoftFormPanel : public QWidget {
    Q_OBJECT
public:
    LoftFormPanel(const MemberPageContext& context, QWidget* parent);

    // Clears the form for a new loft of this association; the loft number can be typed.
    void startNew(const QString& associationCode);
    // Fills the form from a stored loft; its number cannot be changed.
    void startEdit(const LoftRow& loft);

    LoftRow entered() const;
    void save();

signals:
    void saved();
    void cancelled();

private:
    MemberPageContext context_;
    QLineEdit* edtName_ = nullptr;
    QLineEdit* edtStreet_ = nullptr;
    QLineEdit* edtToneCity_ = nullptr;
    QLineEdit* edtPostCode_ = nullptr;
    QLineEdit* edtPhone_ = nullptr;
    QLineEdit* edtUnionCode_ = nullptr;
    QLineEdit* edtSeriesNo_ = nullptr;
    QLineEdit* medtLoftLon_ = nullptr;
    QLineEdit* medtLoftLat_ = nullptr;
    QPlainTextEdit* mmoNote_ = nullptr;
};

// The text a masked coordinate field stores: separators kept, unfilled places blank
// (an untouched loft field gives "    '  :  .  ").
QString maskedText(const QLineEdit* field);

}  // namespace members
