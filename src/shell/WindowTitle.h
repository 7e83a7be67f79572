#pragma once

#include "store/ApplicationTitle.h"

#include <QString>
#include <optional>

struct LoginState;

/// The main window's title.
namespace WindowTitle {
/// The title until the first login.
inline const QString kInitial = ApplicationTitle::kName;

/// The title rule: "青穗多媒体教学助手-" + class + subject + mode, or nullopt when
/// nobody is logged in (the title then stays as it is).
std::optional<QString> forLogin(const LoginState &state);
} // namespace WindowTitle
