// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "model/Messages.h"
#include "platform/QtDialogs.h"
#include "presentation/Contrast.h"
#include "presentation/HelpWindow.h"
#include "presentation/LevelLabel.h"
#include "presentation/ViewControllerInfo.h"

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QToolTip>

// The window for everyone: one organ at a time, for screen readers too; text
// that stays one line; readable level words; nothing a user did is lost.

namespace {

QString qtext(std::string_view message) {
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

QAccessibleInterface* accessible(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(iface, nullptr);
    return iface;
}

const char* const kOrganButtons[] = {"buttonBrain",      "buttonThroat",         "buttonLungs",
                                     "buttonHeart",      "buttonStomach",        "buttonLiver",
                                     "buttonIntestines", "buttonKidneys",        "buttonUterus",
                                     "buttonBladder",    "buttonMusclesAndBones"};

// Pixels of a picture that are (nearly) this colour.
int pixelsOf(const QImage& image, const QColor& colour, int tolerance = 8) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance &&
                std::abs(c.green() - colour.green()) <= tolerance &&
                std::abs(c.blue() - colour.blue()) <= tolerance) {
                ++count;
            }
        }
    }
    return count;
}

double contrast(const QColor& a, const QColor& b) {
    return contrastRatio(toRgba(a), toRgba(b));
}

} // namespace

class Everyone : public GuiTest {
protected:
    TempDir dir;
    QString file(const char* name) const { return QString::fromStdString((dir / name).string()); }
    void trigger(const char* action) { widget<QAction>(action)->trigger(); }
    QStringList checkedOrgans() const {
        QStringList on;
        for (const char* name : kOrganButtons) {
            if (organ(name)->isChecked()) {
                on.append(name);
            }
        }
        return on;
    }
    void activate() {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
};

// ---- 1. and 5.: the organs are one exclusive group of radio buttons

TEST_F(Everyone, OrgansAreRadioButtonsAndTheirActionsSelectOne) {
    for (const char* name : kOrganButtons) {
        QAccessibleInterface* iface = accessible(organ(name));
        EXPECT_EQ(iface->role(), QAccessible::RadioButton) << name;
        EXPECT_TRUE(iface->state().checkable) << name;
        EXPECT_EQ(bool(iface->state().checked), name == std::string("buttonHeart")) << name;
    }
    EXPECT_EQ(accessible(organ("buttonLiver"))->text(QAccessible::Name), "Liver");

    // The accessible toggle on Liver at start-up: Liver alone is on, and its symptoms offered.
    QAccessibleActionInterface* liver = accessible(organ("buttonLiver"))->actionInterface();
    ASSERT_NE(liver, nullptr);
    EXPECT_TRUE(liver->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    EXPECT_TRUE(liver->actionNames().contains(QAccessibleActionInterface::pressAction()));
    liver->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonLiver"});
    EXPECT_EQ(vc().selectedOrgan, "Liver");
    EXPECT_EQ(comboItems(), (QStringList{"Fatigue", "Jaundice", "nausea"}));
    EXPECT_TRUE(accessible(organ("buttonLiver"))->state().checked);
    EXPECT_FALSE(accessible(organ("buttonHeart"))->state().checked);
    EXPECT_EQ(organ("buttonHeart")->property("image").toString(), "Heart");

    // Toggling the selected organ again keeps it; pressing another moves the choice.
    widget<QComboBox>("comboSymptom")->setCurrentIndex(2);
    liver->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonLiver"});
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentText(), "Fatigue");
    accessible(organ("buttonBrain"))
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonBrain"});
    EXPECT_EQ(vc().selectedOrgan, "Brain");

    // Whatever the path, exactly one: the organ actions, clicks, New.
    vc().OnKidneys(); // an action without a click leaves the state as the buttons have it
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonBrain"});
    organ("buttonKidneys")->click();
    organ("buttonKidneys")->click();
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonKidneys"});
    vc().OnFileNew();
    EXPECT_EQ(checkedOrgans(), QStringList{"buttonHeart"});
}

TEST_F(Everyone, OrgansAreOneTabStopWithArrowKeysInside) {
    activate();
    const auto tabStops = [&] {
        QStringList stops;
        for (const char* name : kOrganButtons) {
            if ((organ(name)->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
                stops.append(name);
            }
        }
        return stops;
    };
    EXPECT_EQ(tabStops(), QStringList{"buttonHeart"});

    // Tab from the organ lands on the symptom; Shift+Tab goes back to the organ chosen.
    organ("buttonHeart")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), widget<QComboBox>("comboSymptom"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), organ("buttonHeart"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_FALSE(qobject_cast<QToolButton*>(QApplication::focusWidget()));
    organ("buttonHeart")->setFocus();

    // Arrows move and choose, as in a group of radio buttons.
    const struct {
        Qt::Key key;
        const char* lands;
    } moves[] = {{Qt::Key_Right, "buttonStomach"},
                 {Qt::Key_Down, "buttonKidneys"},
                 {Qt::Key_Down, "buttonMusclesAndBones"},
                 {Qt::Key_Right, "buttonBrain"},
                 {Qt::Key_Left, "buttonMusclesAndBones"},
                 {Qt::Key_Up, "buttonKidneys"},
                 {Qt::Key_Right, "buttonUterus"},
                 {Qt::Key_Down, "buttonUterus"},
                 {Qt::Key_Up, "buttonLiver"}};
    for (const auto& move : moves) {
        QTest::keyClick(QApplication::focusWidget(), move.key);
        EXPECT_EQ(checkedOrgans(), QStringList{move.lands}) << move.lands;
        EXPECT_EQ(QApplication::focusWidget(), organ(move.lands)) << move.lands;
        EXPECT_EQ(tabStops(), QStringList{move.lands});
    }
    EXPECT_EQ(vc().selectedOrgan, "Liver");
    EXPECT_EQ(comboItems(), (QStringList{"Fatigue", "Jaundice", "nausea"}));
}

TEST_F(Everyone, MnemonicsReachTheOrgansAndTheResults) {
    activate();
    organ("buttonLungs")->click();
    widget<QComboBox>("comboSymptom")->setFocus();
    QTest::keyClick(window.get(), Qt::Key_W, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), organ("buttonLungs"));
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), diagnosticTable());
    EXPECT_EQ(widget<QWidget>("groupOrgans")->property("title").toString(),
              "1. &Where is the problem?");
}

