// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"
#include "engine/DiagnosticTools.h"
#include "model/DatabaseTools.h"
#include "presentation/TableCells.h"
#include "presentation/ViewControllerInfo.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>

namespace {

// The window over a catalogue whose conditions carry Sex and Ages.
class Extras : public GuiTest {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(
            DatabaseTools::loadDiseases(testData("catalogues/extras.plist")), dialogs);
        window->show();
    }

    void generate() { button("buttonGenerateDiagnostic")->click(); }

    QString whyFor(const QString& disease) {
        const int row = static_cast<int>(column(diagnosticTable(), 0).indexOf(disease));
        EXPECT_GE(row, 0) << disease.toStdString();
        diagnosticTable()->selectRow(row);
        QString why;
        dialogs.onModal = [&](QDialog& dialog) {
            why = dynamic_cast<ViewControllerInfo&>(dialog).labelWhy->text();
        };
        button("buttonInfo")->click();
        return why;
    }

    QStringList searchMatches() const {
        QStringList labels;
        auto* model = widget<QLineEdit>("searchSymptom")->completer()->completionModel();
        for (int row = 0; row < model->rowCount(); ++row) {
            labels.append(model->index(row, 0).data(Qt::DisplayRole).toString());
        }
        return labels;
    }
};

} // namespace

TEST_F(Extras, WhyThisResultInTheOrderTheNextDiagnosisUses) {
    add("Sweating", 60);
    add("Chest pain", 80);
    generate();
    const QStringList before = column(diagnosticTable(), 1);
    add("Fatigue", 40); // after Generate: not part of the result being explained

    const QString why = whyFor("Heart attack");
    const QStringList lines = why.split('\n');
    ASSERT_EQ(lines.size(), 5) << why.toStdString();
    EXPECT_TRUE(lines[0].startsWith("You have 2 of its 3 typical symptoms, and it accounts for 2 "
                                    "of your 2 symptoms."))
        << lines[0].toStdString();
    // The window lists the disease's symptoms highest first, and so does the why.
    EXPECT_TRUE(lines[1].startsWith(QString::fromUtf8(
        "\u2022 Chest pain: you entered Very High, typical is Extremely High \u2014 ")));
    EXPECT_TRUE(lines[2].startsWith(
        QString::fromUtf8("\u2022 Sweating: you entered High, typical is High \u2014 ")));
    EXPECT_EQ(lines[3], "Typical symptoms you did not enter: Nausea.");
    EXPECT_EQ(lines[4], "How common it is (3 in 1000 patients) added 0.1 points.");

    // The total is what a diagnosis over the re-ordered catalogue gives now.
    SymptomList diagnosed = symptomsOf({{"Sweating", 60}, {"Chest pain", 80}});
    const auto again = DiagnosticTools::generateDiagnostics(vc().diseasesList, diagnosed);
    float probability = -1;
    for (const auto& d : again) {
        if (d->disease->name == "Heart attack") {
            probability = d->probability;
        }
    }
    const QString total = QString::fromStdString(probabilityText(probability)).chopped(1);
    EXPECT_TRUE(lines[1].endsWith(" of " + total + " points")) << lines[1].toStdString();
    // Opening it changed nothing in the table.
    EXPECT_EQ(column(diagnosticTable(), 1), before);
}

TEST_F(Extras, AboutYouLeavesOutOnlyWhatCannotApply) {
    add("Nausea", 60);
    add("Fatigue", 40);
    generate();
    const QStringList plain = column(diagnosticTable(), 0);
    const QStringList plainProbabilities = column(diagnosticTable(), 1);
    ASSERT_TRUE(plain.contains("Ovarian torsion"));
    ASSERT_TRUE(plain.contains("Newborn jaundice"));

    widget<QComboBox>("comboSex")->setCurrentIndex(2); // Male
    QTest::keyClicks(widget<QLineEdit>("editAge"), "40");
    generate();
    QStringList expected;
    QStringList expectedProbabilities;
    for (int i = 0; i < plain.size(); ++i) {
        if (plain[i] != "Ovarian torsion" && plain[i] != "Newborn jaundice") {
            expected.append(plain[i]);
            expectedProbabilities.append(plainProbabilities[i]);
        }
    }
    EXPECT_EQ(column(diagnosticTable(), 0), expected);
    EXPECT_EQ(column(diagnosticTable(), 1), expectedProbabilities);

    // The age field takes whole years only.
    auto* age = widget<QLineEdit>("editAge");
    age->clear();
    QTest::keyClicks(age, "4x0");
    EXPECT_EQ(age->text(), "40");
    age->clear();
    QTest::keyClicks(age, "135");
    EXPECT_EQ(age->text(), "13");
    age->clear();
    QTest::keyClicks(age, "-40");
    EXPECT_EQ(age->text(), "40");
    age->setText("40");

    // New forgets who the person is; the next result is the plain one.
    window->findChild<QAction*>("actionNew")->trigger();
    EXPECT_EQ(widget<QComboBox>("comboSex")->currentIndex(), 0);
    EXPECT_TRUE(age->text().isEmpty());
    add("Nausea", 60);
    add("Fatigue", 40);
    generate();
    EXPECT_EQ(column(diagnosticTable(), 0), plain);
}

TEST_F(Extras, FindASymptomAnywhere) {
    auto* search = widget<QLineEdit>("searchSymptom");
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->focusWidget(), search);

    QTest::keyClicks(search, "CHEST");
    EXPECT_EQ(searchMatches(),
              (QStringList{"Chest pain (Lungs; Heart)", "Mild chest tightness (Lungs)"}));
    // The per-region list is unchanged meanwhile: still the heart's.
    EXPECT_EQ(vc().selectedOrgan, "Heart");

    auto* popup = search->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(vc().selectedOrgan, "Lungs");
    EXPECT_TRUE(organ("buttonLungs")->isChecked());
    EXPECT_FALSE(organ("buttonHeart")->isChecked());
    EXPECT_EQ(organ("buttonLungs")->property("image").toString(), "Lungs-Selected");
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentText(), "Mild chest tightness");
    EXPECT_TRUE(comboItems().contains("Wheezing")); // the lungs' own list
    EXPECT_TRUE(search->text().isEmpty());

    // Accents and case folded; Enter takes the first match.
    search->setFocus();
    QTest::keyClicks(search, "ecoulement");
    QTest::keyClick(search, Qt::Key_Escape); // close the popup; Enter then goes to the field
    QTest::keyClick(search, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(vc().selectedOrgan, "Brain");
    EXPECT_EQ(widget<QComboBox>("comboSymptom")->currentText(),
              QString::fromUtf8("\u00c9coulement de l'oreille"));
    button("buttonAddSymptom")->click();
    EXPECT_EQ(column(symptomTable(), 0),
              QStringList{QString::fromUtf8("\u00c9coulement de l'oreille")});
}
