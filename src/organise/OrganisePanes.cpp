#include "organise/OrganisePanes.h"

#include "controls/Form.h"
#include "core/ClassMaterial.h"
#include "organise/OrganisePrint.h"
#include "platform/MsgBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using OrganisePrint::sexWord;

namespace OrganiseView {

QTableWidget* table(QWidget* parent, const QString& name, const QStringList& heads) {
    auto* t = new QTableWidget(0, int(heads.size()), parent);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(heads);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->setDefaultSectionSize(QFontMetrics(t->font()).height() + 4);
    t->horizontalHeader()->setHighlightSections(false);
    return t;
}

QTableWidgetItem* cell(const QString& text, int pupil) {
    auto* item = new QTableWidgetItem(text);
    if (pupil >= 0)
        item->setData(Qt::UserRole, pupil);
    return item;
}

} // namespace OrganiseView

using OrganiseView::cell;
using OrganiseView::kOff;
using OrganiseView::table;

OrganiseReadPane::OrganiseReadPane(const OrganiseSession& s, QWidget* parent)
    : QWidget(parent), m_session(s) {
    QWidget* page = this;
    grdOld = table(
        page, u"grdOld"_s,
        {u"学級"_s, u"担任"_s, u"男"_s, u"女"_s, u"性別なし"_s, u"最後の保存"_s, u"成績"_s, u"読み込み"_s});
    grdOld->horizontalHeader()->setStretchLastSection(true);
    txtNotes = new QPlainTextEdit(page);
    txtNotes->setObjectName(u"txtNotes"_s);
    txtNotes->setReadOnly(true);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(grdOld, 1);
    layout->addWidget(new QLabel(u"お知らせ"_s, page));
    layout->addWidget(txtNotes, 1);
}

bool OrganiseReadPane::fill() {
    const GradeData::Grade& g = m_session.grade();
    grdOld->setRowCount(int(g.classes.size()));
    QStringList notes;
    for (int i = 0; i < g.classes.size(); ++i) {
        const GradeData::OldClass& oc = g.classes[i];
        const bool read = oc.problem.isEmpty();
        const QStringList texts{
            oc.file,
            oc.teacher,
            read ? QString::number(oc.boys) : QString(),
            read ? QString::number(oc.girls) : QString(),
            read ? QString::number(oc.unset) : QString(),
            oc.saved.isValid() ? oc.saved.toString(u"yyyy/MM/dd H:mm"_s) : QString(),
            read ? (oc.calculated ? u"計算済み"_s : u"未計算（平均なし・帯3）"_s) : QString(),
            read ? (oc.notice.isEmpty() ? u"読み込みました"_s : u"前回の保存を読みました"_s)
                 : u"読めないため除きました"_s};
        for (int col = 0; col < texts.size(); ++col) {
            QTableWidgetItem* item = cell(texts[col]);
            if (!read || (col == 6 && !oc.calculated))
                item->setForeground(kOff);
            grdOld->setItem(i, col, item);
        }
        if (!read)
            notes << oc.file + u"：読めないため除きました。"_s + oc.problem.simplified();
        else if (!oc.notice.isEmpty())
            notes << oc.notice.simplified();
    }
    for (const GradeData::Pupil& x : g.pupils)
        if (!ClassMaterial::isBoy(x.sex) && !ClassMaterial::isGirl(x.sex))
            notes << x.id + u" "_s + x.name +
                         u"：性別が入っていないので、女子として数えます。名簿で入力して下さい。"_s;
    for (const QString& id : m_session.unknown())
        notes << u"条件の "_s + id + u" にあたる児童がいません。その条件は使いません。"_s;
    grdOld->resizeColumnsToContents();
    txtNotes->setPlainText(notes.join(u"\n"_s));
    return !notes.isEmpty();
}

QPushButton* OrganiseRulesPane::button(const QString& name, const QString& caption,
                                       const std::function<void()>& click) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    connect(b, &QPushButton::clicked, this, click);
    return b;
}

void OrganiseRulesPane::setEditable(bool on) {
    for (QWidget* w : std::as_const(m_editors))
        w->setEnabled(on);
}

