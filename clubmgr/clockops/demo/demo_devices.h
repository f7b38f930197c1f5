// Demo devices: the race clock and the ring reader emulated on pseudo-terminals inside
// the program, with a small control window, so a club can try a whole race night without
// hardware. The clock-operation window's modules are pointed at the two emulators.
#pragma once

#include <QString>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QSpinBox;
class TdmLCXS;

namespace devsim { class Emulator; }

namespace clockops {

class DemoDevices {
public:
    // Starts both emulators; the clock accepts the club's SysID. Throws std::runtime_error
    // when a pseudo-terminal cannot be made.
    explicit DemoDevices(const QString &sysId);
    ~DemoDevices();

    QString clockPort() const;
    QString readerPort() const;

    // Control verbs of the emulators (see docs/devsim.md); throw on a refused verb.
    std::string clock(const std::string &verb, const std::vector<std::string> &args);
    std::string reader(const std::string &verb, const std::vector<std::string> &args);

private:
    std::unique_ptr<devsim::Emulator> clock_, reader_;
};

// One ring of the demo club: the pigeon's own ring when it has one, else a ring made for it.
struct DemoRing {
    QString pRingNo, uid, identity;
    int randomCode = 0;
};
QList<DemoRing> DemoRings(TdmLCXS &dm);

// The random code a pigeon's ring carries now: that of its newest race entry, else the
// one read when the ring was tied.
int CurrentRingCode(TdmLCXS &dm, const QString &pRingNo, int tiedCode);

// The control window: a ring on the reader, arrivals at the clock, the clock's deviation.
class TfrmDemoDevices : public QWidget {
    Q_OBJECT
public:
    TfrmDemoDevices(DemoDevices &devices, TdmLCXS &dm, QWidget *parent = nullptr);

public slots:
    void refresh();
    void putRing();
    void putForeignRing();
    void takeRingOff();
    void arriveNow();
    void setDeviation();

private:
    void report(const QString &text);

    DemoDevices &devices_;
    TdmLCXS &dm_;
    QList<DemoRing> rings_;
    QComboBox *cbbRing_;
    QComboBox *cbbBird_;
    QSpinBox *spnDeviation_;
    QLabel *lblStatus_;
};

} // namespace clockops
