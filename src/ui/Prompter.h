#pragma once

#include "store/ApplicationTitle.h"
#include "ui/Prompter.h"

#include <QString>
#include <optional>

class QDialog;

/// The three captions of the system's message boxes.
namespace Caption {
inline const QString kNotice = QStringLiteral("提示");
inline const QString kError = QStringLiteral("错误");
inline const QString kWarning = QStringLiteral("警告");
} // namespace Caption

/// Every modal question goes through here, so tests can answer them. Captions, texts,
/// buttons and icons are the system's own.
class Prompter {
public:
    enum class Buttons {
        Ok,
        YesNo,
        YesNoCancel
    };
    enum class Icon {
        Information,
        Question,
        Warning,
        Critical
    };
    enum class Answer {
        Ok,
        Yes,
        No,
        Cancel
    };

    virtual ~Prompter() = default;

    /// A message box; returns the button pressed (closing it counts as No or Cancel).
    virtual Answer message(const QString &caption, const QString &text, Buttons buttons, Icon icon) = 0;
    /// A one-line input box shown in clear; nullopt when cancelled.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) = 0;
    /// File dialogs; `filter` uses the "描述(*.ext)|*.ext" form. nullopt when cancelled.
    virtual std::optional<QString> openFile(const QString &title, const QString &filter, const QString &defaultExtension) = 0;
    virtual std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &defaultExtension) = 0;
    /// Shows one of our own modal windows (login, About, ...) and returns its result.
    virtual int execDialog(QDialog &dialog) = 0;

    // Shorthands for the three kinds of box the system shows.
    void notice(const QString &caption, const QString &text) { message(caption, text, Buttons::Ok, Icon::Information); }
    bool confirm(const QString &caption, const QString &text)
    {
        return message(caption, text, Buttons::YesNo, Icon::Question) == Answer::Yes;
    }
    /// The platform's standard error box: the application title as caption, the error text.
    void error(const QString &text) { message(applicationTitle(), text, Buttons::Ok, Icon::Critical); }

    static QString applicationTitle() { return ApplicationTitle::withVersion(); }
};