// ---- 5.: the slider tells its level in words

TEST_F(Everyone, SliderValueTextIsTheLevelWord) {
    auto* slider = widget<QSlider>("sliderSymptomIntensity");
    QAccessibleInterface* iface = accessible(slider);
    EXPECT_EQ(iface->role(), QAccessible::Slider);
    EXPECT_EQ(iface->text(QAccessible::Name), "Intensity");
    EXPECT_EQ(iface->text(QAccessible::Value), "High");
    EXPECT_EQ(iface->text(QAccessible::Description), "High");
    const char* words[] = {"Low", "Moderate", "High", "Very High", "Extremely High"};
    for (int i : {4, 0, 3, 1}) {
        setIntensity(20 * (i + 1));
        EXPECT_EQ(iface->text(QAccessible::Value), words[i]);
    }
    // Assistive technology moves the slider through the value interface.
    QAccessibleValueInterface* value = iface->valueInterface();
    ASSERT_NE(value, nullptr);
    value->setCurrentValue(5);
    EXPECT_EQ(widget<QLabel>("labelSymptomIntensity")->text(), "Extremely High");
    EXPECT_EQ(iface->text(QAccessible::Value), "Extremely High");
    EXPECT_EQ(value->currentValue().toInt(), 5);
    EXPECT_EQ(value->minimumValue().toInt(), 1);
    EXPECT_EQ(value->maximumValue().toInt(), 5);
    vc().OnFileNew();
    EXPECT_EQ(iface->text(QAccessible::Value), "High");
}

// ---- 2.: a symptom name never holds a line break

