// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

class QLabel;
namespace Ui {
class ViewControllerInfo;
}

// The information window about one disease; the main window fills its labels.
class ViewControllerInfo : public QDialog {
    Q_OBJECT
public:
    explicit ViewControllerInfo(QWidget* parent = nullptr);
    ~ViewControllerInfo() override;

    QLabel* labelName;
    QLabel* labeldescription;
    QLabel* labelGravity;
    QLabel* labelFrequency;
    QLabel* labelSymptoms;
    // How soon the disease needs care, under its gravity.
    QLabel* labelCareLevel;
    QLabel* labelWhy; // the patient's own result for this disease, in words

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::ViewControllerInfo> ui;
};
