// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/Triage.h"

#include <QFrame>
#include <optional>

class QLabel;

// The care advice above the results: how soon to get care, why, and what to
// do. It informs and never asks; it is empty and hidden while no diagnosis
// is shown.
class CareBanner : public QFrame {
    Q_OBJECT
public:
    explicit CareBanner(QWidget* parent = nullptr);

    void showAdvice(const CareAdvice& advice);
    void clear();

    // The level shown, none while the banner is empty.
    std::optional<CareLevel> level() const { return shown; }

private:
    QLabel* icon;
    QLabel* title;
    QLabel* advice;
    QLabel* reasons;
    std::optional<CareLevel> shown;
};
