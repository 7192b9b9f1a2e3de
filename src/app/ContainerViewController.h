// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <QWidget>

class Dialogs;
class ViewController;

// The main window's content: it makes the main controller and embeds it.
class ContainerViewController : public QWidget {
    Q_OBJECT
public:
    ContainerViewController(DiseaseList diseases, Dialogs& dialogs, QWidget* parent = nullptr);

    ViewController* sourceViewController() const { return source; }

private:
    ViewController* source;
};
