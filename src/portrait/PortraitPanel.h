#pragma once

#include <QCache>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <functional>

class Dataset;
class QLabel;
class QPlainTextEdit;

/// The portrait panel: the portrait row's 姓名 in red, the picture (128 × 187, the bitmap
/// stretched to fill it), the red caption "个性宣言" and the motto in blue, bound to 宣言.
/// It shows the portrait query's current row; what the teacher does in it is reported by
/// signals and written by the portrait commands. Each picture is read and decoded once
/// and kept, stretched, under the student's name.
class PortraitPanel final : public QWidget {
    Q_OBJECT

public:
    /// The width of 宣言, in characters.
    static constexpr int kMottoLength = 50;
    /// The size the picture is shown at.
    static constexpr QSize kPictureSize{128, 187};
    /// How many decoded pictures are kept (a class or two).
    static constexpr int kKeptPictures = 120;

    explicit PortraitPanel(Dataset &portraitQuery, QWidget *parent = nullptr);

    QLabel *nameLabel() const { return m_name; }
    QLabel *picture() const { return m_picture; }
    QPlainTextEdit *motto() const { return m_motto; }

    /// Shows the portrait query's current row again (name, picture and motto).
    void refresh();
    /// While busy() (a race), a picture not yet decoded is read only once the rows stop
    /// moving, so that no tick waits for a large file.
    void setBusy(std::function<bool()> busy) { m_busy = std::move(busy); }
    /// A picture just stored for a student, already decoded at the shown size.
    void takePicture(const QString &name, const QImage &picture);
    /// Forgets the decoded pictures (another program may have changed them).
    void forgetPictures();

Q_SIGNALS:
    /// A double-click on the picture (DBImage1DblClick).
    void pictureDoubleClicked();
    /// The teacher changed the motto; text is at most kMottoLength characters.
    void mottoEdited(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showPictureOf(const QString &name);
    void loadShownPicture();
    void takeTypedMotto();

    Dataset &m_query;
    QLabel *m_name;
    QLabel *m_picture;
    QPlainTextEdit *m_motto;
    QCache<QString, QPixmap> m_pictures{kKeptPictures};
    QString m_pictureName; ///< whose picture is shown (or waits to be read)
    QTimer m_pictureLoad;
    std::function<bool()> m_busy;
    int m_changeStart = 0; ///< the motto's last change: where it began and where what it added ends
    int m_changeEnd = 0;
    bool m_showingRow = false;
    bool m_reportingEdit = false;
};
