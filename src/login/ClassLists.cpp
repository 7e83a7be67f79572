#include "ClassLists.h"

#include "NameRules.h"
#include "StoredSpelling.h"
#include "store/DataFileNames.h"
#include "store/DataFiles.h"
#include "store/Dataset.h"
#include "store/LineFile.h"
#include "store/ListFile.h"
#include "store/StoredNames.h"
#include "store/TableNames.h"
#include "ui/AppContext.h"
#include "ui/Prompter.h"

namespace {
using Caption::kError;
using Caption::kNotice;
} // namespace

ClassLists::ClassLists(AppContext &context)
    : m_context(context)
{
}

ClassLists::BoxContents ClassLists::contentsOf(const QStringList &lines)
{
    return BoxContents{lines, lines.value(0)};
}

ClassLists::Opening ClassLists::opening()
{
    const DataFiles &files = m_context.dataFiles;
    Opening result;
    const ReadResult<QStringList> classes = LineFile::read(files, DataFileNames::classList());
    if (!classes) {
        m_context.prompter.error(classes.error);
        return result;
    }
    result.classes = contentsOf(*classes);

    // A name that cannot be a file name never has a subject list file of its own.
    const QString className = result.classes.text;
    const bool usable = !className.isEmpty() && NameRules::classRefusal(className).isEmpty();
    QString subjectList = usable ? DataFileNames::subjectList(className) : QString();
    if (subjectList.isEmpty() || !files.exists(subjectList))
        subjectList = DataFileNames::defaultSubjectList();
    const ReadResult<QStringList> subjects = LineFile::read(files, subjectList);
    if (!subjects) {
        m_context.prompter.error(subjects.error);
        return result;
    }
    result.subjects = contentsOf(*subjects);
    return result;
}

ClassLists::BoxContents ClassLists::subjectsOf(const QString &typedClass)
{
    if (typedClass.isEmpty() || !NameRules::classRefusal(typedClass).isEmpty())
        return {};
    const QString list = DataFileNames::subjectList(StoredSpelling(m_context).className(typedClass));
    if (!m_context.dataFiles.exists(list))
        return {};
    const ReadResult<QStringList> subjects = LineFile::read(m_context.dataFiles, list);
    if (!subjects) {
        m_context.prompter.error(subjects.error);
        return {};
    }
    return contentsOf(*subjects);
}

bool ClassLists::administratorConfirmed()
{
    Prompter &prompter = m_context.prompter;
    const QString answer = prompter.input(QStringLiteral("密码"), QStringLiteral("请输入密码"), QString()).value_or(QString());
    if (answer == kAdministratorPassword)
        return true;
    prompter.notice(kNotice, QStringLiteral("您没有此权限,请察看帮助文件或联系系统管理员!"));
    return false;
}

std::optional<ClassLists::BoxContents> ClassLists::removeFromList(const QString &list, const QString &name)
{
    const ReadResult<QStringList> lines = LineFile::read(m_context.dataFiles, list);
    if (!lines) {
        m_context.prompter.error(lines.error);
        return std::nullopt;
    }
    // A line that differs only in letter case names the same tables.
    const QStringList remaining = StoredNames::withoutCaseVariants(*lines, name);
    // Byte for byte, so a line GBK cannot read is kept as it is rather than refused.
    if (const ListFile::Rewrite written = ListFile::removeAll(m_context.dataFiles, list, name); !written.result) {
        m_context.prompter.error(written.result.error);
        return std::nullopt;
    }
    return contentsOf(remaining);
}

std::optional<ClassLists::BoxContents> ClassLists::deleteClass(const QString &typedClass)
{
    Prompter &prompter = m_context.prompter;
    if (typedClass.isEmpty()) {
        prompter.notice(kError, QStringLiteral("请输入班级!"));
        return std::nullopt;
    }
    if (const QString refusal = NameRules::classRefusal(typedClass); !refusal.isEmpty()) {
        prompter.notice(kError, refusal);
        return std::nullopt;
    }
    const QString className = StoredSpelling(m_context).className(typedClass);
    if (!prompter.confirm(kNotice, QStringLiteral("此操作将永久删除") + className + QStringLiteral("母版,继续吗?")))
        return std::nullopt;
    if (!administratorConfirmed())
        return std::nullopt;

    if (!m_context.mainQuery.execute(Sql::dropTable(className)))
        prompter.notice(kNotice, className + QStringLiteral("母版不存在!"));
    return removeFromList(DataFileNames::classList(), className);
}

std::optional<ClassLists::BoxContents> ClassLists::deleteSubject(const QString &typedClass, const QString &typedSubject)
{
    Prompter &prompter = m_context.prompter;
    if (typedClass.isEmpty()) {
        prompter.notice(kError, QStringLiteral("请输入班级!"));
        return std::nullopt;
    }
    if (typedSubject.isEmpty()) {
        prompter.notice(kError, QStringLiteral("请输入学科!"));
        return std::nullopt;
    }
    for (const QString &refusal : {NameRules::classRefusal(typedClass), NameRules::subjectRefusal(typedSubject)}) {
        if (!refusal.isEmpty()) {
            prompter.notice(kError, refusal);
            return std::nullopt;
        }
    }
    const auto [className, subject] = StoredSpelling(m_context).names(typedClass, typedSubject);
    if (!prompter.confirm(kNotice, QStringLiteral("此操作将永久删除") + className + subject + QStringLiteral("记录,继续吗?")))
        return std::nullopt;
    if (!administratorConfirmed())
        return std::nullopt;

    const TableNames names{className, subject, QString()};
    Dataset &query = m_context.mainQuery;
    if (query.execute(Sql::dropTable(names.questioningTable())) && query.execute(Sql::dropTable(names.gradeBookTable())))
        (void)m_context.dataFiles.remove(DataFileNames::password(className, subject));
    else
        prompter.notice(kNotice, className + subject + QStringLiteral("记录不存在!"));
    return removeFromList(DataFileNames::subjectList(className), subject);
}
