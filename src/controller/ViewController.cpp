// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "controller/ViewController.h"

#include "engine/DiagnosticTools.h"
#include "engine/Explanation.h"
#include "engine/Triage.h"
#include "model/DatabaseTools.h"
#include "model/Messages.h"
#include "model/Names.h"
#include "model/Organs.h"
#include "model/ResourcePaths.h"
#include "platform/Dialogs.h"
#include "presentation/AccessibleControls.h"
#include "presentation/CellDelegates.h"
#include "presentation/CellTableModel.h"
#include "presentation/DiseaseInfo.h"
#include "presentation/HelpWindow.h"
#include "presentation/LevelLabel.h"
#include "presentation/ReportHtml.h"
#include "presentation/TableCells.h"
#include "presentation/ViewControllerInfo.h"
#include "presentation/WhyThisResult.h"
#include "profile/ProfileFormat.h"
#include "ui_ViewController.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCompleter>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHeaderView>
#include <QIcon>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardItemModel>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QUrl>
#include <QValidator>
#include <algorithm>
#include <filesystem>
#include <iostream>

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path toFsPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// A symptom name is one line of a profile, so it may hold no line break.
class SingleLineValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return holdsLineBreak(input.toStdString()) ? Invalid : Acceptable;
    }
};

// Whole years from 0 to the oldest age, nothing else: an age typed out of
// range would otherwise be dropped without a word.
class AgeValidator : public QIntValidator {
public:
    explicit AgeValidator(QObject* parent) : QIntValidator(0, kOldestAge, parent) {}
    State validate(QString& input, int& position) const override {
        const State state = QIntValidator::validate(input, position);
        return state == Intermediate && !input.isEmpty() ? Invalid : state;
    }
};

// The name shown in the title: the file name less its last four characters
// (the extension of a name the save panel made), counted as a reader sees them.
QString titleName(const QString& path) {
    const QString name = QFileInfo(QDir::cleanPath(path)).fileName();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
    graphemes.toEnd();
    for (int i = 0; i < 4; ++i) {
        if (graphemes.toPreviousBoundary() <= 0) {
            return QString();
        }
    }
    return name.left(graphemes.position());
}

constexpr const char* kApplicationTitle = "Sanoria";

// Where a search match keeps its place in the index.
constexpr int kSearchEntryRole = Qt::UserRole + 1;
constexpr int kSearchNameRole = Qt::UserRole + 2;

} // namespace

