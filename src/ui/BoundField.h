#pragma once

#include <QObject>
#include <QString>

class Dataset;
class QLineEdit;

/// A hidden box bound to one field of a dataset's current row (the number, name and
/// grade fields): its text is the field's value, and empty while unbound, while the
/// dataset is closed or empty, or when the result has no such field.
class BoundField final : public QObject {
    Q_OBJECT

public:
    BoundField(QLineEdit &box, Dataset &dataset, QObject *parent = nullptr);

    /// Binds the box to a field; the empty name unbinds it.
    void setDataField(const QString &field);
    QString dataField() const { return m_field; }
    bool isBound() const { return !m_field.isEmpty(); }

private:
    void refresh();

    QLineEdit &m_box;
    Dataset &m_dataset;
    QString m_field;
};
