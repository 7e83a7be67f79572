#pragma once

#include "FakePrompter.h"
#include "IdleMainView.h"
#include "entry/EntryBatch.h"
#include "gradebook/GradeBookEnter.h"
#include "gradebook/GradeBookView.h"
#include "store/DataPaths.h"
#include "store/Database.h"
#include "store/DatabaseUrl.h"
#include "store/Dataset.h"
#include "store/LoginState.h"

/// How many students the two-program runs use.
inline constexpr int kProgramStudents = 12;

/// One teacher's program on the shared Record.mdb of folder, or on a server when one is
/// named (a postgresql:// URL): its own connection, its own copy of the grade-book view in
/// memory, Enter and the score batch.
class GradeBookProgram final : public IdleMainView {
public:
    GradeBookProgram(const QString &name, const QString &folder, const QString &server = {})
        : m_database(name)
        , m_view(m_database)
    {
        if (const std::optional<DatabaseUrl> url = DatabaseUrl::parse(server))
            (void)m_database.openServer(*url);
        else
            (void)m_database.open(folder);
        m_login.programFolder = folder;
        m_login.className = QStringLiteral("一班");
        m_login.subject = QStringLiteral("语文");
    }

    Result openGradeBookView() override
    {
        if (Result opened = GradeBookView::open(m_login, m_view, m_columnList); !opened)
            return opened;
        m_view.first();
        return Result::success();
    }
    QString gradeBookColumnList() const override { return m_columnList; }
    /// How often a write was refused as the other program had changed the row.
    int refusals() const { return m_refusals; }

    /// A score typed into a cell of the view as it was read, then Enter. Returns what
    /// went wrong, or nothing.
    QString enter(int student, int scoreColumn, int score)
    {
        const QStringList columns = m_view.fieldNames().mid(3, m_view.fieldCount() - 5);
        if (columns.isEmpty() || !m_view.moveTo(student % m_view.rowCount()))
            return QStringLiteral("no row %1 to edit").arg(student);
        if (Result set = m_view.setValue(columns.at(scoreColumn % columns.size()), QString::number(score)); !set)
            return set.error;
        m_prompts.expectAnswer(Prompter::Answer::Ok); // one box at the most, answered as a teacher does
        GradeBookEnter::press(m_view, m_prompts, *this, kModeGradeBook, m_columnList);
        return told();
    }

    /// A score batch for the whole class in a new column, named as the dialog offers it
    /// (or the next free name when the other program took that one).
    QString batch(int seed)
    {
        QString memo;
        for (int k = 0; k < kProgramStudents; ++k)
            memo += QString::number((seed * 7 + k * 13) % 101) + QLatin1Char('\n');
        EntryInput input;
        input.gridInUse = false;
        input.memoText = memo;
        EntryBatch::Context context;
        context.tables = m_login.tables();
        context.paths = DataPaths(m_login.programFolder);
        context.columnList = m_columnList;
        context.askColumnName = [this](const std::function<Result(const QString &)> &addColumn) {
            for (int k = m_view.fieldCount() - 4; k < 100; ++k) {
                const QString name = QStringLiteral("第%1次").arg(k);
                if (addColumn(name) && openGradeBookView())
                    return name;
            }
            return QString();
        };
        EntryBatch(m_database, m_view, m_prompts, *this).add(EntryKind::Score, input, context);
        return told();
    }

private:
    /// Every box shown is a fault here, but the refusal to overwrite a row the other
    /// program changed since this one read it (counted): the texts, or nothing.
    QString told()
    {
        QStringList texts;
        for (const FakePrompter::Call &call : m_prompts.calls()) {
            if (call.text.contains(QStringLiteral("另一台电脑")))
                ++m_refusals;
            else
                texts << call.text;
        }
        m_prompts.clear();
        return texts.join(QLatin1Char('/'));
    }

    Database m_database;
    Dataset m_view;
    LoginState m_login;
    QString m_columnList;
    FakePrompter m_prompts;
    int m_refusals = 0;
};
