#pragma once

#include "Database.h"

/// Fills a new Record.mdb: the master roster 母版 (a sample class with groups) and the
/// portrait table 范例班, each only when it is missing. All or nothing.
Result createInitialContents(Database &database);
