#include "mainwindow/vxMain.h"

#include "controls/Forms.h"
#include "core/IniFile.h"
#include "core/VOXA1.h"
#include "core/ClassSettings.h"
#include "mainwindow/SettingsPane.h"
#include "mainwindow/ToolbarIcons.h"
#include "platform/Dialogs.h"
#include "platform/HelpViewer.h"
#include "platform/MsgBox.h"
#include "platform/PrintBackend.h"
#include "platform/Program.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

using namespace Qt::StringLiterals;

namespace {
QToolButton* picture(QWidget* parent, const QString& name, const QString& tip, QStyle::StandardPixmap pm) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setIcon(parent->style()->standardIcon(pm));
    b->setIconSize(QSize(24, 24));
    return b;
}
} // namespace

vxMain::vxMain(VOXA1& c_, Forms& forms_) : Form(forms_, u"vxMain"_s), c(c_) {
    setWindowTitle(u"Voxa2003　For　WindowsXp"_s);
    buildMenus();
    buildToolbar();

    auto* label5 = new QLabel(u"学　級　名"_s, this);
    label5->setObjectName(u"Label5"_s);
    Label7 = new QLabel(this);
    Label7->setObjectName(u"Label7"_s);
    QFont big = Label7->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Label7->setFont(big);
    Label7->setMinimumWidth(twipsToPixels(1800));

    auto* image1 = picture(this, u"Image1"_s, u"アイコンについて"_s, QStyle::SP_MessageBoxInformation);
    Image2 = picture(this, u"Image2"_s, u"初期設定ウインドウ表示"_s, QStyle::SP_ArrowDown);
    auto* image3 = picture(this, u"Image3"_s, u"初期設定ウインドウ非表示"_s, QStyle::SP_ArrowUp);
    connect(image1, &QToolButton::clicked, this, [this] { openBeside(u"vxIcon"_s); });
    connect(Image2, &QToolButton::clicked, this, [this] { WinOpen(1); });
    connect(image3, &QToolButton::clicked, this, [this] { WinOpen(0); });

    auto* nameRow = new QHBoxLayout;
    nameRow->setContentsMargins(8, 2, 8, 2);
    nameRow->addWidget(label5);
    nameRow->addSpacing(12);
    nameRow->addWidget(Label7);
    nameRow->addStretch();
    nameRow->addWidget(image1);
    nameRow->addWidget(Image2);
    nameRow->addWidget(image3);

    m_paneArea = new QWidget(this);
    auto* label6 = new QLabel(
        u"Voxa2002 For WindowsXPは、小学校学級担任用の成績管理システムです。４教科及び３教科で４つの観点まで"
        u"扱うことができます。もし、不具合があった場合は、バージョン情報にある連絡先までご連絡下さい。"
        u"ご使用ありがとうございます。"_s,
        m_paneArea);
    label6->setObjectName(u"Label6"_s);
    label6->setWordWrap(true);
    m_pane = new SettingsPane(c, m_paneArea);
    auto* paneLayout = new QVBoxLayout(m_paneArea);
    paneLayout->setContentsMargins(8, 0, 8, 8);
    paneLayout->addWidget(label6);
    paneLayout->addWidget(m_pane, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(Toolbar1);
    layout->addLayout(nameRow);
    layout->addWidget(m_paneArea, 1);
    resize(twipsToPixels(11000), twipsToPixels(1455));
}

void vxMain::buildMenus() {
    auto* bar = new QMenuBar(this);
    auto add = [&](QMenu* m, const QString& name, const QString& caption, bool needsClass, auto fn) {
        QAction* a = m->addAction(caption);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, fn);
        if (needsClass)
            m_classCommands.append(a);
        return a;
    };
    QMenu* klass = bar->addMenu(u"学級(&F)　"_s);
    add(klass, u"mnuNew"_s, u"新規入力(&O)"_s, false, [this] { openBeside(u"vxNew"_s); });
    add(klass, u"mnuLoad"_s, u"選　　択(&L)"_s, false, [this] { openBeside(u"vxLoad"_s); });
    add(klass, u"MnuPrsys"_s, u"印刷設定(&Q)"_s, true, [this] { printerSetup(); });
    // Every printout shown first, when the teacher wants it; remembered for the next runs.
    QAction* preview = klass->addAction(u"印刷前にプレビュー(&V)"_s);
    preview->setObjectName(u"mnuPreview"_s);
    preview->setCheckable(true);
    preview->setChecked(PrintBackend::previewOn());
    connect(preview, &QAction::toggled, this, [](bool on) { PrintBackend::setPreviewOn(on); });
    add(klass, u"mnuprint"_s, u"印刷(&P)"_s, true, [this] { replaceBy(u"vxPrint"_s); });
    add(klass, u"mnuSave"_s, u"DATA保存(&S)"_s, true, [this] { mnuSave_Click(); });
    add(klass, u"mnuEnd"_s, u"Voxaの終了(&X)"_s, false, [this] { replaceBy(u"vxEnd"_s); });
    QMenu* view = bar->addMenu(u"表示(&B)"_s);
    add(view, u"mnuHyoji"_s, u"初期設定表示"_s, false, [this] { WinOpen(1); });
    add(view, u"mnuHihyouji"_s, u"初期設定非表示"_s, false, [this] { WinOpen(0); });
    QMenu* input = bar->addMenu(u"入力(&I)　"_s);
    input->setObjectName(u"mnuInput"_s);
    add(input, u"mnuMeibo"_s, u"名簿(&A)"_s, true, [this] { replaceBy(u"vxMeibo"_s); });
    add(input, u"mnuTest"_s, u"テストデータ(&T)"_s, true, [this] { replaceBy(u"vxData"_s); });
    QMenu* process = bar->addMenu(u"処理(&E)　"_s);
    process->setObjectName(u"mnuShori"_s);
    add(process, u"mnuHyo"_s, u"成績表(&H)"_s, true, [this] { replaceBy(u"vxHyo"_s); });
    add(process, u"mnuKojin"_s, u"個人票(&C)"_s, true, [this] { replaceBy(u"vxKojin"_s); });
    m_classMenus = {input, process};
    QMenu* option = bar->addMenu(u"ｵﾌﾟｼｮﾝ(&O)"_s);
    add(option, u"mnuPass"_s, u"ﾊﾟｽﾜｰﾄﾞ(&P)"_s, true, [this] { replaceBy(u"vxPass"_s); });
    add(option, u"mnufolder"_s, u"ﾃﾞｰﾀﾌｫﾙﾀﾞ(&R)"_s, false, [this] { openBeside(u"vxDrive"_s); });
    add(option, u"mnuCPDrv"_s, u"コピー先フォルダ(&W)"_s, true, [this] { openBeside(u"vxCPDrv"_s); });
    QMenu* util = bar->addMenu(u"ﾕｰﾃｨﾘﾃｨｰ(&U)　"_s);
    m_subjMenu = add(util, u"mnuSubj"_s, u"標準教科名(&S)"_s, true, [this] { Subj(); });
    m_subjNewMenu = add(util, u"mnuSubjNew"_s, u"標準観点名(新)(&N)"_s, true, [this] { SubjNew(); });
    add(util, u"mnuUCopy"_s, u"ﾃﾞｰﾀ複写(&D)"_s, true, [this] { replaceBy(u"vxCopy"_s); });
    add(util, u"mnuRestore"_s, u"バックアップから戻す(&R)..."_s, true, [this] { replaceBy(u"vxRestore"_s); });
    add(util, u"mnuUClass"_s, u"学級編成(&G)"_s, true, [this] { replaceBy(u"vxclass"_s); });
    // Next year's classes read every class of a grade from the data folder: no class need be loaded.
    add(util, u"mnuUOrganise"_s, u"次年度の学級編成(&N)"_s, false, [this] { replaceBy(u"vxOrganise"_s); });
    QMenu* helpMenu = bar->addMenu(u"?(&H)"_s);
    add(helpMenu, u"mnuIndex"_s, u"　目　次(&J)"_s, false, [this] { help(3); });
    add(helpMenu, u"mnuHkey"_s, u"キーワード(&K)"_s, false, [this] { help(0x101); });
    add(helpMenu, u"mnuUse"_s, u"ﾍﾙﾌﾟの使い方(&U)"_s, false, [this] { help(4); });
    add(helpMenu, u"mnuVer"_s, u"ﾊﾞｰｼﾞｮﾝ情報(&V)"_s, false, [this] { replaceBy(u"vxVer"_s); });
    m_menuBar = bar;
}

