#pragma once

#include <QString>
#include <QStringList>

class QSettings;

/// What the program is told at start, read in one place: the command line first, then
/// the settings file qingsui.ini, the teacher's own (~/.config/qingsui/qingsui.ini) over
/// the machine's (/etc/xdg/qingsui/qingsui.ini). Without either, nothing changes.
struct ProgramSettings final {
    /// The folder for Record.mdb and Data/ (--data-folder DIR, setting DataFolder); empty
    /// when neither names one.
    QString dataFolder;
    /// A school's server (--database URL, setting database); empty for Record.mdb.
    QString database;
    /// --copy-to-server FOLDER: the folder whose Record.mdb and Data files go onto the
    /// server, with no window; empty otherwise.
    QString copyToServer;
    /// Text for the terminal when the program should not start: help, version, or a
    /// mistake on the command line (then failed is true).
    QString message;
    bool failed = false;
    bool exitNow() const { return !message.isEmpty(); }

    /// Reads arguments (argv, program name first) over the settings.
    static ProgramSettings read(const QStringList &arguments, const QSettings &settings);
    /// Reads arguments over the settings files named above.
    static ProgramSettings read(const QStringList &arguments);
};