ViewController::ViewController(DiseaseList diseases, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), riskSymptomsList(kRiskSymptoms.begin(), kRiskSymptoms.end()),
      ui(std::make_unique<Ui::ViewController>()), dialogs(dialogs) {
    installAccessibleControls();
    ui->setupUi(this);
    comboSymptom = ui->comboSymptom;
    sliderSymptomIntensity = ui->sliderSymptomIntensity;
    labelSymptomIntensity = ui->labelSymptomIntensity;
    tableViewSymptom = ui->TableViewSymptom;
    tableViewDiagnostic = ui->TableViewDiagnostic;
    searchSymptom = ui->searchSymptom;
    comboSex = ui->comboSex;
    editAge = ui->editAge;
    organButtons = {ui->buttonBrain,      ui->buttonThroat,         ui->buttonLungs,
                    ui->buttonHeart,      ui->buttonStomach,        ui->buttonLiver,
                    ui->buttonIntestines, ui->buttonKidneys,        ui->buttonUterus,
                    ui->buttonBladder,    ui->buttonMusclesAndBones};

    using Action = void (ViewController::*)();
    const std::array<Action, 11> organActions{
        &ViewController::OnBrain,      &ViewController::OnThroat,         &ViewController::OnLungs,
        &ViewController::OnHeart,      &ViewController::OnStomach,        &ViewController::OnLiver,
        &ViewController::OnIntestines, &ViewController::OnKidneys,        &ViewController::OnUterus,
        &ViewController::OnBladder,    &ViewController::OnMusclesAndBones};
    // One choice among eleven, like radio buttons: exactly one is on, the
    // group is one Tab stop (the selected organ), and arrow keys move in it.
    organGroup = new QButtonGroup(this);
    organGroup->setExclusive(true);
    for (std::size_t i = 0; i < organButtons.size(); ++i) {
        organButtons[i]->setToolTip(qs(kOrgans[i].tooltip));
        organButtons[i]->setAccessibleName(qs(kOrgans[i].tooltip));
        organButtons[i]->setFocusPolicy(Qt::ClickFocus);
        organButtons[i]->installEventFilter(this);
        organGroup->addButton(organButtons[i], static_cast<int>(i));
        renewAccessible(organButtons[i]);
        connect(organButtons[i], &QToolButton::clicked, this, organActions[i]);
    }
    connect(organGroup, &QButtonGroup::buttonToggled, this, [](QAbstractButton* b, bool on) {
        b->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    });
    // The group titles' mnemonics lead to the organ chosen and to the results.
    ui->groupOrgans->installEventFilter(this);
    ui->groupDiagnostic->installEventFilter(this);

    symptomModel = new CellTableModel(
        tableViewSymptom->objectName(),
        {{qs(kColumnSymptom), tr("Symptom")}, {qs(kColumnIntensity), tr("Intensity")}},
        symptomsList, diagnosticsList, this);
    diagnosticModel = new CellTableModel(
        tableViewDiagnostic->objectName(),
        {{qs(kColumnDisease), tr("Disease")}, {qs(kColumnProbability), tr("Probability")}},
        symptomsList, diagnosticsList, this);
    tableViewSymptom->setModel(symptomModel);
    tableViewDiagnostic->setModel(diagnosticModel);
    tableViewSymptom->setItemDelegate(new ElidedTipDelegate(tableViewSymptom));
    tableViewSymptom->setItemDelegateForColumn(1, new LevelBadgeDelegate(tableViewSymptom));
    tableViewDiagnostic->setItemDelegate(new ElidedTipDelegate(tableViewDiagnostic));
    for (QTableView* table : {tableViewSymptom, tableViewDiagnostic}) {
        table->horizontalHeader()->setHighlightSections(false);
        table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        connect(table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                &ViewController::updateCommandStates);
    }
    // The intensity column is as wide as the widest level badge, whatever the rows.
    int badges = tableViewSymptom->horizontalHeader()->fontMetrics().horizontalAdvance(
                     symptomModel->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString()) +
                 24;
    for (const auto& level : kIntensityLevels) {
        badges =
            std::max(badges, tableViewSymptom->fontMetrics().horizontalAdvance(qs(level.word)) +
                                 LevelBadgeDelegate::kBadgeMargin);
    }
    tableViewSymptom->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Fixed);
    tableViewSymptom->horizontalHeader()->resizeSection(1, badges);

    comboSymptom->lineEdit()->setValidator(new SingleLineValidator(comboSymptom));
    comboSymptom->completer()->setCaseSensitivity(Qt::CaseSensitive);
    comboSymptom->completer()->setCompletionMode(QCompleter::PopupCompletion);
    comboSymptom->completer()->setFilterMode(Qt::MatchContains);
    connect(comboSymptom->lineEdit(), &QLineEdit::returnPressed, this,
            &ViewController::OnAddSymptom);
    // A dropped file goes to the window, never into the symptom's name.
    comboSymptom->lineEdit()->installEventFilter(this);
    // The validator sees typing, pasting and dropping; this sees every other
    // path too (setText, assistive technology).
    connect(comboSymptom->lineEdit(), &QLineEdit::textChanged, this,
            &ViewController::symptomTextChanged);
    // The hint's line is kept while it is hidden, so nothing below jumps while typing.
    ui->areaUnknownSymptom->setMinimumHeight(ui->labelUnknownSymptom->fontMetrics().height());
    ui->labelUnknownSymptom->hide();

    // The level badge keeps one width, so the slider does not move with the word.
    int widest = 0;
    for (const auto& level : kIntensityLevels) {
        widest = std::max(widest,
                          labelSymptomIntensity->fontMetrics().horizontalAdvance(qs(level.word)));
    }
    labelSymptomIntensity->setMinimumWidth(widest + 24);
    labelSymptomIntensity->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    connect(sliderSymptomIntensity, &QSlider::valueChanged, this,
            &ViewController::OnSymptomIntensityChanged);
    connect(ui->buttonAddSymptom, &QPushButton::clicked, this, &ViewController::OnAddSymptom);
    connect(ui->buttonRemoveSymptom, &QPushButton::clicked, this, &ViewController::OnRemoveSymptom);
    connect(ui->buttonClearSymptom, &QPushButton::clicked, this, &ViewController::OnClearSymptoms);
    connect(ui->buttonGenerateDiagnostic, &QPushButton::clicked, this,
            &ViewController::OnGenerateDiagnostic);
    connect(ui->buttonInfo, &QPushButton::clicked, this, &ViewController::OnInfo);
    connect(tableViewDiagnostic, &QTableView::doubleClicked, this, &ViewController::OnInfo);
    // Keyboard: Delete removes the selected symptom, Enter opens the selected disease.
    for (const auto key : {QKeySequence::Delete, QKeySequence::Backspace}) {
        auto* remove = new QShortcut(QKeySequence(key), tableViewSymptom);
        remove->setContext(Qt::WidgetShortcut);
        connect(remove, &QShortcut::activated, this, &ViewController::OnRemoveSymptom);
    }
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* open = new QShortcut(QKeySequence(key), tableViewDiagnostic);
        open->setContext(Qt::WidgetShortcut);
        connect(open, &QShortcut::activated, this, &ViewController::OnInfo);
    }

    editAge->setValidator(new AgeValidator(editAge));

    // The search: the core finds the matches (case and accents folded), the
    // completer only shows them.
    searchMatches = new QStandardItemModel(this);
    searchCompleter = new QCompleter(searchMatches, this);
    searchCompleter->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    searchCompleter->setCompletionRole(kSearchNameRole);
    searchCompleter->setMaxVisibleItems(12);
    searchSymptom->setCompleter(searchCompleter);
    connect(searchSymptom, &QLineEdit::textEdited, this, &ViewController::updateSearchMatches);
    connect(searchCompleter, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) {
                chooseSearchResult(
                    static_cast<std::size_t>(index.data(kSearchEntryRole).toULongLong()));
            });
    connect(searchSymptom, &QLineEdit::returnPressed, this,
            &ViewController::chooseFirstSearchMatch);
    auto* find = new QShortcut(QKeySequence::Find, this);
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, &ViewController::OnFindSymptom);

    diseasesList = std::move(diseases);
    for (const auto& disease : diseasesList) {
        for (const auto& symptom : disease->symptoms) {
            catalogueNames.insert(nameKey(symptom->name()));
        }
    }
    searchIndex = symptomIndex(diseasesList);
    resetSession();
}

