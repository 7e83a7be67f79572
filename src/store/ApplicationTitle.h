#pragma once

#include <QString>

/// The program's own title, as windows, boxes and the About box show it.
namespace ApplicationTitle {
/// The title without the version; the main window's title until the first login.
inline const QString kName = QStringLiteral("青穗多媒体教学助手");
inline const QString kVersion = QStringLiteral("1.6");
/// "青穗多媒体教学助手 1.6": the caption of the standard error box and the application name.
inline QString withVersion()
{
    return kName + QLatin1Char(' ') + kVersion;
}
} // namespace ApplicationTitle
