#include "demo_devices.h"

#include "clock_values.h"
#include "clockop_queries.h"
#include "demo_queries.h"
#include "dm_lcxs.h"
#include "port_finding.h"

#include "devsim/emulator.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <stdexcept>

namespace clockops {

namespace {

std::string Control(devsim::Emulator &emu, const std::string &verb, const std::vector<std::string> &args)
{
    return emu.with_device([&](devsim::Device &d, devsim::LinkState &) {
        std::string reply;
        if (!d.control(verb, args, reply))
            throw std::runtime_error("unknown control verb " + verb);
        return reply;
    });
}

} // namespace

DemoDevices::DemoDevices(const QString &sysId)
    : clock_(devsim::Emulator::start("raceclock")), reader_(devsim::Emulator::start("ringreader5"))
{
    if (!clock_ || !reader_)
        throw std::runtime_error("the emulators could not be started");
    Control(*clock_, "identity", {PadSysId(sysId).toStdString()});
    SetPortOverride(ModuleKind::Clock, clockPort());
    SetPortOverride(ModuleKind::Reader, readerPort());
}

DemoDevices::~DemoDevices()
{
    SetPortOverride(ModuleKind::Clock, QString());
    SetPortOverride(ModuleKind::Reader, QString());
}

QString DemoDevices::clockPort() const
{
    return QString::fromStdString(clock_->path());
}

QString DemoDevices::readerPort() const
{
    return QString::fromStdString(reader_->path());
}

std::string DemoDevices::clock(const std::string &verb, const std::vector<std::string> &args)
{
    return Control(*clock_, verb, args);
}

std::string DemoDevices::reader(const std::string &verb, const std::vector<std::string> &args)
{
    return Control(*reader_, verb, args);
}

QList<DemoRing> DemoRings(TdmLCXS &dm)
{
    QList<DemoRing> rings;
    int index = 0;
    for (const demoq::DemoPigeon &p : demoq::demoPigeons(dm)) {
        ++index;
        DemoRing r;
        r.pRingNo = p.pRingNo;
        const bool tied = p.uid.size() == 8 && p.eRing.size() == 8;
        r.uid = tied ? p.uid : QStringLiteral("E004%1").arg(index, 4, 16, QLatin1Char('0')).toUpper();
        r.identity = tied ? p.eRing : QStringLiteral("D0%1").arg(index, 6, 16, QLatin1Char('0')).toUpper();
        r.randomCode = tied ? CurrentRingCode(dm, p.pRingNo, p.randomCode) : 0;
        rings << r;
    }
    return rings;
}

int CurrentRingCode(TdmLCXS &dm, const QString &pRingNo, int tiedCode)
{
    const QVariant marked = demoq::newestEntryCode(dm, pRingNo);
    return marked.isNull() ? tiedCode : marked.toInt();
}

TfrmDemoDevices::TfrmDemoDevices(DemoDevices &devices, TdmLCXS &dm, QWidget *parent)
    : QWidget(parent, Qt::Window), devices_(devices), dm_(dm)
{
    setObjectName("frmDemoDevices");
    setWindowTitle("Demo devices");
    cbbRing_ = new QComboBox(this);
    cbbRing_->setObjectName("cbbDemoRing");
    cbbBird_ = new QComboBox(this);
    cbbBird_->setObjectName("cbbDemoBird");
    spnDeviation_ = new QSpinBox(this);
    spnDeviation_->setObjectName("spnDemoDeviation");
    spnDeviation_->setRange(-3600, 3600);
    spnDeviation_->setSuffix(" s");
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName("lblDemoStatus");
    lblStatus_->setWordWrap(true);

    auto button = [this](const char *name, const QString &text, void (TfrmDemoDevices::*slot)()) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };

