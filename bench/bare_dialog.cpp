// The yardstick for the editor's start: a bare Qt dialog with twenty buttons, a program of its
// own so that it loads no more than such a program would. Run by bench_pages.
#include <QApplication>
#include <QDialog>
#include <QGridLayout>
#include <QPushButton>

#include "first_paint.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const velmar::bench::FirstPaintExit firstPaint;
    QDialog dialog;
    auto* grid = new QGridLayout(&dialog);
    for (int i = 0; i < 20; ++i)
        grid->addWidget(new QPushButton(QStringLiteral("Button %1").arg(i + 1), &dialog), i / 4, i % 4);
    return dialog.exec();
}
