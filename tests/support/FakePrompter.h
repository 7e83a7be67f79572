#pragma once

#include "ui/Prompter.h"

#include <QList>
#include <QString>
#include <functional>

/// Answers every modal question from a queue and records it. A question that was not
/// expected (empty queue) fails the running test.
class FakePrompter final : public Prompter {
public:
    struct Call {
        enum class Kind {
            Message,
            Input,
            OpenFile,
            SaveFile,
            Dialog
        } kind;
        QString caption; ///< caption, or title of a file dialog, or dialog object name
        QString text;    ///< message text, input prompt, or file filter
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::Information;
        QString defaultText; ///< input default, or default extension
    };
    /// A queued answer: a button, a text (std::nullopt = cancel), or a dialog driver.
    struct Reply {
        Answer answer = Answer::Ok;
        std::optional<QString> text;
        std::function<int(QDialog &)> dialog;
    };

    void expectAnswer(Answer answer) { m_replies.append(Reply{answer, std::nullopt, {}}); }
    void expectText(std::optional<QString> text) { m_replies.append(Reply{Answer::Ok, std::move(text), {}}); }
    void expectDialog(std::function<int(QDialog &)> driver)
    {
        m_replies.append(Reply{Answer::Ok, std::nullopt, std::move(driver)});
    }

    const QList<Call> &calls() const { return m_calls; }
    const Call &lastCall() const { return m_calls.constLast(); }
    /// Message texts in the order they were shown.
    QStringList messages() const;
    int pendingReplies() const { return int(m_replies.size()); }
    void clear()
    {
        m_calls.clear();
        m_replies.clear();
    }

    Answer message(const QString &caption, const QString &text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override;
    std::optional<QString> openFile(const QString &title, const QString &filter, const QString &defaultExtension) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &defaultExtension) override;
    int execDialog(QDialog &dialog) override;

private:
    Reply take(const Call &call);
    QList<Call> m_calls;
    QList<Reply> m_replies;
};