    auto *readerBox = new QGroupBox("Ring reader  (" + devices_.readerPort() + ")", this);
    auto *readerLayout = new QVBoxLayout(readerBox);
    readerLayout->addWidget(cbbRing_);
    auto *readerButtons = new QHBoxLayout;
    readerButtons->addWidget(button("btnDemoPutRing", "Put ring on reader", &TfrmDemoDevices::putRing));
    readerButtons->addWidget(button("btnDemoForeignRing", "Foreign ring", &TfrmDemoDevices::putForeignRing));
    readerButtons->addWidget(button("btnDemoTakeOff", "Take ring off", &TfrmDemoDevices::takeRingOff));
    readerLayout->addLayout(readerButtons);

    auto *clockBox = new QGroupBox("Race clock  (" + devices_.clockPort() + ")", this);
    auto *clockLayout = new QFormLayout(clockBox);
    auto *arrival = new QHBoxLayout;
    arrival->addWidget(cbbBird_, 1);
    arrival->addWidget(button("btnDemoArrive", "Arrives now", &TfrmDemoDevices::arriveNow));
    clockLayout->addRow("Pigeon :", arrival);
    auto *deviation = new QHBoxLayout;
    deviation->addWidget(spnDeviation_, 1);
    deviation->addWidget(button("btnDemoDeviation", "Set", &TfrmDemoDevices::setDeviation));
    clockLayout->addRow("Clock runs ahead by :", deviation);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(readerBox);
    layout->addWidget(clockBox);
    layout->addWidget(button("btnDemoRefresh", "Refresh lists", &TfrmDemoDevices::refresh));
    layout->addWidget(lblStatus_);
    refresh();
}

void TfrmDemoDevices::report(const QString &text)
{
    lblStatus_->setText(text);
}

void TfrmDemoDevices::refresh()
{
    try {
        rings_ = DemoRings(dm_);
        cbbRing_->clear();
        cbbBird_->clear();
        for (const DemoRing &r : rings_) {
            cbbRing_->addItem(r.pRingNo + "   (UID " + r.uid + ")");
            cbbBird_->addItem(r.pRingNo + "   (eRing " + r.identity + ")");
        }
        report(QString::fromStdString(devices_.clock("status", {})));
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

void TfrmDemoDevices::putRing()
{
    const int i = cbbRing_->currentIndex();
    if (i < 0 || i >= rings_.size())
        return;
    const DemoRing &r = rings_[i];
    try {
        devices_.reader("ring", {"remove"});
        devices_.reader("ring", {"club", r.uid.toStdString(), r.identity.toStdString(),
                                 QString::number(r.randomCode, 16).toStdString()});
        report("Ring " + r.uid + " of " + r.pRingNo + " is on the reader.");
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

void TfrmDemoDevices::putForeignRing()
{
    try {
        devices_.reader("ring", {"remove"});
        devices_.reader("ring", {"foreign", "E00FFFF1", "D0FFFFF1", "00"});
        report("A ring of another club is on the reader.");
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

void TfrmDemoDevices::takeRingOff()
{
    try {
        devices_.reader("ring", {"remove"});
        report("No ring on the reader.");
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

void TfrmDemoDevices::arriveNow()
{
    const int i = cbbBird_->currentIndex();
    if (i < 0 || i >= rings_.size())
        return;
    rings_ = DemoRings(dm_); // the codes change with marking
    const DemoRing &r = rings_[i];
    try {
        devices_.clock("arrive", {r.identity.toStdString(), "now", std::to_string(r.randomCode), r.uid.toStdString()});
        report(r.pRingNo + " arrived.  " + QString::fromStdString(devices_.clock("status", {})));
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

void TfrmDemoDevices::setDeviation()
{
    try {
        devices_.clock("deviation", {std::to_string(spnDeviation_->value())});
        report(QStringLiteral("The clock now runs %1 s ahead.").arg(spnDeviation_->value()));
    } catch (const std::exception &e) {
        report(QString::fromStdString(e.what()));
    }
}

} // namespace clockops
