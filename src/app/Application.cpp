// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Application.h"

#include "model/Messages.h"
#include "platform/Dialogs.h"

#include <exception>
#include <iostream>
#include <new>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        report(QString::fromUtf8(messages::kOutOfMemory));
    } catch (const std::exception& e) {
        report(QString::fromUtf8(messages::kActionFailed) + QStringLiteral(" (") +
               QString::fromStdString(e.what()) + QStringLiteral(")"));
    }
    return false;
}

void Application::report(const QString& text) {
    std::cerr << "sanoria: " << text.toStdString() << std::endl;
    // An alert runs its own loop; a second failure inside it is only logged.
    if (!dialogs_ || reporting_) {
        return;
    }
    reporting_ = true;
    try {
        dialogs_->alert(activeWindow(), text, {kOk});
    } catch (...) {
    }
    reporting_ = false;
}
