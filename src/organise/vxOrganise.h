#pragma once

#include "controls/Form.h"
#include "organise/OrganiseSession.h"

#include <functional>
#include <memory>

struct VOXA1;
class ClassLock;
class OrganiseReadPane;
class OrganiseRulesPane;
class PrintSurface;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

// "次年度の学級編成": every class of a grade read from the data folder and dealt into next year's
// classes under the teachers' rules, side by side with their figures; pupils moved, swapped and
// fixed by hand with undo; the rules edited here and kept in the grade's own file under its lock;
// the lists printed and next year's rosters written.
class vxOrganise : public Form {
    Q_OBJECT
public:
    vxOrganise(VOXA1& c, Forms& forms);
    ~vxOrganise() override;

    void Form_Load() override;
    void Form_Unload() override;

    // Reads the grade in the folder with the chosen basis, takes the grade's lock and opens its
    // rules; proposes classes when none are kept.
    void openGrade();
    void cmdPropose_Click();
    void cmdOther_Click();
    void cmdMove_Click();
    void cmdSwap_Click();
    void cmdFix_Click();
    void cmdUndo_Click();
    void cmdRedo_Click();
    void cmdPrintStaff_Click();
    void cmdPrintOld_Click();
    void cmdPrintPost_Click();
    void cmdRosters_Click();
    void cmdFolder_Click();
    void cmdEnd_Click();

    const OrganiseSession& session() const { return m_session; }
    bool readOnly() const { return m_readOnly; }
    // The pupil the teacher points at (index into the grade's pupils), or -1.
    int currentPupil() const { return m_current; }
    void setCurrentPupil(int pupil);
    // Moves the current pupil to class k (0-based), asking first when that breaks a rule.
    void moveCurrentTo(int k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildClassesTab();
    // The one way the teacher's work changes: the step is applied to the session, saved with the
    // grade's rules, and taken back when the save fails. False when nothing was changed.
    bool commit(const std::function<bool()>& step);
    bool saveRules();
    // A change of the rules as one step.
    void changeRules(const std::function<void(OrganiseRules&)>& edit);
    // A new placement, asking first when it breaks a rule the current one keeps.
    bool place(const QList<int>& assignment, const QString& what);
    // Reopens the session on the grade read with the chosen classes and cap, with the first
    // proposal; saved when the teacher asked for it (`byTeacher`).
    void reopen(bool byTeacher);
    // A proposal from the seed as one step; the rules that conflict are told when there is none.
    void proposeFrom(quint64 seed);
    // The rules that cannot all hold, told to the teacher.
    void tellConflicts(const QList<Organiser::Conflict>& conflicts);
    void refresh();
    void refreshClasses();
    void refreshFigures();
    void setStatus(const QString& text, bool warning = false);
    QString folderNative() const;
    QString schoolLine() const;
    // Starts a print job of one of the printouts.
    void print(const QString& name, void (*pages)(PrintSurface&, const OrganiseSession&, const QString&));

    VOXA1& c;
    OrganiseSession m_session;
    std::unique_ptr<ClassLock> m_lock;
    QString m_folder; // drive-letter form
    bool m_readOnly = false;
    bool m_filling = false; // the tables are being filled: their change signals are not edits
    int m_current = -1;
    int m_marked = -1; // the first pupil of a swap

    QSpinBox* spnGrade;
    QSpinBox* spnClasses;
    QSpinBox* spnCap;
    QRadioButton* optSubj[2];
    QRadioButton* optTerm[3];
    QRadioButton* optOrder[2];
    QLabel* lblFolder;
    QLabel* lblStatus;
    QLabel* lblLock;
    QTabWidget* tabMain;
    QList<QGroupBox*> fraClass;
    QList<QTableWidget*> grdClass;
    QWidget* classesHost;
    QTableWidget* grdFigures;
    QComboBox* cboTo;
    OrganiseReadPane* paneRead;
    OrganiseRulesPane* paneRules;
};
