#include "QtPrompter.h"

#include "ChineseFileList.h"
#include "PromptParent.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

Prompter::Answer QtPrompter::message(const QString &caption, const QString &text, Buttons buttons, Icon icon)
{
    QMessageBox box(PromptParent::choose(m_parent));
    box.setWindowTitle(caption);
    // Names and file names in a message are shown as typed, never read as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int result = box.exec();
    switch (result) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return buttons == Buttons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
}

std::optional<QString> QtPrompter::input(const QString &caption, const QString &prompt, const QString &defaultText)
{
    QInputDialog box(PromptParent::choose(m_parent));
    box.setWindowTitle(caption);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(QLineEdit::Normal);
    box.setTextValue(defaultText);
    // Above the always-on-top login dialog that asks for it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

QString QtPrompter::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList descriptions;
    for (int i = 0; i < parts.size(); i += 2)
        descriptions << parts.at(i);
    return descriptions.join(QStringLiteral(";;"));
}

static std::optional<QString> runFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
    const QString &filter, const QString &defaultExtension, const QString &startFolder = QString())
{
    QFileDialog dialog(PromptParent::choose(parent), title);
    // Qt's own dialog speaks the loaded Chinese catalogue; the desktop's would follow the
    // machine's locale.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new ChineseFileList(&dialog));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (!startFolder.isEmpty())
        dialog.setDirectory(startFolder);
    dialog.setAcceptMode(mode);
    // A typed name that is not there comes back too: the command says what it means for
    // it in its own words, instead of the dialog's own box.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QtPrompter::qtFilter(filter));
    QString suffix = defaultExtension;
    suffix.remove(QLatin1Char('*')).remove(QLatin1Char('.'));
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::openFile(const QString &title, const QString &filter, const QString &defaultExtension)
{
    return runFileDialog(m_parent, QFileDialog::AcceptOpen, title, filter, defaultExtension, m_startFolder);
}

std::optional<QString> QtPrompter::saveFile(const QString &title, const QString &filter, const QString &defaultExtension)
{
    return runFileDialog(m_parent, QFileDialog::AcceptSave, title, filter, defaultExtension, m_startFolder);
}

int QtPrompter::execDialog(QDialog &dialog)
{
    return dialog.exec();
}
