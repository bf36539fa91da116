#include "platform/forms/runtime.h"
#include <QCursor>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace forms {

namespace {

EndHandler& endHandler() {
    static EndHandler h;
    return h;
}

int g_pointer = 0;
bool g_overridden = false;

Qt::CursorShape shapeOf(int pointer) {
    switch (pointer) {
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

void End(int status) {
    if (endHandler()) {
        endHandler()(status);
        return;
    }
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::_Exit(status);
}

void setEndHandler(EndHandler handler) {
    endHandler() = std::move(handler);
}

// Only one override of our own is ever on Qt's cursor stack, so 0 always restores the
// default however often the pointer was set before.
void setMousePointer(int pointer) {
    g_pointer = pointer;
    if (pointer == 0) {
        if (g_overridden) QGuiApplication::restoreOverrideCursor();
        g_overridden = false;
        return;
    }
    const QCursor cursor(shapeOf(pointer));
    if (g_overridden) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        g_overridden = true;
    }
}

int mousePointer() {
    return g_pointer;
}

int screenWidthTwips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? pixelsToTwips(s->size().width()) : 0;
}

int screenHeightTwips() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return s ? pixelsToTwips(s->size().height()) : 0;
}

void installFontSubstitutions() {
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"));
}

} // namespace forms