void vxMain::buildToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(u"Toolbar1"_s);
    Toolbar1->setIconSize(QSize(24, 24));
    struct Button {
        QString key, glyph, tip;
        QColor colour;
        bool needsClass;
        std::function<void()> run;
    };
    const QList<Button> buttons = {
        {u"Quit"_s, u"終"_s, u"Voxaの終了"_s, QColor(0xb0, 0x30, 0x30), false,
         [this] { replaceBy(u"vxEnd"_s); }},
        {u"New"_s, u"新"_s, u"新規入力"_s, QColor(0x2e, 0x7d, 0x32), false,
         [this] { openBeside(u"vxNew"_s); }},
        {u"Open"_s, u"開"_s, u"学級の選択"_s, QColor(0x2e, 0x7d, 0x32), false,
         [this] { openBeside(u"vxLoad"_s); }},
        {u"Save"_s, u"保"_s, u"データ保存"_s, QColor(0x15, 0x65, 0xc0), true, [this] { mnuSave_Click(); }},
        {u"Namae"_s, u"名"_s, u"名簿"_s, QColor(0x6a, 0x1b, 0x9a), true, [this] { replaceBy(u"vxMeibo"_s); }},
        {u"Input"_s, u"点"_s, u"テストデータ"_s, QColor(0x6a, 0x1b, 0x9a), true,
         [this] { replaceBy(u"vxData"_s); }},
        {u"PPrint"_s, u"印"_s, u"印刷"_s, QColor(0x45, 0x5a, 0x64), true,
         [this] { replaceBy(u"vxPrint"_s); }},
        {u"Hyo"_s, u"成"_s, u"成績表"_s, QColor(0xe6, 0x5c, 0x00), true, [this] { replaceBy(u"vxHyo"_s); }},
        {u"Kojin"_s, u"個"_s, u"個人票"_s, QColor(0xe6, 0x5c, 0x00), true,
         [this] { replaceBy(u"vxKojin"_s); }},
        {u"Folder"_s, u"所"_s, u"データフォルダ"_s, QColor(0x79, 0x55, 0x48), false,
         [this] { openBeside(u"vxDrive"_s); }},
        {u"cop"_s, u"先"_s, u"コピー先フォルダ"_s, QColor(0x79, 0x55, 0x48), true,
         [this] { openBeside(u"vxCPDrv"_s); }},
        {u"copy"_s, u"写"_s, u"データ複写"_s, QColor(0x79, 0x55, 0x48), true,
         [this] { replaceBy(u"vxCopy"_s); }},
        {u"Subj"_s, u"教"_s, u"標準教科名"_s, QColor(0x00, 0x83, 0x8f), true, [this] { Subj(); }},
        {u"Clas"_s, u"編"_s, u"学級編成"_s, QColor(0x00, 0x83, 0x8f), true,
         [this] { replaceBy(u"vxclass"_s); }},
        {u"Help"_s, u"？"_s, u"ヘルプ"_s, QColor(0x3f, 0x51, 0xb5), false, [this] { help(3); }},
    };
    for (const Button& b : buttons) {
        QAction* a = Toolbar1->addAction(ToolbarIcons::icon(b.glyph, b.colour), b.tip);
        a->setObjectName(b.key);
        connect(a, &QAction::triggered, this, b.run);
        if (b.needsClass)
            m_classCommands.append(a);
        if (b.key == u"Subj"_s)
            m_subjButton = a;
    }
}

