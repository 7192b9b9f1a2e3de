#include "app/AppDelegate.h"

#include "app/MainWindow.h"
#include "model/DatabaseTools.h"

#include "platform/Dialogs.h"

#include <QApplication>
#include <iostream>

int AppDelegate::run(QApplication& application, Dialogs& dialogs) {
    return run(application, dialogs, DatabaseTools::defaultCataloguePath());
}

int AppDelegate::run(QApplication& application, Dialogs& dialogs,
                     const std::filesystem::path& catalogue) {
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
        return 1;
    }
    // The program ends when its window has closed.
    application.setQuitOnLastWindowClosed(true);
    MainWindow window(std::move(diseases), dialogs);
    window.show();
    return application.exec();
}
