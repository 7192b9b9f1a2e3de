// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"
#include "app/Application.h"
#include "app/CommandLine.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <iostream>

int main(int argc, char** argv) {
    // Help and version need no display, so they are answered before Qt starts.
    const CommandLine early = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (early.action == CommandLine::Action::Help || early.action == CommandLine::Action::Version) {
        std::cout << early.text;
        return 0;
    }

    Application application(argc, argv); // takes Qt's own options out of argv
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.action == CommandLine::Action::Error) {
        std::cerr << line.text;
        return kExitUsageError;
    }
    AppDelegate::setUpApplication();
    QString profile;
    if (!line.profile.empty()) {
        profile = QFileInfo(QFile::decodeName(line.profile.c_str())).absoluteFilePath();
    }
    QtDialogs dialogs;
    application.setDialogs(&dialogs);
    return AppDelegate().run(application, dialogs, profile);
}