bool vxMain::hasClass() const {
    return c.ClassLoaded == 1 && c.classIsLoaded();
}

void vxMain::unloadReturner() {
    static const QStringList known = {u"vxStrt"_s,  u"vxLoad"_s,  u"vxNew"_s,   u"vxMeibo"_s, u"vxData"_s,
                                      u"vxKojin"_s, u"vxHyo"_s,   u"vxPrint"_s, u"vxPass"_s,  u"vxCopy"_s,
                                      u"vxVer"_s,   u"vxDrive"_s, u"vxEnd"_s,   u"vxCPDrv"_s, u"vxRestore"_s};
    if (known.contains(c.ReturnForm))
        forms.unload(c.ReturnForm);
}

void vxMain::enableCommands() {
    const bool on = hasClass();
    for (QAction* a : std::as_const(m_classCommands))
        a->setEnabled(on);
    for (QWidget* m : std::as_const(m_classMenus))
        static_cast<QMenu*>(m)->menuAction()->setEnabled(on);
    m_subjMenu->setEnabled(on && c.StartMode != 0);
    m_subjNewMenu->setEnabled(on && c.StartMode != 0);
    m_subjButton->setEnabled(on && c.StartMode != 0);
}

void vxMain::refreshSteps(const QString& helpName, bool mayNag) {
    unloadReturner();
    c.ReturnForm = QString();
    m_helpFile = Program::folder() + helpName;
    WinOpen(c.JustCreated);
    Main_Refresh();
    m_pane->applyEnabling();
    enableCommands();
    // No reminder while the teacher is already choosing or creating a class in a window beside
    // this one (the window system activates this window again when such a window's first
    // message box closes).
    auto shown = [this](const QString& tag) {
        const Form* f = forms.find(tag);
        return f && f->isVisible();
    };
    const bool choosing = shown(u"vxNew"_s) || shown(u"vxLoad"_s);
    if (mayNag && !hasClass() && c.StartMode != 10 && !choosing)
        MsgBox::show(u"学級を選択するか、新規入力をして下さい"_s, MsgBox::OkOnly, MsgBox::Information);
}

