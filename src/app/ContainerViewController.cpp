// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ContainerViewController.h"

#include "controller/ViewController.h"

#include <QVBoxLayout>

ContainerViewController::ContainerViewController(DiseaseList diseases, Dialogs& dialogs,
                                                 QWidget* parent)
    : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    source = new ViewController(std::move(diseases), dialogs, this);
    source->setObjectName(QStringLiteral("sourceViewController"));
    layout->insertWidget(0, source);
    // Take the size the main controller's layout was drawn at.
    resize(source->size());
}
