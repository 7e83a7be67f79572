#pragma once

#include <QStringList>
#include <functional>

/// The desktop's opener of a workbook, recording what it was asked to open; `starts`
/// says whether an application could be started.
struct RecordingOpener {
    QStringList opened;
    bool starts = true;
    std::function<bool(const QString &)> opener()
    {
        return [this](const QString &path) {
            opened << path;
            return starts;
        };
    }
};