TEST_F(Everyone, LineBreaksAreRefusedWhateverThePath) {
    auto* edit = widget<QComboBox>("comboSymptom")->lineEdit();
    edit->setText("Cough");
    edit->setText("Line\nbreak"); // programmatic
    EXPECT_EQ(edit->text(), "Cough");

    QAccessibleInterface* iface = accessible(edit);
    ASSERT_NE(iface->editableTextInterface(), nullptr);
    iface->editableTextInterface()->replaceText(0, 5, "Line\nbreak"); // a screen reader's edit
    EXPECT_EQ(edit->text(), "Cough");
    iface->setText(QAccessible::Value, QString("Line") + QChar(0x2028) + "break");
    EXPECT_EQ(edit->text(), "Cough");
    iface->editableTextInterface()->insertText(5, "\r");
    EXPECT_EQ(edit->text(), "Cough");
    iface->setText(QAccessible::Value, "Rash");
    EXPECT_EQ(edit->text(), "Rash"); // one line is taken as it is

    button("buttonAddSymptom")->click();
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Rash"});

    // Add refuses one too, should a line break ever get past the field.
    {
        const QSignalBlocker unseen(edit);
        edit->setText("Line\nbreak");
    }
    dialogs.saveAnswers = {file("kept.snp")};
    trigger("actionSaveAs");
    dialogs.alerts.clear();
    button("buttonAddSymptom")->click();
    EXPECT_EQ(dialogs.alertTexts(), QStringList{qtext(messages::kNameHoldsLineBreak)});
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Rash"});
    EXPECT_EQ(title(), "Sanoria - kept");

    // So every save goes on working.
    edit->setText("Fever");
    button("buttonAddSymptom")->click();
    trigger("actionSave");
    EXPECT_EQ(readFile(dir / "kept.snp"), "Rash\n60.0\nFever\n60.0\n");
}

// ---- 3.: Save As always gives a ".snp" file

TEST_F(Everyone, SaveAsAddsTheExtensionToDottedNames) {
    add("Fatigue", 40);
    const struct {
        const char* chosen;
        const char* written;
        const char* title;
    } rows[] = {{"2024.05.01", "2024.05.01.snp", "Sanoria - 2024.05.01"},
                {"john.doe", "john.doe.snp", "Sanoria - john.doe"},
                {"notes.txt", "notes.txt.snp", "Sanoria - notes.txt"},
                {"plain", "plain.snp", "Sanoria - plain"},
                {"done.snp", "done.snp", "Sanoria - done"}};
    for (const auto& row : rows) {
        dialogs.saveAnswers = {file(row.chosen)};
        trigger("actionSaveAs");
        EXPECT_EQ(readFile(dir / row.written), "Fatigue\n40.0\n") << row.chosen;
        EXPECT_FALSE(std::filesystem::exists(dir / row.chosen) &&
                     std::string(row.chosen) != row.written)
            << row.chosen;
        EXPECT_EQ(title(), row.title);
        EXPECT_EQ(vc().currentProfilePath, file(row.written));
    }
    // And it opens again through the panel's filter.
    dialogs.openAnswers = {file("2024.05.01.snp")};
    trigger("actionOpen");
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Fatigue"});
}

TEST_F(Everyone, SaveAsAsksBeforeReplacingTheNameItsExtensionMakes) {
    add("Fatigue", 40);
    writeFile(dir / "notes.txt.snp", "Kept\n20.0\n");
    dialogs.saveAnswers = {file("notes.txt")};
    dialogs.alertAnswers = {1}; // No
    trigger("actionSaveAs");
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts.back().text,
              "A profile with this name already exists. Do you want to replace it?");
    EXPECT_EQ(dialogs.alerts.back().detail, file("notes.txt.snp"));
    EXPECT_EQ(readFile(dir / "notes.txt.snp"), "Kept\n20.0\n");
    EXPECT_TRUE(title().endsWith('*'));
    EXPECT_TRUE(vc().currentProfilePath.isEmpty());

    dialogs.saveAnswers = {file("notes.txt")};
    dialogs.alertAnswers = {0}; // Yes
    trigger("actionSaveAs");
    EXPECT_EQ(readFile(dir / "notes.txt.snp"), "Fatigue\n40.0\n");
    EXPECT_EQ(title(), "Sanoria - notes.txt");

    // A name typed with the extension was asked about by the panel itself.
    dialogs.saveAnswers = {file("notes.txt.snp")};
    trigger("actionSaveAs");
    EXPECT_EQ(dialogs.alerts.size(), 2);
}

