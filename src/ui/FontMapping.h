#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

/// Maps the face names the windows ask for (宋体, 华文新魏, ...) to faces installed on a
/// Linux desktop, so Chinese renders in a fitting style.
class FontMapping final {
public:
    /// Each requested face with its substitutes, best first.
    static std::vector<std::pair<QString, QStringList>> substitutions();
    /// Registers the substitutions with QFont.
    static void install();
};
