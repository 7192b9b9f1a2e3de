// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/AboutYou.h"
#include "model/Records.h"
#include "model/SymptomSearch.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CellTableModel;
class Dialogs;
class HelpWindow;
struct IntensityLevel;
class QButtonGroup;
class QComboBox;
class QCompleter;
class QLabel;
class QLineEdit;
class QStandardItemModel;
class QSlider;
class QTableView;
class QToolButton;
namespace Ui {
class ViewController;
}

// The main window's content: it holds the whole working state and handles
// every user action.
class ViewController : public QWidget {
    Q_OBJECT
public:
    ViewController(DiseaseList diseases, Dialogs& dialogs, QWidget* parent = nullptr);
    ~ViewController() override;

    // State, read by the window and by tests.
    DiseaseList diseasesList;
    SymptomList symptomsList;
    std::string selectedOrgan;
    DiagnosticList diagnosticsList;
    const std::vector<std::string> riskSymptomsList;
    QString currentProfilePath;
    // What the shown result was made from: the symptoms as they were at
    // Generate, and who the person said they were.
    SymptomList diagnosedSymptoms;
    AboutYou diagnosedPerson;

    // The window's controls, under the names the rest of the program uses.
    QComboBox* comboSymptom;
    QSlider* sliderSymptomIntensity;
    QLabel* labelSymptomIntensity;
    QTableView* tableViewSymptom;
    QTableView* tableViewDiagnostic;
    std::array<QToolButton*, 11> organButtons;
    QLineEdit* searchSymptom;
    QComboBox* comboSex;
    QLineEdit* editAge;

    void resetSession();
    void fillSymptomCombo();

    // Document state, carried by the window title.
    bool hasUnsavedChanges() const;
    void markModified();
    void setProfileTitle(const QString& path);
    bool confirmDiscardChanges(const QString& question);
    void saveProfile();
    // Open without the panel (command line, a drop, Open Recent): the question
    // where Open asks it, then the reading. False when stopped or unreadable.
    bool openProfileFile(const QString& path);
    // The reading steps of Open, with their failure alert.
    bool loadProfile(const QString& path);
    // Asked before the window closes; false keeps it open.
    bool windowShouldClose();
    // Starts answering the close requests of the window that holds this view.
    void watchWindow();

    // Who the person says they are, from the "About you" controls.
    AboutYou aboutYou() const;
    // Selects the first region that offers the search index's entry and puts
    // its name into the symptom box, ready for Add.
    void chooseSearchResult(std::size_t entry);
    // Whether Generate has made a result since the document was reset or
    // opened; a report needs one.
    bool hasResult() const { return !diagnosedSymptoms.empty(); }
    // The report of the current result, as the core writes it.
    std::string reportHtml() const;

signals:
    // Whether there is a result to report, after every change of the result.
    void resultAvailable(bool available);

public slots:
    void OnBrain();
    void OnThroat();
    void OnLungs();
    void OnHeart();
    void OnStomach();
    void OnLiver();
    void OnIntestines();
    void OnKidneys();
    void OnUterus();
    void OnBladder();
    void OnMusclesAndBones();

    void OnSymptomIntensityChanged();
    void OnAddSymptom();
    void OnRemoveSymptom();
    void OnClearSymptoms();
    void OnGenerateDiagnostic();
    void OnInfo();

    void OnFileNew();
    void OnLoadProfile();
    void OnSaveProfile();
    void OnSaveProfileAs();
    void OnAppQuit();
    void OnHowToGenerateADiagnosis();
    void OnFindSymptom();
    void OnExportReport();
    void OnPrintReport();

signals:
    // A profile was read from or written to this path.
    void profileUsed(const QString& path);
    // A profile could not be read from this path.
    void profileUnreadable(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void organAction(std::size_t organ);
    void setOrganImage(std::size_t organ, bool selected);
    bool moveOrganSelection(QObject* watched, int key);
    void showIntensityLevel(const IntensityLevel& level);
    void symptomTextChanged(const QString& text);
    // The chosen save path with ".EXTENSION" added unless it ends so; the
    // panel asked only about the name as typed, so a file under the name made
    // here is asked about with `question`. None when the answer is No.
    std::optional<QString> withExtensionAsked(const QString& chosen, std::string_view extension,
                                              std::string_view question);
    QString fileProblem(const QString& path, const std::string& reason) const;
    // Every change of the results goes through here: the table hears of it
    // first, and the care advice of the old results goes.
    void changeDiagnostics(const std::function<void()>& change);
    float sliderValue() const;
    void setSliderValue(float value);
    bool isCritical(const std::string& name, float intensity) const;
    void updateCommandStates();
    int selectedRow(QTableView* table) const;
    QWidget* ownWindow() const;
    void showAlert(const QString& text);
    void updateSearchMatches(const QString& text);
    void chooseFirstSearchMatch();

    std::unique_ptr<Ui::ViewController> ui;
    Dialogs& dialogs;
    CellTableModel* symptomModel = nullptr;
    CellTableModel* diagnosticModel = nullptr;
    QButtonGroup* organGroup = nullptr;
    QPointer<HelpWindow> helpWindow;
    // Every symptom name of the catalogue, by nameKey, for the unknown-name hint.
    std::unordered_set<std::string> catalogueNames;
    // The symptom text as last accepted: a change that brings a line break is undone.
    QString acceptedSymptomText;
    bool closeConfirmed = false;
    std::vector<SymptomEntry> searchIndex;
    QStandardItemModel* searchMatches = nullptr;
    QCompleter* searchCompleter = nullptr;
};