ViewController::~ViewController() = default;

void ViewController::watchWindow() {
    if (QWidget* w = ownWindow()) {
        w->installEventFilter(this);
    }
}

// ---- initial state and organs

void ViewController::resetSession() {
    setSliderValue(kDefaultIntensity);
    showIntensityLevel(*intensityLevelFor(kDefaultIntensity));
    if (comboSymptom->count() > 0) {
        comboSymptom->setCurrentIndex(0);
    }
    for (std::size_t i = 0; i < organButtons.size(); ++i) {
        const bool heart = kOrgans[i].key == kInitialOrgan;
        organButtons[i]->setChecked(heart);
        setOrganImage(i, heart);
    }
    selectedOrgan = std::string(kInitialOrgan);
    symptomModel->changeAll([this] { symptomsList.clear(); });
    diagnosedSymptoms.clear();
    diagnosedPerson = {};
    changeDiagnostics([this] { diagnosticsList.clear(); });
    comboSex->setCurrentIndex(0);
    editAge->clear();
    searchSymptom->clear();
    fillSymptomCombo();
}

void ViewController::setOrganImage(std::size_t organ, bool selected) {
    const QString image = qs(kOrgans[organ].image) + (selected ? "-Selected" : "");
    organButtons[organ]->setIcon(QIcon(":/icons/" + image + ".svg"));
    organButtons[organ]->setProperty("image", image);
}

