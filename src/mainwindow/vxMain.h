#pragma once

#include "controls/Form.h"

#include <QHash>

struct VOXA1;
class QAction;
class QLabel;
class QMenuBar;
class QToolBar;
class QToolButton;
class SettingsPane;

// The hub window of a run: menu, toolbar, the loaded class's name and the class settings pane.
// Every other window is opened from here; a window that hands back names itself in ReturnForm,
// and this window unloads it when it comes back.
class vxMain : public Form {
    Q_OBJECT
public:
    vxMain(VOXA1& c, Forms& forms);

    void Form_Load() override;
    void Form_Activate() override;
    bool Form_QueryUnload(UnloadMode mode) override;

    // Reads "voxa.ini" into DataFolder and PassHidden.
    void Ini_Load();
    // 1: the settings pane open; 0: only menu, toolbar and class name. Returns the flag.
    int WinOpen(int flag);
    void Main_Refresh();
    // Stores the settings boxes into the class and saves them.
    // Commits the settings pane (checked) and saves the settings file; `tell` says so when done.
    bool F_Save(bool tell = true);
    // The standard viewpoint names, 30 pupils and term 1, into the boxes.
    void Subj();
    // Today's three viewpoints for every subject of the class.
    void SubjNew();
    // The save command: asks, then saves the class.
    void mnuSave_Click();

private:
    void buildMenus();
    void buildToolbar();
    void unloadReturner();
    // The steps shared by load and activation.
    void refreshSteps(const QString& helpName, bool mayNag);
    void enableCommands();
    bool hasClass() const;
    // Hides this window and shows another that replaces it.
    void replaceBy(const QString& tag);
    // Saves the settings boxes when they hold unsaved edits; false when the save was refused or
    // failed, and the edits are still in the boxes.
    bool commitPendingSettings();
    void openBeside(const QString& tag);
    void printerSetup();
    void help(int command);

    VOXA1& c;
    QLabel* Label7;
    QToolButton* Image2;
    QWidget* m_paneArea;
    SettingsPane* m_pane;
    QToolBar* Toolbar1;
    QMenuBar* m_menuBar = nullptr;
    QList<QAction*> m_classCommands;
    QList<QWidget*> m_classMenus;
    QAction* m_subjMenu = nullptr;
    QAction* m_subjNewMenu = nullptr;
    QAction* m_subjButton = nullptr;
    QString m_helpFile;
    bool m_activatedSinceLoad = false;
};
