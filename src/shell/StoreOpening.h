#pragma once

#include "store/Database.h"

#include <QString>

class DataPaths;
class ProgramDataFiles;

namespace StoreOpening {

/// Opens the connection the program works on. With no server setting it is Record.mdb and
/// Data/ in the data folder, the shipped lists and settings copied in when it is new; a
/// shipped file that cannot be copied does not stop the login, and is put in `warning`.
/// Otherwise the setting is a school's PostgreSQL server (postgresql://user@host/name),
/// whose Data files are seeded from the shipped ones; a setting that is no such URL, or a
/// server that cannot be used, is refused: never a silent fall back to a local file.
Result open(Database &database, ProgramDataFiles &dataFiles, const DataPaths &paths, const QString &serverSetting,
    QString *warning);

} // namespace StoreOpening
