// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppDelegate.h"

#include "app/MainWindow.h"
#include "controller/ViewController.h"
#include "model/DatabaseTools.h"
#include "model/Version.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QIcon>
#include <iostream>

void AppDelegate::setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Sanoria"));
    QApplication::setOrganizationName(QStringLiteral("Sanoria"));
    QApplication::setOrganizationDomain(QStringLiteral("sanoria.io"));
    QApplication::setApplicationVersion(QString::fromLatin1(kSanoriaVersion));
    // Lets the desktop match the window with its entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.sanoria.Sanoria"));
    QApplication::setWindowIcon(
        QIcon::fromTheme(QStringLiteral("io.sanoria.Sanoria"),
                         QIcon(QStringLiteral(":/icons/io.sanoria.Sanoria.svg"))));
}

int AppDelegate::run(QApplication& application, Dialogs& dialogs, const QString& profile) {
    return run(application, dialogs, DatabaseTools::defaultCataloguePath(), profile);
}

int AppDelegate::run(QApplication& application, Dialogs& dialogs,
                     const std::filesystem::path& catalogue, const QString& profile) {
    const std::unique_ptr<MainWindow> window = launch(dialogs, catalogue, profile);
    if (!window) {
        return 1;
    }
    // The program ends when its window has closed.
    application.setQuitOnLastWindowClosed(true);
    return application.exec();
}

std::unique_ptr<MainWindow> AppDelegate::launch(Dialogs& dialogs,
                                                const std::filesystem::path& catalogue,
                                                const QString& profile) {
    DiseaseList diseases;
    try {
        diseases = DatabaseTools::loadDiseases(catalogue);
    } catch (const CatalogueError& error) {
        std::cerr << "sanoria: " << error.what() << std::endl;
        dialogs.alert(nullptr,
                      QObject::tr("Sanoria cannot start because its disease catalogue cannot be "
                                  "used: %1")
                          .arg(QString::fromStdString(error.what())),
                      {kOk});
        return nullptr;
    }
    auto window = std::make_unique<MainWindow>(std::move(diseases), dialogs);
    window->show();
    if (!profile.isEmpty()) {
        // As File > Open after the panel: a file that cannot be read is
        // reported and the window stays as it started.
        window->viewController()->openProfileFile(profile);
    }
    return window;
}
