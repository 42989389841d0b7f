// Entering a whole sheet through the test data window's key handling: 42 pupils, four viewpoints,
// two digits and Enter each. Prints the median time a key takes.

#include "WindowDriver.h"
#include "platform/MsgBox.h"
#include "scores/vxData.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<double> perKey;
    for (int round = 0; round < 5; ++round) {
        WindowDriver d;
        d.writeClass(u"5-1"_s, 42);
        d.start();
        VOXA1& c = d.c();
        c.ClassPath = u"C:\\voxadata\\5-1"_s;
        c.LoadClass();
        c.ClassName = u"5年1組"_s;
        c.ClassLoaded = 1;
        c.NoClassYet = 0;
        for (int v = 1; v <= 4; ++v)
            c.ViewName(1, v) = u"観点%1"_s.arg(v);
        d.forms().hide(u"vxMain"_s);
        d.forms().show(u"vxMain"_s);
        d.trigger(u"vxMain"_s, u"mnuTest"_s);
        auto* win = d.forms().get<vxData>(u"vxData"_s);
        d.find<QListWidget>(u"vxData"_s, u"List1"_s)->setCurrentRow(0);
        win->List1_Click();
        for (int i = 0; i < 4; ++i)
            d.type(u"vxData"_s, u"Text2(%1)"_s.arg(i), u"25"_s);
        MsgBox::queueAnswer(MsgBox::Ok);
        d.click(u"vxData"_s, u"Command3D1"_s);

        for (int p = 1; p <= 42; ++p)
            for (int v = 0; v < 4; ++v) {
                auto* box = d.find<QLineEdit>(u"vxData"_s, u"Text1(%1)"_s.arg(v));
                const QString digits = QString::number((p + v) % 16 + 10);
                for (QChar ch : digits) {
                    QElapsedTimer t;
                    t.start();
                    QTest::keyClick(box, ch.toLatin1());
                    perKey.push_back(t.nsecsElapsed() / 1e3);
                }
                QElapsedTimer t;
                t.start();
                QTest::keyClick(box, Qt::Key_Return);
                perKey.push_back(t.nsecsElapsed() / 1e3);
            }
        if (win->EntryScore()(4, 42) != (42 + 3) % 16 + 10)
            return 1;
    }
    std::sort(perKey.begin(), perKey.end());
    std::printf("keys handled: %zu\n", perKey.size());
    std::printf("median per key     %8.1f us\n", perKey[perKey.size() / 2]);
    std::printf("90th percentile    %8.1f us\n", perKey[perKey.size() * 9 / 10]);
    std::printf("slowest            %8.1f us\n", perKey.back());
    return 0;
}
