#pragma once

#include <QStringList>
#include <functional>

/// The desktop's opener of a workbook, recording what it was asked to open; `starts`
/// says whether an application could be started.
struct RecordingOpener {
    QStringList opened;
    bool starts = true;
    std::function<void(const QString &, std::function<void(bool)>)> opener()
    {
        return [this](const QString &path, const std::function<void(bool)> &done) {
            opened << path;
            done(starts);
        };
    }
};
