// Waiting on shown windows and finding them, for tests that drive the real widgets.
#pragma once

#include "framework/rtl/Types.h"

#include <QApplication>
#include <QWidget>

#include <chrono>

// Runs Qt's events until Done holds; false after ten seconds.
template <class Pred>
bool PumpUntil(Pred Done) {
    const auto Limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Done() && std::chrono::steady_clock::now() < Limit)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return Done();
}

// The shown top-level widget with that window title; nullptr when there is none.
inline QWidget* ShownWindowTitled(const String& Title) {
    for (QWidget* W : QApplication::topLevelWidgets())
        if (W->isVisible() && W->windowTitle() == Title) return W;
    return nullptr;
}
