#pragma once

#include <QString>
#include <optional>

/// Outcome of a statement or a file operation: ok, or a message for the teacher (the
/// engine's own text for a statement, a Chinese sentence naming the file for a file).
struct [[nodiscard]] Result final {
    bool ok = true;
    QString error;
    static Result success() { return {}; }
    static Result failure(QString message) { return {false, std::move(message)}; }
    explicit operator bool() const { return ok; }
};

/// What a file reader gives: the value read, or a Chinese message naming the file.
template<typename T> struct [[nodiscard]] ReadResult final {
    std::optional<T> value;
    QString error;
    static ReadResult success(T read) { return {std::move(read), {}}; }
    static ReadResult failure(QString message) { return {std::nullopt, std::move(message)}; }
    explicit operator bool() const { return value.has_value(); }
    const T &operator*() const { return *value; }
    const T *operator->() const { return &*value; }
};
