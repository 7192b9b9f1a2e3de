// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

class QtDialogs : public Dialogs {
public:
    int alert(QWidget* parent, const QString& text, const QStringList& buttons,
              const QString& detail) override;
    std::optional<QString> openFile(QWidget* parent, const QString& extension) override;
    std::optional<QString> saveFile(QWidget* parent, const QString& suggestedName,
                                    const QString& extension) override;
    void runModal(QDialog& dialog) override;
    bool openUrl(const QUrl& url) override;
    void about(QWidget* parent, const QString& title, const QString& text) override;
    bool printDocument(QWidget* parent, QTextDocument& document) override;
};