void ViewController::organAction(std::size_t organ) {
    QToolButton* own = organButtons[organ];
    const std::string key(kOrgans[organ].key);
    if (own->isChecked()) {
        selectedOrgan = key;
        setOrganImage(organ, true);
        for (std::size_t i = 0; i < organButtons.size(); ++i) {
            if (i != organ) {
                organButtons[i]->setChecked(false);
                setOrganImage(i, false);
            }
        }
    } else if (namesEqual(selectedOrgan, key)) {
        own->setChecked(true); // the selected organ cannot be deselected
    }
    fillSymptomCombo();
}

bool ViewController::moveOrganSelection(QObject* watched, int key) {
    const auto own = std::find(organButtons.begin(), organButtons.end(), watched);
    if (own == organButtons.end()) {
        return false;
    }
    int row = 0;
    int column = 0;
    int rowSpan = 0;
    int columnSpan = 0;
    const int at = ui->layoutOrgans->indexOf(*own);
    if (at < 0) {
        return false;
    }
    ui->layoutOrgans->getItemPosition(at, &row, &column, &rowSpan, &columnSpan);
    QWidget* next = nullptr;
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
        const int step = key == Qt::Key_Up ? -1 : 1;
        for (int r = row + step; r >= 0 && r < ui->layoutOrgans->rowCount() && !next; r += step) {
            if (QLayoutItem* item = ui->layoutOrgans->itemAtPosition(r, column)) {
                next = item->widget();
            }
        }
    } else {
        // Left and right go through the buttons in reading order, round the ends.
        const auto count = static_cast<std::ptrdiff_t>(organButtons.size());
        const auto index = own - organButtons.begin();
        const auto step = key == Qt::Key_Left ? count - 1 : 1;
        next = organButtons[static_cast<std::size_t>((index + step) % count)];
    }
    if (auto* button = qobject_cast<QToolButton*>(next)) {
        button->setFocus(Qt::TabFocusReason);
        button->click();
    }
    return true;
}

void ViewController::OnBrain() {
    organAction(0);
}
void ViewController::OnThroat() {
    organAction(1);
}
void ViewController::OnLungs() {
    organAction(2);
}
void ViewController::OnHeart() {
    organAction(3);
}
void ViewController::OnStomach() {
    organAction(4);
}
void ViewController::OnLiver() {
    organAction(5);
}
void ViewController::OnIntestines() {
    organAction(6);
}
void ViewController::OnKidneys() {
    organAction(7);
}
void ViewController::OnUterus() {
    organAction(8);
}
void ViewController::OnBladder() {
    organAction(9);
}
void ViewController::OnMusclesAndBones() {
    organAction(10);
}

void ViewController::fillSymptomCombo() {
    comboSymptom->clear();
    QStringList names;
    for (const auto& name : DatabaseTools::symptomsForOrgan(diseasesList, selectedOrgan)) {
        names.append(QString::fromStdString(name));
    }
    comboSymptom->addItems(names);
    if (comboSymptom->count() > 0) {
        comboSymptom->setCurrentIndex(0);
    }
}

// ---- intensity

float ViewController::sliderValue() const {
    return static_cast<float>(sliderSymptomIntensity->value()) * 20.0f;
}

void ViewController::setSliderValue(float value) {
    const QSignalBlocker quiet(sliderSymptomIntensity);
    sliderSymptomIntensity->setValue(static_cast<int>(value / 20.0f));
}

void ViewController::OnSymptomIntensityChanged() {
    if (const auto level = intensityLevelFor(sliderValue())) {
        showIntensityLevel(*level);
    }
}

void ViewController::showIntensityLevel(const IntensityLevel& level) {
    showLevel(*labelSymptomIntensity, level);
    setSliderValueText(*sliderSymptomIntensity, qs(level.word));
}

