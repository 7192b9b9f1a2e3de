#include "app/MainWindow.h"

#include "app/ContainerViewController.h"
#include "controller/ViewController.h"
#include "ui_MainWindow.h"

MainWindow::MainWindow(DiseaseList diseases, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>()) {
    ui->setupUi(this);
    // The form has no central widget of its own: the container is it.
    container = new ContainerViewController(std::move(diseases), dialogs, this);
    setCentralWidget(container);

    ViewController* vc = container->sourceViewController();
    vc->watchWindow();
    connect(ui->actionNew, &QAction::triggered, vc, &ViewController::OnFileNew);
    connect(ui->actionOpen, &QAction::triggered, vc, &ViewController::OnLoadProfile);
    connect(ui->actionSave, &QAction::triggered, vc, &ViewController::OnSaveProfile);
    connect(ui->actionSaveAs, &QAction::triggered, vc, &ViewController::OnSaveProfileAs);
    connect(ui->actionExportReport, &QAction::triggered, vc, &ViewController::OnExportReport);
    connect(ui->actionPrint, &QAction::triggered, vc, &ViewController::OnPrintReport);
    // A report needs a result.
    connect(vc, &ViewController::resultAvailable, ui->actionExportReport, &QAction::setEnabled);
    connect(vc, &ViewController::resultAvailable, ui->actionPrint, &QAction::setEnabled);
    ui->actionExportReport->setEnabled(vc->hasResult());
    ui->actionPrint->setEnabled(vc->hasResult());
    connect(ui->actionQuit, &QAction::triggered, vc, &ViewController::OnAppQuit);
    connect(ui->actionHowToGenerateADiagnosis, &QAction::triggered, vc,
            &ViewController::OnHowToGenerateADiagnosis);
}

MainWindow::~MainWindow() = default;

ViewController* MainWindow::viewController() const {
    return container->sourceViewController();
}
