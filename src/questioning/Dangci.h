#pragma once

#include "GradingSettings.h"
#include "store/DataFiles.h"
#include "store/SettingsFile.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class Prompter;
class ScoreBox;
struct LoginState;

/// Comment settings dialog: the score and comment of each grade, the comment and scoring
/// switches, and comment files. Grading reads its scores and switches as they stand;
/// comments reach the login state only with "确定".
class TForm2 final : public QDialog, public GradingSettings {
    Q_OBJECT

public:
    TForm2(LoginState &login, Prompter &prompter, QWidget *parent = nullptr);
    /// Where 确定 saves the class's grade settings; the program folder's Data folder until set.
    void useDataFiles(DataFiles &files) { m_dataFiles = &files; }

    /// Fills the comment fields and score boxes (start-up and every login).
    void takeSettings(const GradeSettings &settings);
    /// The eight values as the fields hold them.
    GradeSettings settings() const;

    /// 评语设定 (N5Click): shows the dialog without blocking, or brings it to the front.
    void showOrRaise();

    QString scoreText(int grade) const override;
    bool scoringOn() const override;
    bool commentsOn() const override;

    /// 确定: copies the fields into the login state and writes the class's settings file.
    void BitBtn1Click();
    /// 打开: fills the fields from a comment file.
    void BitBtn2Click();
    /// 保存: writes the fields to a comment file.
    void BitBtn3Click();

private:
    LoginState &m_login;
    Prompter &m_prompter;
    DataFiles *m_dataFiles = nullptr;
    std::array<QLineEdit *, 4> m_comments{};
    std::array<ScoreBox *, 4> m_scores{};
    QCheckBox *m_commentSwitch;
    QCheckBox *m_scoringSwitch;
    QPushButton *m_okButton;
    QPushButton *m_openButton;
    QPushButton *m_saveButton;
};