// ---- 4.: level words readable at 4.5:1 or more

TEST_F(Everyone, SliderLevelIsAReadableBadge) {
    auto* label = widget<QLabel>("labelSymptomIntensity");
    const int width = label->width();
    for (const auto& level : kIntensityLevels) {
        setIntensity(static_cast<int>(level.value));
        EXPECT_EQ(levelColour(label), toQColor(level.colour)) << level.word;
        EXPECT_GE(contrast(levelColour(label), textColour(label)), kMinimumTextContrast);
        QApplication::processEvents();
        const QImage shown = label->grab().toImage();
        // Mostly the level's colour, with the word drawn in dark ink on it.
        EXPECT_GT(pixelsOf(shown, toQColor(level.colour)), shown.width() * shown.height() / 2)
            << level.word;
        EXPECT_GT(pixelsOf(shown, Qt::black, 60), 20) << level.word;
        EXPECT_EQ(label->width(), width) << "the badge keeps its width";
    }
}

TEST_F(Everyone, SymptomTableDrawsLevelBadges) {
    const char* names[] = {"Chest pain", "Fatigue", "Nausea", "Palpitations", "Sweating"};
    dialogs.alertAnswers = {0, 0, 0, 0, 0};
    for (int i = 0; i < 5; ++i) {
        add(names[i], 20 * (i + 1));
    }
    QApplication::processEvents();
    const QImage shown = symptomTable()->viewport()->grab().toImage();
    for (int row = 0; row < 5; ++row) {
        const QColor colour = cellColour(symptomTable(), row, 1);
        const QRect rect = symptomTable()->visualRect(symptomTable()->model()->index(row, 1));
        const QImage cellImage = shown.copy(rect);
        EXPECT_GT(pixelsOf(cellImage, colour), 150) << row;       // the badge
        EXPECT_GT(pixelsOf(cellImage, Qt::black, 60), 15) << row; // its word
        EXPECT_GE(contrast(colour, toQColor(badgeTextColour(toRgba(colour)))),
                  kMinimumTextContrast);
        // The word does not fit in the badge only when the column is cut.
        EXPECT_EQ(
            pixelsOf(shown.copy(symptomTable()->visualRect(symptomTable()->model()->index(row, 0))),
                     colour),
            0);
    }
}

// ---- 6.: removing and clearing are changes a save keeps (mended data loss)

TEST_F(Everyone, RemoveThenSaveWritesTheRemoval) {
    writeFile(dir / "mine.snp", "Chest pain\n60.0\nFatigue\n40.0\nSweating\n20.0\n");
    dialogs.openAnswers = {file("mine.snp")};
    trigger("actionOpen");
    ASSERT_EQ(title(), "Sanoria - mine");
    symptomTable()->selectRow(1);
    button("buttonRemoveSymptom")->click();
    EXPECT_EQ(title(), "Sanoria - mine*");
    activate();
    QTest::keySequence(window.get(), QKeySequence::Save); // Ctrl+S
    EXPECT_EQ(readFile(dir / "mine.snp"), "Chest pain\n60.0\nSweating\n20.0\n");
    EXPECT_EQ(title(), "Sanoria - mine");

    button("buttonClearSymptom")->click();
    EXPECT_EQ(title(), "Sanoria - mine*");
    // Quitting now asks before the cleared list is lost.
    dialogs.alertAnswers = {1};
    trigger("actionQuit");
    EXPECT_EQ(dialogs.alertTexts(), QStringList{qtext(messages::kDiscardAndExit)});
    trigger("actionSave");
    EXPECT_EQ(readFile(dir / "mine.snp"), "");
}

// ---- 7.: failures say which file and why, in plain view

