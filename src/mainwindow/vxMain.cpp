#include "mainwindow/vxMain.h"

#include "controls/Forms.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

vxMain::vxMain(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxMain"_s), c(c_) {
    setWindowTitle(u"Voxa2003　For　WindowsXp"_s);
    auto* menu = new QMenuBar(this);
    QMenu* file = menu->addMenu(u"ファイル(&F)"_s);
    QAction* end = file->addAction(u"終了(&X)"_s);
    end->setObjectName(u"mnuEnd"_s);
    connect(end, &QAction::triggered, this, &vxMain::mnuEnd_Click);

    auto* caption = new QLabel(u"学級名"_s, this);
    m_className = new QLabel(this);
    m_className->setObjectName(u"Label1"_s);
    QFont big = m_className->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    m_className->setFont(big);
    auto* endButton = new QPushButton(u"終　了"_s, this);
    endButton->setObjectName(u"cmdEnd"_s);
    connect(endButton, &QPushButton::clicked, this, &vxMain::mnuEnd_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addSpacing(12);
    row->addWidget(m_className);
    row->addStretch();
    row->addWidget(endButton);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(row);
    layout->addStretch();
    resize(twipsToPixels(9600), twipsToPixels(1455));
}

void vxMain::unloadReturner() {
    static const QStringList known = {u"vxStrt"_s,  u"vxLoad"_s,  u"vxNew"_s,   u"vxMeibo"_s, u"vxData"_s,
                                      u"vxKojin"_s, u"vxHyo"_s,   u"vxPrint"_s, u"vxPass"_s,  u"vxCopy"_s,
                                      u"vxVer"_s,   u"vxDrive"_s, u"vxEnd"_s,   u"vxCPDrv"_s};
    if (known.contains(c.ReturnForm))
        forms.unload(c.ReturnForm);
}

void vxMain::showClassName() {
    m_className->setText(c.ClassLoaded == 1 && c.classIsLoaded() ? c.ClassName : u"未入力"_s);
}

void vxMain::Form_Load() {
    unloadReturner();
    c.ReturnForm = QString();
    showClassName();
    c.StartMode = 0;
    Ini_Load();
}

void vxMain::Form_Activate() {
    unloadReturner();
    c.ReturnForm = QString();
    showClassName();
    Ini_Load();
}

bool vxMain::Form_QueryUnload(UnloadMode mode) {
    // Closed from the title bar: nothing is saved or asked. Unloaded by another window: pending
    // settings are saved first.
    if (mode == FromCode && c.SettingsDirty == 100 && c.NoClassYet != 100) {
        if (c.SaveSettings())
            c.SettingsDirty = 0;
    }
    return true;
}

void vxMain::Ini_Load() {
    const IniFile::Settings s = IniFile::read();
    c.DataFolder = s.DataFolder;
    c.PassHidden = s.PassHidden;
}

void vxMain::mnuEnd_Click() {
    forms.hide(tag());
    forms.show(u"vxEnd"_s);
}