void ViewController::symptomTextChanged(const QString& text) {
    if (holdsLineBreak(text.toStdString())) {
        comboSymptom->lineEdit()->setText(acceptedSymptomText);
        return;
    }
    acceptedSymptomText = text;
    const bool unknown = !text.isEmpty() && !catalogueNames.contains(nameKey(text.toStdString()));
    const QString hint = unknown ? qs(messages::kUnknownSymptom) : QString();
    ui->labelUnknownSymptom->setText(hint);
    ui->labelUnknownSymptom->setVisible(unknown);
    comboSymptom->setAccessibleDescription(hint);
}

// ---- symptom list and diagnosis

void ViewController::showAlert(const QString& text) {
    dialogs.alert(this, text, {kOk});
}

bool ViewController::isCritical(const std::string& name, float intensity) const {
    return isCriticalSymptom(name, intensity);
}

void ViewController::OnAddSymptom() {
    const std::string name = comboSymptom->currentText().toStdString();
    const float intensity = sliderValue();
    if (holdsLineBreak(name)) {
        showAlert(qs(messages::kNameHoldsLineBreak));
        return;
    }
    const auto found = std::find_if(symptomsList.begin(), symptomsList.end(),
                                    [&](const SymptomPtr& s) { return namesEqual(s->name(), name); });
    if (found == symptomsList.end()) {
        const int row = static_cast<int>(symptomsList.size());
        symptomModel->insertRowsWith(row, 1,
                                     [&] { symptomsList.push_back(makeSymptom(name, intensity)); });
    } else {
        Symptom& existing = **found;
        if (existing.intensity == intensity) {
            showAlert(qs(messages::kAlreadySelected));
            return;
        }
        if (dialogs.alert(this, qs(messages::kUpdateIntensity), {kYes, kNo}) != 0) {
            return;
        }
        existing.intensity = intensity;
        symptomModel->rowChanged(static_cast<int>(found - symptomsList.begin()));
    }
    updateCommandStates();
    markModified();
    if (isCritical(name, intensity)) {
        showAlert(qs(messages::kCriticalSymptom));
    }
}

void ViewController::OnRemoveSymptom() {
    const int row = selectedRow(tableViewSymptom);
    if (row < 0 || row >= static_cast<int>(symptomsList.size())) {
        return;
    }
    symptomModel->removeRowsWith(row, 1, [&] { symptomsList.erase(symptomsList.begin() + row); });
    tableViewSymptom->clearSelection();
    updateCommandStates();
    // A removal is a change a save must keep; without the mark Save would skip it.
    markModified();
}

void ViewController::OnClearSymptoms() {
    if (symptomsList.empty()) {
        return;
    }
    symptomModel->changeAll([this] { symptomsList.clear(); });
    updateCommandStates();
    markModified();
}

void ViewController::OnGenerateDiagnostic() {
    if (symptomsList.empty()) {
        showAlert(qs(messages::kNoSymptoms));
        return;
    }
    const AboutYou person = aboutYou();
    auto results =
        forPerson(DiagnosticTools::generateDiagnostics(diseasesList, symptomsList), person);
    // A copy: the list's symptoms change in place when an intensity is updated.
    diagnosedSymptoms.clear();
    for (const auto& s : symptomsList) {
        diagnosedSymptoms.push_back(makeSymptom(s->name(), s->intensity));
    }
    diagnosedPerson = person;
    changeDiagnostics([&] { diagnosticsList = std::move(results); });
    ui->careBanner->showAdvice(assessCare(diseasesList, symptomsList, diagnosticsList));
}

AboutYou ViewController::aboutYou() const {
    AboutYou person;
    if (comboSex->currentIndex() == 1) {
        person.sex = "female";
    } else if (comboSex->currentIndex() == 2) {
        person.sex = "male";
    }
    person.age = parseAge(editAge->text().toStdString());
    return person;
}