TEST_F(Everyone, FailuresNameTheFileAndTheReason) {
    writeFile(dir / "latin.snp", "Caf\xE9\n60.0\n");
    dialogs.openAnswers = {file("latin.snp")};
    trigger("actionOpen");
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].text, qtext(messages::kCouldNotLoad));
    EXPECT_EQ(dialogs.alerts[0].detail,
              file("latin.snp") + "\nThe file is not UTF-8 or UTF-16 text.");

    add("Fatigue", 40);
    dialogs.saveAnswers = {file("missing/other.snp")};
    trigger("actionSaveAs");
    ASSERT_EQ(dialogs.alerts.size(), 2);
    EXPECT_EQ(dialogs.alerts[1].text, qtext(messages::kCouldNotSave));
    EXPECT_TRUE(dialogs.alerts[1].detail.startsWith(file("missing/other.snp") + "\n"));
    EXPECT_TRUE(dialogs.alerts[1].detail.contains("No such file or directory"))
        << dialogs.alerts[1].detail.toStdString();

    // The real alert shows the sentence and, under it, the detail, as plain text.
    const QString detail = file("<b>odd</b>.snp") + "\nThe file is not UTF-8 or UTF-16 text.";
    QList<QAbstractButton*> buttons;
    const auto box = QtDialogs::makeAlert(window.get(), qtext(messages::kCouldNotLoad), {"OK"},
                                          detail, &buttons);
    auto* label = box->findChild<QLabel*>("qt_msgbox_informativelabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), qtext(messages::kCouldNotLoad) + "\n\n" + detail);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(box->detailedText().isEmpty()); // nothing hidden behind "Show Details"
    EXPECT_TRUE(box->text().isEmpty());
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "OK");
    // Without a detail the alert is the sentence alone.
    const auto plain = QtDialogs::makeAlert(window.get(), "Sentence.", {"Yes", "No"}, QString());
    EXPECT_EQ(plain->findChild<QLabel*>("qt_msgbox_informativelabel")->text(), "Sentence.");
}

// ---- 8.: a quiet hint for names the catalogue does not know

TEST_F(Everyone, UnknownNameHint) {
    auto* hint = widget<QLabel>("labelUnknownSymptom");
    auto* combo = widget<QComboBox>("comboSymptom");
    const auto shown = [&] { return hint->isVisible() ? hint->text() : QString(); };
    EXPECT_EQ(shown(), "");
    QApplication::processEvents();
    const int sliderTop = widget<QSlider>("sliderSymptomIntensity")->y();

    combo->setEditText("rash");
    EXPECT_EQ(shown(), qtext(messages::kUnknownSymptom));
    EXPECT_EQ(shown(), "No condition in the catalogue lists this symptom.");
    EXPECT_EQ(combo->accessibleDescription(), shown());
    QApplication::processEvents();
    EXPECT_EQ(widget<QSlider>("sliderSymptomIntensity")->y(), sliderTop); // nothing jumps
    const auto top = [&](const QWidget* w) { return w->mapTo(window.get(), QPoint()).y(); };
    EXPECT_GT(top(hint), top(combo));
    EXPECT_LT(top(hint), top(widget<QSlider>("sliderSymptomIntensity")));

    // A name of another organ's condition is known; case matters, as everywhere.
    for (const char* known : {"Jaundice", "Chest pain", "nausea"}) {
        combo->setEditText(known);
        EXPECT_EQ(shown(), "") << known;
        EXPECT_TRUE(combo->accessibleDescription().isEmpty());
    }
    for (const char* unknown : {"jaundice", "Chest pain ", "x"}) {
        combo->setEditText(unknown);
        EXPECT_EQ(shown(), qtext(messages::kUnknownSymptom)) << unknown;
    }
    combo->setEditText("");
    EXPECT_EQ(shown(), "");

    // Add works as before: the name is taken, with no alert.
    combo->setEditText("rash");
    button("buttonAddSymptom")->click();
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"rash"});
    EXPECT_TRUE(dialogs.alerts.isEmpty());
}

// ---- 9.: help without a browser

