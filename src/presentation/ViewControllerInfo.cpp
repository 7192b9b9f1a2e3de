// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/ViewControllerInfo.h"

#include "ui_ViewControllerInfo.h"

#include <QFont>
#include <QLayout>

ViewControllerInfo::ViewControllerInfo(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ViewControllerInfo>()) {
    ui->setupUi(this);
    labelName = ui->labelName;
    labeldescription = ui->labeldescription;
    labelGravity = ui->labelGravity;
    labelFrequency = ui->labelFrequency;
    labelSymptoms = ui->labelSymptoms;
    labelCareLevel = ui->labelCareLevel;
    labelWhy = ui->labelWhy;

    QFont title = labelName->font();
    title.setPointSizeF(title.pointSizeF() * 1.4);
    title.setBold(true);
    labelName->setFont(title);
    QFont strong = labelGravity->font();
    strong.setBold(true);
    labelGravity->setFont(strong);
    QFont heading = ui->labelWhyTitle->font();
    heading.setBold(true);
    ui->labelWhyTitle->setFont(heading);
    // The gravity badge hugs its word instead of filling the row.
    labelGravity->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    // Catalogue text is shown as written, never read as markup.
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
    }
}

void ViewControllerInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // As tall as the texts need: no empty band above Close.
    const int fitting = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width())
                                                      : layout()->totalSizeHint().height();
    resize(width(), fitting);
}

ViewControllerInfo::~ViewControllerInfo() = default;
