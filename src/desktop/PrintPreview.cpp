#include "desktop/PrintPreview.h"

#include "platform/PainterBackend.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace PrintPreview {

PreviewBackend::Choice ask(const PreviewBackend::Pages& pages) {
    QDialog dialog(QApplication::activeWindow());
    dialog.setObjectName(u"PrintPreview"_s);
    dialog.setWindowTitle(u"印刷プレビュー"_s);
    dialog.setWindowFlags(dialog.windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* layout = new QVBoxLayout(&dialog);

    // Drawn on the printer the job would go to, with its paper and margins, by the same drawing
    // code as the printout itself.
    QPrinter& printer = PrintBackend::sharedPrinter();
    auto* view = new QPrintPreviewWidget(&printer, &dialog);
    view->setObjectName(u"PreviewPages"_s);
    QObject::connect(view, &QPrintPreviewWidget::paintRequested, &dialog, [&pages](QPrinter* p) {
        PainterBackend onPreview(p);
        pages.replay(onPreview);
    });
    layout->addWidget(view, 1);

    PreviewBackend::Choice choice = PreviewBackend::Choice::Close;
    auto* buttons = new QHBoxLayout;
    auto add = [&](const QString& name, const QString& caption, PreviewBackend::Choice c) {
        auto* b = new QPushButton(caption, &dialog);
        b->setObjectName(name);
        QObject::connect(b, &QPushButton::clicked, &dialog, [&dialog, &choice, c] {
            choice = c;
            dialog.accept();
        });
        buttons->addWidget(b);
        return b;
    };
    auto* zoomIn = new QPushButton(u"拡大"_s, &dialog);
    auto* zoomOut = new QPushButton(u"縮小"_s, &dialog);
    QObject::connect(zoomIn, &QPushButton::clicked, view, [view] { view->zoomIn(); });
    QObject::connect(zoomOut, &QPushButton::clicked, view, [view] { view->zoomOut(); });
    buttons->addWidget(zoomIn);
    buttons->addWidget(zoomOut);
    buttons->addStretch();
    add(u"PreviewPrint"_s, u"印刷(&P)"_s, PreviewBackend::Choice::Print)->setDefault(true);
    add(u"PreviewPdf"_s, u"PDFに保存(&S)"_s, PreviewBackend::Choice::SavePdf);
    add(u"PreviewClose"_s, u"閉じる(&C)"_s, PreviewBackend::Choice::Close);
    layout->addLayout(buttons);

    const QRect screen = dialog.screen() ? dialog.screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    dialog.resize(std::min(screen.width() * 9 / 10, 900), screen.height() * 9 / 10);
    view->fitInView();
    dialog.exec();
    return choice;
}

} // namespace PrintPreview
