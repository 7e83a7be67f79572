#pragma once

#include "QuestioningHost.h"
#include "RandomSelection.h"

#include <QPointer>

class TForm1;
class TForm2;
class TForm7;

/// The questioning commands of the main window: random selection and its tick, the two
/// finds, grading and the grade mirror, the comment settings dialog and the comment
/// pop-up, and clearing evaluations. Acts on the main window's controls and state.
class QuestioningCommands final : public QuestioningHost {
public:
    explicit QuestioningCommands(TForm1 &window);
    ~QuestioningCommands() override;
    Q_DISABLE_COPY_MOVE(QuestioningCommands)

    /// Creates the comment settings dialog (taking the login's grade settings) and then
    /// the comment pop-up, both hidden. Either is also created on first use.
    void createWindows();
    TForm2 &form2();
    TForm7 &form7();

    /// 随机提问 (BitBtn2Click).
    void randomQuestion();
    /// The selection tick (Timer1Timer).
    void tick();
    /// The steps that stop a selection, also carried out by re-login and view switching.
    void stopSelection() { m_selection.stop(); }
    /// Enter in the find-by-number box (Edit1KeyPress).
    void findByNumber();
    /// Enter in the find-by-name box (Edit2KeyPress).
    void findByName();
    /// A grade chosen by the teacher in the grade box (ComboBox1Change).
    void gradeChosen();
    /// The grade mirror (DBEdit3Change): the grade box shows the grade field's grade.
    void showGrade(const QString &grade);
    /// 评语设定 (N5Click): shows the comment settings or brings them to the front.
    void commentSettings();
    /// 清除 (N11Click): clear evaluations.
    void clearEvaluations();
    /// After a login: the comment settings take the login state's grade settings.
    void takeGradeSettings();

    LoginState &loginState() override;
    Dataset &mainQuery() override;
    Prompter &prompter() override;
    const DataPaths &paths() const override;
    QString countText() const override;
    void setCountText(const QString &text) override;
    void setCountEnabled(bool enabled) override;
    void setGradeBoxEnabled(bool enabled) override;
    QString numberBoxText() const override;
    void setNumberBoxText(const QString &text) override;
    QString nameBoxText() const override;
    QString numberFieldText() const override;
    void playAnimation() override;
    void stopAnimation() override;
    void startTimer() override;
    void stopTimer() override;
    bool selectionRunning() const override;
    void setSelectionRunning(bool running) override;
    void useBrowsePresentation() override;
    void toggleDirectModification() override;
    void formatGrid() override;

private:
    TForm1 &m_window;
    RandomSelection m_selection;
    QPointer<TForm2> m_form2;
    QPointer<TForm7> m_form7;
};