void ViewController::OnInfo() {
    const int row = selectedRow(tableViewDiagnostic);
    if (row < 0 || row >= static_cast<int>(diagnosticsList.size())) {
        return;
    }
    Disease& disease = *diagnosticsList[static_cast<std::size_t>(row)]->disease;
    ViewControllerInfo info(this);
    const DiseaseInfo texts = diseaseInfo(disease);
    info.labelName->setText(QString::fromStdString(texts.name));
    info.labeldescription->setText(QString::fromStdString(texts.description));
    if (texts.gravity) {
        showLevel(*info.labelGravity, *texts.gravity);
    }
    info.labelFrequency->setText(QString::fromStdString(texts.frequency));
    info.labelSymptoms->setText(QString::fromStdString(texts.symptoms));
    const CareLevel care = careLevelForGravity(disease.gravity);
    info.labelCareLevel->setText(qs(careLevelTitle(care)) + ". " + qs(careLevelAdvice(care)));
    // After the texts above have re-ordered the disease's symptoms, so the
    // terms are those the next diagnosis adds up.
    const Explanation explanation = explainDiagnosis(disease, diagnosedSymptoms);
    QStringList why;
    for (const auto& line : whyLines(whyThisResult(explanation, disease.frequency), "\u2022 ")) {
        why.append(QString::fromStdString(line));
    }
    info.labelWhy->setText(why.join(QLatin1Char('\n')));
    dialogs.runModal(info);
}

// ---- tables

