#pragma once

#include <QString>

/// Outcome of a statement or a file operation: ok, or a message for the teacher (the
/// engine's own text for a statement, a Chinese sentence naming the file for a file).
struct [[nodiscard]] Result final {
    bool ok = true;
    QString error;
    static Result success() { return {}; }
    static Result failure(QString message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};
