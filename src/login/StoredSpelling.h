#pragma once

#include <QString>

struct AppContext;

/// Class and subject names in the spelling they are stored under. The engine takes
/// `classa` for the table `ClassA`, while the Data folder would give `classa` a password
/// file and a list line of its own; so a typed name that matches a stored class or subject
/// apart from letter case is taken as stored, and one password guards one pair of tables.
class StoredSpelling final {
public:
    struct Names {
        QString className;
        QString subject;
    };

    explicit StoredSpelling(AppContext &context);

    /// The class as its table or, without one, as the class list spells it; else as typed.
    QString className(const QString &typed);
    /// Class and subject as the tables of the pair spell them; without those, the class as
    /// className() gives it and the subject as the class's subject list spells it; else as typed.
    Names names(const QString &typedClass, const QString &typedSubject);

private:
    AppContext &m_context;
};