void vxMain::Form_Load() {
    m_activatedSinceLoad = false;
    refreshSteps(u"voxa2002.hlp"_s, true);
    c.StartMode = 0;
    Ini_Load();
    m_pane->fill();
}

void vxMain::Form_Activate() {
    // The activation that follows the window's own load does not ask a second time.
    const bool mayNag = m_activatedSinceLoad;
    m_activatedSinceLoad = true;
    refreshSteps(u"voxa2003.hlp"_s, mayNag);
    Ini_Load();
    m_pane->fill();
}

bool vxMain::Form_QueryUnload(UnloadMode mode) {
    // Closed from the title bar: nothing is saved or asked. Unloaded by another window: pending
    // settings are saved first, and a refused or failed save keeps the window with the edits.
    if (mode == FromCode)
        return commitPendingSettings();
    return true;
}

bool vxMain::commitPendingSettings() {
    if (c.SettingsDirty != 100 || c.NoClassYet == 100)
        return true;
    return F_Save();
}

void vxMain::Ini_Load() {
    const IniFile::Settings s = IniFile::read();
    c.DataFolder = s.DataFolder;
    c.PassHidden = s.PassHidden;
}

int vxMain::WinOpen(int flag) {
    m_paneArea->setVisible(flag == 1);
    Image2->setEnabled(flag != 1);
    const int wanted = twipsToPixels(flag == 1 ? 8475 : 1455);
    layout()->activate();
    resize(width(), qMax(wanted, minimumSizeHint().height()));
    keepOnScreen();
    return flag;
}

