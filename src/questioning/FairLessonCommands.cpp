#include "FairLessonCommands.h"

#include "FairLesson.h"
#include "FairLessonMessages.h"
#include "GradeUndo.h"
#include "store/Dataset.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/FormattedGridModel.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QMenu>

using namespace FairLessonMessages;

namespace {
const QString kAbsentHint = QStringLiteral("今天缺席");
} // namespace

FairLessonCommands::FairLessonCommands(AppContext &context, MainView &view, FairLesson &fair, GradeUndo &undo,
    std::function<bool()> running, std::function<void()> hideComment, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_view(view)
    , m_fair(fair)
    , m_undo(undo)
    , m_running(std::move(running))
    , m_hideComment(std::move(hideComment))
{
    m_fair.setChangedHandler([this] { stateChanged(); });
    // Every showing of the questioning table (a login, a switch back, a clearing) reads
    // the class's 不重复 and today's absences.
    connect(&m_context.mainQuery, &Dataset::opened, this, [this] {
        if (m_context.mainQuery.query().writeTable == m_context.login.tables().questioningTable())
            (void)m_fair.refresh();
    });
}

void FairLessonCommands::connectCommands(const MainMenus &menus, DataGrid &grid)
{
    connect(menus.noRepeat, &QAction::triggered, this, &FairLessonCommands::noRepeatTriggered);
    // Those that may show a message box run from the event loop, not inside the click.
    connect(menus.restartRound, &QAction::triggered, this, &FairLessonCommands::restartRound, Qt::QueuedConnection);
    connect(menus.toggleAbsent, &QAction::triggered, this, &FairLessonCommands::toggleCurrentAbsent, Qt::QueuedConnection);
    connect(menus.undoGrade, &QAction::triggered, this, &FairLessonCommands::undoGrade, Qt::QueuedConnection);
    m_noRepeatItem = menus.noRepeat;
    m_undoItem = menus.undoGrade;
    updateItems();

    m_grid = &grid;
    grid.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) { showAbsenceMenu(at); });
    m_model = qobject_cast<FormattedGridModel *>(grid.model());
    if (m_model)
        m_model->setRowGreying([this](int row) { return m_fair.isAbsentRow(row); }, kAbsentHint);
}

void FairLessonCommands::stateChanged()
{
    if (m_model)
        m_model->refreshGreying();
    updateItems();
}

void FairLessonCommands::updateItems()
{
    if (m_noRepeatItem)
        m_noRepeatItem->setChecked(m_fair.noRepeat());
    if (m_undoItem)
        m_undoItem->setEnabled(m_undo.canUndo());
}

bool FairLessonCommands::inQuestioningView() const
{
    const Dataset &query = m_context.mainQuery;
    return m_context.login.mode == kModeQuestioning && query.isOpen()
        && query.query().writeTable == m_context.login.tables().questioningTable();
}

bool FairLessonCommands::refuseWhileRunning()
{
    if (!m_running || !m_running())
        return false;
    m_context.prompter.notice(Caption::kNotice, kStopRaceFirst);
    return true;
}

void FairLessonCommands::noRepeatTriggered(bool on)
{
    if (!m_context.login.isLoggedIn()) {
        updateItems();
        return;
    }
    if (const Result stored = m_fair.setNoRepeat(on); !stored)
        m_context.prompter.error(stored.error);
    updateItems();
}

void FairLessonCommands::restartRound()
{
    if (!m_context.login.isLoggedIn() || refuseWhileRunning())
        return;
    if (const Result restarted = m_fair.restartRound(); !restarted) {
        m_context.prompter.error(restarted.error);
        return;
    }
    m_view.showStatus(1, kRoundRestarted);
}

void FairLessonCommands::undoGrade()
{
    if (!inQuestioningView() || !m_undo.canUndo() || refuseWhileRunning())
        return;
    const GradeUndo::Result undone = m_undo.undoLast(m_context.database);
    const GradeRecord::Step &step = undone.step;
    const QString number = step.student.value(0).toString();
    const QString name = step.student.value(1).toString();
    Dataset &query = m_context.mainQuery;
    const auto showRow = [&] {
        // The teacher sees the student whose grade was taken back, as the file now holds it.
        const int row = query.query().writeTable == step.table ? query.rowOf(step.rowId) : -1;
        if (row >= 0 && query.moveTo(row))
            query.refreshCurrent();
    };
    switch (undone.outcome) {
    case GradeUndo::Outcome::Nothing: break;
    case GradeUndo::Outcome::Undone:
        if (m_hideComment)
            m_hideComment();
        showRow();
        m_view.showStatus(1, kUndone.arg(number, name, step.after.value(0).toString().trimmed()));
        break;
    case GradeUndo::Outcome::Changed:
        showRow();
        m_context.prompter.notice(Caption::kNotice, kUndoChanged.arg(number, name));
        break;
    case GradeUndo::Outcome::Busy:
        m_context.prompter.message(Caption::kError, kUndoBusy, Prompter::Buttons::Ok, Prompter::Icon::Information);
        break;
    case GradeUndo::Outcome::Failed: m_context.prompter.error(undone.error); break;
    }
    updateItems();
}

void FairLessonCommands::setCurrentAbsent(bool absent)
{
    if (!inQuestioningView() || refuseWhileRunning())
        return;
    const std::optional<StudentKey> student = m_fair.currentStudent();
    if (!student) {
        m_context.prompter.notice(Caption::kNotice, kNoStudent);
        return;
    }
    if (const Result marked = m_fair.setAbsent(*student, absent); !marked)
        m_context.prompter.error(marked.error);
}

void FairLessonCommands::toggleCurrentAbsent()
{
    const std::optional<StudentKey> student = m_fair.currentStudent();
    setCurrentAbsent(!(student && m_fair.isAbsent(*student)));
}

QMenu *FairLessonCommands::showAbsenceMenu(const QPoint &position)
{
    if (!m_grid || !inQuestioningView())
        return nullptr;
    const QModelIndex index = m_grid->indexAt(position);
    if (!index.isValid())
        return nullptr;
    const bool running = m_running && m_running();
    // The student under the pointer becomes the current one, as a left click makes it.
    if (!running)
        m_context.mainQuery.moveTo(index.row());
    const std::optional<StudentKey> student = m_fair.currentStudent();
    const bool absent = student && m_fair.isAbsent(*student);

    auto *menu = new QMenu(m_grid);
    menu->setObjectName(QStringLiteral("absenceMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // A pop-up does not take its parent's font: the window's, as the main menus have it.
    menu->setFont(m_grid->window()->font());
    QAction *markAbsent = menu->addAction(QStringLiteral("缺席"), this, [this] { setCurrentAbsent(true); });
    QAction *markPresent = menu->addAction(QStringLiteral("到场"), this, [this] { setCurrentAbsent(false); });
    markAbsent->setEnabled(!running && student && !absent);
    markPresent->setEnabled(!running && student && absent);
    menu->popup(m_grid->viewport()->mapToGlobal(position));
    return menu;
}
