#include "report_command.h"

#include "db_error.h"
#include "report_sources.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

#include <cstring>
#include <functional>
#include <memory>

namespace club::reports {
namespace {

const QCommandLineOption& reportOption()
{
    static const QCommandLineOption o(QStringLiteral("report"),
                                      QStringLiteral("Print a report: %1.").arg(reportCommandNames().join(", ")),
                                      QStringLiteral("NAME"));
    return o;
}
const QCommandLineOption& raceOption()
{
    static const QCommandLineOption o(QStringLiteral("race"),
                                      QStringLiteral("With --report: the race, by its code (1A2B0819 or \"1A2B / 0819\")."),
                                      QStringLiteral("CODE"));
    return o;
}
const QCommandLineOption& loftOption()
{
    static const QCommandLineOption o(QStringLiteral("loft"), QStringLiteral("With --report: the loft number."),
                                      QStringLiteral("LOFTNO"));
    return o;
}
const QCommandLineOption& deviceOption()
{
    static const QCommandLineOption o(
        QStringLiteral("device"),
        QStringLiteral("With --report race-entry or race-official: the clock's device number (default: the clock "
                       "recorded for the loft in the race)."),
        QStringLiteral("NO"));
    return o;
}
const QCommandLineOption& pdfOption()
{
    static const QCommandLineOption o(QStringLiteral("pdf"),
                                      QStringLiteral("With --report: write the report to this PDF file instead of "
                                                     "opening the print preview."),
                                      QStringLiteral("FILE"));
    return o;
}

// The folder the program was started in: the program moves into the club folder before
// the report is made, and a relative --pdf path means the caller's folder.
QString& startFolder()
{
    static QString folder;
    return folder;
}

void complain(const QString& text) { QTextStream(stderr) << text << Qt::endl; }

// What a report needs besides the database: a race, a loft, or both.
struct Command {
    bool needsRace = false;
    bool needsLoft = false;
    std::function<std::unique_ptr<TReportForm>(TdmLCXS&, const QString& race, const QString& loft,
                                               const QString& device)>
        make;
};

template <typename Report, typename Input>
std::unique_ptr<TReportForm> made(std::optional<Input> in)
{
    if (!in) return nullptr;
    return std::make_unique<Report>(std::move(*in));
}

const QMap<QString, Command>& commands()
{
    using R = std::unique_ptr<TReportForm>;
    static const QMap<QString, Command> table{
        {"member-list",
         {false, false, [](TdmLCXS& dm, auto&, auto&, auto&) -> R { return std::make_unique<TfrmPrtMemList>(memberListFrom(dm)); }}},
        {"ring-list",
         {false, true, [](TdmLCXS& dm, auto&, auto& loft, auto&) { return made<TfrmPrtMemRingList>(ringListFrom(dm, loft)); }}},
        {"member-dist",
         {true, false, [](TdmLCXS& dm, auto& race, auto&, auto&) { return made<TfrmPrtMemDist>(distanceListFrom(dm, race)); }}},
        {"race-list",
         {false, false, [](TdmLCXS& dm, auto&, auto&, auto&) -> R { return std::make_unique<TfrmPrtRaceList>(raceListFrom(dm)); }}},
        {"race-stat",
         {true, false, [](TdmLCXS& dm, auto& race, auto&, auto&) { return made<TfrmPrtRaceStat>(raceStatFrom(dm, race)); }}},
        {"race-result",
         {true, false, [](TdmLCXS& dm, auto& race, auto&, auto&) { return made<TfrmPrtRaceResult>(raceResultFrom(dm, race)); }}},
        {"race-entry",
         {true, true,
          [](TdmLCXS& dm, auto& race, auto& loft, auto& device) {
              return made<TfrmDLRaceRpt_UTC>(raceEntryFrom(dm, race, loft, device));
          }}},
        {"race-official",
         {true, true,
          [](TdmLCXS& dm, auto& race, auto& loft, auto& device) {
              return made<TfrmULRaceRpt_UTC>(officialListFrom(dm, race, loft, device));
          }}},
        {"race-ranking",
         {true, false, [](TdmLCXS& dm, auto& race, auto&, auto&) { return made<TfrmRaceRankRpt_UTC>(rankingFrom(dm, race)); }}},
    };
    return table;
}

}  // namespace

QStringList reportCommandNames()
{
    return {"member-list", "ring-list",   "member-dist",   "race-list",   "race-stat",
            "race-result", "race-entry", "race-official", "race-ranking"};
}

void addReportOptions(QCommandLineParser& parser)
{
    parser.addOptions({reportOption(), raceOption(), loftOption(), deviceOption(), pdfOption()});
    startFolder() = QDir::currentPath();
}

bool reportRequested(const QCommandLineParser& parser) { return parser.isSet(reportOption()); }

bool reportCommandInArgs(int argc, char* argv[])
{
    bool report = false, pdf = false;
    for (int i = 1; i < argc; ++i) {
        report = report || std::strcmp(argv[i], "--report") == 0 || std::strncmp(argv[i], "--report=", 9) == 0;
        pdf = pdf || std::strcmp(argv[i], "--pdf") == 0 || std::strncmp(argv[i], "--pdf=", 6) == 0;
    }
    return report && pdf;
}

int runReportCommand(const QCommandLineParser& parser, TdmLCXS& dm)
{
    const QString name = parser.value(reportOption()).trimmed().toLower();
    const auto it = commands().constFind(name);
    if (it == commands().constEnd()) {
        complain(QStringLiteral("Unknown report \"%1\" (use %2).").arg(name, reportCommandNames().join(", ")));
        return 2;
    }
    const QString race = parser.value(raceOption()).trimmed();
    const QString loft = parser.value(loftOption()).trimmed();
    if (it->needsRace && race.isEmpty()) {
        complain(QStringLiteral("The report %1 needs --race CODE.").arg(name));
        return 2;
    }
    if (it->needsLoft && loft.isEmpty()) {
        complain(QStringLiteral("The report %1 needs --loft LOFTNO.").arg(name));
        return 2;
    }
    std::unique_ptr<TReportForm> report;
    try {
        report = it->make(dm, race, loft, parser.value(deviceOption()).trimmed());
    } catch (const DbError& e) {
        complain(e.message());
        return 1;
    }
    if (!report) {
        if (it->needsRace && it->needsLoft)
            complain(QStringLiteral("No race %1 with loft %2 in this club.").arg(race, loft));
        else if (it->needsRace)
            complain(QStringLiteral("No race with the code %1 in this club.").arg(race));
        else
            complain(QStringLiteral("No loft with the number %1 in this club.").arg(loft));
        return 1;
    }
    if (!parser.isSet(pdfOption())) {
        report->preview(nullptr);
        return 0;
    }
    QString error;
    const QString base = startFolder().isEmpty() ? QDir::currentPath() : startFolder();
    if (!report->writePdf(QDir(base).absoluteFilePath(parser.value(pdfOption())), &error)) {
        complain(error);
        return 1;
    }
    return 0;
}

}  // namespace club::reports