void vxMain::Main_Refresh() {
    Label7->setText(c.ClassLoaded == 1 ? c.ClassName : u"未入力"_s);
    m_pane->fill();
}

bool vxMain::F_Save(bool tell) {
    if (!c.classIsLoaded()) {
        MsgBox::show(u"まだ、クラスデータがロードされていません"_s, MsgBox::OkOnly, MsgBox::Warning);
        return false;
    }
    const QString wrong = ClassSettings::checkNumbers(m_pane->classSizeText(), m_pane->termText());
    if (!wrong.isEmpty()) {
        MsgBox::show(wrong + c.CrLf + u"初期データは保存していません。"_s, MsgBox::OkOnly, MsgBox::Warning);
        return false;
    }
    if (!m_pane->StoreSettings())
        return false;
    c.SettingsDirty = 0;
    // The class has its settings now: it is no longer a class just created.
    c.NewClassFlag = 0;
    c.JustCreated = 0;
    enableCommands();
    m_pane->applyEnabling();
    if (tell)
        MsgBox::show(u"初期ﾃﾞｰﾀを保存しました"_s);
    return true;
}

void vxMain::Subj() {
    c.SplitClassName();
    if (c.Grade == 0) {
        MsgBox::show(u"設定する学級のデータを作成するかロードして下さい"_s);
        return;
    }
    if (MsgBox::show(u"標準の教科名・人数・学期を設定してよろしいですか"_s, MsgBox::OkCancel,
                     MsgBox::Question) != MsgBox::Ok)
        return;
    m_pane->putStandardSettings(c.Grade);
}

void vxMain::SubjNew() {
    c.SplitClassName();
    if (c.Grade == 0) {
        MsgBox::show(u"設定する学級のデータを作成するかロードして下さい"_s);
        return;
    }
    if (MsgBox::show(
            u"観点名を「知技」（知識・技能）「思判表」（思考・判断・表現）「主体」（主体的に学習に取り組む態度）に設定してよろしいですか"_s,
            MsgBox::OkCancel, MsgBox::Question) != MsgBox::Ok)
        return;
    m_pane->putCurrentViewNames(c.Grade);
}

void vxMain::mnuSave_Click() {
    if (MsgBox::show(u"ﾃﾞｰﾀの保存をします。よろしいですか。"_s, MsgBox::OkCancel, MsgBox::Question) ==
        MsgBox::Ok) {
        // What the settings pane shows is what is saved: its pending edits go through F_Save's
        // checks first, and a refusal (already explained) stops the save.
        if (c.SettingsDirty == 100 && c.NoClassYet != 100 && !F_Save(false))
            return;
        if (c.SaveClass())
            MsgBox::show(u"ﾃﾞｰﾀの保存をしました"_s);
    } else {
        MsgBox::show(u"ﾃﾞｰﾀの保存をしませんでした"_s);
    }
}

void vxMain::replaceBy(const QString& tag) {
    if (!forms.isRegistered(tag)) {
        MsgBox::show(u"この機能はまだ使えません。"_s);
        return;
    }
    // The settings are committed before the other window opens: when they are refused, the
    // teacher stays here to correct the box and the other window does not open.
    if (!commitPendingSettings())
        return;
    forms.hide(this->tag());
    forms.show(tag);
}

void vxMain::openBeside(const QString& tag) {
    if (!forms.isRegistered(tag)) {
        MsgBox::show(u"この機能はまだ使えません。"_s);
        return;
    }
    forms.show(tag);
}

void vxMain::printerSetup() {
    Dialogs::printerSetup(PrintBackend::sharedPrinter());
}

void vxMain::help(int command) {
    const HelpViewer::Command cmd = command == 3   ? HelpViewer::Contents
                                    : command == 4 ? HelpViewer::HelpOnHelp
                                                   : HelpViewer::KeywordSearch;
    HelpViewer::open(m_helpFile, cmd);
}
