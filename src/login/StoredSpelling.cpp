#include "StoredSpelling.h"

#include "store/DataFileNames.h"
#include "store/DataFiles.h"
#include "store/LineFile.h"
#include "store/StoredNames.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"

namespace {

// The spelling of name in a list file, if the file has it apart from letter case.
std::optional<QString> spellingInList(const DataFiles &files, const QString &list, const QString &name)
{
    if (!files.exists(list))
        return std::nullopt;
    return StoredNames::spellingIn(LineFile::read(files, list).value.value_or(QStringList()), name);
}

} // namespace

StoredSpelling::StoredSpelling(AppContext &context)
    : m_context(context)
{
}

QString StoredSpelling::className(const QString &typed)
{
    if (typed.isEmpty())
        return typed;
    if (const std::optional<QString> table = StoredNames::tableSpelling(m_context.database, typed))
        return *table;
    return spellingInList(m_context.dataFiles, DataFileNames::classList(), typed).value_or(typed);
}

StoredSpelling::Names StoredSpelling::names(const QString &typedClass, const QString &typedSubject)
{
    // The pair's own tables decide: their password file is the one that guards them.
    const TableNames typed{typedClass, typedSubject, QString()};
    for (const QString &table : {typed.questioningTable(), typed.gradeBookTable()}) {
        if (const std::optional<QString> stored = StoredNames::tableSpelling(m_context.database, table))
            return {stored->left(typedClass.size()), stored->mid(typedClass.size(), typedSubject.size())};
    }
    const QString storedClass = className(typedClass);
    const QString storedSubject
        = spellingInList(m_context.dataFiles, DataFileNames::subjectList(storedClass), typedSubject).value_or(typedSubject);
    return {storedClass, storedSubject};
}
