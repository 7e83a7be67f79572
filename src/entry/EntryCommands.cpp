#include "EntryCommands.h"

#include "portrait/PortraitCommands.h"

#include "EntryBatch.h"
#include "EntryPanel.h"
#include "RosterCommands.h"
#include "TemplateCommands.h"
#include "Unit6.h"
#include "gradebook/Unit8.h"
#include "questioning/GradingSettings.h"
#include "store/Dataset.h"
#include "store/GradeRecord.h"
#include "store/LoginState.h"
#include "ui/AppContext.h"
#include "ui/MainMenus.h"
#include "ui/MainView.h"
#include "ui/Prompter.h"

#include <QAction>
#include <QDialog>
#include <QToolButton>

namespace {
using Caption::kNotice;
} // namespace

EntryCommands::EntryCommands(
    AppContext &context, MainView &view, EntryPanel &panel, QWidget &mainGrid, GradeScores gradeScores, QWidget *windows)
    : m_context(context)
    , m_view(view)
    , m_panel(panel)
    , m_mainGrid(mainGrid)
    , m_gradeScores(std::move(gradeScores))
    , m_windows(windows)
{
}

EntryCommands::~EntryCommands() = default;

void EntryCommands::connectCommands(const MainMenus &menus, QAbstractButton &toolbarEntry)
{
    // Commands that open a modal window run from the event loop, not inside the click: a
    // screen reader that chose the item then gets its answer at once.
    const auto queued = [this](auto *sender, auto signal, auto handler) {
        QObject::connect(sender, signal, &m_panel, handler, Qt::QueuedConnection);
    };
    for (QAction *item : {menus.questioningEntry, menus.gradeBookEntry})
        queued(item, &QAction::triggered, [this] { SpeedButton2Click(); });
    queued(&toolbarEntry, &QAbstractButton::clicked, [this] { SpeedButton2Click(); });
    queued(&m_panel, &EntryPanel::addClicked, [this] { BitBtn3Click(); });
    queued(&m_panel, &EntryPanel::deleteClicked, [this] { BitBtn4Click(); });
    QObject::connect(&m_panel, &EntryPanel::hideClicked, &m_panel, [this] { BitBtn1Click(); });
    QObject::connect(&m_panel, &EntryPanel::caretLineChanged, &m_panel, [this](int line) { Memo1Click(line); });

    m_templates = std::make_unique<TemplateCommands>(m_context, m_panel, [this] { return entryKind(); });
    TemplateCommands *templates = m_templates.get();
    queued(&m_panel, &EntryPanel::openClicked, [templates] { templates->SpeedButton7Click(); });
    queued(&m_panel, &EntryPanel::saveClicked, [templates] { templates->SpeedButton9Click(); });
    queued(&m_panel, &EntryPanel::saveDefaultClicked, [templates] { templates->SpeedButton8Click(); });
    queued(&m_panel, &EntryPanel::loadDefaultClicked, [templates] { templates->SpeedButton10Click(); });
    // The roster commands keep nothing between clicks.
    queued(&m_panel, &EntryPanel::importClicked, [this] { RosterCommands(m_context, m_view).SpeedButton1Click(); });
    queued(menus.saveAsMaster, &QAction::triggered, [this] { RosterCommands(m_context, m_view).N2Click(); });

    if (m_portrait) {
        // The portrait panel lies in the entry panel's input area, with the toolbar disabled.
        QObject::connect(m_portrait, &PortraitCommands::panelShown, &m_panel, [this] {
            m_panel.show();
            m_panel.setToolbarEnabled(false);
        });
    }
}

void EntryCommands::SpeedButton2Click()
{
    if (m_portrait)
        m_portrait->closePanel();
    m_panel.hide();
    (void)m_context.portraitQuery.close();

    TForm6 chooser(m_windows);
    if (m_context.prompter.execDialog(chooser) == QDialog::Accepted) {
        const QString &mode = m_context.login.mode;
        m_panel.show();
        m_panel.setToolbarEnabled(true);
        m_entryKind = EntryKinds::chosen(chooser.rosterChosen(), mode);
        m_panel.importButton()->setEnabled(chooser.rosterChosen());

        Result shown = Result::success();
        if (mode == kModeQuestioning) {
            shown = m_view.savePendingEdits();
            if (shown) {
                Dataset &query = m_context.mainQuery;
                (void)query.close();
                query.setQuery(Sql::showAllOrderedByNumber(m_context.login.tables().currentTable()));
                shown = query.open();
                if (shown) {
                    m_view.formatGrid();
                    query.first();
                }
            }
        } else if (mode == kModeGradeBook) {
            shown = m_view.openGradeBookView();
        }
        if (!shown)
            m_context.prompter.error(shown.error);
    }
    m_panel.resetInput(m_entryKind);
    if (!m_panel.focusGrid())
        m_mainGrid.setFocus();
}

void EntryCommands::BitBtn3Click()
{
    if (m_portrait && m_portrait->isShown()) {
        m_portrait->DBImage1DblClick();
        return;
    }
    if (const Result saved = m_view.savePendingEdits(); !saved) {
        m_context.prompter.error(saved.error);
        return;
    }
    EntryBatch::Context batch;
    batch.tables = m_context.login.tables();
    batch.paths = m_context.paths;
    batch.dataFiles = &m_context.dataFiles;
    batch.columnList = m_view.gradeBookColumnList();
    if (m_entryKind == EntryKind::Evaluation) {
        // The scores are checked before any student is graded, as grading one student does.
        const GradingSettings &settings = m_gradeScores();
        static const QStringList grades{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")};
        for (int grade = 0; grade < 4; ++grade) {
            const std::optional<int> score = GradeRecord::parseScore(settings.scoreText(grade));
            if (!score) {
                m_context.prompter.notice(kNotice,
                    QStringLiteral("档次“%1”的分数“%2”不是%3到%4之间的整数，没有录入评价。请在“评语设定”中改正这个分数。")
                        .arg(grades.at(grade), settings.scoreText(grade).trimmed())
                        .arg(GradeRecord::kLowestScore)
                        .arg(GradeRecord::kHighestScore));
                return;
            }
            batch.gradeScores.at(grade) = *score;
        }
    }
    batch.askColumnName = [this, table = batch.tables.currentTable()] {
        TForm8 dialog(m_context.database, m_context.mainQuery, table, m_context.prompter, m_view, m_windows);
        m_context.prompter.execDialog(dialog);
        return dialog.pendingColumnName();
    };
    EntryBatch(m_context.database, m_context.mainQuery, m_context.prompter, m_view).add(m_entryKind, m_panel.input(), batch);
}

void EntryCommands::BitBtn4Click()
{
    EntryBatch(m_context.database, m_context.mainQuery, m_context.prompter, m_view).deleteCurrent();
}

void EntryCommands::BitBtn1Click()
{
    if (m_portrait)
        m_portrait->closePanel();
    m_panel.hide();
    Dataset &portrait = m_context.portraitQuery;
    (void)portrait.close();
    portrait.setQuery(Sql::portrait(QStringLiteral("总分")));
    // Opened only to take the statement; the portrait query is left closed.
    (void)portrait.open();
    (void)portrait.close();
}

void EntryCommands::Memo1Click(int line)
{
    m_view.showStatus(2, QString::number(line));
}