OrganiseRulesPane::OrganiseRulesPane(const OrganiseSession& s, QWidget* parent)
    : QWidget(parent), m_session(s) {
    QWidget* page = this;
    grdPupils = table(page, u"grdPupils"_s,
                      {u"児童"_s, u"名前"_s, u"性"_s, u"読み（かな）"_s, u"印1"_s, u"印2"_s, u"印3"_s,
                       u"印4"_s, u"固定"_s});
    grdPupils->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    grdPupils->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Sized once after each filling, not on every cell set.
    grdPupils->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    connect(grdPupils, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (m_filling)
            return;
        const int pupil = item->data(Qt::UserRole).toInt();
        const QString id = m_session.grade().pupils.value(pupil).id;
        const int column = item->column();
        if (column == 3) {
            const QString reading = item->text().trimmed();
            onEdit([&](OrganiseRules& r) {
                reading.isEmpty() ? void(r.readings.remove(id)) : void(r.readings.insert(id, reading));
            });
        } else if (column >= 4 && column <= 7) {
            const QString flag = m_session.rules().flagNames.value(column - 4);
            const bool on = item->checkState() == Qt::Checked;
            onEdit([&](OrganiseRules& r) {
                QStringList f = r.flags.value(id);
                f.removeAll(flag);
                if (on)
                    f.append(flag);
                f.isEmpty() ? void(r.flags.remove(id)) : void(r.flags.insert(id, f));
            });
        } else if (column == 8) {
            const QString text = item->text().trimmed();
            bool ok = false;
            const int k = text.toInt(&ok);
            if (!text.isEmpty() && (!ok || k < 1 || k > m_session.classes())) {
                MsgBox::show(u"固定する学級は 1～"_s + QString::number(m_session.classes()) +
                                 u" の数で入力して下さい。空にすると固定をやめます。"_s,
                             MsgBox::OkOnly, MsgBox::Warning);
                fill(true);
                return;
            }
            onEdit([&](OrganiseRules& r) {
                text.isEmpty() ? void(r.fixed.remove(id)) : void(r.fixed.insert(id, k));
            });
        }
    });

    auto* flags = new QGroupBox(u"印の名前"_s, page);
    auto* flagRow = new QHBoxLayout(flags);
    for (int i = 0; i < 4; ++i) {
        txtFlag[i] = new QLineEdit(flags);
        txtFlag[i]->setObjectName(u"txtFlag(%1)"_s.arg(i));
        txtFlag[i]->setMaxLength(8);
        flagRow->addWidget(new QLabel(u"印"_s + QString::number(i + 1), flags));
        flagRow->addWidget(txtFlag[i]);
        m_editors << txtFlag[i];
        connect(txtFlag[i], &QLineEdit::editingFinished, this, [this, i] {
            const QString name = txtFlag[i]->text().trimmed();
            const QStringList names = m_session.rules().flagNames;
            if (m_filling || name == names.value(i))
                return;
            if (name.isEmpty() || (names.contains(name) && names.indexOf(name) != i)) {
                MsgBox::show(u"印の名前は 1～8 文字で、ほかの印と違う名前にして下さい。"_s, MsgBox::OkOnly,
                             MsgBox::Warning);
                txtFlag[i]->setText(names.value(i));
                return;
            }
            const QString old = names.value(i);
            onEdit([&](OrganiseRules& r) {
                r.flagNames[i] = name;
                for (QStringList& f : r.flags)
                    f.replaceInStrings(QRegularExpression(u"^"_s + QRegularExpression::escape(old) + u"$"_s),
                                       name);
            });
        });
    }

    auto list = [page](const QString& name) {
        auto* l = new QListWidget(page);
        l->setObjectName(name);
        return l;
    };
    lstApart = list(u"lstApart"_s);
    lstTogether = list(u"lstTogether"_s);
    auto* apart = new QGroupBox(u"離す（別の組にする二人）"_s, page);
    auto* apartBox = new QVBoxLayout(apart);
    apartBox->addWidget(lstApart);
    QPushButton* apartAdd = button(u"cmdApartAdd"_s, u"選んだ二人を離す"_s, [this] { cmdApartAdd_Click(); });
    QPushButton* apartDel = button(u"cmdApartDel"_s, u"消す"_s, [this] { cmdApartDel_Click(); });
    apartBox->addLayout(Form::buttonRow({apartAdd, apartDel}));
    auto* together = new QGroupBox(u"同じ組（一緒にする児童）"_s, page);
    auto* togetherBox = new QVBoxLayout(together);
    togetherBox->addWidget(lstTogether);
    QPushButton* togetherAdd =
        button(u"cmdTogetherAdd"_s, u"選んだ児童を同じ組に"_s, [this] { cmdTogetherAdd_Click(); });
    QPushButton* togetherDel = button(u"cmdTogetherDel"_s, u"消す"_s, [this] { cmdTogetherDel_Click(); });
    togetherBox->addLayout(Form::buttonRow({togetherAdd, togetherDel}));
    m_editors << grdPupils << apartAdd << apartDel << togetherAdd << togetherDel;

    auto* side = new QVBoxLayout;
    side->addWidget(apart, 1);
    side->addWidget(together, 1);
    auto* hint = new QLabel(u"児童の表で Ctrl または Shift を押しながら選び、右のボタンで条件にします。"
                            u"読み・印・固定は表に直接入力します。変更はすぐに保存されます。"_s,
                            page);
    hint->setWordWrap(true);
    auto* left = new QVBoxLayout;
    left->addWidget(grdPupils, 1);
    left->addWidget(hint);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addLayout(side, 2);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top, 1);
    layout->addWidget(flags);
}

