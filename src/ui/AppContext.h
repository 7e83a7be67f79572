#pragma once

class Database;
class Dataset;
class DataFiles;
class DataPaths;
class Prompter;
struct LoginState;

/// What every command of the main window shares: who is logged in, the connection, the
/// main query behind the grid, the portrait query, the prompter and the data-folder paths
/// (the one source of the program folder). Owned by the main window; features keep a
/// reference for as long as they live.
struct AppContext final {
    LoginState &login;
    Database &database;
    Dataset &mainQuery;
    Dataset &portraitQuery;
    Prompter &prompter;
    const DataPaths &paths;
    /// The Data files: the Data folder, or the server's table when the database is a server.
    DataFiles &dataFiles;
};
