#include "BoundField.h"

#include "store/Dataset.h"

#include <QLineEdit>

BoundField::BoundField(QLineEdit &box, Dataset &dataset, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_dataset(dataset)
{
    connect(&dataset, &Dataset::currentRowChanged, this, &BoundField::refresh);
    connect(&dataset, &Dataset::rowsReset, this, &BoundField::refresh);
    connect(&dataset, &Dataset::opened, this, &BoundField::refresh);
    connect(&dataset, &Dataset::closed, this, &BoundField::refresh);
    connect(&dataset, &Dataset::valueChanged, this, [this](const QString &field) {
        if (field == m_field)
            refresh();
    });
}

void BoundField::setDataField(const QString &field)
{
    m_field = field;
    refresh();
}

void BoundField::refresh()
{
    QString text;
    if (isBound() && m_dataset.isOpen() && m_dataset.currentRow() >= 0 && m_dataset.fieldIndex(m_field) >= 0) {
        const QVariant value = m_dataset.value(m_field);
        if (!value.isNull())
            text = value.toString();
    }
    m_box.setText(text);
}