QList<int> OrganiseRulesPane::selectedRulePupils() const {
    QList<int> out;
    for (const QModelIndex& i : grdPupils->selectionModel()->selectedRows())
        out.append(grdPupils->item(i.row(), 0)->data(Qt::UserRole).toInt());
    std::sort(out.begin(), out.end());
    return out;
}

void OrganiseRulesPane::cmdApartAdd_Click() {
    const QList<int> chosen = selectedRulePupils();
    if (chosen.size() != 2)
        return onStatus(u"離す二人を児童の表で選んで下さい（Ctrl を押しながら二人目を選びます）。"_s, true);
    const QStringList pair{m_session.grade().pupils[chosen[0]].id, m_session.grade().pupils[chosen[1]].id};
    for (const QStringList& p : m_session.rules().apart)
        if (QSet<QString>(p.begin(), p.end()) == QSet<QString>(pair.begin(), pair.end()))
            return onStatus(u"この二人はもう離すことになっています。"_s, true);
    onEdit([&](OrganiseRules& r) { r.apart.append(pair); });
}

void OrganiseRulesPane::cmdApartDel_Click() {
    const int row = lstApart->currentRow();
    if (row < 0 || row >= m_session.rules().apart.size())
        return onStatus(u"消す条件を選んで下さい。"_s, true);
    onEdit([&](OrganiseRules& r) { r.apart.removeAt(row); });
}

void OrganiseRulesPane::cmdTogetherAdd_Click() {
    const QList<int> chosen = selectedRulePupils();
    if (chosen.size() < 2)
        return onStatus(u"同じ組にする児童を二人以上、児童の表で選んで下さい。"_s, true);
    QStringList group;
    for (int i : chosen)
        group << m_session.grade().pupils[i].id;
    onEdit([&](OrganiseRules& r) { r.together.append(group); });
}

void OrganiseRulesPane::cmdTogetherDel_Click() {
    const int row = lstTogether->currentRow();
    if (row < 0 || row >= m_session.rules().together.size())
        return onStatus(u"消す条件を選んで下さい。"_s, true);
    onEdit([&](OrganiseRules& r) { r.together.removeAt(row); });
}

void OrganiseRulesPane::fill(bool always) {
    const GradeData::Grade& g = m_session.grade();
    const OrganiseRules& r = m_session.rules();
    // A move changes neither: the table of 240 pupils is not built again for it.
    if (!always && m_shown && r == m_shownRules && m_session.labels() == m_shownPupils)
        return;
    m_shown = true;
    m_shownRules = r;
    m_shownPupils = m_session.labels();
    m_filling = true;
    for (int i = 0; i < 4; ++i) {
        txtFlag[i]->setText(r.flagNames.value(i));
        grdPupils->horizontalHeaderItem(4 + i)->setText(r.flagNames.value(i));
    }
    grdPupils->setRowCount(int(g.pupils.size()));
    for (int p = 0; p < g.pupils.size(); ++p) {
        const GradeData::Pupil& x = g.pupils[p];
        const QStringList texts{x.id, x.name, sexWord(x.sex), r.readings.value(x.id)};
        for (int col = 0; col < texts.size(); ++col) {
            QTableWidgetItem* item = cell(texts[col], p);
            if (col != 3)
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grdPupils->setItem(p, col, item);
        }
        for (int f = 0; f < 4; ++f) {
            QTableWidgetItem* item = cell(QString(), p);
            item->setFlags((item->flags() | Qt::ItemIsUserCheckable) & ~Qt::ItemIsEditable);
            item->setCheckState(r.flags.value(x.id).contains(r.flagNames.value(f)) ? Qt::Checked
                                                                                   : Qt::Unchecked);
            grdPupils->setItem(p, 4 + f, item);
        }
        grdPupils->setItem(
            p, 8, cell(r.fixed.contains(x.id) ? QString::number(r.fixed.value(x.id)) : QString(), p));
    }
    auto names = [&](const QStringList& ids) {
        QStringList out;
        for (const QString& id : ids) {
            const auto it = std::find_if(g.pupils.begin(), g.pupils.end(),
                                         [&](const GradeData::Pupil& x) { return x.id == id; });
            out << (it == g.pupils.end() ? id + u"（いません）"_s : it->name + u"（"_s + id + u"）"_s);
        }
        return out;
    };
    grdPupils->resizeColumnsToContents();
    lstApart->clear();
    for (const QStringList& pair : r.apart)
        lstApart->addItem(names(pair).join(u" ⇔ "_s));
    lstTogether->clear();
    for (const QStringList& group : r.together)
        lstTogether->addItem(names(group).join(u"、"_s));
    m_filling = false;
}
