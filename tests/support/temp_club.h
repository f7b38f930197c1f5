#pragma once

#include "club_context.h"
#include "dm_lcxs.h"
#include "scripted_prompter.h"

#include <QTemporaryDir>

#include <memory>

// A fresh club for one test: a temporary folder holding "club/" (the club folder with
// LCXS.ini and LCXS.udl) so that "Backup/" lands inside the temporary folder too.
//
// SQLite: a new club database file in the club folder.
// PostgreSQL (CLUB_TEST_PG set, e.g. by scripts/pg-server.sh): a schema of its own in that
// database, so tests can run side by side; dropped again at the end. LCXS.udl names it.
class TempClub {
public:
    explicit TempClub(DbEngine engine = DbEngine::SQLite);
    ~TempClub();

    // True when PostgreSQL tests can run (CLUB_TEST_PG is set).
    static bool postgresAvailable();
    static const char* engineName(DbEngine engine);

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    TdmLCXS& dm() { return *dm_; }
    ScriptedPrompter& prompter() { return prompter_; }
    const ClubPaths& paths() const { return context_.paths; }
    // The context for pages: this club's data module and scripted prompter; endProgram
    // counts calls in endProgramCalls().
    const ClubContext& context() const { return context_; }
    int endProgramCalls() const { return *endCalls_; }
    QString root() const { return dir_.path(); }

    // Closes the data module and opens a new one from LCXS.udl.
    void reopen();

private:
    QTemporaryDir dir_;
    QString error_;
    QString pgSchema_;
    std::unique_ptr<TdmLCXS> dm_;
    ScriptedPrompter prompter_;
    ClubContext context_;
    std::shared_ptr<int> endCalls_ = std::make_shared<int>(0);
};
