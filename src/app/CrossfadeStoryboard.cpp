// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CrossfadeStoryboard.h"

#include <QBoxLayout>
#include <QWidget>

// Room for a title bar above the destination, as the window is sized.
constexpr int kTitleBarHeight = 22;

CrossfadeStoryboard::CrossfadeStoryboard(QString identifier, QWidget* source, QWidget* destination)
    : id(std::move(identifier)), source(source), destination(destination) {}

void CrossfadeStoryboard::perform() {
    QWidget* parent = source ? source->parentWidget() : nullptr;
    if (!parent || !destination) {
        return;
    }
    auto* layout = qobject_cast<QBoxLayout*>(parent->layout());
    const QSize size = destination->size();
    if (layout) {
        layout->insertWidget(1, destination);
    } else {
        destination->setParent(parent);
    }
    destination->resize(size.width(), size.height() + kTitleBarHeight);
    destination->show();

    // The window keeps its bottom-left corner and takes the destination's size.
    if (QWidget* window = parent->window()) {
        const QRect frame = window->geometry();
        const int height = size.height() + kTitleBarHeight;
        window->setGeometry(frame.left(), frame.bottom() + 1 - height, size.width(), height);
    }

    if (layout) {
        layout->removeWidget(source);
    }
    source->hide();
    source->setParent(nullptr);
    source->resize(size);
}
