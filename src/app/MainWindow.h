#pragma once

#include "model/Records.h"

#include <QMainWindow>
#include <memory>

class ContainerViewController;
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

private:
    std::unique_ptr<Ui::MainWindow> ui;
    ContainerViewController* container;
};
