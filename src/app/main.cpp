#include "app/AppDelegate.h"
#include "app/Application.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sanoria"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Heart-Selected.svg")));
    QtDialogs dialogs;
    application.setDialogs(&dialogs);
    return AppDelegate().run(application, dialogs);
}
