#pragma once
// Shared pieces of the forms tests: a scripted message box and a shown, active form.
#include "platform/forms/form.h"
#include "platform/forms/runtime.h"
#include "support/qtprint.h"
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace formtest {

// Answers message boxes from a script (1 when the script is empty) and keeps what was shown.
struct ScriptedMsgBox {
    struct Shown {
        QString prompt;
        int style;
        QString title;
    };
    std::vector<Shown> shown;
    std::deque<int> answers;
    ScriptedMsgBox() {
        forms::setMsgBoxHandler([this](const QString& p, int s, const QString& t) {
            shown.push_back({p, s, t});
            if (answers.empty()) return 1;
            const int a = answers.front();
            answers.pop_front();
            return a;
        });
    }
    ~ScriptedMsgBox() { forms::setMsgBoxHandler({}); }
};

inline void showActive(QWidget* w) {
    if (auto* form = qobject_cast<forms::Form*>(w))
        form->showForm();
    else
        w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

// Runs `act` on the real message box once it is open (it is modal: the test cannot reach
// it otherwise).
inline void whenMessageBoxOpens(std::function<void(QMessageBox*)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start();
}

} // namespace formtest
