#include "app/AppDelegate.h"
#include "platform/QtDialogs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sanoria"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/Heart-Selected.svg")));
    QtDialogs dialogs;
    return AppDelegate().run(application, dialogs);
}
