#pragma once

#include "Prompter.h"

#include <QString>

class QWidget;

/// The prompter of the running program: Qt's message boxes, input box and file dialogs.
class QtPrompter final : public Prompter {
public:
    explicit QtPrompter(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }
    /// The main window: boxes open over it when no other window of ours asks.
    void setParent(QWidget *parent) { m_parent = parent; }
    /// The folder the file dialogs open in (the Data folder).
    void setStartFolder(const QString &folder) { m_startFolder = folder; }

    Answer message(const QString &caption, const QString &text, Buttons buttons, Icon icon) override;
    std::optional<QString> input(const QString &caption, const QString &prompt, const QString &defaultText) override;
    std::optional<QString> openFile(const QString &title, const QString &filter, const QString &defaultExtension) override;
    std::optional<QString> saveFile(const QString &title, const QString &filter, const QString &defaultExtension) override;
    int execDialog(QDialog &dialog) override;

    /// "评语文件(*.qsy)|*.qsy" -> "评语文件(*.qsy)"
    static QString qtFilter(const QString &filter);

private:
    QWidget *m_parent;
    QString m_startFolder;
};
