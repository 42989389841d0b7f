#include "mainwindow/SettingsPane.h"

#include "controls/Form.h"
#include "controls/TextBoxes.h"
#include "controls/TextGuard.h"
#include "core/TextHelpers.h"
#include "core/VOXA1.h"
#include "core/ClassSettings.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

SettingsPane::SettingsPane(VOXA1& c_, QWidget* parent) : QWidget(parent), c(c_) {
    Text1 = box(u"Text1"_s, 20, true);
    Text2 = box(u"Text2"_s, 20, true);
    Text3 = box(u"Text3"_s, 20, true);
    Text4 = box(u"Text4"_s, 2, false);
    Text5 = box(u"Text5"_s, 1, true);
    // Whole numbers only in the class size and term boxes.
    Text4->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]{0,2}"_s), Text4));
    Text5->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]?"_s), Text5));
    Text4->setMaximumWidth(Form::twipsToPixels(700));
    Text5->setMaximumWidth(Form::twipsToPixels(700));
    // The form the school lines are built from: the city in 市町名, the school's own name in 学校名.
    Text1->setPlaceholderText(u"例: 横浜市"_s);
    Text2->setPlaceholderText(u"例: 桜ヶ丘小学校"_s);
    // Ten full-width characters show whole in the three name boxes.
    for (QLineEdit* e : {Text1, Text2, Text3})
        e->setMinimumWidth(e->fontMetrics().horizontalAdvance(u"横浜市立桜ヶ丘小学校"_s) + 12);
    TextGuard::watch(Text1, u"市町名"_s, c.CityName.width());
    TextGuard::watch(Text2, u"学校名"_s, c.SchoolName.width());
    TextGuard::watch(Text3, u"担任名"_s, c.TeacherName.width());
    for (QLineEdit* e : {Text1, Text2, Text3})
        TextBoxes::showStartWhenIdle(e);

    auto* basic = new QGroupBox(u"基本設定"_s, this);
    auto* form = new QFormLayout(basic);
    form->addRow(u"市　町　名"_s, Text1);
    form->addRow(u"学　校　名"_s, Text2);
    form->addRow(u"担　任　名"_s, Text3);
    form->addRow(u"学級の人数"_s, Text4);
    form->addRow(u"現在の学期"_s, Text5);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);

    auto* subjects = new QGroupBox(u"教科設定"_s, this);
    auto* grid = new QHBoxLayout(subjects);
    const QString captions[5] = {u"国　語"_s, u"社　会"_s, u"算　数"_s, u"理　科"_s, u"生　活"_s};
    for (int s = 0; s < 5; ++s) {
        auto* frame = new QGroupBox(captions[s], subjects);
        auto* col = new QVBoxLayout(frame);
        for (int v = 0; v < 4; ++v) {
            m_views[s][v] = box(u"Text%1(%2)"_s.arg(7 + v).arg(s), 8, true);
            // Room to spare beyond the four full-width characters a name holds.
            m_views[s][v]->setMinimumWidth(
                m_views[s][v]->fontMetrics().horizontalAdvance(u"思考・判断・表現"_s) + 12);
            TextGuard::watch(m_views[s][v], u"観点名"_s, c.ViewName(1, 1).width());
            TextBoxes::showStartWhenIdle(m_views[s][v]);
            col->addWidget(m_views[s][v]);
        }
        col->addStretch();
        grid->addWidget(frame);
    }
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(basic, 2, Qt::AlignTop);
    layout->addWidget(subjects, 3, Qt::AlignTop);
}

QLineEdit* SettingsPane::box(const QString& name, int maxLength, bool countsAsChange) {
    auto* e = new QLineEdit(this);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    if (countsAsChange)
        connect(e, &QLineEdit::textChanged, this, [this] { c.SettingsDirty = 100; });
    return e;
}

void SettingsPane::fill() {
    Text1->setText(TextHelpers::TrimPadding(c.CityName.str()));
    Text2->setText(TextHelpers::TrimPadding(c.SchoolName.str()));
    Text3->setText(TextHelpers::TrimPadding(c.TeacherName.str()));
    Text4->setText(QString::number(c.ClassSize));
    Text5->setText(QString::number(c.CurTerm));
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v)
            m_views[s - 1][v - 1]->setText(TextHelpers::TrimPadding(c.ViewName(s, v).str()));
    c.SettingsDirty = 0;
}

void SettingsPane::applyEnabling() {
    const bool loaded = c.classIsLoaded();
    for (QLineEdit* e : {Text1, Text2, Text3, Text5})
        e->setEnabled(loaded);
    Text4->setEnabled(loaded && c.NewClassFlag == 10);
    for (auto& slot : m_views)
        for (QLineEdit* e : slot)
            e->setEnabled(loaded);
}

bool SettingsPane::StoreSettings() {
    c.CityName = Text1->text();
    c.SchoolName = Text2->text();
    c.TeacherName = Text3->text();
    c.ClassSize = static_cast<qint16>(Text4->text().toInt());
    c.CurTerm = static_cast<qint16>(Text5->text().toInt());
    for (int s = 1; s <= 5; ++s)
        for (int v = 1; v <= 4; ++v)
            c.ViewName(s, v) = m_views[s - 1][v - 1]->text();
    // The class keeps its password: only the creation of a class gives it "no password".
    return c.SaveSettings();
}

void SettingsPane::putStandardSettings(int grade) {
    for (const auto& e : ClassSettings::standardViewNames(grade))
        m_views[e.slot - 1][e.view - 1]->setText(e.name);
    Text5->setText(u"1"_s);
    Text4->setText(u"30"_s);
    c.SettingsDirty = 100;
}

void SettingsPane::putCurrentViewNames(int grade) {
    for (const auto& e : ClassSettings::currentViewNames(grade))
        m_views[e.slot - 1][e.view - 1]->setText(e.name);
    c.SettingsDirty = 100;
}

QString SettingsPane::classSizeText() const {
    return Text4->text();
}

QString SettingsPane::termText() const {
    return Text5->text();
}
