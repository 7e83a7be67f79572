#include "FakePrompter.h"

#include <QDialog>
#include <QTest>

QStringList FakePrompter::messages() const
{
    QStringList texts;
    for (const Call &call : m_calls)
        if (call.kind == Call::Kind::Message)
            texts << call.text;
    return texts;
}

FakePrompter::Reply FakePrompter::take(const Call &call)
{
    m_calls.append(call);
    if (m_replies.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: %1 / %2").arg(call.caption, call.text)), __FILE__, __LINE__);
        return Reply{Answer::Cancel, std::nullopt, {}};
    }
    return m_replies.takeFirst();
}

Prompter::Answer FakePrompter::message(const QString &caption, const QString &text, Buttons buttons, Icon icon)
{
    return take(Call{Call::Kind::Message, caption, text, buttons, icon, {}}).answer;
}

std::optional<QString> FakePrompter::input(const QString &caption, const QString &prompt, const QString &defaultText)
{
    return take(Call{Call::Kind::Input, caption, prompt, Buttons::Ok, Icon::Information, defaultText}).text;
}

std::optional<QString> FakePrompter::openFile(const QString &title, const QString &filter, const QString &defaultExtension)
{
    return take(Call{Call::Kind::OpenFile, title, filter, Buttons::Ok, Icon::Information, defaultExtension}).text;
}

std::optional<QString> FakePrompter::saveFile(const QString &title, const QString &filter, const QString &defaultExtension)
{
    return take(Call{Call::Kind::SaveFile, title, filter, Buttons::Ok, Icon::Information, defaultExtension}).text;
}

int FakePrompter::execDialog(QDialog &dialog)
{
    Reply reply = take(Call{Call::Kind::Dialog, dialog.objectName(), dialog.windowTitle(), Buttons::Ok, Icon::Information, {}});
    if (!reply.dialog)
        return QDialog::Rejected;
    return reply.dialog(dialog);
}
