#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct AppContext;

/// The class list, the subject lists and the two delete commands of the login dialog,
/// without widgets: each operation returns what a box should show.
class ClassLists final {
public:
    /// What a drop-down box shows: its list and its text.
    struct BoxContents {
        QStringList items;
        QString text;
    };
    /// Both boxes as the dialog opens.
    struct Opening {
        BoxContents classes;
        BoxContents subjects;
    };

    explicit ClassLists(AppContext &context);

    /// Class list (first line as text) and the subjects of that class, or the default
    /// subjects when it has no subject list file. A missing file is reported.
    Opening opening();
    /// Subjects of a class whose name was typed or chosen; empty when it has no subject list file.
    BoxContents subjectsOf(const QString &className);
    /// Asks, checks the administrator password, drops the class table and removes the class
    /// from the class list. The new class box, or nullopt when the box stays as it is.
    std::optional<BoxContents> deleteClass(const QString &className);
    /// The same for a subject of a class: drops both of its tables and its password file.
    std::optional<BoxContents> deleteSubject(const QString &className, const QString &subject);

private:
    bool administratorConfirmed();
    std::optional<BoxContents> removeFromList(const QString &list, const QString &name);
    static BoxContents contentsOf(const QStringList &lines);

    AppContext &m_context;
};
