// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

class Dialogs;

// The desktop program's application object. Every user action reaches the
// program as an event, so this is where an action that fails unexpectedly
// (out of memory, or an error no one foresaw) is stopped: the user is told,
// the action is dropped and the window goes on with its document.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // Where the report goes; without one it goes to standard error only.
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const QString& text);

    Dialogs* dialogs_ = nullptr;
    bool reporting_ = false;
};