int ViewController::selectedRow(QTableView* table) const {
    const auto rows = table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

void ViewController::changeDiagnostics(const std::function<void()>& change) {
    // Advice belongs to the results it was given for.
    ui->careBanner->clear();
    diagnosticModel->changeAll(change);
    updateCommandStates();
}

void ViewController::updateCommandStates() {
    ui->buttonRemoveSymptom->setEnabled(selectedRow(tableViewSymptom) >= 0);
    ui->buttonInfo->setEnabled(selectedRow(tableViewDiagnostic) >= 0);
    emit resultAvailable(hasResult());
}

// ---- finding a symptom anywhere

void ViewController::OnFindSymptom() {
    searchSymptom->setFocus(Qt::ShortcutFocusReason);
    searchSymptom->selectAll();
}

void ViewController::updateSearchMatches(const QString& text) {
    searchMatches->clear();
    for (const std::size_t i : findSymptoms(searchIndex, text.toStdString())) {
        auto* item = new QStandardItem(QString::fromStdString(searchLabel(searchIndex[i])));
        item->setData(QVariant::fromValue<qulonglong>(i), kSearchEntryRole);
        item->setData(QString::fromStdString(searchIndex[i].name), kSearchNameRole);
        item->setEditable(false);
        searchMatches->appendRow(item);
    }
    if (searchMatches->rowCount() > 0) {
        // Wide enough for the longest name with its regions, not only the field.
        QAbstractItemView* popup = searchCompleter->popup();
        int widest = 0;
        for (int row = 0; row < searchMatches->rowCount(); ++row) {
            widest = std::max(
                widest, popup->fontMetrics().horizontalAdvance(searchMatches->item(row)->text()));
        }
        popup->setMinimumWidth(widest + 24 + popup->verticalScrollBar()->sizeHint().width() +
                               2 * popup->frameWidth());
        searchCompleter->complete();
    } else {
        searchCompleter->popup()->hide();
    }
}

void ViewController::chooseFirstSearchMatch() {
    const auto found = findSymptoms(searchIndex, searchSymptom->text().toStdString());
    if (!found.empty()) {
        chooseSearchResult(found.front());
    }
}

void ViewController::chooseSearchResult(std::size_t entry) {
    if (entry >= searchIndex.size()) {
        return;
    }
    const SymptomEntry& found = searchIndex[entry];
    if (!found.organs.empty()) {
        // As a click on the region's button does it.
        const std::size_t organ = found.organs.front();
        organButtons[organ]->setChecked(true);
        organAction(organ);
    }
    const QString name = QString::fromStdString(found.name);
    const int at = comboSymptom->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (at >= 0) {
        comboSymptom->setCurrentIndex(at);
    } else {
        comboSymptom->setEditText(name);
    }
    // The completer writes its choice into the field after this; clear it then.
    QMetaObject::invokeMethod(
        this,
        [this] {
            searchSymptom->clear();
            searchMatches->clear();
        },
        Qt::QueuedConnection);
    comboSymptom->setFocus(Qt::OtherFocusReason);
}

// ---- title and document

QWidget* ViewController::ownWindow() const {
    QWidget* w = window();
    return w == this ? nullptr : w;
}

bool ViewController::hasUnsavedChanges() const {
    const QWidget* w = ownWindow();
    return w && !w->windowTitle().isEmpty() && w->windowTitle().endsWith(QLatin1Char('*'));
}

void ViewController::markModified() {
    if (hasUnsavedChanges()) {
        return;
    }
    if (QWidget* w = ownWindow()) {
        w->setWindowTitle(w->windowTitle() + QLatin1Char('*'));
    }
}

void ViewController::setProfileTitle(const QString& path) {
    if (QWidget* w = ownWindow()) {
        w->setWindowTitle(QStringLiteral("%1 - %2").arg(kApplicationTitle, titleName(path)));
    }
}

bool ViewController::confirmDiscardChanges(const QString& question) {
    return dialogs.alert(this, question, {kYes, kNo}) != 1;
}

void ViewController::saveProfile() {
    const SaveResult saved = saveProfileFile(toFsPath(currentProfilePath), symptomsList, std::cout);
    if (!saved.ok) {
        dialogs.alert(this, qs(messages::kCouldNotSave), {kOk},
                      fileProblem(currentProfilePath, saved.error));
        return;
    }
    setProfileTitle(currentProfilePath);
    emit profileUsed(currentProfilePath);
}

void ViewController::OnFileNew() {
    if (hasUnsavedChanges() && !confirmDiscardChanges(qs(messages::kDiscardAndContinue))) {
        return;
    }
    resetSession();
    currentProfilePath.clear();
    if (QWidget* w = ownWindow()) {
        w->setWindowTitle(kApplicationTitle);
    }
}

void ViewController::OnLoadProfile() {
    if (hasUnsavedChanges() && !confirmDiscardChanges(qs(messages::kDiscardAndContinue))) {
        return;
    }
    const auto path = dialogs.openFile(this, qs(kProfileExtension));
    if (!path) {
        return;
    }
    loadProfile(*path);
}

bool ViewController::openProfileFile(const QString& path) {
    if (hasUnsavedChanges() && !confirmDiscardChanges(qs(messages::kDiscardAndContinue))) {
        return false;
    }
    return loadProfile(path);
}

bool ViewController::loadProfile(const QString& path) {
    // All or nothing: the document, and the path a later Save writes to, change
    // only once the whole file has been read.
    std::string reason;
    auto loaded = readProfileFile(toFsPath(path), &reason);
    if (!loaded) {
        dialogs.alert(this, qs(messages::kCouldNotLoad), {kOk}, fileProblem(path, reason));
        emit profileUnreadable(path);
        return false;
    }
    symptomModel->changeAll([&] { symptomsList = std::move(*loaded); });
    diagnosedSymptoms.clear();
    changeDiagnostics([this] { diagnosticsList.clear(); });
    currentProfilePath = path;
    setProfileTitle(currentProfilePath);
    emit profileUsed(currentProfilePath);
    return true;
}

void ViewController::OnSaveProfile() {
    if (!hasUnsavedChanges()) {
        return;
    }
    if (currentProfilePath.isEmpty()) {
        OnSaveProfileAs();
        return;
    }
    saveProfile();
}

void ViewController::OnSaveProfileAs() {
    auto path = dialogs.saveFile(this, qs(kDefaultProfileName), qs(kProfileExtension));
    if (!path) {
        return;
    }
    // Whatever was typed, the file gets the extension the Open panel lists.
    const auto target = withExtensionAsked(*path, kProfileExtension, messages::kReplaceExisting);
    if (!target) {
        return;
    }
    currentProfilePath = *target;
    saveProfile();
}

void ViewController::OnAppQuit() {
    if (hasUnsavedChanges() && !confirmDiscardChanges(qs(messages::kDiscardAndExit))) {
        return;
    }
    closeConfirmed = true; // closing the window must not ask a second time
    if (QWidget* w = ownWindow()) {
        w->close();
    }
    QCoreApplication::quit();
}

bool ViewController::windowShouldClose() {
    if (closeConfirmed) {
        return true;
    }
    return !hasUnsavedChanges() || confirmDiscardChanges(qs(messages::kDiscardAndExit));
}

std::optional<QString> ViewController::withExtensionAsked(const QString& chosen,
                                                          std::string_view extension,
                                                          std::string_view question) {
    const QString target = QString::fromStdString(withExtension(chosen.toStdString(), extension));
    if (target != chosen && std::filesystem::exists(toFsPath(target)) &&
        dialogs.alert(this, qs(question), {kYes, kNo}, target) != 0) {
        return std::nullopt;
    }
    return target;
}

QString ViewController::fileProblem(const QString& path, const std::string& reason) const {
    return QDir::toNativeSeparators(path) + QLatin1Char('\n') + QString::fromStdString(reason);
}

bool ViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == comboSymptom->lineEdit() &&
        (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
         event->type() == QEvent::Drop)) {
        if (static_cast<QDropEvent*>(event)->mimeData()->hasUrls()) {
            event->ignore(); // passed on to the window, which may open it
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool arrow =
            key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
        if (arrow && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier &&
            moveOrganSelection(watched, key)) {
            return true;
        }
    }
    if (event->type() == QEvent::Shortcut) {
        if (watched == ui->groupOrgans) {
            if (QAbstractButton* chosen = organGroup->checkedButton()) {
                chosen->setFocus(Qt::ShortcutFocusReason);
            }
            return true;
        }
        if (watched == ui->groupDiagnostic) {
            tableViewDiagnostic->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }
    if (event->type() == QEvent::Close && watched == ownWindow()) {
        if (!windowShouldClose()) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ViewController::OnHowToGenerateADiagnosis() {
    const auto page = resourceDirectory() / "help" / "index.html";
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(page.string()));
    if (dialogs.openUrl(url)) {
        return;
    }
    // No browser: the page in a window of our own, so help is never silent.
    if (!helpWindow) {
        helpWindow = new HelpWindow(this);
    }
    helpWindow->showPage(url);
}

// ---- the report

std::string ViewController::reportHtml() const {
    ReportContent content;
    content.date = localDate(std::chrono::system_clock::now());
    content.symptoms = diagnosedSymptoms;
    content.person = diagnosedPerson;
    content.care = assessCare(diseasesList, diagnosedSymptoms, diagnosticsList);
    content.ranked = diagnosticsList;
    return ::reportHtml(content);
}

namespace {

// The report as a printer or a PDF lays it out.
void prepareDocument(QTextDocument& document, const std::string& html) {
    document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    document.setHtml(QString::fromStdString(html));
}

} // namespace

void ViewController::OnExportReport() {
    if (!hasResult()) {
        return;
    }
    const QString suggested = QStringLiteral("Sanoria report %1.pdf")
                                  .arg(qs(localDate(std::chrono::system_clock::now())));
    auto path = dialogs.saveFile(this, suggested, QStringLiteral("pdf"));
    if (!path) {
        return;
    }
    const auto target = withExtensionAsked(*path, "pdf", messages::kReplaceExistingReport);
    if (!target) {
        return;
    }
    // Written whole or not at all: a failed export leaves any earlier file.
    QSaveFile file(*target);
    if (file.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter writer(&file);
            writer.setTitle(QStringLiteral("Sanoria report"));
            writer.setCreator(QStringLiteral("Sanoria"));
            writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                             QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
            QTextDocument document;
            prepareDocument(document, reportHtml());
            document.print(&writer);
        }
        if (file.commit()) {
            return;
        }
    }
    dialogs.alert(this, qs(messages::kCouldNotExportReport), {kOk}, file.errorString());
}

void ViewController::OnPrintReport() {
    if (!hasResult()) {
        return;
    }
    QTextDocument document;
    prepareDocument(document, reportHtml());
    dialogs.printDocument(this, document);
}
