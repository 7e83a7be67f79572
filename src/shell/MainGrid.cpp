#include "MainGrid.h"

#include "store/Dataset.h"
#include "store/DatasetModel.h"
#include "ui/CurrentRowLink.h"
#include "ui/DataGrid.h"
#include "ui/FormattedGridModel.h"
#include "ui/GridFormatting.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QHeaderView>

MainGrid::MainGrid(Dataset &mainQuery, Prompter &prompter, QWidget *parent)
    : m_mainQuery(mainQuery)
    , m_grid(new DataGrid(parent))
    , m_datasetModel(std::make_unique<DatasetModel>(&mainQuery))
    , m_formattedModel(std::make_unique<FormattedGridModel>())
{
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    QFont gridFont(QStringLiteral("华文细黑"));
    gridFont.setPixelSize(16);
    m_grid->setFont(gridFont);
    QFont titleFont(QStringLiteral("MS Sans Serif"));
    titleFont.setPixelSize(16);
    m_grid->horizontalHeader()->setFont(titleFont);

    m_formattedModel->setSourceModel(m_datasetModel.get());
    m_grid->setModel(m_formattedModel.get());
    m_currentRowLink = std::make_unique<CurrentRowLink>(*m_grid, mainQuery);
    QObject::connect(m_currentRowLink.get(), &CurrentRowLink::moveFailed, m_grid,
        [&prompter](const QString &error) { prompter.error(error); });
    // A value a cell refused is said after whatever left the cell has finished.
    QObject::connect(m_grid, &DataGrid::editRefused, m_grid, [this, &prompter] {
        QMetaObject::invokeMethod(
            m_grid, [&prompter, why = lastRefusal()] { prompter.notice(Caption::kNotice, why); },
            Qt::QueuedConnection);
    });
}

MainGrid::~MainGrid()
{
    m_grid->setModel(nullptr);
}

void MainGrid::format()
{
    const QList<ColumnFormat> formats
        = GridFormatting::forFieldCount(m_mainQuery.fieldCount(), QApplication::palette().color(QPalette::ToolTipBase));
    m_formattedModel->setColumnFormats(formats);
    QList<int> widths;
    for (const ColumnFormat &format : formats)
        widths << format.width;
    m_grid->setColumnWidths(widths);
}

Result MainGrid::savePendingEdits()
{
    if (!m_grid->commitPendingEdit())
        return Result::failure(lastRefusal());
    if (m_mainQuery.state() == Dataset::State::Edit || m_mainQuery.state() == Dataset::State::Insert)
        return m_mainQuery.post();
    return Result::success();
}

QString MainGrid::lastRefusal() const
{
    return m_datasetModel->lastRefusal();
}