TEST_F(Everyone, HelpOpensInItsOwnWindowWithoutABrowser) {
    trigger("actionHowToGenerateADiagnosis");
    EXPECT_EQ(window->findChild<HelpWindow*>(), nullptr); // the browser took it

    dialogs.openUrlResult = false;
    trigger("actionHowToGenerateADiagnosis");
    auto* help = window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->isWindow());
    EXPECT_EQ(help->browser()->source(), dialogs.openedUrls.last());
    EXPECT_TRUE(help->browser()->toPlainText().contains("Sanoria"));
    EXPECT_FALSE(help->browser()->document()->isEmpty());
    EXPECT_FALSE(help->testAttribute(Qt::WA_QuitOnClose)); // closing the main window still quits

    help->close();
    trigger("actionHowToGenerateADiagnosis");
    EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
}

// ---- 10.: small things

TEST_F(Everyone, CutDiseaseNamesHaveTheirFullNameAsTooltip) {
    const std::string longName = "A very long disease name <b>that</b> a narrow column cuts";
    DiseaseList catalogue{std::make_shared<Disease>("Flu", "", 1.0f, 20.0f, "Heart",
                                                    SymptomList{makeSymptom("Chest pain", 60)}),
                          std::make_shared<Disease>(longName, "Shown <i>as written</i>.", 1.0f,
                                                    100.0f, "Heart",
                                                    SymptomList{makeSymptom("Chest pain", 60)})};
    window = std::make_unique<MainWindow>(catalogue, dialogs);
    window->show();
    add("Chest pain", 60);
    button("buttonGenerateDiagnostic")->click();
    window->resize(window->minimumSizeHint());
    QApplication::processEvents();

    QTableView* table = diagnosticTable();
    const auto tipAt = [&](int row) {
        const QRect rect = table->visualRect(table->model()->index(row, 0));
        QHelpEvent event(QEvent::ToolTip, rect.center(),
                         table->viewport()->mapToGlobal(rect.center()));
        QApplication::sendEvent(table->viewport(), &event);
        return QToolTip::isVisible()
                   ? QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText()
                   : QString();
    };
    const int flu = static_cast<int>(column(table, 0).indexOf("Flu"));
    const int cut = 1 - flu;
    EXPECT_EQ(tipAt(flu), ""); // it fits: no tooltip
    EXPECT_EQ(tipAt(cut), QString::fromStdString(longName));

    // The catalogue's text shows as written, not as markup.
    table->selectRow(cut);
    QString shownName;
    QString shownDescription;
    dialogs.onModal = [&](QDialog& dialog) {
        auto& info = dynamic_cast<ViewControllerInfo&>(dialog);
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
        }
        shownName = info.labelName->text();
        shownDescription = info.labeldescription->text();
    };
    button("buttonInfo")->click();
    EXPECT_EQ(shownName.toStdString(), longName);
    EXPECT_EQ(shownDescription, "Shown <i>as written</i>.");
}

TEST_F(Everyone, InformationWindowFitsItsTextAndShowsAGravityBadge) {
    add("Chest pain", 100);
    button("buttonGenerateDiagnostic")->click();
    diagnosticTable()->selectRow(
        static_cast<int>(column(diagnosticTable(), 0).indexOf("Heart attack")));
    int band = -1;
    QImage gravity;
    QSize gravitySize;
    dialogs.onModal = [&](QDialog& dialog) {
        auto& info = dynamic_cast<ViewControllerInfo&>(dialog);
        dialog.show();
        QApplication::processEvents();
        auto* close = dialog.findChild<QDialogButtonBox*>("buttonBox");
        // Empty space: between the last text and Close, and in labels taller than their text.
        int lastText = 0;
        int slack = 0;
        for (const QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->isVisible()) {
                lastText =
                    std::max(lastText, label->mapTo(&dialog, QPoint(0, label->height())).y());
                const int needed = label->hasHeightForWidth()
                                       ? label->heightForWidth(label->width())
                                       : label->sizeHint().height();
                slack += std::max(0, label->height() - needed);
            }
        }
        band = close->mapTo(&dialog, QPoint(0, 0)).y() - lastText + slack;
        gravity = info.labelGravity->grab().toImage();
        gravitySize = info.labelGravity->size();
        EXPECT_GE(contrast(levelColour(info.labelGravity), textColour(info.labelGravity)),
                  kMinimumTextContrast);
        dialog.close();
    };
    button("buttonInfo")->click();
    EXPECT_GE(band, 0);
    EXPECT_LE(band, 24); // no empty band above Close
    const QColor extremelyHigh = rgb(1.0, 0.2, 0.0);
    EXPECT_GT(pixelsOf(gravity, extremelyHigh), gravity.width() * gravity.height() / 2);
    EXPECT_GT(pixelsOf(gravity, Qt::black, 60), 20);
    EXPECT_LT(gravitySize.width(), 200); // a badge around the word, not a bar across the window
}

