#include "loft_form_panel.h"

#include "dm_lcxs.h"
#include "loft_register.h"
#include "prompter.h"
#include "upper_case.h"

#include <QDateTime>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace members {

namespace {

// One letter (upper case), three digits, "'", two digits, ":", two digits, ".", two
// digits; blanks where nothing was typed.
const QString kCoordinateMask = QStringLiteral(">a000'00:00.00; ");

QLineEdit* field(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

}  // namespace

QString maskedText(const QLineEdit* field)
{
    return field->displayText();
}

LoftFormPanel::LoftFormPanel(const MemberPageContext& context, QWidget* parent)
    : QWidget(parent), context_(context)
{
    setObjectName(QStringLiteral("pnlNewMember"));
    auto* layout = new QVBoxLayout(this);

    auto* personal = new QGroupBox(QStringLiteral("Personal Details"), this);
    auto* personalForm = new QFormLayout(personal);
    edtName_ = field(personal, "edtName");
    edtStreet_ = field(personal, "edtStreet");
    edtToneCity_ = field(personal, "edtToneCity");
    edtPostCode_ = field(personal, "edtPostCode");
    edtPhone_ = field(personal, "edtPhone");
    personalForm->addRow(QStringLiteral("Name:"), edtName_);
    personalForm->addRow(QStringLiteral("Street:"), edtStreet_);
    personalForm->addRow(QStringLiteral("Country:"), edtToneCity_);
    personalForm->addRow(QStringLiteral("Post Code:"), edtPostCode_);
    personalForm->addRow(QStringLiteral("Telephone Number:"), edtPhone_);
    layout->addWidget(personal);

    auto* loftBox = new QGroupBox(QStringLiteral("Loft Information"), this);
    auto* loftForm = new QFormLayout(loftBox);
    edtUnionCode_ = field(loftBox, "edtUnionCode");
    edtUnionCode_->setMaxLength(6);
    makeUpperCase(edtUnionCode_);
    edtUnionCode_->hide();  // the association comes from the club's settings
    edtSeriesNo_ = field(loftBox, "edtSeriesNo");
    edtSeriesNo_->setMaxLength(12);
    makeUpperCase(edtSeriesNo_);
    medtLoftLon_ = field(loftBox, "medtLoftLon");
    medtLoftLat_ = field(loftBox, "medtLoftLat");
    for (QLineEdit* coordinate : {medtLoftLon_, medtLoftLat_})
        coordinate->setInputMask(kCoordinateMask);
    auto withExample = [loftBox](QLineEdit* edit, const char* example) {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(new QLabel(QString::fromLatin1(example), loftBox));
        return row;
    };
    loftForm->addRow(QStringLiteral("Loft Number:"), edtSeriesNo_);
    loftForm->addRow(QStringLiteral("Lontitude :"), withExample(medtLoftLon_, "(E121'23:24.33)"));
    loftForm->addRow(QStringLiteral("Latitude :"), withExample(medtLoftLat_, "(N024'22:30.44)"));
    layout->addWidget(loftBox);

    auto* notes = new QGroupBox(QStringLiteral("Notes"), this);
    auto* notesLayout = new QVBoxLayout(notes);
    mmoNote_ = new QPlainTextEdit(notes);
    mmoNote_->setObjectName(QStringLiteral("mmoNote"));
    notesLayout->addWidget(mmoNote_);
    layout->addWidget(notes, 1);

    auto* buttons = new QHBoxLayout;
    auto* btnSave = new QPushButton(QStringLiteral("Save"), this);
    btnSave->setObjectName(QStringLiteral("btnMemSave"));
    auto* btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnMemCancel"));
    buttons->addStretch(1);
    buttons->addWidget(btnSave);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);

    connect(btnSave, &QPushButton::clicked, this, &LoftFormPanel::save);
    connect(btnCancel, &QPushButton::clicked, this, &LoftFormPanel::cancelled);
}

void LoftFormPanel::startNew(const QString& associationCode)
{
    for (QLineEdit* edit : {edtName_, edtStreet_, edtToneCity_, edtPostCode_, edtPhone_, edtSeriesNo_,
                            medtLoftLon_, medtLoftLat_})
        edit->clear();
    mmoNote_->clear();
    edtUnionCode_->setText(associationCode);
    edtSeriesNo_->setEnabled(true);
    edtName_->setFocus();
}

void LoftFormPanel::startEdit(const LoftRow& loft)
{
    edtUnionCode_->setText(loft.associationCode);
    edtSeriesNo_->setText(loft.loftNo);
    edtName_->setText(loft.loftName);
    edtStreet_->setText(loft.street);
    edtToneCity_->setText(loft.city);
    edtPostCode_->setText(loft.postCode);
    edtPhone_->setText(loft.phoneNo);
    medtLoftLon_->setText(loft.loftLon);
    medtLoftLat_->setText(loft.loftLat);
    mmoNote_->setPlainText(loft.notes);
    edtSeriesNo_->setEnabled(false);
    edtName_->setFocus();
}

LoftRow LoftFormPanel::entered() const
{
    LoftRow l;
    l.associationCode = edtUnionCode_->text();
    l.loftNo = edtSeriesNo_->text();
    l.loftName = edtName_->text();
    l.street = edtStreet_->text();
    l.city = edtToneCity_->text();
    l.postCode = edtPostCode_->text();
    l.phoneNo = edtPhone_->text();
    l.loftLon = maskedText(medtLoftLon_);
    l.loftLat = maskedText(medtLoftLat_);
    l.notes = mmoNote_->toPlainText();
    return l;
}

void LoftFormPanel::save()
{
    try {
        const LoftSaveResult r = saveLoft(*context_.club.dm, entered(), QDateTime::currentDateTime());
        if (!r.saved) {
            context_.club.prompter->message(r.message);
            return;
        }
    } catch (const DbError& e) {
        context_.club.prompter->error(e.message());
        return;
    }
    emit saved();
}

}  // namespace members
