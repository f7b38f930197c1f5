// clubmgr: the club program.
//
//   clubmgr [--club DIR]                 run on the club folder DIR (else CLUBMGR_HOME,
//                                        else the program's folder)
//   clubmgr --club DIR --init-db [--demo]   create a new club folder (with the demo club)
//   clubmgr --page NAME                  open a page at start (home, clock, member, races, setup)
//   clubmgr --demo-devices              emulate the race clock and the ring reader on
//                                        pseudo-terminals, with a control window (see README)
//   clubmgr --report NAME [--race CODE] [--loft LOFTNO] [--device NO] [--pdf FILE]
//                                        print a report to a PDF file, or preview it (see README)
#include "club_start.h"
#include "clockop_window.h"
#include "demo_devices.h"
#include "club_ini.h"
#include "module_state.h"
#include "dm_lcxs.h"
#include "frm_race.h"
#include "home_page.h"
#include "member_page.h"
#include "menu_window.h"
#include "prompter.h"
#include "report_command.h"
#include "setup_page.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstring>

namespace {

// Commands that need no screen run on the offscreen platform, so they work over ssh and
// in scripts.
bool runsWithoutScreen(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--init-db") == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    if ((runsWithoutScreen(argc, argv) || club::reports::reportCommandInArgs(argc, argv)) &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("clubmgr");
    QApplication::setApplicationDisplayName("Volaro Club Management V6");

    QCommandLineParser parser;
    parser.setApplicationDescription("Volaro club management: members, pigeons, races and clocks.");
    parser.addHelpOption();
    const QCommandLineOption clubOption("club", "The club folder (default: CLUBMGR_HOME, else the program's folder).", "DIR");
    const QCommandLineOption initOption("init-db", "Create a new club folder with an empty database, LCXS.udl and LCXS.ini.");
    const QCommandLineOption demoOption("demo", "With --init-db: fill the new club with a demo club.");
    const QCommandLineOption pageOption("page", "Open this page at start: home, clock, member, races or setup.", "NAME");
    const QCommandLineOption demoDevicesOption(
        "demo-devices", "Emulate the race clock and the ring reader on pseudo-terminals, with a control window.");
    parser.addOptions({clubOption, initOption, demoOption, pageOption, demoDevicesOption});
    club::reports::addReportOptions(parser);
    // Further options: add them here and handle them below, before the window is made.
    parser.process(app);

    const QString clubDir = resolveClubDir(parser.value(clubOption), QCoreApplication::applicationDirPath());
    if (parser.isSet(initOption))
        return initClubCommand(clubDir, parser.isSet(demoOption));
    if (parser.isSet(demoOption)) {
        reportStartError("--demo fills a new club and goes with --init-db.");
        return 2;
    }

    QString error;
    if (!enterClubFolder(clubDir, &error)) {
        reportStartError(error);
        return 1;
    }
    // 1. The data module with the connection.
    TdmLCXS dm("LCXS.udl");
    if (!dm.isOpen()) {
        reportStartError(dm.openError());
        return 1;
    }
    if (club::reports::reportRequested(parser))
        return club::reports::runReportCommand(parser, dm);

    // 2. The main window with its pages.
    QtPrompter prompter;
    ClubContext context{&dm, &prompter, ClubPaths{clubDir},
                        [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); }};
    TfrmMenu_UTC window(context);
    prompter.setParentWindow(&window);
    window.setPageFactory(PageKind::Home, [](const ClubContext& c, QWidget* p) { return new TfrmHome(c, p); });
    window.setPageFactory(PageKind::Setup, [](const ClubContext& c, QWidget* p) { return new TfrmSetup(c, p); });
    window.setPageFactory(PageKind::ClockOperation,
                          [](const ClubContext& c, QWidget* p) { return new TfrmClockOP_UTC(c, p); });
    window.setPageFactory(PageKind::Races, [](const ClubContext& c, QWidget* p) { return new TfrmRace(c, p); });
    window.setPageFactory(PageKind::Member, [](const ClubContext& c, QWidget* p) { return new TfrmMember(c, p); });

    // Demo devices: the clock-operation modules open the emulators instead of real ports.
    std::unique_ptr<clockops::DemoDevices> demoDevices;
    std::unique_ptr<clockops::TfrmDemoDevices> demoWindow;
    if (parser.isSet(demoDevicesOption)) {
        try {
            demoDevices = std::make_unique<clockops::DemoDevices>(
                readIniValue(context.paths.iniFile(), "Parameter", "SysID"));
            demoWindow = std::make_unique<clockops::TfrmDemoDevices>(*demoDevices, dm);
        } catch (const std::exception& e) {
            reportStartError(QString("The demo devices cannot start: %1").arg(e.what()));
            return 1;
        }
    }

    // 3. Show the window (the start-up backup runs once it is shown) and run.
    window.show();
    if (demoWindow)
        demoWindow->show();
    const QString page = parser.value(pageOption).toLower();
    const QMap<QString, PageKind> pages{{"home", PageKind::Home}, {"clock", PageKind::ClockOperation},
                                        {"member", PageKind::Member}, {"races", PageKind::Races},
                                        {"setup", PageKind::Setup}};
    if (!page.isEmpty()) {
        if (!pages.contains(page)) {
            reportStartError(QString("Unknown page \"%1\" (use home, clock, member, races or setup).").arg(page));
            return 2;
        }
        QObject::connect(&window, &TfrmMenu_UTC::startupBackupDone, &window, [&window, &pages, page] {
            window.openPage(pages.value(page));
        });
    }
    const int result = app.exec();
    clockops::ShutdownModules(); // close the device ports before the emulators stop
    return result;
}