TEST_F(Everyone, ResultsHeaderStaysPlainOnSelection) {
    add("Chest pain", 100);
    button("buttonGenerateDiagnostic")->click();
    for (QTableView* table : {diagnosticTable(), symptomTable()}) {
        QApplication::processEvents();
        const QImage before = table->horizontalHeader()->grab().toImage();
        table->setFocus();
        table->selectRow(0);
        QApplication::processEvents();
        EXPECT_EQ(table->horizontalHeader()->grab().toImage(), before)
            << table->objectName().toStdString();
    }
}

TEST_F(Everyone, MainWindowHoldsTheContainerAsItsCentralWidget) {
    QWidget* central = window->centralWidget();
    ASSERT_NE(central, nullptr);
    EXPECT_EQ(central->findChild<ViewController*>("sourceViewController"), &vc());
    EXPECT_EQ(window->findChildren<QWidget*>("centralWidget").size(), 0);
}

TEST_F(Everyone, TablesHearOfEveryChangeBeforeItHappens) {
    for (QTableView* table : {symptomTable(), diagnosticTable()}) {
        new QAbstractItemModelTester(table->model(),
                                     QAbstractItemModelTester::FailureReportingMode::Warning,
                                     table->model());
    }
    QAbstractItemModel* model = symptomTable()->model();
    int rowsBefore = 0;
    int rowsAtStart = -1;
    const auto record = [&] { rowsAtStart = model->rowCount(); };
    QObject::connect(model, &QAbstractItemModel::modelAboutToBeReset, record);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeInserted, record);
    QObject::connect(model, &QAbstractItemModel::rowsAboutToBeRemoved, record);
    const auto change = [&](const std::function<void()>& action, int rowsAfter) {
        rowsBefore = model->rowCount();
        rowsAtStart = -1;
        action();
        EXPECT_EQ(rowsAtStart, rowsBefore) << "the model changed before telling its views";
        EXPECT_EQ(model->rowCount(), rowsAfter);
    };
    change([&] { add("Chest pain", 60); }, 1);
    change([&] { add("Fatigue", 40); }, 2);
    change([&] { add("Sweating", 20); }, 3);
    symptomTable()->selectRow(1);
    change([&] { button("buttonRemoveSymptom")->click(); }, 2);
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Chest pain", "Sweating"}));

    // An update changes the row in place and says so.
    int changedRow = -1;
    QObject::connect(model, &QAbstractItemModel::dataChanged,
                     [&](const QModelIndex& from, const QModelIndex&) { changedRow = from.row(); });
    dialogs.alertAnswers = {0};
    add("Sweating", 100);
    EXPECT_EQ(changedRow, 1);
    EXPECT_EQ(cell(symptomTable(), 1, 1), "Extremely High");

    change([&] { button("buttonClearSymptom")->click(); }, 0);
    writeFile(dir / "two.snp", "A\n20.0\nB\n40.0\n");
    dialogs.openAnswers = {file("two.snp")};
    change([&] { trigger("actionOpen"); }, 2);
    dialogs.alertAnswers = {0};
    change([&] { trigger("actionNew"); }, 0);

    QAbstractItemModel* results = diagnosticTable()->model();
    int resultsAtStart = -1;
    QObject::connect(results, &QAbstractItemModel::modelAboutToBeReset,
                     [&] { resultsAtStart = results->rowCount(); });
    add("Chest pain", 60);
    button("buttonGenerateDiagnostic")->click();
    EXPECT_EQ(resultsAtStart, 0);
    EXPECT_EQ(results->rowCount(), 2);
}
