#pragma once

#include <QByteArray>
#include <QWidget>

class Dataset;
class QLabel;
class QPlainTextEdit;

/// The portrait panel: the portrait row's 姓名 in red, the picture (128 × 187, the bitmap
/// stretched to fill it), the red caption "个性宣言" and the motto in blue, bound to 宣言.
/// It shows the portrait query's current row; what the teacher does in it is reported by
/// signals and written by the portrait commands.
class PortraitPanel final : public QWidget {
    Q_OBJECT

public:
    /// The width of 宣言, in characters.
    static constexpr int kMottoLength = 50;

    explicit PortraitPanel(Dataset &portraitQuery, QWidget *parent = nullptr);

    QLabel *nameLabel() const { return m_name; }
    QLabel *picture() const { return m_picture; }
    QPlainTextEdit *motto() const { return m_motto; }

    /// Shows the portrait query's current row again (name, picture and motto).
    void refresh();

Q_SIGNALS:
    /// A double-click on the picture (DBImage1DblClick).
    void pictureDoubleClicked();
    /// The teacher changed the motto; text is at most kMottoLength characters.
    void mottoEdited(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPicture(const QByteArray &bytes);
    void takeTypedMotto();

    Dataset &m_query;
    QLabel *m_name;
    QLabel *m_picture;
    QPlainTextEdit *m_motto;
    QByteArray m_shownBytes;
    bool m_showingRow = false;
    bool m_reportingEdit = false;
};
