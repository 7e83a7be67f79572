#include "WindowTitle.h"

#include "store/LoginState.h"

namespace WindowTitle {

std::optional<QString> forLogin(const LoginState &state)
{
    if (!state.isLoggedIn())
        return std::nullopt;
    return kInitial + QLatin1Char('-') + state.className + state.subject + state.mode;
}

} // namespace WindowTitle
