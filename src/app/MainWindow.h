// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Records.h"

#include <QMainWindow>
#include <memory>

class ContainerViewController;
class QMimeData;
class Dialogs;
class ViewController;
namespace Ui {
class MainWindow;
}

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(DiseaseList diseases, Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    ViewController* viewController() const;

    // The one local profile a drop carries, or an empty string.
    static QString droppedProfile(const QMimeData* data);

public slots:
    void OnAbout();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void rebuildRecentMenu();
    void openRecent(const QString& path);

    std::unique_ptr<Ui::MainWindow> ui;
    Dialogs& dialogs;
    ContainerViewController* container;
};
