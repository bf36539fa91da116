// A bare Qt window with the fonts of the schedule screen: the yardstick of the start-up benchmark.
#include "platform/forms/runtime.h"
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    forms::installFontSubstitutions();
    QWidget w;
    w.setWindowTitle(QStringLiteral("bare-window"));
    w.setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    auto* layout = new QVBoxLayout(&w);
    auto* title = new QLabel(QStringLiteral("ｾﾝﾀｰｺｰﾄﾞ"), &w);
    title->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 11));
    layout->addWidget(title);
    auto* edit = new QLineEdit(&w);
    edit->setFont(QFont(QStringLiteral("ＭＳ ゴシック"), 11));
    layout->addWidget(edit);
    w.resize(788, 544);
    w.show();
    return app.exec();
}
